#pragma once
// The settings in force: the window, the monitor, the volume and the players' keys.

#include "audio/mixer.h"           // fullOutputVolume
#include "framework/game_state.h"  // buttonCount
#include "graphics/monitors.h"     // anyDisplay

constexpr int padCount = 2;  // a pad for each player

constexpr int automaticDisplay = anyDisplay;  // the monitor is chosen for the player
constexpr int fullVolume = fullOutputVolume;

// Settings: filled with defaults by restoreSettings(), then settings.conf, the command line and
// the key file, before the window opens; saveSettings() keeps what the player changes in a run.
struct Settings {
    bool windowed = false;
    int display = automaticDisplay;  // or the index of the monitor the window goes on
    int volume = fullVolume;         // 0 to 100
    bool noMultisample = true;
    int keyBindings[buttonCount] = {};   // key codes
    int padChoose[padCount] = {};        // the pad button that chooses a menu item
    int padLeave[padCount] = {};         // the pad button that leaves a game
    int padPause[padCount] = {};         // the pad button that pauses a game and resumes it
    int pauseKey = 0;                    // key codes of the keys players may set besides buttons
    int muteKey = 0;
};

extern Settings settings;
