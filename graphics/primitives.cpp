#include "graphics/primitives.h"

#include <algorithm>

#include "graphics/canvas.h"

namespace {

// Which picture coordinate a target coordinate reads: i and j are the target row and column,
// the flipped ones count from the far side (s - 1 - i, s - 1 - j).
enum class Axis { row, column, flippedRow, flippedColumn };

struct PixelRead {
    Axis row;
    Axis column;
};

// Picture pixel read for target (i, j), by orientation; turns are as seen on screen, y up.
constexpr PixelRead orientationReads[orientationCount] = {
    {Axis::row, Axis::column},                // as stored
    {Axis::flippedColumn, Axis::row},         // a quarter turn counter-clockwise
    {Axis::flippedRow, Axis::flippedColumn},  // half a turn
    {Axis::column, Axis::flippedRow},         // a quarter turn clockwise
    {Axis::row, Axis::flippedColumn},         // mirrored left to right
    {Axis::flippedColumn, Axis::flippedRow},  // mirrored, then a quarter turn counter-clockwise
    {Axis::flippedRow, Axis::column},         // mirrored top to bottom
    {Axis::column, Axis::row},                // mirrored, then a quarter turn clockwise
};

int coordinate(Axis axis, int i, int j, int size) {
    switch (axis) {
    case Axis::row: return i;
    case Axis::column: return j;
    case Axis::flippedRow: return size - 1 - i;
    case Axis::flippedColumn: return size - 1 - j;
    }
    return i;
}

struct ColumnRange {
    int first;
    int last;
};

// Sprites stay on the canvas and, while a game runs, inside its field's side margins.
ColumnRange spriteColumns() {
    const int margin = graphicsInputs.fieldMargin;
    return {std::max(0, margin), std::min(canvasWidth - 1, canvasWidth - 1 - margin)};
}

}  // namespace

void putCell(int x, int y, int value) {
    if (x >= 0 && x < canvasWidth && y >= 0 && y < canvasHeight)
        canvas.cells[cellIndex(x, y)] = static_cast<int8_t>(value);
}

void fillBox(const CellBox& box, int value) {
    for (int x = box.x; x < box.x + box.width; ++x) {
        for (int y = box.y; y < box.y + box.height; ++y) putCell(x, y, value);
    }
}

const Sprite* spriteAt(int n) {
    if (n < 0 || graphicsInputs.sprites == nullptr) return nullptr;
    return &graphicsInputs.sprites[n];
}

void drawSprite(int n, int x, int y, int orientation) {
    if (const Sprite* sprite = spriteAt(n)) drawSpritePicture(*sprite, x, y, orientation);
}

void drawSpritePicture(const Sprite& sprite, int x, int y, int orientation) {
    const int size = sprite.size;
    if (size <= 0) return;
    const int half = size / 2;
    const ColumnRange columns = spriteColumns();
    const PixelRead read = orientationReads[orientation];
    for (int i = 0; i < size; ++i) {
        const int targetY = y + i - half;
        if (targetY < 0 || targetY >= canvasHeight) continue;
        for (int j = 0; j < size; ++j) {
            const int targetX = x + j - half;
            if (targetX < columns.first || targetX > columns.last) continue;
            const int8_t pixel =
                sprite.pixels[coordinate(read.row, i, j, size)][coordinate(read.column, i, j, size)];
            if (pixel >= 1) canvas.cells[cellIndex(targetX, targetY)] = pixel;
        }
    }
}
