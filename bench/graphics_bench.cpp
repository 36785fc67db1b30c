// Median cost of the per-pass screen effects step and of filling a whole canvas, as a frame's
// drawing would: cell by cell, and with text.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "base/random.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/screen_effects.h"
#include "graphics/text.h"

namespace {

constexpr int runs = 200;
constexpr uint32_t benchSeed = 1;
constexpr int lineHeight = 6;

template <typename Work>
double medianMicroseconds(Work work) {
    std::vector<double> costs;
    costs.reserve(runs);
    for (int n = 0; n < runs; ++n) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        costs.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::nth_element(costs.begin(), costs.begin() + runs / 2, costs.end());
    return costs[runs / 2];
}

void fillWithCells() {
    for (int x = 0; x < canvasWidth; ++x)
        for (int y = 0; y < canvasHeight; ++y) putCell(x, y, (x + y) % paletteSize);
}

// Lines of text from the bottom to the top row, long enough to run off the right edge.
void fillWithText(int colour) {
    static const char line[] = "best score: 12345 start exit whiskerwaltz ^&<> [ok] 0123456789";
    for (int y = 0; y < canvasHeight; y += lineHeight) drawText(line, 0, y, colour);
}

}  // namespace

int main() {
    appRandomSource.seed(benchSeed);
    resetScreenEffects();
    std::printf("stepScreenEffects():          %9.1f us (median of %d)\n",
                medianMicroseconds(stepScreenEffects), runs);
    std::printf("canvas fill, putCell:         %9.1f us\n", medianMicroseconds(fillWithCells));
    std::printf("canvas fill, drawText:        %9.1f us\n", medianMicroseconds([] { fillWithText(5); }));
    std::printf("canvas fill, drawText random: %9.1f us\n",
                medianMicroseconds([] { fillWithText(randomColor); }));
    return 0;
}
