#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "audio/mixer.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "audio_test_state.h"

namespace {

constexpr int soundsToPlay = 3000;
constexpr int callbackFrames = 512;
constexpr int cutEvery = 97;

bool anySlotReserved() {
    for (bool reserved : reservedSlot) {
        if (reserved) return true;
    }
    return false;
}

// The game side as the main loop runs it: a sound now and then, one hand-over per pass. Checks
// that every slot that comes back holds a voice the audio thread played to its end.
class GameSide {
public:
    void pass(bool playOne) {
        if (playOne) {
            const size_t before = pendingSlots.size();
            playSound(static_cast<int>(VoiceType::MeowSample), 0, 0.1f, 1, 0);
            accepted += pendingSlots.size() > before;
            if (accepted % cutEvery == 0) requestEchoCut();
        }
        std::vector<bool> wasReserved(std::begin(reservedSlot), std::end(reservedSlot));
        syncGameSide();
        for (int slot = 0; slot < queueSlotCount; ++slot) {
            if (!wasReserved[slot] || reservedSlot[slot]) continue;
            ++returned;
            EXPECT_EQ(voices[slot].position, totalLength(voices[slot])) << "slot " << slot;
        }
    }

    int accepted = 0;
    int returned = 0;
};

TEST(SoundHandOver, EverySlotComesBackWhileBothThreadsRun) {
    resetAudioState();
    installSample(0, std::vector<StereoFrame>(64, StereoFrame{100, -100}));
    std::atomic<bool> stop{false};
    std::thread audioThread([&stop] {
        std::vector<unsigned char> buffer(callbackFrames * bytesPerFrame);
        while (!stop.load()) audioCallback(nullptr, buffer.data(), static_cast<int>(buffer.size()));
    });
    GameSide game;
    while (game.accepted < soundsToPlay) game.pass(true);
    while (anySlotReserved()) game.pass(false);
    stop = true;
    audioThread.join();

    EXPECT_EQ(game.returned, soundsToPlay);
    EXPECT_TRUE(pendingSlots.empty());
    EXPECT_TRUE(startedSlots.empty());
    EXPECT_TRUE(finishedSlots.empty());
    EXPECT_TRUE(retiredSlots.empty());
    for (int slot = 0; slot < queueSlotCount; ++slot) EXPECT_FALSE(voiceActive[slot]) << slot;
    resetAudioState();
}

}  // namespace
