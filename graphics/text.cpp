#include "graphics/text.h"

#include "base/random.h"
#include "graphics/canvas.h"

constexpr char glyphAlphabet[] =
    " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789^&<>.+-[]/'=:";

namespace {

// One glyph as drawn: its advance, then its rows from the top, each giving the min(width, 5)
// columns that are drawn ('#' set).
struct GlyphDrawing {
    char character;
    int width;
    const char* rows[glyphSide];
};

constexpr GlyphDrawing font[glyphCount] = {
    {' ', 4, {"....", "....", "....", "....", "...."}},
    {'a', 4, {".#..", "#.#.", "###.", "#.#.", "#.#."}},
    {'b', 4, {"##..", "#.#.", "##..", "#.#.", "##.."}},
    {'c', 4, {".##.", "#...", "#...", "#...", ".##."}},
    {'d', 4, {"##..", "#.#.", "#.#.", "#.#.", "##.."}},
    {'e', 4, {"###.", "#...", "##..", "#...", "###."}},
    {'f', 4, {"###.", "#...", "##..", "#...", "#..."}},
    {'g', 4, {".##.", "#...", "#.#.", "#.#.", ".#.."}},
    {'h', 4, {"#.#.", "#.#.", "###.", "#.#.", "#.#."}},
    {'i', 2, {"#.", "#.", "#.", "#.", "#."}},
    {'j', 3, {"##.", ".#.", ".#.", ".#.", "#.."}},
    {'k', 4, {"#.#.", "#.#.", "##..", "#.#.", "#.#."}},
    {'l', 3, {"#..", "#..", "#..", "#..", "##."}},
    {'m', 6, {".#.#.", "#.#.#", "#.#.#", "#.#.#", "#...#"}},
    {'n', 6, {"##..#", "#.#.#", "#.#.#", "#.#.#", "#.##."}},
    {'o', 4, {".#..", "#.#.", "#.#.", "#.#.", ".#.."}},
    {'p', 4, {"##..", "#.#.", "##..", "#...", "#..."}},
    {'q', 4, {".#..", "#.#.", "#.#.", "##..", ".##."}},
    {'r', 4, {"##..", "#.#.", "##..", "#.#.", "#.#."}},
    {'s', 4, {".##.", "#...", "###.", "..#.", "##.."}},
    {'t', 4, {"###.", ".#..", ".#..", ".#..", ".#.."}},
    {'u', 4, {"#.#.", "#.#.", "#.#.", "#.#.", "###."}},
    {'v', 4, {"#.#.", "#.#.", "#.#.", "#.#.", ".#.."}},
    {'w', 6, {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
    {'x', 4, {"#.#.", "#.#.", ".#..", "#.#.", "#.#."}},
    {'y', 4, {"#.#.", "#.#.", ".#..", ".#..", ".#.."}},
    {'z', 4, {"###.", "..#.", ".#..", "#...", "###."}},
    // Capitals: no text of the game uses them, but they hold their places in the numbering.
    {'A', 6, {"..#..", ".#.#.", "#...#", "#####", "#...#"}},
    {'B', 6, {"####.", "#...#", "####.", "#...#", "####."}},
    {'C', 6, {".####", "#....", "#....", "#....", ".####"}},
    {'D', 6, {"####.", "#...#", "#...#", "#...#", "####."}},
    {'E', 6, {"#####", "#....", "####.", "#....", "#####"}},
    {'F', 6, {"#####", "#....", "####.", "#....", "#...."}},
    {'G', 6, {".####", "#....", "#..##", "#...#", ".###."}},
    {'H', 6, {"#...#", "#...#", "#####", "#...#", "#...#"}},
    {'I', 4, {"###.", ".#..", ".#..", ".#..", "###."}},
    {'J', 6, {"..###", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', 6, {"#...#", "#..#.", "###..", "#..#.", "#...#"}},
    {'L', 6, {"#....", "#....", "#....", "#....", "#####"}},
    {'M', 6, {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'N', 6, {"#...#", "##..#", "#.#.#", "#..##", "#...#"}},
    {'O', 6, {".###.", "#...#", "#...#", "#...#", ".###."}},
    {'P', 6, {"####.", "#...#", "####.", "#....", "#...."}},
    {'Q', 6, {".###.", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', 6, {"####.", "#...#", "####.", "#..#.", "#...#"}},
    {'S', 6, {".####", "#....", ".###.", "....#", "####."}},
    {'T', 6, {"#####", "..#..", "..#..", "..#..", "..#.."}},
    {'U', 6, {"#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', 6, {"#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', 6, {"#...#", "#...#", "#.#.#", "##.##", "#...#"}},
    {'X', 6, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
    {'Y', 6, {"#...#", ".#.#.", "..#..", "..#..", "..#.."}},
    {'Z', 6, {"#####", "...#.", "..#..", ".#...", "#####"}},
    {'0', 4, {"###.", "#.#.", "#.#.", "#.#.", "###."}},
    {'1', 3, {".#.", "##.", ".#.", ".#.", ".#."}},
    {'2', 4, {".#..", "#.#.", "..#.", ".#..", "###."}},
    {'3', 4, {"##..", "..#.", "##..", "..#.", "##.."}},
    {'4', 4, {"#.#.", "#.#.", "###.", "..#.", "..#."}},
    {'5', 4, {"###.", "#...", "###.", "..#.", "###."}},
    {'6', 4, {"###.", "#...", "###.", "#.#.", "###."}},
    {'7', 4, {"###.", "..#.", ".#..", "#...", "#..."}},
    {'8', 4, {"###.", "#.#.", "###.", "#.#.", "###."}},
    {'9', 4, {"###.", "#.#.", "###.", "..#.", "..#."}},
    {'^', 6, {"..#..", ".###.", "#####", "..#..", "..#.."}},  // arrow up
    {'&', 6, {"..#..", "..#..", "#####", ".###.", "..#.."}},  // arrow down
    {'<', 6, {"..#..", ".##..", "#####", ".##..", "..#.."}},  // arrow left
    {'>', 6, {"..#..", "..##.", "#####", "..##.", "..#.."}},  // arrow right
    {'.', 2, {"..", "..", "..", "..", "#."}},
    {'+', 4, {"....", ".#..", "###.", ".#..", "...."}},
    {'-', 4, {"....", "....", "###.", "....", "...."}},
    {'[', 3, {"##.", "#..", "#..", "#..", "##."}},
    {']', 3, {"##.", ".#.", ".#.", ".#.", "##."}},
    {'/', 3, {"...", ".#.", ".#.", "#..", "#.."}},
    {'\'', 2, {"#.", "#.", "..", "..", ".."}},
    {'=', 4, {"....", "###.", "....", "###.", "...."}},
    {':', 2, {"..", "#.", "..", "#.", ".."}},
};

constexpr int drawnColumns(int width) { return width < glyphSide ? width : glyphSide; }

constexpr int length(const char* text) {
    int n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

// Every drawing is in alphabet order and shows exactly the columns that are drawn.
constexpr bool fontIsConsistent() {
    for (int g = 0; g < glyphCount; ++g) {
        if (font[g].character != glyphAlphabet[g]) return false;
        for (const char* row : font[g].rows)
            if (length(row) != drawnColumns(font[g].width)) return false;
    }
    return glyphAlphabet[glyphCount] == '\0';
}
static_assert(fontIsConsistent(), "font drawings out of step with the alphabet or widths");

constexpr std::array<int, glyphCount> widthsOfFont() {
    std::array<int, glyphCount> widths{};
    for (int g = 0; g < glyphCount; ++g) widths[g] = font[g].width;
    return widths;
}

constexpr std::array<GlyphBitmap, glyphCount> bitmapsOfFont() {
    std::array<GlyphBitmap, glyphCount> bitmaps{};
    for (int g = 0; g < glyphCount; ++g)
        for (int r = 0; r < glyphSide; ++r)
            for (int c = 0; c < drawnColumns(font[g].width); ++c)
                bitmaps[g][r * glyphSide + c] = font[g].rows[r][c] == '#' ? 1 : 0;
    return bitmaps;
}

// Writes one text cell if it lies on the canvas; randomColor takes its draw only then.
void writeTextCell(int x, int y, int colour) {
    if (x < 0 || x >= canvasWidth || y < 0 || y >= canvasHeight) return;
    const int value = colour == randomColor ? appRandom() % paletteSize : colour;
    canvas.cells[cellIndex(x, y)] = static_cast<int8_t>(value);
}

void fillBlock(int left, int bottom, int scale, int colour) {
    for (int x = left; x < left + scale; ++x)
        for (int y = bottom; y < bottom + scale; ++y) writeTextCell(x, y, colour);
}

}  // namespace

const std::array<int, glyphCount> glyphWidths = widthsOfFont();
const std::array<GlyphBitmap, glyphCount> glyphBitmaps = bitmapsOfFont();

int glyphOf(char c) {
    for (int g = 0; g < glyphCount; ++g)
        if (glyphAlphabet[g] == c) return g;
    return -1;
}

int textWidth(const char* text) {
    int width = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        const int g = glyphOf(*p);
        if (g >= 0) width += glyphWidths[g];
    }
    return width;
}

// Scale 1 is the plain text: one cell per pixel, in the same order.
void drawText(const char* text, int x, int y, int colour) { drawTextScaled(text, 1, x, y, colour); }

void drawTextScaled(const char* text, int scale, int x, int y, int colour) {
    if (scale <= 0) return;
    for (const char* p = text; *p != '\0'; ++p) {
        const int g = glyphOf(*p);
        if (g < 0) continue;
        for (int c = 0; c < drawnColumns(glyphWidths[g]); ++c)
            for (int r = 0; r < glyphSide; ++r)
                if (glyphBitmaps[g][r * glyphSide + c] != 0)
                    fillBlock(x + c * scale, y + (glyphSide - 1 - r) * scale, scale, colour);
        x += glyphWidths[g] * scale;
    }
}
