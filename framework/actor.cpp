#include "framework/actor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/effect.h"
#include "framework/game_entry.h"
#include "framework/game_state.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/screen_effects.h"

namespace {

constexpr int fullGrip = 16;
constexpr int defaultEndTicks = 250;
constexpr float fearAgitation = 0.00002f;
constexpr float squareSlowShade = 0.08f;
constexpr float squareFastShade = 0.35f;
constexpr int burstEmptyCell = 9;  // never spawns a particle, like 0

int towardZero(int v) { return v > 0 ? v - 1 : v < 0 ? v + 1 : 0; }

// Friction strikes always at full grip, otherwise with chance 1 / (16 - grip) per component.
void applyFrictionTo(int& v, int grip, GameState& game) {
    if (grip == fullGrip || game.randomBelow(static_cast<unsigned>(fullGrip - grip)) == 0) {
        v = towardZero(v);
    }
}

void applyFriction(Actor& actor, GameState& game) {
    applyFrictionTo(actor.vx, actor.grip, game);
    applyFrictionTo(actor.vy, actor.grip, game);
}

// Owner -1 (none) and anything else but player 2 use the first sprite of a kind.
int spriteOfOwner(const ActorKind& kind, int owner) { return kind.sprite[owner == 1 ? 1 : 0]; }

int scaled(int v, long long limit, long long length) { return static_cast<int>(v * limit / length); }

void scaleToLimit(Actor& actor, long long length, int limit) {
    // A negative limit (negative panic) must not scale a standing actor by 0 / 0.
    if (length <= limit || length == 0) return;
    actor.vx = scaled(actor.vx, limit, length);
    actor.vy = scaled(actor.vy, limit, length);
}

void clampComponent(int& v, int limit) {
    if (std::llabs(v) > limit) v = v < 0 ? -limit : limit;
}

void easeComponent(int& v, int limit) {
    if (std::llabs(v) > limit) v = towardZero(v);
}

bool isBurstCell(int value) { return value != 0 && value != burstEmptyCell; }

// The burst retries until it finds usable cells, so a sprite without any would never finish.
bool canBurst(const Sprite& sprite) {
    if (sprite.size < 1 || sprite.size > spriteMaxSize) return false;
    for (int r = 0; r < sprite.size; ++r) {
        for (int c = 0; c < sprite.size; ++c) {
            if (isBurstCell(sprite.pixels[r][c])) return true;
        }
    }
    return false;
}

int visiblePixelCount(const Sprite& sprite) {
    int count = 0;
    for (int r = 0; r < sprite.size && r < spriteMaxSize; ++r) {
        for (int c = 0; c < sprite.size && c < spriteMaxSize; ++c) {
            if (sprite.pixels[r][c] >= 1) ++count;
        }
    }
    return count;
}

void drawSpriteActor(const Actor& actor, const ActorKind& kind, GameState& game) {
    const int n = spriteOfOwner(kind, actor.owner);
    if (n < 0) return;
    const int cx = game.fieldLeft() + actor.x / subcellsPerCell;
    const int cy = actor.y / subcellsPerCell;
    drawSprite(n, cx, cy, actor.facing);
    const Sprite* sprite = spriteAt(n);
    if (!sprite) return;
    const int pixels = visiblePixelCount(*sprite);
    for (int i = 0; i < pixels; ++i) agitate(cx, cy, game.fear * fearAgitation);
}

void drawSquareActor(const Actor& actor, GameState& game) {
    drawActorSquare(game, actor.x / subcellsPerCell, actor.y / subcellsPerCell, actor.grip - actor.panic,
                    3 * actor.owner + 3, actor.owner);
}

}  // namespace

const ActorKindTable actorKindTemplate = {
    {
        // health, sprites, update, speed, spawnType, spawnCount, diesOnWall, releasesHolder, mode
        {1, {-1, -1}, applyFriction, 112, 0, 0, false, false, 0},
        {2, {1, 1}, nullptr, 80, sparkEffect, 64, false, false, 0},
    },
    defaultEndTicks,
};

ActorKindTable actorKinds = actorKindTemplate;

void restoreActorKinds() { actorKinds = actorKindTemplate; }

int speedLimit(const ActorKind& kind, int panic) { return kind.speed + std::min(panic / 8, kind.speed); }

void limitSpeed(Actor& actor, int limit, int mode) {
    switch (mode) {
    case 0: {
        const double vx = actor.vx;
        const double vy = actor.vy;
        scaleToLimit(actor, static_cast<long long>(std::sqrt(vx * vx + vy * vy)), limit);
        break;
    }
    case 1: scaleToLimit(actor, std::llabs(actor.vx) + std::llabs(actor.vy), limit); break;
    case 2:
        clampComponent(actor.vx, limit);
        clampComponent(actor.vy, limit);
        break;
    case 3:
        easeComponent(actor.vx, limit);
        easeComponent(actor.vy, limit);
        break;
    default: break;
    }
}

void updateActor(Actor& actor, GameState& game) {
    const ActorKind& kind = actorKinds.kinds[actor.kind];
    if (kind.update) kind.update(actor, game);
    limitSpeed(actor, speedLimit(kind, actor.panic), kind.limitMode);
    if (actor.timer > 0) --actor.timer;
    if (selectedEntry && selectedEntry->actorHook) selectedEntry->actorHook(actor, game);
}

void burstActor(Actor& actor, GameState& game) {
    actor.health = -1;
    const ActorKind& kind = actorKinds.kinds[actor.kind];
    if (kind.spawnType == 0 || kind.spawnCount <= 0) return;
    const Sprite* sprite = spriteAt(spriteOfOwner(kind, actor.owner));
    if (!sprite || !canBurst(*sprite)) return;
    const int n = sprite->size;
    for (int made = 0; made < kind.spawnCount;) {
        const int row = appRandomBelow(n);
        const int column = appRandomBelow(n);
        const int value = sprite->pixels[row][column];
        if (!isBurstCell(value)) continue;
        game.effects.push_back(makeEffect(kind.spawnType, actor.x / subcellsPerCell,
                                          actor.y / subcellsPerCell, actor.owner, value, game));
        ++made;
    }
}

void drawActor(const Actor& actor, GameState& game) {
    if (actor.kind == 0) {
        drawSquareActor(actor, game);
    } else {
        drawSpriteActor(actor, actorKinds.kinds[actor.kind], game);
    }
}

void drawActorSquare(GameState& game, int cx, int cy, int h, int colour, int owner) {
    const int left = game.fieldLeft();
    const bool shades = owner == 0 || owner == 1;
    const int firstColumn = std::max({0, cx - h, -left});
    const int lastColumn = std::min(cx + h, canvasWidth - 1 - left);
    const int firstRow = std::max(0, cy - h);
    const int lastRow = std::min(cy + h, canvasHeight - 1);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        for (int row = firstRow; row <= lastRow; ++row) {
            putCell(left + column, row, colour);
            if (!shades) continue;
            CellShade& shade = cellShades[cellIndex(left + column, row)];
            shade.slow[owner] += squareSlowShade;
            shade.fast[owner] += squareFastShade;
        }
    }
}
