#pragma once
#include "graphics/primitives.h"

// A sprite from its picture as seen on screen: rows listed top first, "." transparent, digits
// palette indices raised by `shift` (one picture in another player's colours). Stored row 0 is
// the bottom row.
constexpr Sprite spriteFromArt(int size, const char* const art[], int shift = 0) {
    Sprite sprite{};
    sprite.size = static_cast<int8_t>(size);
    for (int row = 0; row < size; ++row) {
        const char* line = art[size - 1 - row];
        for (int column = 0; column < size; ++column) {
            char c = line[column];
            sprite.pixels[row][column] = static_cast<int8_t>(c == '.' ? 0 : c - '0' + shift);
        }
    }
    return sprite;
}

constexpr int pawSize = 16;

// The paw the players steer in every game: outline 1, fill 2. The art is drawn one row a line.
// clang-format off
constexpr const char* pawArt[pawSize] = {
    "...111....111...",
    "..122211112221..",
    "..122221122221..",
    "..122222122211..",
    "...1222212221...",
    "....11221221....",
    ".11...1111...11.",
    "11221.......1122",
    "12221.......1222",
    "1221..11.11..221",
    ".11..111.111..11",
    "....1221.1221...",
    "...12221.12221..",
    "...1221...1221..",
    "....11.....11...",
    "................",
};
// clang-format on
