#include <cstdio>
#include <string>

#include "framework/actor.h"
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

constexpr int instructionLeft = 8;
constexpr int keyColour = 6;
constexpr int textColour = 7;

// A player's keys, then what they do; the keys in the order of the line.
struct KeyLine {
    int player;
    int buttons[4];  // Up, Down, A, B numbered 0 to 3
    const char* text;
    int y;
};
constexpr KeyLine keyLines[] = {
    {0, {0, 2, 1, 3}, "to move left paw.", 73},   // "wasd" with the built-in keys
    {1, {0, 1, 2, 3}, "to move right paw.", 64},  // "^&<>"
};

struct TextLine {
    const char* text;
    int y;
};
constexpr TextLine textLines[] = {
    {"trap mouse with both paws to score.", 55},
    {"mouse dies if it is too scared.", 46},
};

// One glyph a key runs together ("wasd"); names are set apart by spaces.
std::string keysText(const KeyLabels& labels, const KeyLine& line) {
    const auto& keys = labels.keys[line.player];
    bool glyphs = true;
    for (int b : line.buttons) glyphs = glyphs && keys[b].size() == 1;
    std::string text;
    for (int b : line.buttons) {
        if (!text.empty() && !glyphs) text += ' ';
        text += keys[b];
    }
    return text;
}

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

void drawPawtrapInstructions(const KeyLabels& labels) {
    for (const KeyLine& line : keyLines) {
        std::string keys = keysText(labels, line);
        drawText(keys.c_str(), instructionLeft, line.y, keyColour);
        drawText(line.text, instructionLeft + textWidth((keys + " ").c_str()), line.y, textColour);
    }
    for (const TextLine& line : textLines) drawText(line.text, instructionLeft, line.y, textColour);
}
