#pragma once
// settings.conf: the window, the monitor, the volume and the game chosen.
#include <string>

#include "app/saved/conf_text.h"
#include "app/saved/settings.h"  // automaticDisplay, fullVolume

// settings.conf, one setting a line in the key file's shape:
//   windowed = yes          or no: full screen
//   display = auto          or a monitor's number, from 0
//   volume = 80             0 to 100
//   game = yarnball         the game chosen on the menu, by its title
// A key this version does not know is kept as it is when the file is rewritten.

// What settings.conf holds. The game is kept by title: it may name a game this build lacks.
struct SettingsValues {
    bool windowed = false;
    int display = automaticDisplay;
    int volume = fullVolume;
    std::string game;  // empty: not given
};

// The settings the file gives, over `values`. False with `error` "NAME:LINE: what" for a value
// out of its range; the earliest such line is named.
bool decodeSettings(const ConfText& text, const std::string& name, SettingsValues& values,
                    std::string& error);
// Sets every value in `text`; the game only when there is one.
void encodeSettings(const SettingsValues& values, ConfText& text);
// The settings in force and the selected game's title.
SettingsValues settingsInForce();
// Into the settings in force; the game is left to the frame to select.
void applySettings(const SettingsValues& values);
