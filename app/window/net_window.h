#pragma once
#include <cstdint>

// The net game in the window: hooks the frame calls, each doing nothing without --host or --join.

// Start of a pass: takes what the peer said (a start, a choice, a leave, the end of the
// connection) and acts on it.
void netPass();
// Whether a game of this run plays over the network.
bool netGameRuns();
// A local player's button, in a net game: it drives this side's own player.
void netButton(int button, int type);
// Runs the ticks that are due and whose inputs are known; the rest wait for a later pass.
void advanceNetGame(unsigned n);
// Host: starts the selected game over the connection. False when there is no peer to play with.
bool startHostedGame();
// Guest: the host starts games; its menu only waits.
bool guestWaits();
// Escape in a net game leaves it on both sides; on the menu it ends the connection. False when
// there is no connection: Escape does what it does alone.
bool netLeave();
// The host tells its guest of the game it chose on the menu.
void netGameChosen(const char* title);
// The guest's menu lines, and the corner line and waiting notice over a net game.
void drawNetMenu();
void drawNetGameLines();
