#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "audio_test_state.h"
#include "base/random.h"

namespace {

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { resetAudioState(); }
    void TearDown() override { resetAudioState(); }

    void startVoice(int slot, const Voice& v) {
        voices[slot] = v;
        activateVoice(slot);
    }
};

TEST_F(MixerTest, ABufferOf8192BytesGets2048Frames) {
    std::vector<unsigned char> stream(8192, 0xab);
    audioCallback(nullptr, stream.data(), 8192);
    EXPECT_EQ(frameCounter, 2048u);
    EXPECT_EQ(stream[8191], 0) << "the last frame is written too";
}

TEST_F(MixerTest, BytesBeyondTheLastWholeFrameAreLeftAlone) {
    std::vector<unsigned char> stream(16, 0xab);
    audioCallback(nullptr, stream.data(), 14);
    EXPECT_EQ(frameCounter, 3u);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(stream[i], 0) << "byte " << i;
    EXPECT_EQ(stream[12], 0xab);
    EXPECT_EQ(stream[13], 0xab);
}

TEST_F(MixerTest, AnEmptyBufferWritesNothingAndCountsNoFrame) {
    unsigned char stream[4] = {1, 2, 3, 4};
    audioCallback(nullptr, stream, 0);
    audioCallback(nullptr, stream, 3);
    EXPECT_EQ(frameCounter, 0u);
    EXPECT_EQ(stream[0], 1);
    EXPECT_EQ(stream[2], 3);
}

TEST_F(MixerTest, FramesAreWrittenLeftFirstLittleEndian) {
    installSample(0, {{0x1234, -2}});
    startVoice(0, sampleVoice(0, 1, 0));
    unsigned char stream[4] = {};
    audioCallback(nullptr, stream, 4);
    EXPECT_EQ(stream[0], 0x34);
    EXPECT_EQ(stream[1], 0x12);
    EXPECT_EQ(stream[2], 0xfe);
    EXPECT_EQ(stream[3], 0xff);
}

// Full volume leaves the mix as it is; below it each lane is scaled and truncated toward zero.
TEST_F(MixerTest, TheVolumeScalesTheFinalOutput) {
    installSample(0, {{0x1234, -3}});
    startVoice(0, sampleVoice(0, 1, 0));
    outputVolume = 50;
    unsigned char stream[4] = {};
    audioCallback(nullptr, stream, 4);
    outputVolume = fullOutputVolume;
    EXPECT_EQ(stream[0] | stream[1] << 8, 0x091a);
    EXPECT_EQ(stream[2] | stream[3] << 8, 0xffff) << "-3 at 50 % is -1";
    EXPECT_EQ(atVolume({-32768, 32767}, 0).left, 0);
    EXPECT_EQ(atVolume({-32768, 32767}, fullOutputVolume).left, -32768);
}

TEST_F(MixerTest, LoudVoicesWrapAroundInsteadOfSaturating) {
    installSample(0, {{20000, -20000}});
    startVoice(0, sampleVoice(0, 1, 0));
    startVoice(1, sampleVoice(0, 1, 0));
    const std::vector<StereoFrame> out = mixFrames(1);
    EXPECT_EQ(out[0].left, 40000 - 65536);
    EXPECT_EQ(out[0].right, -40000 + 65536);
}

TEST_F(MixerTest, AVoiceOfLengthZeroIsMixedForExactlyOneFrame) {
    Voice v;
    v.type = 1;
    startVoice(5, v);
    mixFrames(3);
    EXPECT_EQ(voices[5].position, 1u);
    EXPECT_FALSE(voiceActive[5]);
    EXPECT_EQ(retiredSlots, std::list<int>{5});
}

TEST_F(MixerTest, AVoiceStillSoundsInTheFrameItFinishes) {
    installSample(0, {{1000, 1000}, {2000, 2000}});
    startVoice(0, sampleVoice(0, 1, 0));
    const std::vector<StereoFrame> out = mixFrames(3);
    EXPECT_EQ(out[1].left, 2000);
    EXPECT_EQ(out[2].left, 0);
    EXPECT_FALSE(voiceActive[0]);
}

TEST_F(MixerTest, OnlySlotsTheQueueCanStartAreReportedBack) {
    Voice v;
    startVoice(255, v);
    startVoice(256, v);
    mixFrames(1);
    EXPECT_FALSE(voiceActive[256]);
    EXPECT_EQ(retiredSlots, std::list<int>{255});
}

