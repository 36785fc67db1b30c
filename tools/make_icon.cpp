// Draws the desktop icon from the game's paw sprite: each sprite pixel a square of the size
// given, in the palette's base colours, on a transparent ground.
//   make_icon OUTPUT.png PIXELS_PER_CELL
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "games/catalogue.h"
#include "graphics/video.h"

namespace {

std::vector<unsigned char> drawSprite(const GameEntry& entry, const Sprite& sprite, int scale) {
    int side = sprite.size * scale;
    std::vector<unsigned char> rgba(static_cast<size_t>(side) * side * 4, 0);
    for (int y = 0; y < side; ++y) {
        int row = sprite.size - 1 - y / scale;  // image rows run downwards, sprite rows upwards
        for (int x = 0; x < side; ++x) {
            int value = sprite.pixels[row][x / scale];
            if (value <= 0) continue;
            unsigned char* p = &rgba[(static_cast<size_t>(y) * side + x) * 4];
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<unsigned char>(entry.baseColors[value][c] * 255.0f + 0.5f);
            p[3] = 255;
        }
    }
    return rgba;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.png PIXELS_PER_CELL\n");
        return 2;
    }
    int scale = std::atoi(argv[2]);
    const GameEntry& entry = *gameCatalogue[0];
    const Sprite& paw = entry.sprites[pawSprite];
    std::vector<unsigned char> rgba = drawSprite(entry, paw, scale);
    std::string error;
    if (!writePng(argv[1], paw.size * scale, paw.size * scale, rgba.data(), error)) {
        std::fprintf(stderr, "make_icon: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
