#include "app/session/playback.h"

#include "app/session/input_feed.h"
#include "app/session/recorder.h"

namespace {

// Owned by main: the loaded replay, and how far the running game has been fed from it; the
// position is wiped at every new game.
struct PlaybackState {
    bool playing = false;
    std::string path;
    Replay replay;
    size_t nextEvent = 0;
};

PlaybackState playback;

// Queues the loaded replay's events that are due by the game's tick.
class RecordingFeed : public InputFeed {
public:
    void press(int, int) override {}
    bool queueTick(GameState& game) override {
        const std::vector<InputEvent>& events = playback.replay.events;
        while (playback.nextEvent < events.size() && events[playback.nextEvent].tick <= game.tickCount)
            game.events.insert(events[playback.nextEvent++]);
        return true;
    }
    uint64_t position() const override { return playback.nextEvent; }
    void rewind(uint64_t position) override { playback.nextEvent = position; }
};

RecordingFeed feed;

}  // namespace

InputFeed& recordingFeed = feed;

bool loadReplay(const std::string& path, std::string& error) {
    if (!readReplayFile(path, playback.replay, error)) return false;
    playback.playing = true;
    playback.path = path;
    return true;
}

bool replayActive() { return playback.playing; }

const Replay& loadedReplay() { return playback.replay; }

const std::string& loadedReplayPath() { return playback.path; }

void noteGameStart(uint32_t seed, const char* title) {
    playback.nextEvent = 0;
    recordGameStart(seed, title);
}

void noteGameEnd(const GameState& game) { recordGameEnd(game); }

void noteInputEvent(const InputEvent& event) { recordInputEvent(event); }
