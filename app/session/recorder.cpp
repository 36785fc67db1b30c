#include "app/session/recorder.h"

#include <fstream>

#include "app/session/replay_file.h"

namespace {

// Owned by main; covers only the first game started.
struct RecorderState {
    std::ofstream file;
    bool gameOpen = false;   // the recorded game is running
    bool gameEnded = false;  // ... and has ended: nothing more is written
};

RecorderState recorder;

}  // namespace

bool startRecording(const std::string& path, std::string& error) {
    recorder.file.open(path);
    if (!recorder.file) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

void recordGameStart(uint32_t seed, const char* title) {
    if (!recorder.file.is_open() || recorder.gameOpen || recorder.gameEnded) return;
    recorder.gameOpen = true;
    writeReplayHeader(recorder.file, seed, title);
    recorder.file.flush();
}

void recordGameEnd(const GameState& game) {
    if (!recorder.gameOpen) return;
    if (!game.gameOver) writeReplayEnd(recorder.file, game.tickCount);
    recorder.file.close();
    recorder.gameOpen = false;
    recorder.gameEnded = true;
}

void recordInputEvent(const InputEvent& event) {
    if (!recorder.gameOpen) return;
    writeReplayEvent(recorder.file, event);
    recorder.file.flush();
}
