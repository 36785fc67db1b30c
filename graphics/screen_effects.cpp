#include "graphics/screen_effects.h"

#include <algorithm>
#include <limits>

#include "base/random.h"
#include "graphics/canvas.h"

int effectSteps = 0;
int paletteDriftSpeed = 0;

namespace {

constexpr float paletteDriftStep = 0.00025f;
constexpr float targetSpread = 0.0004f;  // per unit of the centred draw, up to +-0.04
constexpr int targetDrawRange = 201;
constexpr int targetDrawCentre = 100;

constexpr float slowShadeDecay = 0.003f;
constexpr float fastShadeDecay = 0.015f;
constexpr float shadeLimit = 32.0f;

constexpr float restingAgitation = 0.004f;  // added every step, so the grid always shimmers
constexpr float velocityDamping = 0.978f;
constexpr int jitterRange = 9;
constexpr int jitterCentre = 4;
constexpr float jitterScale = 0.0012f;
constexpr float velocityCoupling = 0.005f;
constexpr float agitationCoupling = 0.05f;
constexpr float restPull = 0.003f;
constexpr float agitationDecay = 0.8f;

struct Offset {
    int di;
    int dj;
};

// Left, below, right, above: the order of the sums is part of the result.
constexpr Offset neighbourOffsets[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};

// Velocities and agitation as they were before this step's grid update; written only there.
Vec2 velocitySnapshot[vertexCount];
float agitationSnapshot[vertexCount];

void driftPalette() {
    const float step = paletteDriftSpeed * paletteDriftStep;
    for (int e = 0; e < paletteSize; ++e)
        for (int variant = 0; variant < 2; ++variant)
            for (int c = 0; c < 3; ++c) {
                float& current = currentPalette.rgb[e][variant][c];
                // Equality steps down, so a component that reached its target alternates.
                if (targetPalette.rgb[e][variant][c] > current) current += step;
                else current -= step;
            }
}

void retargetPalette() {
    if (effectSteps > 0) paletteDriftSpeed = 1;
    const float(*base)[3] = graphicsInputs.baseColors;
    if (base == nullptr) return;
    for (int e = 0; e < paletteSize; ++e)
        for (int variant = 0; variant < 2; ++variant)
            for (int c = 0; c < 3; ++c)
                targetPalette.rgb[e][variant][c] =
                    base[e][c] + (appRandom() % targetDrawRange - targetDrawCentre) * targetSpread;
}

float clampShade(float amount) { return std::min(std::max(amount, 0.0f), shadeLimit); }

void decayShades() {
    for (CellShade& shade : cellShades)
        for (int k = 0; k < 2; ++k) {
            shade.slow[k] = clampShade(shade.slow[k] - slowShadeDecay);
            shade.fast[k] = clampShade(shade.fast[k] - fastShadeDecay);
        }
}

void takeSnapshots() {
    std::copy(std::begin(vertexGrid.velocity), std::end(vertexGrid.velocity), velocitySnapshot);
    std::copy(std::begin(vertexGrid.agitation), std::end(vertexGrid.agitation), agitationSnapshot);
}

bool isBorderVertex(int i, int j) { return i == 0 || j == 0 || i == canvasWidth || j == canvasHeight; }

float jitter(int draw, float agitation) {
    return (draw % jitterRange - jitterCentre) * jitterScale * agitation;
}

// Left and lower neighbours have already moved in this step, right and upper ones not yet.
void moveVertex(int i, int j) {
    const int k = vertexIndex(i, j);
    Vec2& position = vertexGrid.position[k];
    Vec2& velocity = vertexGrid.velocity[k];
    float& agitation = vertexGrid.agitation[k];

    agitation += restingAgitation;
    velocity.x *= velocityDamping;
    velocity.y *= velocityDamping;
    const int verticalDraw = appRandom();
    const int horizontalDraw = appRandom();
    velocity.y += jitter(verticalDraw, agitation);
    velocity.x += jitter(horizontalDraw, agitation);

    Vec2 sum{static_cast<float>(i), static_cast<float>(j)};
    int n = 1;
    for (const Offset& offset : neighbourOffsets) {
        const int ni = i + offset.di;
        const int nj = j + offset.dj;
        if (ni < 0 || ni >= gridColumns || nj < 0 || nj >= gridRows) continue;
        const int m = vertexIndex(ni, nj);
        velocity.x += velocityCoupling * velocitySnapshot[m].x;
        velocity.y += velocityCoupling * velocitySnapshot[m].y;
        agitation += agitationCoupling * agitationSnapshot[m];
        sum.x += vertexGrid.position[m].x;
        sum.y += vertexGrid.position[m].y;
        ++n;
    }
    velocity.x += restPull * (sum.x / n - position.x);
    velocity.y += restPull * (sum.y / n - position.y);
    agitation *= agitationDecay;
    position.x += velocity.x;
    position.y += velocity.y;
    // Border vertices stay put, but their velocity and agitation still feed their neighbours.
    if (isBorderVertex(i, j)) position = {static_cast<float>(i), static_cast<float>(j)};
}

void moveGrid() {
    for (int i = 0; i < gridColumns; ++i)
        for (int j = 0; j < gridRows; ++j) moveVertex(i, j);
}

}  // namespace

void stepScreenEffects() {
    driftPalette();
    if (effectSteps % paletteRetargetPeriod == 0) retargetPalette();
    // After about a year of passes the count starts again instead of overflowing.
    effectSteps = effectSteps == std::numeric_limits<int>::max() ? 1 : effectSteps + 1;
    decayShades();
    takeSnapshots();
    moveGrid();
}

void resetScreenEffects() {
    std::fill(std::begin(cellShades), std::end(cellShades), CellShade{});
    for (int i = 0; i < gridColumns; ++i)
        for (int j = 0; j < gridRows; ++j)
            vertexGrid.position[vertexIndex(i, j)] = {static_cast<float>(i), static_cast<float>(j)};
    std::fill(std::begin(vertexGrid.velocity), std::end(vertexGrid.velocity), Vec2{});
    std::fill(std::begin(vertexGrid.agitation), std::end(vertexGrid.agitation), 0.0f);
}

void agitate(int x, int y, float amount) {
    if (x >= 0 && x < canvasWidth && y >= 0 && y < canvasHeight)
        vertexGrid.agitation[vertexIndex(x, y)] += amount;
}
