#pragma once
// Pausing a game in the window, and the notice over its picture.

// A paused game's ticks wait while its picture is drawn on, dimmed under a notice; nothing a
// game records or replays sees the pause.

// Pauses the running game, or resumes it; nothing without a game.
void togglePause();
// Over the drawn game of a frame: the dimming and the notice while paused, none otherwise.
void drawPauseNotice();
