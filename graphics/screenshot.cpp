#include <cstdio>
#include <cstring>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/video.h"

int screenshotCount = 0;

std::string screenshotName(int number) { return "screen" + std::to_string(number) + ".png"; }

// The canvas, palettes and grid are still those of the last presented frame, so drawing them
// again into the back buffer gives the picture on screen on every driver (some return black
// for the front buffer).
void saveScreenshot() {
    int width = static_cast<int>(videoWidth);
    int height = static_cast<int>(videoHeight);
    std::vector<unsigned char> bottomFirst(static_cast<size_t>(width) * height * 4);
    drawCanvas();
    readBackBuffer(width, height, bottomFirst.data());
    std::vector<unsigned char> topFirst(bottomFirst.size());
    size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int row = 0; row < height; ++row) {
        std::memcpy(&topFirst[row * rowBytes], &bottomFirst[(height - 1 - row) * rowBytes], rowBytes);
    }
    // Pictures of earlier runs are kept.
    while (fileExists(screenshotName(screenshotCount))) ++screenshotCount;
    std::string name = screenshotName(screenshotCount);
    std::string error;
    if (!writePng(name, width, height, topFirst.data(), error)) {
        std::fprintf(stderr, "tandrel: could not save %s: %s\n", name.c_str(), error.c_str());
    }
    ++screenshotCount;
}
