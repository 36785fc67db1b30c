#include <gtest/gtest.h>

#include <cmath>

#include "audio/synth.h"
#include "frame_printer.h"

namespace {

// The stated tuning, written out independently: powers of the single-precision semitone by
// squaring, taking the squares whose bits are set, lowest bit first.
float semitonesAboveA(int n) {
    const float semitone = 1.0594631433486938f;
    const unsigned bits = static_cast<unsigned>(std::abs(n));
    float square = semitone;
    float power = 1.0f;
    for (unsigned bit = 1; bit <= bits; bit <<= 1) {
        if (bits & bit) power *= square;
        square *= square;
    }
    return n < 0 ? 1.0f / power : power;
}

int16_t statedTableValue(float frequency, uint32_t frame) {
    const double turns = static_cast<double>(frequency) * 6.2831854820251465 * frame / 44100;
    const float phase = static_cast<float>(turns);
    const float sine = static_cast<float>(std::sin(static_cast<double>(phase)));
    return static_cast<int16_t>(std::trunc(16383.0 * sine));
}

class NoteTables : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        startNoteTableBuild();
        finishNoteTableBuild();
    }
    static void TearDownTestSuite() { freeNoteTables(); }
};

TEST_F(NoteTables, FrequenciesAreTwoOctavesOfSemitonesFromA3) {
    EXPECT_EQ(noteFrequency[12], 440.0f);
    EXPECT_NEAR(noteFrequency[0], 219.9999f, 1e-4f);
    EXPECT_NEAR(noteFrequency[23], 830.61f, 1e-2f);
    for (int i = 0; i < noteCount; ++i) EXPECT_EQ(noteFrequency[i], 440.0f * semitonesAboveA(i - 12)) << i;
}

TEST_F(NoteTables, FramesHoldTheSineOfTheSinglePrecisionPhase) {
    ASSERT_EQ(noteTables.size(), static_cast<size_t>(noteCount));
    const struct {
        int note;
        uint32_t frame;
    } spots[] = {{0, 1}, {12, 25}, {5, 12345}, {17, 100000}, {23, 199999}, {9, 4410}};
    for (const auto& spot : spots) {
        const int16_t s = statedTableValue(noteFrequency[spot.note], spot.frame);
        EXPECT_EQ(noteTables[spot.note][spot.frame], (StereoFrame{s, s})) << spot.note << " " << spot.frame;
    }
}

TEST_F(NoteTables, EveryTableStartsSilentAndStaysWithinItsPeak) {
    for (int i = 0; i < noteCount; ++i) {
        EXPECT_EQ(noteTables[i][0], StereoFrame{}) << i;
        int16_t highest = 0;
        for (uint32_t j = 0; j < noteTableFrames; ++j) highest = std::max(highest, noteTables[i][j].left);
        EXPECT_EQ(highest, 16383) << i;
    }
}

TEST_F(NoteTables, AllFramesOfAllTablesMatchThePinnedDigest) {
    uint64_t digest = 1469598103934665603ull;  // FNV-1a over every frame of every table
    for (int i = 0; i < noteCount; ++i) {
        for (uint32_t j = 0; j < noteTableFrames; ++j) {
            const StereoFrame f = noteTables[i][j];
            digest = (digest ^ (static_cast<uint16_t>(f.left) << 16 | static_cast<uint16_t>(f.right))) *
                     1099511628211ull;
        }
    }
    EXPECT_EQ(digest, 13314110471525822979ull) << "taken from the tables built before the device opened";
}

TEST_F(NoteTables, FreeingLeavesNoTable) {
    freeNoteTables();
    EXPECT_TRUE(noteTables.empty());
    buildNoteTables();
    EXPECT_EQ(noteTables.size(), static_cast<size_t>(noteCount));
}

}  // namespace
