#pragma once
#include <string>

#include "graphics/monitors.h"  // anyDisplay

struct Options {
    bool windowed = false;
    int display = anyDisplay;  // --display N: the monitor's place in xrandr's list
    bool fullscreen = false;
    int volume = -1;  // --volume N: 0 to 100; negative: settings.conf's
    bool headless = false;
    bool help = false;
    bool version = false;
    bool immediate = false;
    bool printKeys = false;
    bool printSettings = false;
    std::string keysPath;
    bool stats = false;
    std::string recordPath;
    std::string replayPath;
    std::string gameTitle;  // the game selected at start-up; empty: settings.conf's, else the first
    // Not an option: read and write settings.conf and the scores. Only the program sets it, so
    // that tools and tests that start the frame leave the player's files alone.
    bool remember = false;
};

// False with `error` filled for an unknown option or a missing or contradictory argument.
bool parseCommandLine(int argc, const char* const argv[], Options& options, std::string& error);
const char* usageText();
