#pragma once
#include <string>

#include "graphics/monitors.h"  // anyDisplay

struct Options {
    bool windowed = false;
    int display = anyDisplay;  // --display N: the monitor's place in xrandr's list
    bool headless = false;
    bool help = false;
    bool version = false;
    bool immediate = false;
    bool printKeys = false;
    std::string keysPath;
    bool stats = false;
    std::string recordPath;
    std::string replayPath;
    std::string gameTitle;  // the game selected at start-up; empty: the first of the catalogue
};

// False with `error` filled for an unknown option or a missing or contradictory argument.
bool parseCommandLine(int argc, const char* const argv[], Options& options, std::string& error);
const char* usageText();