TEST_F(MixerTest, TheEchoSendIsTruncatedPerVoiceBeforeItIsSummed) {
    installSample(0, {{3, -3}});
    startVoice(0, sampleVoice(0, 1, 0.5f));
    startVoice(1, sampleVoice(0, 1, 0.5f));
    mixFrames(1);
    // Each voice sends trunc(3 * 0.5) = 1: the double tap stores trunc(2 * 0.36) = 0, where the
    // sum sent whole would have stored trunc(3 * 0.36) = 1.
    EXPECT_EQ(echoBuffer[44100].left, 0);
    EXPECT_EQ(echoBuffer[44100].right, 0);
}

TEST_F(MixerTest, AnEchoCutHalvesTowardZero) {
    echoBuffer[0] = {-3, 3};
    echoBuffer[88199] = {-32768, 32767};
    applyEchoCut();
    EXPECT_EQ(echoBuffer[0].left, -1);
    EXPECT_EQ(echoBuffer[0].right, 1);
    EXPECT_EQ(echoBuffer[88199].left, -16384);
    EXPECT_EQ(echoBuffer[88199].right, 16383);
}

TEST_F(MixerTest, APendingEchoCutIsAppliedOnceAtTheNextCallback) {
    echoBuffer[100] = {-7, 9};
    echoCutPending = true;
    unsigned char stream[4];
    audioCallback(nullptr, stream, 0);
    audioCallback(nullptr, stream, 0);
    EXPECT_EQ(echoBuffer[100].left, -3);
    EXPECT_EQ(echoBuffer[100].right, 4);
    EXPECT_FALSE(echoCutPending);
}

TEST_F(MixerTest, TheForwardTapReadsWhatItWroteTwoSecondsLater) {
    const StereoFrame send{1000, -1000};
    stepForwardTap(send);
    for (int i = 1; i < echoFrameCount; ++i) ASSERT_EQ(stepForwardTap({}), StereoFrame{}) << "frame " << i;
    EXPECT_EQ(stepForwardTap({}), (StereoFrame{259, -259})) << "0.26 is 0.25999999 in single precision";
}

TEST_F(MixerTest, TheDoubleTapReachesItsWritesAQuarterOfTheBufferLater) {
    stepDoubleTap({1000, -1000});
    for (int i = 1; i < 22050; ++i) ASSERT_EQ(stepDoubleTap({}), StereoFrame{}) << "frame " << i;
    EXPECT_EQ(stepDoubleTap({}), (StereoFrame{360, -360}));
    EXPECT_EQ(echoBuffer[44101], (StereoFrame{360, -360})) << "the odd neighbour gets the same";
}

TEST_F(MixerTest, TheReverseTapAddsToWhatIsThereAndWalksBackwards) {
    echoBuffer[0] = {100, -100};
    EXPECT_EQ(stepReverseTap({1000, 0}), (StereoFrame{100, -100}));
    EXPECT_EQ(echoBuffer[0], (StereoFrame{100 + 27 + 310, -100 - 27}));
    EXPECT_EQ(reverseTap, 88199);
}

TEST_F(MixerTest, AnImpulseIsFirstEchoedByTheDoubleTap22050FramesLater) {
    installSample(0, {{1000, -1000}});
    startVoice(0, sampleVoice(0, 1, 1));
    const std::vector<StereoFrame> out = mixFrames(22051);
    // All three taps start on slot 0: the double and reverse taps read the 259 that the forward
    // tap has just written there, and the double tap stores 0.32 * 259 + 0.36 * 1000 ahead.
    EXPECT_EQ(out[0], (StereoFrame{1000 + 51 + 51, -1000 - 51 - 51}));
    for (int i = 1; i < 22050; ++i) ASSERT_EQ(out[i], StereoFrame{}) << "frame " << i;
    EXPECT_EQ(out[22050], (StereoFrame{88, -88})) << "0.2 of the 442 the double tap stored";
}

