#pragma once
// The net game in the window: the hooks the frame calls, each doing nothing without --host or --join.

enum class NetRole {
    Alone,  // no --host or --join, or no one to play with yet
    Host,   // a guest has joined this host
    Guest,  // connected to a host, whose menu starts the games
};

NetRole netRole();
// The one player this side plays over the connection, or -1 when both play here.
int netPlayerHere();
// Start of a pass: takes what the peer said (a start, a choice, a leave, the end of the
// connection) and acts on it.
void netPass();
// Host: starts the selected game over the connection.
void startHostedGame();
// Escape on the menu ends the connection. False when there is none: Escape does what it does alone.
bool dropConnection();
// The host tells its guest of the game it chose on the menu.
void netGameChosen(const char* title);
// The guest's menu lines, and the corner line and waiting notice over a net game.
void drawNetMenu();
void drawNetGameLines();
