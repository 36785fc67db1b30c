#pragma once
#include <array>

constexpr int glyphCount = 76;
constexpr int glyphSide = 5;
constexpr int randomColor = 9;  // a fresh random palette index per written cell

using GlyphBitmap = std::array<unsigned char, glyphSide * glyphSide>;

// Glyph g is the character at position g; its bitmap holds 5 rows of 5, top row first, nonzero
// where a pixel is set; the width is its advance in cells, blank column included.
extern const char glyphAlphabet[];
extern const std::array<int, glyphCount> glyphWidths;
extern const std::array<GlyphBitmap, glyphCount> glyphBitmaps;

// Glyph number of a character, -1 when it has none.
int glyphOf(char c);
int textWidth(const char* text);
// (x, y) is the bottom-left cell of the first glyph; clipped cell by cell to the canvas.
void drawText(const char* text, int x, int y, int colour);
void drawTextScaled(const char* text, int scale, int x, int y, int colour);
