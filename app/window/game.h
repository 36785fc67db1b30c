#pragma once
// The window's games: the one place where the frame asks whether a game is played over the network.

// Starts the selected game: over the network when a guest has joined this host, alone otherwise;
// a guest's menu starts none. False when no game started.
bool startGame();
// What the window does at every game's start, alone or over the network.
void enterWindowGame();
// A player leaves the running game: it ends now, or, over the network, at a tick both sides agree on.
void leaveGame();
// The running game ends here: its result is kept and the screen settles.
void endGame();
