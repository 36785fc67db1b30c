#pragma once
// Pausing a game in the window, and the notice over its picture.

// A paused game's ticks wait while its picture is drawn on, dimmed under a notice; nothing a
// game records or replays sees the pause.

// Pauses the running game, or resumes it; nothing without a game, and no resuming while a
// player's pad is unplugged.
void togglePause();
// A player's pad went: a local game pauses until a pad comes for that player.
void padUnplugged(int player);
// A pad came for a player: the game stays paused until it is resumed.
void padPluggedIn(int player);
// Over the drawn game of a frame: the dimming and the notice while paused, none otherwise.
void drawPauseNotice();
