#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <iterator>
#include <list>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/platform/key_codes.h"
#include "app/input/bindings.h"
#include "app/session/keyboard_feed.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/game.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "audio/audio_device.h"
#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "base/random.h"
#include "framework/actor.h"
#include "framework/game_state.h"
#include "games/pawtrap.h"
#include "graphics/video.h"
#include "support/fake_platform.h"

namespace {

constexpr uint32_t soakTicks = 200000;  // an hour of play
constexpr unsigned maxTicksPerPass = 3;
constexpr int callbackFrames = 512;
constexpr int maxKeyEventsPerPass = 3;
constexpr unsigned escapeOnePassIn = 5000;  // most games end by game over, some by Escape
constexpr unsigned extraSoundOnePassIn = 40;
constexpr int highestVoiceType = static_cast<int>(VoiceType::MouseSample);
constexpr float loudestExtraSound = 0.4f;
constexpr float highestExtraFrequency = 4000.0f;
constexpr int unitSteps = 1024;
constexpr int buttonsPerPlayer = buttonCount / playerCount;
constexpr int sequenceValues = 256;
constexpr int eventTypes = 2;
// The queue keeps one event per tick stamp, player, 8-bit sequence and type, and every event
// is delivered at the next tick.
constexpr size_t eventBound = static_cast<size_t>(playerCount) * sequenceValues * eventTypes;
constexpr int mouseKind = 1;
// The callbacks that report a finished slot: the one that finishes it and the next one's hand-over.
constexpr uint32_t handOverCallbacks = 2;
constexpr uint32_t soakSeed = 20240611u;

const int gameKeys[buttonCount] = {'w', 's', 'a', 'd', keyArrowUp, keyArrowDown, keyArrowLeft, keyArrowRight};

// The effects of one death (the tail's sparks and the mouse's burst), twice: ticks that run on
// after game over in the same pass burst the tail once more.
size_t effectBound() {
    const ActorKind& mouse = actorKinds.kinds[mouseKind];
    return 2 * static_cast<size_t>(tailLength + std::max(mouse.spawnCount, 0));
}

int reservedCount() {
    return static_cast<int>(std::count(std::begin(reservedSlot), std::end(reservedSlot), true));
}

bool inSlotRange(int slot) { return slot >= 0 && slot < queueSlotCount; }

template <typename List>
bool allInSlotRange(const List& slots) {
    return std::all_of(slots.begin(), slots.end(), inSlotRange);
}

// The audio thread as SDL runs it, callback after callback, checking what only it may read.
class AudioThread {
public:
    AudioThread() : thread([this] { run(); }) {}
    ~AudioThread() { stop(); }
    AudioThread(const AudioThread&) = delete;
    AudioThread& operator=(const AudioThread&) = delete;

    void stop() {
        stopping = true;
        if (thread.joinable()) thread.join();
    }

    std::atomic<long> callbacks{0};
    std::atomic<bool> breach{false};

private:
    void run() {
        std::vector<unsigned char> buffer(callbackFrames * bytesPerFrame);
        while (!stopping.load()) {
            audioCallback(nullptr, buffer.data(), static_cast<int>(buffer.size()));
            if (!withinBounds()) breach = true;
            ++callbacks;
        }
    }

    // Only slots the queue hands out are ever active, and the list holds each slot once at most.
    static bool withinBounds() {
        const auto active = std::count(std::begin(voiceActive), std::end(voiceActive), true);
        const bool onlyQueueSlots = std::none_of(std::begin(voiceActive) + queueSlotCount,
                                                 std::end(voiceActive), [](bool a) { return a; });
        return onlyQueueSlots && active + retiredSlots.size() <= static_cast<size_t>(queueSlotCount) &&
               allInSlotRange(retiredSlots);
    }

    std::atomic<bool> stopping{false};
    std::thread thread;
};

// A real keyboard: a key is pressed only while it is up and released only while it is down.
class Keyboard {
public:
    explicit Keyboard(std::mt19937& random) : random(random) {}

    void pressOrReleaseSome() {
        const int count = static_cast<int>(random() % (maxKeyEventsPerPass + 1));
        for (int i = 0; i < count; ++i) toggle(static_cast<int>(random() % buttonCount));
    }

    void releaseAll() {
        for (int k = 0; k < buttonCount; ++k) {
            if (down[k]) toggle(k);
        }
    }

    // The buttons a player holds, as the game sees them once their events are delivered.
    std::vector<int> heldBy(int player) const {
        std::vector<int> held;
        for (int k = 0; k < buttonCount; ++k) {
            if (down[k] && playerOfButton(k) == player) held.push_back(k);
        }
        return held;
    }

private:
    void toggle(int k) {
        down[k] = !down[k];
        if (down[k]) gameKeyDown(gameKeys[k]);
        else gameKeyUp(gameKeys[k]);
    }

