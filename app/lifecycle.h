#pragma once
#include <string>

struct Options;

constexpr int noWindowStatus = 1;
constexpr int badKeyFileStatus = 2;

// 0 when started; else the exit status, with `error` filled: no window to be had, or a key
// file that cannot be used.
int appInit(const Options& options, std::string& error);
void appShutdown();
bool startGame();
void newGameReset();
void endGame();
void beginQuit();