// A crowd of voices of every kind in scattered slots, some started mid-way, many finishing at
// different frames: the output and the order in which slots come back are pinned to the bit.
TEST_F(MixerTest, ACrowdOfVoicesMixesInSlotOrderToThePinnedOutput) {
    installSample(0, std::vector<StereoFrame>(3000, StereoFrame{1200, -800}));
    installSample(1, std::vector<StereoFrame>(900, StereoFrame{-2500, 3100}));
    RandomStream random(2026);
    audioRandomSource.seed(7);
    const int types[] = {1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 18};
    uint64_t digest = 1469598103934665603ull;  // FNV-1a over the output and the retired slots
    auto mix = [&digest](uint64_t value) { digest = (digest ^ value) * 1099511628211ull; };
    for (int batch = 0; batch < 4; ++batch) {
        for (int n = 0; n < 60; ++n) {
            const int slot = static_cast<int>(random.below(voiceSlotCount));
            if (voiceActive[slot]) continue;
            Voice v;
            v.type = types[random.below(12)];
            v.frequency = 100.0f + static_cast<float>(random.below(900));
            v.amplitude = 0.05f + 0.01f * static_cast<float>(random.below(20));
            v.echoSend = 0.1f * static_cast<float>(random.below(8));
            v.pan = 0.25f * static_cast<float>(random.below(9)) - 1.0f;
            v.delay = random.below(1500);
            v.attack = random.below(400);
            v.sustain =
                v.type >= firstSampleType ? sampleLength[v.type - firstSampleType] : random.below(3000);
            v.release = random.below(2000);
            startVoice(slot, v);
        }
        for (const StereoFrame& f : mixFrames(2048))
            mix(static_cast<uint16_t>(f.left) << 16 | static_cast<uint16_t>(f.right));
        for (int slot : retiredSlots) mix(static_cast<uint64_t>(slot));
        retiredSlots.clear();
    }
    EXPECT_EQ(digest, 2630568656498155583ull) << "taken from the mixer that scanned all 512 slots";
}

// Everything the mixer hands out, in FNV-1a: frames, retired slots, final positions, noise draws.
struct Digest {
    uint64_t value = 1469598103934665603ull;
    void add(uint64_t v) { value = (value ^ v) * 1099511628211ull; }
    void addFrames(const std::vector<StereoFrame>& frames) {
        for (const StereoFrame& f : frames)
            add(static_cast<uint16_t>(f.left) << 16 | static_cast<uint16_t>(f.right));
    }
};

// Starts up to `count` voices made by `make` in free slots drawn from `random`, then mixes a
// buffer of `frames` into the digest with the slots retired meanwhile.
template <typename Make>
void mixBatch(RandomStream& random, int count, Make make, int frames, Digest& digest) {
    for (int n = 0; n < count; ++n) {
        const int slot = static_cast<int>(random.below(voiceSlotCount));
        if (voiceActive[slot]) continue;
        voices[slot] = make(n);
        activateVoice(slot);
    }
    digest.addFrames(mixFrames(frames));
    for (int slot : retiredSlots) digest.add(static_cast<uint64_t>(slot));
    retiredSlots.clear();
}

void finishDigest(Digest& digest) {
    for (const Voice& v : voices) digest.add(v.position);
    digest.add(audioRandomSource.draw());
}

// Tables whose every frame differs, so that a wrong read shows.
void installPatternNoteTables() {
    noteTables.resize(noteCount);
    for (int n = 0; n < noteCount; ++n) {
        noteTables[n].reset(new StereoFrame[noteTableFrames]);
        for (uint32_t j = 0; j < noteTableFrames; ++j)
            noteTables[n][j] = {static_cast<int16_t>(j * 37 + n * 1000), static_cast<int16_t>(n - j * 11)};
    }
}

template <typename Values>
auto pickFrom(RandomStream& random, const Values& values) {
    return values[random.below(std::size(values))];
}

// Fields at and beyond every edge: NaN and infinite values, huge gains and frequencies, lengths
// and positions that wrap, unnamed types and notes outside the tables, buffers of odd lengths.
TEST_F(MixerTest, VoicesWithExtremeFieldsMixToThePinnedOutput) {
    installSample(0, std::vector<StereoFrame>(700, StereoFrame{-32768, 32767}));
    installSample(1, std::vector<StereoFrame>(5000, StereoFrame{9000, -17}));
    installPatternNoteTables();
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const float frequencies[] = {0.3f, 55.0f, 440.0f, 1234.5f, 19000.0f, -300.0f,
                                 7e6f, 3e9f,  3e38f,  nan,     inf};
    const float amplitudes[] = {0.2f, 1.0f, -0.7f, 0.0f, 3.5f, 1e6f, nan, -inf};
    const float sends[] = {0.0f, 0.45f, -1.5f, 60000.0f, 2e9f, 1.5e14f, 3e14f, nan, inf};
    const float pans[] = {0.0f, 1.0f, -1.0f, 0.3f, 2.5f, -7.0f, nan};
    const uint32_t lengths[] = {0, 1, 17, 500, 2047, 2048, 6000, 40000, 0x80000000u, 0xfffffff0u};
    const uint32_t positions[] = {0, 0, 0, 0, 1000, 16777200, 0x7ffffff0u, 0xfffffe00u, 0xffffffffu};
    RandomStream random(4242);
    audioRandomSource.seed(99);
    auto make = [&](int) {
        Voice v;
        v.type = static_cast<int32_t>(random.below(21)) - 1;
        v.frequency = pickFrom(random, frequencies);
        v.amplitude = pickFrom(random, amplitudes);
        v.echoSend = pickFrom(random, sends);
        v.pan = pickFrom(random, pans);
        v.position = pickFrom(random, positions);
        v.delay = random.below(4) == 0 ? pickFrom(random, lengths) : random.below(300);
        v.attack = random.below(3) == 0 ? pickFrom(random, lengths) : random.below(900);
        v.sustain = random.below(3) == 0 ? pickFrom(random, lengths) : random.below(3000);
        v.release = random.below(3) == 0 ? pickFrom(random, lengths) : random.below(2500);
        v.noteIndex = static_cast<int8_t>(static_cast<int>(random.below(28)) - 2);
        v.noteMultiple = static_cast<int8_t>(static_cast<int>(random.below(9)) - 3);
        return v;
    };
    Digest digest;
    for (int frames : {2048, 1, 333, 4096, 2048, 777}) mixBatch(random, 48, make, frames, digest);
    finishDigest(digest);
    EXPECT_EQ(digest.value, 18307266364243641534ull)
        << "taken from the mixer that rendered one frame at a time";
}

