#pragma once
#include <cstdint>

constexpr int canvasWidth = 160;
constexpr int canvasHeight = 100;
constexpr int cellCount = canvasWidth * canvasHeight;
constexpr int gridColumns = canvasWidth + 1;
constexpr int gridRows = canvasHeight + 1;
constexpr int vertexCount = gridColumns * gridRows;
constexpr int paletteSize = 9;
// Moving things keep their positions in 1/64 of a cell.
constexpr int subcellsPerCell = 64;

// Cell (x, y) is element x * canvasHeight + y; y grows upwards. Negative values are empty.
struct CellCanvas {
    int8_t cells[cellCount];
};

// Per entry, variant 0 for even rows and 1 for odd rows, red-green-blue.
struct Palette {
    float rgb[paletteSize][2][3];
};

// Shade that actors leave on a cell: index 0 and 1 are the two channels.
struct CellShade {
    float slow[2];
    float fast[2];
};

struct Vec2 {
    float x;
    float y;
};

// Vertex (i, j) is element i * gridRows + j; at rest its position is (i, j).
struct VertexGrid {
    Vec2 position[vertexCount];
    Vec2 velocity[vertexCount];
    float agitation[vertexCount];
};

struct Sprite;

// A rectangle of cells; (x, y) is its bottom-left cell.
struct CellBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What graphics reads of the selected game and of the application. Filled by the frame (app/):
// the entry's look when a game is selected, the rest before every frame is drawn.
struct GraphicsInputs {
    const float (*baseColors)[3] = nullptr;  // the selected entry's base colour of each palette entry
    const Sprite* sprites = nullptr;         // its sprite sheet
    int fieldMargin = 0;                     // columns kept free of sprites on either side; 0 on the menu
    int quitFade = 0;                        // the application's quit counters
    int quitCountdown = 0;
    bool dimmed = false;  // every cell but those of `lit` is darkened: a paused game
    CellBox lit;
};
extern GraphicsInputs graphicsInputs;

// The quit sequence's lengths, in ticks: the fade's formulas are fractions of them.
constexpr int quitFadeStart = 20;
constexpr int quitCountdownStart = 5;

struct Rgba {
    float r, g, b, a;
};

// Graphics state, written on the main thread by drawing code and the screen effects;
// reset by setVideoMode() (palettes, canvas, grid) and by resetScreenEffects() (shade, grid).
extern CellCanvas canvas;
extern Palette currentPalette;
extern Palette targetPalette;
extern CellShade cellShades[cellCount];
extern VertexGrid vertexGrid;
extern float videoWidth;  // window size in pixels, set by setVideoMode()
extern float videoHeight;

inline int cellIndex(int x, int y) { return x * canvasHeight + y; }
inline int vertexIndex(int i, int j) { return i * gridRows + j; }

void clearCanvas();
void resetPalette();
// The colour of one cell with value 0..8 in a row of parity rowParity, read from the palette,
// the quit fade and the cell's shade.
Rgba cellColor(int value, int rowParity, const CellShade& shade);
// The colour of the canvas's cell (x, y), its value 0..8, darkened where the picture is dimmed.
Rgba cellColorAt(int x, int y);
// Opacity of the black overlay painted while quitting, from the two quit counters.
float quitOverlayAlpha(int quitFade, int quitCountdown);

// How presentFrame() hands the quads to OpenGL; both give the same picture. Set once by main.
enum class PresentPath { VertexArrays, Immediate };
extern PresentPath presentPath;

// In graphics/gl_present.cpp: draws the canvas into the back buffer and swaps.
void presentFrame();
// Draws the canvas into the back buffer without swapping (screenshots reuse it).
void drawCanvas();
