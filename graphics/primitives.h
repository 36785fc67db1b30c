#pragma once
#include <cstdint>

constexpr int spriteMaxSize = 16;
constexpr int orientationCount = 8;

// pixels[row][column]; row 0 is the bottom row. Values of 1 or more are palette indices.
struct Sprite {
    int8_t size;
    int8_t pixels[spriteMaxSize][spriteMaxSize];
};

struct CellBox;

void putCell(int x, int y, int value);
// Every cell of the box, clipped to the canvas.
void fillBox(const CellBox& box, int value);
const Sprite* spriteAt(int n);
// Centres sprite n on cell (x, y) in orientation 0..7; clipped to the canvas and, while a game
// runs, to the game's field.
void drawSprite(int n, int x, int y, int orientation);
// The same for a picture that is not on the running game's sheet.
void drawSpritePicture(const Sprite& sprite, int x, int y, int orientation);
