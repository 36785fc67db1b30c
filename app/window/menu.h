#pragma once
// The menu screen: its sparks, title, items and results, and the moves it takes.
#include "app/input/actions.h"
#include "graphics/canvas.h"

constexpr int menuSparkCount = 16;
constexpr int menuSparkEdge = canvasWidth * subcellsPerCell;  // x just right of the last column

struct MenuSpark {
    int x;      // 1/64 cell
    int y;      // 1/64 cell, a whole row
    int speed;  // 1/64 cell per main-loop pass
    bool rightward;
};

// Seeded once at start-up; move only while no game runs and keep their places across games.
extern MenuSpark menuSparks[menuSparkCount];

void seedMenuSparks();
void updateMenuSparks();
void drawMenu();
// The cursor moves, the previous or next game is selected, or the item under the cursor is
// chosen: a game starts or the quit sequence begins.
void menuAction(ActionType action);
// The game chosen on the menu, in its colours at once and kept in settings.conf; a guest's menu
// shows the host's choice and changes nothing.
void switchGame(int id);
