#include <gtest/gtest.h>

#include <cmath>

#include "audio/sample_loader.h"
#include "audio/synth.h"
#include "audio_test_state.h"
#include "base/random.h"

namespace {

constexpr float halfPi = 1.5707963705062866f;

class SynthTest : public ::testing::Test {
protected:
    void SetUp() override { resetAudioState(); }
    void TearDown() override { resetAudioState(); }
};

Voice toneVoice(VoiceType type, float frequency) {
    Voice v;
    v.type = static_cast<int32_t>(type);
    v.frequency = frequency;
    v.amplitude = 1;
    v.sustain = 100000;
    return v;
}

StereoFrame renderAt(Voice v, uint32_t position) {
    v.position = position;
    return renderVoice(v);
}

TEST(FastSin, IsExactAtZeroAndTheQuarterTurns) {
    EXPECT_EQ(fastSin(0), 0.0f);
    EXPECT_FLOAT_EQ(fastSin(halfPi), 1.0f);
    EXPECT_FLOAT_EQ(fastSin(3 * halfPi), -1.0f);
}

TEST(FastSin, IsTheBareParabolaInBetween) {
    EXPECT_NEAR(fastSin(1), 0.86795f, 1e-5f);
    EXPECT_NEAR(fastSin(100), -0.56179f, 1e-5f);
}

TEST(ShapedWave, AFrequencyBelowOneHertzNeverMoves) {
    for (unsigned t : {0u, 1u, 22050u, 44099u, 1000000u}) {
        EXPECT_EQ(shapedWave(t, 0.9f, 0.5f, 1.0f), (StereoFrame{-8191, -8191})) << t;
        EXPECT_EQ(shapedWave(t, 0.9f, 0.5f, 0.0f), (StereoFrame{-8191, -8191})) << t;
    }
}

TEST(ShapedWave, TheSquareIsLowForTheFirstHalfOfEachPeriod) {
    EXPECT_EQ(shapedWave(22049, 1.0f, 1.0f, 1.0f).left, -16383);
    EXPECT_EQ(shapedWave(22050, 1.0f, 1.0f, 1.0f).left, 16383);
    EXPECT_EQ(shapedWave(44099, 1.0f, 1.0f, 1.0f).left, 16383);
    EXPECT_EQ(shapedWave(44100, 1.0f, 1.0f, 1.0f).left, -16383);
}

TEST(ShapedWave, TheTriangleRisesThenFalls) {
    EXPECT_EQ(shapedWave(0, 1.0f, 1.0f, 0.0f).left, -16383);
    EXPECT_EQ(shapedWave(11025, 1.0f, 1.0f, 0.0f).left, 0);
    EXPECT_EQ(shapedWave(22050, 1.0f, 1.0f, 0.0f).left, 16383);
    EXPECT_EQ(shapedWave(33075, 1.0f, 1.0f, 0.0f).left, 0);
}

TEST(ShapedWave, OnlyTheWholeHertzCount) {
    EXPECT_EQ(shapedWave(12345, 3.99f, 1.0f, 0.0f), shapedWave(12345, 3.0f, 1.0f, 0.0f));
}

TEST(Envelope, TheDefaultEnvelopeRisesHoldsAndFallsOver55500Frames) {
    Voice v;
    v.attack = 500;
    v.sustain = 5000;
    v.release = 50000;
    EXPECT_EQ(totalLength(v), 55500u);
    const struct {
        uint32_t position;
        float level;
    } shape[] = {{0, 0}, {250, 0.5f}, {500, 1}, {5499, 1}, {5500, 1}, {30500, 0.5f}, {55500, 0}};
    for (const auto& point : shape) {
        v.position = point.position;
        EXPECT_FLOAT_EQ(envelopeLevel(v), point.level) << point.position;
    }
    v.position = 55499;
    EXPECT_GT(envelopeLevel(v), 0.0f);
    EXPECT_LT(envelopeLevel(v), 0.001f);
}

TEST(Envelope, TheDelayComesFirst) {
    Voice v;
    v.delay = 100;
    v.attack = 500;
    v.position = 99;
    EXPECT_EQ(envelopeLevel(v), 0.0f);
    v.position = 350;
    EXPECT_FLOAT_EQ(envelopeLevel(v), 0.5f);
}

TEST(Envelope, PhasesOfLengthZeroAreSkipped) {
    Voice v;
    v.sustain = 10;
    EXPECT_EQ(envelopeLevel(v), 1.0f) << "no attack: full level at once";
    v.position = 10;
    EXPECT_EQ(envelopeLevel(v), 0.0f) << "no release: silent at the end of the sustain";
}

TEST(Pan, MinusOneLeansRight) {
    EXPECT_EQ(applyPan({1000, 1000}, -1), (StereoFrame{600, 1400}));
    EXPECT_EQ(applyPan({1000, 1000}, 0), (StereoFrame{1000, 1000}));
}

TEST(Pan, BeyondOneActsLikeOne) {
    EXPECT_EQ(applyPan({1000, 1000}, 2), (StereoFrame{1400, 600}));
    EXPECT_EQ(applyPan({1000, 1000}, 2), applyPan({1000, 1000}, 1));
}

TEST_F(SynthTest, TheDelayIsSilentButCountsTowardsThePhase) {
    Voice v = toneVoice(VoiceType::Sine, 11025);  // a quarter turn per frame
    v.delay = 1;
    v.pan = 1;
    EXPECT_EQ(renderVoice(v), StereoFrame{});
    EXPECT_EQ(v.position, 1u);
    // fastSin gives 0.99999994 at the quarter turn: a wave of 16382, panned fully left.
    EXPECT_EQ(renderVoice(v), (StereoFrame{22934, 9829}));
    EXPECT_EQ(v.position, 2u);
}

TEST_F(SynthTest, UnnamedTypesAreSilentForTheirWholeLength) {
    for (int32_t type : {0, -3, 13, 16, 19, 100}) {
        Voice v = toneVoice(VoiceType::Sine, 11025);
        v.type = type;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(renderVoice(v), StereoFrame{}) << type;
        EXPECT_EQ(v.position, 4u);
    }
}

TEST_F(SynthTest, AmplitudeZeroIsExactSilence) {
    for (int32_t type = 1; type <= 12; ++type) {
        Voice v = toneVoice(static_cast<VoiceType>(type), 440);
        v.amplitude = 0;
        for (uint32_t p : {1u, 77u, 5000u}) EXPECT_EQ(renderAt(v, p), StereoFrame{}) << type;
    }
}

TEST_F(SynthTest, ASampleVoicePlaysEveryFrameOfItsSampleThenEnds) {
    installSample(1, {{1000, -1000}, {-2000, 2000}, {3001, 7}});
    Voice v = sampleVoice(1, 0.5f, 0);
    EXPECT_EQ(renderVoice(v), (StereoFrame{500, -500}));
    EXPECT_EQ(renderVoice(v), (StereoFrame{-1000, 1000}));
    EXPECT_EQ(renderVoice(v), (StereoFrame{1500, 3}));
    EXPECT_TRUE(voiceFinished(v));
}

TEST_F(SynthTest, ASampleOfLengthZeroIsSilent) {
    installSample(0, {});
    Voice v = sampleVoice(0, 1, 0);
    v.sustain = 3;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(renderVoice(v), StereoFrame{});
}

TEST_F(SynthTest, ADrivenNoteIsClippedAfterTheDrive) {
    noteTables.resize(noteCount);
    noteTables[0].reset(new StereoFrame[noteTableFrames]());
    noteTables[0][1] = {16383, -16383};
    Voice v = toneVoice(VoiceType::DrivenNoteTone, 1.5f);
    v.noteMultiple = 1;
    EXPECT_EQ(renderAt(v, 1), (StereoFrame{8191, -8191}));
    v.frequency = 4;
    EXPECT_EQ(renderAt(v, 1), (StereoFrame{-4, 4})) << "65532 wraps to -4 and passes the clip";
}

TEST_F(SynthTest, NoteTonesReadTheirTableAtTheMultipleOfThePosition) {
    noteTables.resize(noteCount);
    noteTables[3].reset(new StereoFrame[noteTableFrames]());
    noteTables[3][10000] = {1234, 1234};
    Voice v = toneVoice(VoiceType::NoteTone, 0);
    v.noteIndex = 3;
    v.noteMultiple = 3;
    EXPECT_EQ(renderAt(v, 70000), (StereoFrame{1234, 1234})) << "3 * 70000 wraps at 200000";
    v.noteMultiple = 0;
    EXPECT_EQ(renderAt(v, 70000), StereoFrame{}) << "frame 0 of every table is silent";
}

TEST_F(SynthTest, NoteTypesOutsideTheTablesAreSilent) {
    Voice v = toneVoice(VoiceType::NoteTone, 0);
    v.noteMultiple = 1;
    EXPECT_EQ(renderAt(v, 5), StereoFrame{}) << "tables not built";
    noteTables.resize(noteCount);
    for (int8_t note : {int8_t{-1}, int8_t{24}, int8_t{127}}) {
        v.noteIndex = note;
        EXPECT_EQ(renderAt(v, 5), StereoFrame{}) << int{note};
    }
}

TEST_F(SynthTest, NoiseDrawsFromTheAudioThreadsOwnSource) {
    audioRandomSource.seed(99);
    appRandomSource.seed(7);
    RandomStream expected(99);
    RandomStream untouched(7);
    Voice v = toneVoice(VoiceType::Noise, 0);
    for (int i = 0; i < 5; ++i) {
        const double k = expected.below(1024);
        const int16_t w = static_cast<int16_t>((k - 512) * 0.001953125 * 16383);
        EXPECT_EQ(renderVoice(v), (StereoFrame{w, w}));
    }
    EXPECT_EQ(appRandomSource.draw(), untouched.draw());
}

TEST_F(SynthTest, AChirpSineIsAPlainSineAfterItsAttack) {
    Voice chirp = toneVoice(VoiceType::ChirpSine, 523);
    chirp.attack = 100;
    Voice sine = toneVoice(VoiceType::Sine, 523);
    sine.attack = 100;
    EXPECT_NE(renderAt(chirp, 60), renderAt(sine, 60));
    for (uint32_t p = 100; p < 110; ++p) EXPECT_EQ(renderAt(chirp, p), renderAt(sine, p)) << p;
}

TEST_F(SynthTest, TheDropTypesMatchTheirPlainTypesUntilTheRelease) {
    Voice drop = toneVoice(VoiceType::DropSquare, 300);
    drop.release = 1000;
    Voice square = toneVoice(VoiceType::Square, 300);
    square.release = 1000;
    for (uint32_t p = 0; p < 100000; p += 997) EXPECT_EQ(renderAt(drop, p), renderAt(square, p)) << p;
}

TEST_F(SynthTest, ADropSineSlowsDownThroughItsRelease) {
    // A quarter turn per frame until the release; two frames into a release of four the phase
    // has gone one quarter turn further, not two, so the wave is at its peak instead of at 0.
    Voice drop = toneVoice(VoiceType::DropSine, 11025);
    drop.sustain = 4;
    drop.release = 4;
    EXPECT_EQ(renderAt(drop, 6), (StereoFrame{8191, 8191})) << "the peak at the level of 0.5";
    Voice sine = toneVoice(VoiceType::Sine, 11025);
    EXPECT_EQ(renderAt(sine, 6), StereoFrame{});
}

TEST_F(SynthTest, AGlideFromTheZeroNoteIsSilentDuringItsAttack) {
    buildNoteFrequencies();
    Voice v = toneVoice(VoiceType::GlideSine, 880);
    v.attack = 500;
    for (uint32_t p = 1; p < 500; p += 37) EXPECT_EQ(renderAt(v, p), StereoFrame{}) << p;
    EXPECT_NE(renderAt(v, 3000), StereoFrame{});
}

}  // namespace
