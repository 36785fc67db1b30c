#include "games/catalogue.h"

#include "games/pawtrap.h"

namespace {

// A sprite from its picture as seen on screen: rows listed top first, "." transparent, digits
// palette indices. Stored row 0 is the bottom row.
constexpr Sprite spriteFromArt(int size, const char* const art[]) {
    Sprite sprite{};
    sprite.size = static_cast<int8_t>(size);
    for (int row = 0; row < size; ++row) {
        const char* line = art[size - 1 - row];
        for (int column = 0; column < size; ++column) {
            char c = line[column];
            sprite.pixels[row][column] = static_cast<int8_t>(c == '.' ? 0 : c - '0');
        }
    }
    return sprite;
}

// The art is drawn one row a line.
// clang-format off
constexpr const char* pawArt[] = {
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

constexpr const char* mouseArt[] = {
    "....4....",
    "...333...",
    "..33333..",
    "..33333..",
    "..33333..",
    "..33333..",
    "..3.3.3..",
    "..33333..",
    "...333...",
};
// clang-format on

constexpr Sprite pawtrapSprites[] = {
    spriteFromArt(16, pawArt),
    spriteFromArt(9, mouseArt),
};

}  // namespace

const GameEntry gameCatalogue[] = {
    {0,
     "whiskerwaltz",
     {{0.0f, 0.0f, 0.0f},
      {0.9f, 0.4f, 0.0f},
      {0.95f, 0.45f, 0.0f},
      {0.0f, 0.5f, 0.7f},
      {1.0f, 0.6f, 0.7f},
      {1.0f, 1.0f, 0.0f},
      {0.7f, 0.0f, 0.0f},
      {1.0f, 0.0f, 1.0f},
      {1.0f, 1.0f, 1.0f}},
     {8, 1, 2, 4, 5, 5, 6, 6, 5, 4, 1},
     pawtrapSprites,
     pawtrapActorHook,
     drawPawtrapInstructions},
    {catalogueEndId, "", {}, {}, nullptr, nullptr, nullptr},
};

const GameEntry* findGameEntry(int id) {
    for (const GameEntry* entry = gameCatalogue; entry->id != catalogueEndId; ++entry) {
        if (entry->id == id) return entry;
    }
    return nullptr;
}
