#pragma once
// The program's start and end in the window: settings, window, sound, and the quit sequence.
#include <string>

#include "app/saved/save_policy.h"  // FileUse

struct Options;

constexpr int noWindowStatus = 1;
constexpr int badKeyFileStatus = 2;

// 0 when started; else the exit status, with `error` filled: no window to be had, or a key
// file that cannot be used.
int appInit(const Options& options, std::string& error);
// Defaults, then settings.conf as `use` says when options.remember, then the command line; the
// selected game likewise. Leaves the key bindings at their defaults.
void settleSettings(const Options& options, FileUse use);
void appShutdown();
void beginQuit();
// Full screen to a window or back, at any moment: the game, the picture and the sound go on.
// A mode that cannot be had is said on stderr and the old one opened again.
void toggleFullScreen();
