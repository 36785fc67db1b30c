#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "app/platform.h"

// A clock and an event source that a test sets by hand, and counts of what the frame asked of
// the window.
struct FakePlatform {
    uint32_t now = 0;
    uint64_t cpuMicroseconds = 0;
    std::deque<AppEvent> events;
    std::vector<uint32_t> delays;
    int polls = 0;
    int presented = 0;
    int screenshots = 0;
    bool failWrites = false;  // writePng fails as on a read-only directory
    std::string lastPngPath;
    std::vector<unsigned char> lastPng;  // RGBA, top row first
    int keyRepeatDelay = -1;
    int keyRepeatInterval = -1;
};

extern FakePlatform fakePlatform;

void resetFakePlatform();
// The fake platform, the application record and the settings as a fresh start leaves them.
void resetApplication();
AppEvent keyDown(int key);
AppEvent keyUp(int key);
AppEvent focus(bool gain);
AppEvent quitEvent();