// Voices of every kind that reach long sustains, with gains, sends and positions on both sides of
// the limits of 32-bit products and positions, delays that single precision cannot tell apart,
// and one noise voice drawing alone before others join it.
TEST_F(MixerTest, SustainedVoicesOfEveryKindMixToThePinnedOutput) {
    std::vector<StereoFrame> ramp(20000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = {static_cast<int16_t>(i * 7), static_cast<int16_t>(-13 * i)};
    installSample(0, ramp);
    installSample(1, std::vector<StereoFrame>(ramp.begin(), ramp.begin() + 3001));
    installPatternNoteTables();
    const float frequencies[] = {55.0f, 440.0f, 1234.5f, 0.3f, -300.0f, 1e5f, 3e7f, 3e10f};
    const float amplitudes[] = {0.3f, 1.0f, 2.5f, -0.5f, 0.0f, 65535.0f, 65536.0f, 1e5f};
    const float sends[] = {0.5f, -0.25f, 65535.0f, 65536.0f, 1e6f};
    const float pans[] = {0.0f, 1.0f, -1.0f, 0.3f, std::nanf("")};
    const uint32_t positions[] = {0, 0, 0, 16777000, 16777216, 0x7fffff00u};
    const uint32_t farDelays[] = {16777217u, 16777219u, 0x7fffff80u};
    RandomStream random(77);
    audioRandomSource.seed(3);
    // The first batch's first voice is its only noise voice.
    auto make = [&](int firstBatch, int n) {
        Voice v;
        const int32_t type = static_cast<int32_t>(random.below(18)) + 1;
        const bool noise = firstBatch ? n == 0 : type == static_cast<int32_t>(VoiceType::Noise);
        v.type = noise ? static_cast<int32_t>(VoiceType::Noise) : type == 8 ? 1 : type;
        v.frequency = pickFrom(random, frequencies);
        v.amplitude = pickFrom(random, amplitudes);
        v.echoSend = pickFrom(random, sends);
        v.pan = pickFrom(random, pans);
        v.position = pickFrom(random, positions);
        v.delay = random.below(4) == 0 ? pickFrom(random, farDelays) : random.below(200);
        v.attack = random.below(3) == 0 ? 0 : random.below(600);
        v.sustain = random.below(2) == 0 || v.position > 0x7f000000u ? 0x90000000u : 500 + random.below(5000);
        v.release = random.below(3000);
        v.noteIndex = static_cast<int8_t>(random.below(noteCount));
        v.noteMultiple = static_cast<int8_t>(1 + random.below(3));
        if (noise) v.amplitude = 0.5f;
        // Near 2^31 only the lowest frequencies still give a sine that is not 0 throughout.
        if (v.position > 0x7f000000u) v.frequency = 0.3f;
        return v;
    };
    Digest digest;
    mixBatch(
        random, 12, [&](int n) { return make(true, n); }, 4096, digest);
    for (int frames : {2048, 3001, 2048, 4096})
        mixBatch(
            random, 24, [&](int n) { return make(false, n); }, frames, digest);
    finishDigest(digest);
    EXPECT_EQ(digest.value, 1946973148557510641ull)
        << "taken from the mixer that rendered one frame at a time";
}

}  // namespace
