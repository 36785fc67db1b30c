#include "graphics/canvas.h"

#include <algorithm>

#include "base/random.h"

CellCanvas canvas;
Palette currentPalette;
Palette targetPalette;
CellShade cellShades[cellCount];
VertexGrid vertexGrid;
float videoWidth = 0.0f;
float videoHeight = 0.0f;
GraphicsInputs graphicsInputs;

namespace {

constexpr float paletteJitterStep = 0.0008f;  // per unit of (draw mod 201 - 100)
constexpr float quitLift = 0.4f;
constexpr float dimmedBrightness = 0.35f;

float paletteJitter() { return static_cast<float>(appRandom() % 201 - 100) * paletteJitterStep; }

bool quitFadeActive() { return graphicsInputs.quitCountdown > 0; }

bool inside(const CellBox& box, int x, int y) {
    return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

}  // namespace

void clearCanvas() { std::fill(std::begin(canvas.cells), std::end(canvas.cells), 0); }

void resetPalette() {
    const float(*base)[3] = graphicsInputs.baseColors;
    if (!base) return;
    for (int e = 0; e < paletteSize; ++e) {
        for (int variant = 0; variant < 2; ++variant) {
            for (int c = 0; c < 3; ++c) {
                const float colour = base[e][c];
                currentPalette.rgb[e][variant][c] = colour + paletteJitter();
                targetPalette.rgb[e][variant][c] = colour + paletteJitter();
            }
        }
    }
}

Rgba cellColor(int value, int rowParity, const CellShade& shade) {
    const float* rgb = currentPalette.rgb[value][rowParity];
    float r = rgb[0], g = rgb[1], b = rgb[2], a = 1.0f;
    if (quitFadeActive()) {
        float t = static_cast<float>(graphicsInputs.quitFade) / quitFadeStart;
        float lift = (1.0f - t) * quitLift;
        r += lift;
        g += lift;
        b += lift;
        a = t;
    }
    const float* pairs[2] = {shade.slow, shade.fast};
    for (const float* s : pairs) {
        r -= std::min(0.035f * s[0], 0.3f) + std::min(0.015f * s[1], 0.1f);
        g -= std::min(0.02f * s[0], 0.1f) + std::min(0.01f * s[1], 0.1f);
        b -= std::min(0.03f * s[1], 0.3f);
    }
    return {r, g, b, a};
}

Rgba cellColorAt(int x, int y) {
    const int i = cellIndex(x, y);
    Rgba c = cellColor(canvas.cells[i], y & 1, cellShades[i]);
    if (graphicsInputs.dimmed && !inside(graphicsInputs.lit, x, y)) {
        c.r *= dimmedBrightness;
        c.g *= dimmedBrightness;
        c.b *= dimmedBrightness;
    }
    return c;
}

// Not continuous: 0.55 at quitFade 11, nothing at 10, then rising again.
float quitOverlayAlpha(int quitFade, int quitCountdown) {
    float f = static_cast<float>(quitFade);
    float c = static_cast<float>(quitCountdown);
    constexpr int half = quitFadeStart / 2;
    if (quitFade > half) return f / quitFadeStart;
    if (quitFade > 0) return (1.0f - f / half) * 0.5f;
    return (1.0f - c / quitCountdownStart) * 0.5f + 0.5f;
}
