#pragma once
#include <string>

// False with `error` filled when there is no window to be had.
bool appInit(std::string& error);
void appShutdown();
bool startGame();
void newGameReset();
void endGame();
void beginQuit();
