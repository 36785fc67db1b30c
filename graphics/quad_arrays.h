#pragma once
#include <vector>

// The canvas as client-side arrays: four corners and four equal colours per non-empty cell,
// cells in the same order as the immediate-mode path draws them.
struct CanvasQuads {
    std::vector<float> positions;  // x, y per corner
    std::vector<float> colours;    // r, g, b, a per corner
    int quadCount = 0;
};

// Refills `quads` from the canvas, the grid and the colours; allocates only on the first call.
void buildCanvasQuads(CanvasQuads& quads);
