#pragma once
#include <string>

struct Options;

// False with `error` filled when there is no window to be had.
bool appInit(const Options& options, std::string& error);
void appShutdown();
bool startGame();
void newGameReset();
void endGame();
void beginQuit();
