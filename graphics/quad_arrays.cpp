#include "graphics/quad_arrays.h"

#include <cstddef>

#include "graphics/canvas.h"

namespace {

constexpr int cornersPerQuad = 4;

}  // namespace

void buildCanvasQuads(CanvasQuads& quads) {
    quads.positions.resize(static_cast<std::size_t>(cellCount) * cornersPerQuad * 2);
    quads.colours.resize(static_cast<std::size_t>(cellCount) * cornersPerQuad * 4);
    float* position = quads.positions.data();
    float* colour = quads.colours.data();
    int count = 0;
    for (int x = 0; x < canvasWidth; ++x) {
        for (int y = 0; y < canvasHeight; ++y) {
            int v = canvas.cells[cellIndex(x, y)];
            if (v < 0) continue;
            Rgba c = cellColorAt(x, y);
            // Corners in the order (x, y), (x, y+1), (x+1, y+1), (x+1, y).
            const int corners[cornersPerQuad][2] = {{x, y}, {x, y + 1}, {x + 1, y + 1}, {x + 1, y}};
            for (const auto& corner : corners) {
                const Vec2& p = vertexGrid.position[vertexIndex(corner[0], corner[1])];
                *position++ = p.x;
                *position++ = p.y;
                *colour++ = c.r;
                *colour++ = c.g;
                *colour++ = c.b;
                *colour++ = c.a;
            }
            ++count;
        }
    }
    quads.quadCount = count;
}
