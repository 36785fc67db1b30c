#pragma once
// A game played at this keyboard and its pads: their presses go straight into the running game.
#include "app/session/session.h"

extern InputFeed& keyboardFeed;

// Post one press (pressEvent) or release (releaseEvent) of a button into the running game.
void postButtonEvent(int button, int type);
// Post a press or release event into the running game for every button the key's actions in a
// game press or release.
void gameKeyDown(int key);
void gameKeyUp(int key);
