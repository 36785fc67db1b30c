#pragma once
// The command line: the options a run is given, and the usage text.
#include <string>

#include "graphics/monitors.h"  // anyDisplay
#include "net/endpoint.h"
#include "net/message.h"  // Netcode

// The program and its version, as --version prints them and a net peer is told.
constexpr const char* programVersion = "tandrel 0.1.0";

constexpr int maxSyncTestTicks = 64;

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
    int syncTest = 0;  // --sync-test N: ticks rolled back after every tick of a headless replay
    std::string recordPath;
    std::string replayPath;
    std::string gameTitle;  // the game selected at start-up; empty: settings.conf's, else the first
    bool host = false;      // --host [PORT|ADDRESS:PORT]
    bool join = false;      // --join ADDRESS[:PORT]
    Endpoint endpoint;      // where to host, or whom to join
    int delay = 0;          // --delay N: the input delay in ticks; 0: the netcode's own
    Netcode netcode = Netcode::Rollback;  // --netcode: how the host's games run their ticks
    bool netcodeGiven = false;
    std::string scriptPath;  // --script FILE: with --headless, a recording's events for this side's player
    // Not an option: read and write settings.conf and the scores. Only the program sets it, so
    // that tools and tests that start the frame leave the player's files alone.
    bool remember = false;
};

// False with `error` filled for an unknown option or a missing or contradictory argument.
bool parseCommandLine(int argc, const char* const argv[], Options& options, std::string& error);
const char* usageText();
