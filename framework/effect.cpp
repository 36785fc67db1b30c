#include "framework/effect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/random.h"
#include "framework/game_state.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/text.h"

namespace {

constexpr int fieldTop = canvasHeight * subcellsPerCell;
constexpr int sparkLineEffect = 5;
constexpr float fullTurn = 6.2831855f;
constexpr float degreesPerTurn = 360.0f;
constexpr float sparkSpeedScale = 0.125f;
constexpr unsigned sparkSpeedMask = 127;
constexpr int runnerLow = 64;
constexpr int runnerHigh = 6336;
constexpr int numberBaseSpeed = 20;
constexpr int numberSpeedSpread = 8;
constexpr int numberRiseSpread = 17;
constexpr int numberRiseOffset = 8;
constexpr float driftRateScale = 0.05f;
constexpr int bigNumberScale = 4;
constexpr unsigned bigNumberBlinkPeriod = 32;
constexpr int sparkLineColour = 8;

struct NumberText {
    char text[16];
};

NumberText numberText(int value) {
    NumberText t{};
    std::snprintf(t.text, sizeof t.text, "%d", value);
    return t;
}

float radiansOfDegrees(int degrees) { return static_cast<float>(degrees) * fullTurn / degreesPerTurn; }

// One rough diamond: each cell within the box is written when life x (draw mod spread) reaches
// past its distance from the centre, so the blob frays as it fades. One draw per visited cell.
struct Diamond {
    int radius;  // the box runs from centre - radius to centre + radius - 1
    int spread;
    int colour;
    int columnOffset;
};

void drawDiamond(const Effect& effect, GameState& game, int cx, int cy, const Diamond& d) {
    for (int i = std::max(cx - d.radius, 0); i < cx + d.radius && i < game.fieldWidth(); ++i) {
        for (int j = std::max(cy - d.radius, 0); j < cy + d.radius && j < canvasHeight; ++j) {
            const int reach = appRandomBelow(d.spread);
            if (effect.life * reach > std::abs(i - cx) + std::abs(j - cy)) {
                putCell(d.columnOffset + i, j, d.colour);
            }
        }
    }
}

void initSpark(Effect& effect, GameState& game) {
    const float angle = radiansOfDegrees(static_cast<int>(game.cosmeticRandomBelow(360)));
    const int m1 = static_cast<int>((game.cosmeticRandomDraw() & sparkSpeedMask) + 1);
    effect.vx = static_cast<int>(std::sin(angle) * m1 * sparkSpeedScale);
    const int m2 = static_cast<int>((game.cosmeticRandomDraw() & sparkSpeedMask) + 1);
    effect.vy = static_cast<int>(std::cos(angle) * m2 * sparkSpeedScale);
}

void drawSpark(Effect& effect, GameState& game) {
    putCell(game.fieldLeft() + effect.x / subcellsPerCell, effect.y / subcellsPerCell, effect.value);
}

void drawSplash(Effect& effect, GameState& game) {
    drawDiamond(effect, game, effect.x / subcellsPerCell, effect.y / subcellsPerCell,
                {5, 8, 3 * effect.owner + 1, game.fieldLeft()});
}

void updateRunner(Effect& effect, GameState&) {
    effect.vx += effect.owner == 0 ? -1 : 1;
    const auto outside = [](int v) { return v < runnerLow || v > runnerHigh; };
    if (outside(effect.x) || outside(effect.y)) effect.dead = true;
}

void drawRunner(Effect& effect, GameState& game) {
    putCell(game.fieldLeft() + effect.x / subcellsPerCell, effect.y / subcellsPerCell, 2 * effect.owner + 2);
}

// Player 1's numbers fly left and are shifted left by half their width; player 2's fly right.
void initNumber(Effect& effect, GameState&) {
    const int speed = numberBaseSpeed + appRandomBelow(numberSpeedSpread);
    if (effect.owner == 0) {
        effect.vx = -speed;
        effect.x += -(textWidth(numberText(effect.value).text) * subcellsPerCell) / 2;
    } else {
        effect.vx = speed;
    }
    effect.vy = appRandomBelow(numberRiseSpread) - numberRiseOffset;
}

void drawNumber(Effect& effect, GameState& game) {
    drawText(numberText(effect.value).text, game.fieldLeft() + effect.x / subcellsPerCell,
             effect.y / subcellsPerCell, effect.value2);
}

// The second point of a spark line is held in vx, vy, and its cells are written unshifted.
void drawSparkLine(Effect& effect, GameState& game) {
    const Diamond d{3, 4, sparkLineColour, 0};
    drawDiamond(effect, game, effect.x / subcellsPerCell, effect.y / subcellsPerCell, d);
    drawDiamond(effect, game, (effect.x + effect.vx) / 2 / subcellsPerCell,
                (effect.y + effect.vy) / 2 / subcellsPerCell, d);
    drawDiamond(effect, game, effect.vx / subcellsPerCell, effect.vy / subcellsPerCell, d);
}

void initDrift(Effect& effect, GameState&) {
    const float a = radiansOfDegrees(appRandomBelow(360));
    const float b = radiansOfDegrees(appRandomBelow(360));
    effect.driftRate[0] = driftRateScale * std::sin(a);
    effect.driftRate[1] = driftRateScale * std::sin(b) * std::cos(a);
    effect.driftRate[2] = driftRateScale * std::cos(a) * std::cos(b);
}

void drawBigNumber(Effect& effect, GameState& game) {
    const NumberText t = numberText(effect.value);
    const int x = game.fieldLeft() + effect.x / subcellsPerCell - (bigNumberScale * textWidth(t.text)) / 2;
    const bool firstHalf = game.tickCount % bigNumberBlinkPeriod < bigNumberBlinkPeriod / 2;
    drawTextScaled(t.text, bigNumberScale, x, effect.y / subcellsPerCell, effect.owner + (firstHalf ? 1 : 4));
}

const EffectType& typeOf(const Effect& effect) {
    // An unknown type behaves as type 0: it draws nothing and dies on its first update.
    const bool known = effect.type >= 0 && effect.type < effectTypeCount;
    return effectTypes[known ? effect.type : 0];
}

// Leaving the field clamps the position to its edge and kills the effect.
void keepInside(int& v, int high, Effect& effect) {
    if (v >= 0 && v <= high) return;
    v = v < 0 ? 0 : high;
    effect.dead = true;
}

void clampToField(Effect& effect, const GameState& game) {
    keepInside(effect.x, game.fieldWidth() * subcellsPerCell, effect);
    keepInside(effect.y, fieldTop, effect);
}

}  // namespace

