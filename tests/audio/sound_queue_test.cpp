#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "audio_test_state.h"
#include "base/random.h"

namespace {

constexpr int sineType = static_cast<int>(VoiceType::Sine);

class SoundQueue : public ::testing::Test {
protected:
    void SetUp() override {
        resetAudioState();
        appRandomSource.seed(2024);
    }
    void TearDown() override { resetAudioState(); }

    // One sound, handed over and started with the frame counter at `frame`.
    Voice startAt(uint32_t frame) {
        playSound(sineType, 440, 0.2f, 1, 0);
        const int slot = pendingSlots.back();
        const float amplitude = voices[slot].amplitude;
        syncGameSide();
        frameCounter = frame;
        syncAudioSide();
        EXPECT_TRUE(voiceActive[slot]);
        Voice v = voices[slot];
        v.amplitude /= amplitude;  // what is left is the grid's own factor
        return v;
    }

    // Finishes `slot` as the mixer would and runs both hand-overs.
    void finish(int slot) {
        retiredSlots.push_back(slot);
        syncAudioSide();
        syncGameSide();
    }
};

TEST_F(SoundQueue, PlaySoundFillsTheVoiceWithTheDefaultEnvelope) {
    RandomStream draws(2024);
    const double panDraw = draws.below(16);
    const double loudnessDraw = draws.below(1024);
    playSound(sineType, 440, 0.2f, 0.5f, -0.5f);
    ASSERT_EQ(pendingSlots, std::vector<int>{0});
    const Voice& v = voices[0];
    EXPECT_EQ(v.type, sineType);
    EXPECT_EQ(v.frequency, 440.0f);
    EXPECT_EQ(v.echoSend, 0.5f);
    EXPECT_TRUE(v.quantize);
    EXPECT_EQ(v.position, 0u);
    EXPECT_EQ(v.delay, 0u);
    EXPECT_EQ(v.attack, 500u);
    EXPECT_EQ(v.sustain, 5000u);
    EXPECT_EQ(v.release, 50000u);
    EXPECT_EQ(v.pan, static_cast<float>(-0.5f + panDraw * 0.0078125)) << "the pan's draw comes first";
    EXPECT_EQ(v.amplitude, static_cast<float>((loudnessDraw * 0.0001f + 1.5) * 0.2f));
    EXPECT_TRUE(reservedSlot[0]);
}

TEST_F(SoundQueue, ASampleSoundLastsExactlyItsSample) {
    installSample(1, std::vector<StereoFrame>(777));
    playSound(static_cast<int>(VoiceType::MouseSample), 0, 0.1f, 1, 0);
    const Voice& v = voices[pendingSlots.back()];
    EXPECT_EQ(v.attack, 0u);
    EXPECT_EQ(v.sustain, 777u);
    EXPECT_EQ(v.release, 0u);
    EXPECT_GE(v.amplitude, 0.15f);
    EXPECT_LE(v.amplitude, 0.1603f);
}

TEST_F(SoundQueue, AtFrameZeroASoundStartsAtOnceAtFullLoudness) {
    const Voice v = startAt(0);
    EXPECT_EQ(v.delay, 0u);
    EXPECT_FLOAT_EQ(v.amplitude, 1.0f);
}

TEST_F(SoundQueue, AtFrameOneASoundWaitsForTheNextBeatAndIsQuieterOffTheAccent) {
    const Voice v = startAt(1);
    EXPECT_EQ(v.delay, 2755u);
    EXPECT_FLOAT_EQ(v.amplitude, 0.75f);
}

TEST_F(SoundQueue, JustAfterTheThirdBeatASoundWaitsForTheAccentAndKeepsItsLoudness) {
    const Voice v = startAt(8269);
    EXPECT_EQ(v.delay, 2755u);
    EXPECT_FLOAT_EQ(v.amplitude, 1.0f);
}

TEST_F(SoundQueue, ASoundAlreadyOnABeatIsNeverQuietened) {
    const Voice v = startAt(2756);
    EXPECT_EQ(v.delay, 0u);
    EXPECT_FLOAT_EQ(v.amplitude, 1.0f) << "beat 1 is off the accent, but the sound is not moved";
}

TEST_F(SoundQueue, SoundsOfOnePassStartOnTheSameBeat) {
    playSound(sineType, 440, 0.2f, 1, 0);
    playSound(sineType, 660, 0.2f, 1, 0);
    syncGameSide();
    frameCounter = 5000;
    syncAudioSide();
    EXPECT_TRUE(voiceActive[0]);
    EXPECT_TRUE(voiceActive[1]);
    EXPECT_EQ(voices[0].delay, 512u);
    EXPECT_EQ(voices[1].delay, 512u);
}

TEST_F(SoundQueue, TheSearchStartsAtTheSlotFoundLast) {
    for (int i = 0; i < 10; ++i) playSound(sineType, 440, 0.2f, 1, 0);
    syncGameSide();
    syncAudioSide();
    finish(3);
    EXPECT_FALSE(reservedSlot[3]);
    playSound(sineType, 440, 0.2f, 1, 0);
    EXPECT_EQ(pendingSlots.back(), 10);
    for (int i = 11; i < 256; ++i) playSound(sineType, 440, 0.2f, 1, 0);
    EXPECT_EQ(pendingSlots.back(), 255);
    playSound(sineType, 440, 0.2f, 1, 0);
    EXPECT_EQ(pendingSlots.back(), 3) << "slot 3 again only after the search wrapped";
}

TEST_F(SoundQueue, WithEverySlotReservedTheSoundIsDropped) {
    for (int i = 0; i < 256; ++i) playSound(sineType, 440, 0.2f, 1, 0);
    EXPECT_EQ(pendingSlots.size(), 256u);
    nextSearchSlot = 0;
    playSound(sineType, 440, 0.2f, 1, 0);
    EXPECT_EQ(pendingSlots.size(), 256u);
    EXPECT_EQ(nextSearchSlot, 0);
}

TEST_F(SoundQueue, AFinishedSlotIsFreeOnlyAfterBothHandOvers) {
    playSound(sineType, 440, 0.2f, 1, 0);
    syncGameSide();
    syncAudioSide();
    retiredSlots.push_back(0);
    syncGameSide();
    EXPECT_TRUE(reservedSlot[0]) << "not yet reported by the audio side";
    syncAudioSide();
    EXPECT_TRUE(reservedSlot[0]) << "reported, not yet released by the game side";
    syncGameSide();
    EXPECT_FALSE(reservedSlot[0]);
}

TEST_F(SoundQueue, ABusyLockPostponesTheGameSideWithoutLosingOrReordering) {
    playSound(sineType, 440, 0.2f, 1, 0);
    playSound(sineType, 440, 0.2f, 1, 0);
    {
        std::lock_guard<std::mutex> audioSideHoldsIt(audioLock);
        syncGameSide();
    }
    EXPECT_TRUE(startedSlots.empty());
    playSound(sineType, 440, 0.2f, 1, 0);
    syncGameSide();
    EXPECT_EQ(startedSlots, (std::list<int>{0, 1, 2}));
    EXPECT_TRUE(pendingSlots.empty());
}

TEST_F(SoundQueue, ABusyLockPostponesTheAudioSideWithoutLosingOrReordering) {
    playSound(sineType, 440, 0.2f, 1, 0);
    syncGameSide();
    retiredSlots = {7, 4};
    {
        std::lock_guard<std::mutex> gameSideHoldsIt(audioLock);
        syncAudioSide();
    }
    EXPECT_FALSE(voiceActive[0]);
    EXPECT_TRUE(finishedSlots.empty());
    retiredSlots.push_back(9);
    syncAudioSide();
    EXPECT_TRUE(voiceActive[0]);
    EXPECT_EQ(finishedSlots, (std::list<int>{7, 4, 9}));
    EXPECT_TRUE(retiredSlots.empty());
}

TEST_F(SoundQueue, SeveralEchoCutRequestsMergeIntoOneCut) {
    echoBuffer[10] = {-40, 40};
    requestEchoCut();
    requestEchoCut();
    syncGameSide();
    requestEchoCut();
    EXPECT_TRUE(echoCutRequested) << "a request after the hand-over waits for the next";
    echoCutRequested = false;
    syncAudioSide();
    syncAudioSide();
    EXPECT_EQ(echoBuffer[10], (StereoFrame{-20, 20}));
}

TEST_F(SoundQueue, AnEchoCutWaitsWhileTheLockIsBusy) {
    echoBuffer[10] = {-40, 40};
    requestEchoCut();
    syncGameSide();
    {
        std::lock_guard<std::mutex> gameSideHoldsIt(audioLock);
        syncAudioSide();
    }
    EXPECT_EQ(echoBuffer[10], (StereoFrame{-40, 40}));
    syncAudioSide();
    EXPECT_EQ(echoBuffer[10], (StereoFrame{-20, 20}));
}

TEST_F(SoundQueue, AStartedSoundIsHeardFromItsBeat) {
    installSample(0, {{1000, 1000}});
    playSound(static_cast<int>(VoiceType::MeowSample), 0, 0.4f, 0, 0);
    voices[0].pan = 0;
    voices[0].amplitude = 1;
    syncGameSide();
    frameCounter = 1;
    const std::vector<StereoFrame> out = mixFrames(2756);
    EXPECT_EQ(out[2754], StereoFrame{});
    EXPECT_EQ(out[2755], (StereoFrame{750, 750})) << "on beat 1, off the accent";
    EXPECT_FALSE(voiceActive[0]);
    EXPECT_TRUE(finishedSlots.empty()) << "reported at the next callback";
    mixFrames(1);
    EXPECT_EQ(finishedSlots, std::list<int>{0});
}

}  // namespace
