#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "audio/mixer.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "audio_test_state.h"
#include "base/random.h"

namespace {

// About 27 hours of sound: the frame counter wraps in a long session.
constexpr uint32_t lastFrameBeforeWrap = UINT32_MAX;
constexpr int meowType = static_cast<int>(VoiceType::MeowSample);
// 2^32 is not a multiple of the beat: 2^32 mod 2756 is 360, the last grid point 360 frames short.
constexpr uint32_t lastGridPointBeforeWrap = lastFrameBeforeWrap - 359;
constexpr int sampleFrames = 1000;
constexpr StereoFrame sampleLevel = {1000, 1000};

class FrameCounterWrap : public ::testing::Test {
protected:
    void SetUp() override {
        resetAudioState();
        appRandomSource.seed(7);
        installSample(0, std::vector<StereoFrame>(sampleFrames, sampleLevel));
    }
    void TearDown() override { resetAudioState(); }

    // The slot of a dry sample sound, handed over to the audio side and started at `frame`.
    int startSampleAt(uint32_t frame) {
        playSound(meowType, 0, 0.2f, 0, 0);
        const int slot = pendingSlots.back();
        amplitudeAsked = voices[slot].amplitude;
        syncGameSide();
        frameCounter = frame;
        syncAudioSide();
        return slot;
    }

    float amplitudeAsked = 0;
};

size_t firstAudibleFrame(const std::vector<StereoFrame>& frames) {
    const auto at =
        std::find_if(frames.begin(), frames.end(), [](StereoFrame f) { return f != StereoFrame{}; });
    return static_cast<size_t>(at - frames.begin());
}

TEST_F(FrameCounterWrap, TheCounterWrapsToZeroWithinACallback) {
    frameCounter = lastFrameBeforeWrap - 9;
    mixFrames(20);
    EXPECT_EQ(frameCounter, 10u);
}

TEST_F(FrameCounterWrap, TheBeatAcrossTheWrapIsFoundInThirtyTwoBitArithmetic) {
    // (2^32 - 1) mod 2756 is 359, so the next grid point is 2397 frames on, and the wrapped sum
    // 2396 lies in grid step 0, an accent.
    const int slot = startSampleAt(lastFrameBeforeWrap);
    EXPECT_EQ(voices[slot].delay, 2397u);
    EXPECT_FLOAT_EQ(voices[slot].amplitude, amplitudeAsked) << "an accent keeps its loudness";
}

TEST_F(FrameCounterWrap, ASoundWaitingAcrossTheWrapIsHeardOnItsBeat) {
    startSampleAt(lastFrameBeforeWrap - 99);
    const std::vector<StereoFrame> frames = mixFrames(3 * static_cast<int>(beatFrames));
    EXPECT_EQ(firstAudibleFrame(frames), 2496u) << "(2^32 - 100) mod 2756 is 260";
}

TEST_F(FrameCounterWrap, ASoundPlaysThroughTheWrapWithoutAGapAndItsSlotComesBack) {
    const int slot = startSampleAt(lastGridPointBeforeWrap);
    ASSERT_EQ(voices[slot].delay, 0u) << "already on the grid";
    const std::vector<StereoFrame> frames = mixFrames(sampleFrames);
    EXPECT_EQ(std::count(frames.begin(), frames.end(), StereoFrame{}), 0);
    syncAudioSide();
    syncGameSide();
    EXPECT_FALSE(voiceActive[slot]);
    EXPECT_FALSE(reservedSlot[slot]);
}

}  // namespace
