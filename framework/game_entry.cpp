#include "framework/game_entry.h"

const GameEntry* selectedEntry = nullptr;
