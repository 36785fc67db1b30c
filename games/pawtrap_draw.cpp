#include <cstdio>

#include "framework/actor.h"
#include "framework/instructions.h"
#include "games/catalogue.h"
#include "games/pawtrap.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/screen_effects.h"
#include "graphics/text.h"

namespace {

constexpr int scoreRight = 158;  // column just right of the score's last glyph
constexpr int scoreRow = 92;
constexpr int scoreColour = 5;

constexpr int pawOrientations[playerCount] = {2, 6};  // half a turn; mirrored top to bottom

constexpr int shakeStepTicks = 25;  // the shake grows one step every 25 ticks of the countdown
constexpr int shakeBase = 2;
constexpr float shakeAmount = 0.03f;

// "wasd" and "^&<>" with the built-in keys.
constexpr Instructions instructions = {
    {{0, {0, 2, 1, 3}, "to move left paw.", 73}, {1, {0, 1, 2, 3}, "to move right paw.", 64}},
    {{"trap mouse with both paws to score.", 55}, {"mouse dies if it is too scared.", 46}},
    8,  // left
    6,  // keys
    7,  // text
};

}  // namespace

void Pawtrap::draw() {
    drawScore();
    if (endCountdown == 0) drawTail();
    drawEffects();
    drawActors();
    drawPaws();
    if (endCountdown > 0) shakeDeath();
}

void Pawtrap::drawScore() {
    char text[16];
    std::snprintf(text, sizeof text, "%d", players[0].score);
    drawText(text, scoreRight - textWidth(text), scoreRow, scoreColour);
}

void Pawtrap::drawTail() {
    for (const TailVector& point : tailPoints) {
        putCell(static_cast<int>(point.x), static_cast<int>(point.y), tailColour);
    }
}

void Pawtrap::drawPaws() {
    for (int p = 0; p < playerCount; ++p) {
        drawSprite(pawSprite, players[p].x, players[p].y, pawOrientations[p]);
    }
}

// Counted draws: how many frames are drawn during the countdown changes the game's sequence.
void Pawtrap::shakeDeath() {
    const unsigned n = (actorKinds.endTicks - endCountdown) / shakeStepTicks + shakeBase;
    for (int column = 0; column < canvasWidth; ++column) {
        for (int row = 0; row < canvasHeight; ++row) {
            agitate(column, row, shakeAmount * static_cast<float>(randomBelow(n)));
        }
    }
}

void drawPawtrapInstructions(const KeyLabels& labels) { drawInstructionLines(instructions, labels); }