    std::mt19937& random;
    bool down[buttonCount] = {};
};

std::vector<int> sorted(const std::list<int>& buttons) {
    std::vector<int> v(buttons.begin(), buttons.end());
    std::sort(v.begin(), v.end());
    return v;
}

// initAudio() with the real samples: it finds them under dat/samples in the working directory.
void initAudioWithRealSamples() {
    char* previous = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(TANDREL_SOURCE_DIR), 0);
    ::testing::internal::CaptureStderr();
    initAudio("dat/samples");
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(chdir(previous), 0);
    std::free(previous);
    ASSERT_GT(sampleLength[0], 0u);
    ASSERT_GT(sampleLength[1], 0u);
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        restoreActorKinds();
        appRandomSource.seed(soakSeed);
        audioRandomSource.seed(soakSeed);
        std::string error;
        ASSERT_TRUE(setVideoMode(false, true, error)) << error;
        initAudioWithRealSamples();
    }

    void TearDown() override {
        session.game.reset();
        app = AppState{};
        shutdownAudio();
    }

    // One pass of the main loop in the frame's own steps, without the screen effects: their
    // wobble costs more than all the rest and takes no part in games or sound.
    void pass() {
        if (!inGame()) {
            keyboard.releaseAll();
            startGame();
            ++gamesStarted;
        } else {
            keyboard.pressOrReleaseSome();
            if (random() % escapeOnePassIn == 0) endGame();
        }
        if (random() % extraSoundOnePassIn == 0) playExtraSound();
        const unsigned n = random() % (maxTicksPerPass + 1);
        ticksElapsed += n;
        if (inGame()) runDueTicks(n, 0);
        if (inGame() && session.game->gameOver) endGame();
        const int reservedBefore = reservedCount();
        syncGameSide();
        slotsReturned += reservedBefore - reservedCount();
        if (n >= 1) renderFrame();
    }

    void playExtraSound() {
        const int type = static_cast<int>(random() % (highestVoiceType + 1));
        playSound(type, unit() * highestExtraFrequency, unit() * loudestExtraSound, unit(), 2 * unit() - 1);
    }

    float unit() { return static_cast<float>(random() % unitSteps) / (unitSteps - 1); }

    void checkGame(const GameState& game, bool ticked) {
        ASSERT_LE(game.events.size(), eventBound);
        ASSERT_LE(game.effects.size(), effectBound());
        ASSERT_LE(game.actors.size(), 1u) << "one mouse at most";
        if (!ticked) return;
        ASSERT_TRUE(game.events.empty()) << "every event is delivered at the next tick";
        for (int p = 0; p < playerCount; ++p) {
            ASSERT_EQ(sorted(game.players[p].heldButtons), keyboard.heldBy(p)) << "player " << p;
            ASSERT_LE(game.players[p].heldButtons.size(), static_cast<size_t>(buttonsPerPlayer));
        }
    }

    // The game thread's list, and the shared ones whenever the audio thread is not holding them.
    static void checkSlotLists() {
        ASSERT_LE(pendingSlots.size(), static_cast<size_t>(queueSlotCount));
        ASSERT_TRUE(allInSlotRange(pendingSlots));
        for (int slot : pendingSlots) ASSERT_TRUE(reservedSlot[slot]);
        std::unique_lock<std::mutex> lock(audioLock, std::try_to_lock);
        if (!lock.owns_lock()) return;
        ASSERT_TRUE(allInSlotRange(startedSlots));
        ASSERT_TRUE(allInSlotRange(finishedSlots));
        ASSERT_LE(pendingSlots.size() + startedSlots.size() + finishedSlots.size(),
                  static_cast<size_t>(reservedCount()));
    }

    // With the audio thread stopped, the callback and the game-side hand-over alternate until no
    // slot is reserved: at most a beat of waiting plus the longest sound still held, and the
    // callbacks that report it.
    static void playUntilQuiet() {
        uint32_t longest = 0;
        for (int slot = 0; slot < queueSlotCount; ++slot) {
            if (reservedSlot[slot]) longest = std::max(longest, totalLength(voices[slot]));
        }
        const uint32_t limit = (beatFrames + longest) / callbackFrames + handOverCallbacks;
        std::vector<unsigned char> buffer(callbackFrames * bytesPerFrame);
        for (uint32_t k = 0; k < limit && reservedCount() > 0; ++k) {
            audioCallback(nullptr, buffer.data(), static_cast<int>(buffer.size()));
            syncGameSide();
        }
    }

    std::mt19937 random{soakSeed};
    Keyboard keyboard{random};
    uint32_t ticksElapsed = 0;
    int gamesStarted = 0;
    int slotsReturned = 0;
};

TEST_F(Soak, AnHourOfRandomPlayKeepsEveryQueueBoundedAndFreesEverySlot) {
    {
        AudioThread audio;
        while (ticksElapsed < soakTicks) {
            const GameState* before = session.game.get();
            const uint32_t ticksBefore = before ? before->tickCount : 0;
            pass();
            if (inGame()) {
                const bool ticked = session.game.get() == before && session.game->tickCount > ticksBefore;
                ASSERT_NO_FATAL_FAILURE(checkGame(*session.game, ticked));
            }
            ASSERT_NO_FATAL_FAILURE(checkSlotLists());
            ASSERT_FALSE(audio.breach.load()) << "the audio thread's lists ran out of bounds";
        }
        if (inGame()) endGame();
        syncGameSide();
        audio.stop();
        EXPECT_GT(audio.callbacks.load(), 0);
    }
    EXPECT_GT(gamesStarted, 1);
    EXPECT_GT(slotsReturned, queueSlotCount) << "the slots went round more than once";
    playUntilQuiet();
    EXPECT_EQ(reservedCount(), 0) << "every slot is free again";
    EXPECT_TRUE(pendingSlots.empty());
    EXPECT_TRUE(startedSlots.empty());
    EXPECT_TRUE(finishedSlots.empty());
    EXPECT_TRUE(retiredSlots.empty());
    EXPECT_EQ(std::count(std::begin(voiceActive), std::end(voiceActive), true), 0);
}

}  // namespace
