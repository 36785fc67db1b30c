#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/platform/platform.h"
#include "graphics/video.h"

// A clock and an event source that a test sets by hand, and counts of what the frame asked of
// the window.
struct FakePlatform {
    uint32_t now = 0;
    uint64_t cpuMicroseconds = 0;
    std::deque<AppEvent> events;
    // The keys down, as SDL keeps them: the delivered presses less the delivered releases. A test
    // takes a key out to let it go where no release reaches the program.
    std::set<int> keysDown;
    std::vector<uint32_t> delays;
    int polls = 0;
    int presented = 0;
    int screenshots = 0;
    bool failWrites = false;              // writePng fails as on a read-only directory
    std::set<std::string> existingFiles;  // what fileExists finds
    std::string lastPngPath;
    std::vector<unsigned char> lastPng;  // RGBA, top row first
    int keyRepeatDelay = -1;
    int keyRepeatInterval = -1;
    KeyboardLayout layout;         // what the keyboard's layout types; nothing told by default
    bool namesPadButtons = false;  // pads' buttons come by name, as SDL 2's controllers give them
    MonitorLayout monitors;  // what XRandR answers; no monitors: nothing to ask
    std::vector<WindowPlacement> windowsOpened;
};

extern FakePlatform fakePlatform;

void resetFakePlatform();
// The fake platform, the application record, the settings and the selected game as a fresh
// start leaves them.
void resetApplication();
// A game of the test's own, running in the session as one played at this keyboard.
class GameState;
GameState& playTestGame(std::unique_ptr<GameState> game);
AppEvent keyDown(int key);
AppEvent keyUp(int key);
AppEvent focus(bool gain);
AppEvent quitEvent();