const EffectType effectTypes[effectTypeCount] = {
    // init, update, draw, life, decay
    {nullptr, nullptr, nullptr, 0.0f, 0.0f},         {initSpark, nullptr, drawSpark, 1.0f, 0.002f},
    {nullptr, nullptr, drawSplash, 1.0f, 0.05f},     {nullptr, updateRunner, drawRunner, 1.0f, 0.0f},
    {initNumber, nullptr, drawNumber, 1.0f, 0.015f}, {nullptr, nullptr, drawSparkLine, 1.0f, 0.05f},
    {initDrift, nullptr, nullptr, 1.0f, 0.05f},      {nullptr, nullptr, drawBigNumber, 1.0f, 0.01f},
};

std::unique_ptr<Effect> makeEffect(int type, int cx, int cy, int owner, int value, GameState& game) {
    auto effect = std::make_unique<Effect>();
    effect->type = type;
    effect->x = cx * subcellsPerCell;
    effect->y = cy * subcellsPerCell;
    effect->owner = owner;
    effect->value = value;
    const EffectType& kind = typeOf(*effect);
    effect->life = kind.life;
    if (kind.init) kind.init(*effect, game);
    return effect;
}

void updateEffect(Effect& effect, GameState& game) {
    const EffectType& kind = typeOf(effect);
    effect.life -= kind.decay;
    if (effect.type != sparkLineEffect) {
        effect.x += effect.vx;
        effect.y += effect.vy;
    }
    for (int i = 0; i < 3; ++i) effect.drift[i] += effect.driftRate[i];
    clampToField(effect, game);
    if (kind.decay >= effect.life) effect.dead = true;
    if (kind.update) kind.update(effect, game);
}

void drawEffect(Effect& effect, GameState& game) {
    const EffectType& kind = typeOf(effect);
    if (kind.draw) kind.draw(effect, game);
}
