#pragma once
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
void menuKeyDown(int key, int scancode = 0);
// Up and Down of either player move the cursor; A and B choose the previous and next game.
void menuButtonDown(int button);
// Starts a game or the quit sequence, by the item under the cursor.
void menuChoose();
