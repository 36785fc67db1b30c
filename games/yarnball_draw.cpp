#include <string>

#include "framework/actor.h"
#include "framework/instructions.h"
#include "games/catalogue.h"
#include "games/yarnball.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/screen_effects.h"
#include "graphics/text.h"

namespace {

constexpr int halfwayColumn = 80;
constexpr int halfwayDotEvery = 4;  // rows
constexpr int fieldBottomRow = 8;
constexpr int fieldTopRow = 92;

// Each goal mouth: a bar just outside the end of the field with posts reaching in to it.
constexpr int mouthBarColumns[playerCount] = {5, 154};
constexpr int mouthPostStep[playerCount] = {1, -1};  // towards the field
constexpr int mouthPostLength = 3;

constexpr int pawSprites[playerCount] = {pawSprite, pawSprite + 1};
constexpr int pawOrientations[playerCount] = {1, 3};  // toes towards the other player
constexpr int celebrationBobTicks = 8;

constexpr int ballHalfSize = 1;  // a 3 x 3 square whatever the ball's panic

constexpr int scoreRow = 94;
constexpr int scoreGap = 2;  // columns between each score and the colon in the middle

constexpr int countdownScale = 2;
constexpr int countdownRow = 56;
constexpr int winTextScale = 2;
constexpr int winTextRow = 66;

constexpr float goalShakeAmount = 0.004f;  // agitation per tick of shake left, every cell

constexpr Instructions instructions = {
    {{0, {0, 2, 1, 3}, "to move left paw.", 73}, {1, {0, 1, 2, 3}, "to move right paw.", 64}},
    {{"bat the yarn into the far goal.", 55}, {"first to 5 goals wins.", 46}},
    8,            // left
    yarnColour,   // keys
    whiteColour,  // text
};

void drawCentred(const char* text, int scale, int y, int colour) {
    drawTextScaled(text, scale, canvasWidth / 2 - scale * textWidth(text) / 2, y, colour);
}

}  // namespace

// Under the effects and the pieces: the halfway line and the goal mouths.
void Yarnball::draw() {
    drawPitch();
    drawEffects();
    drawThread();
    drawPaws();
    drawBall();
    drawScores();
    drawCountdown();
    drawWinText();
    shakeAfterGoal();
}

void Yarnball::drawPitch() {
    for (int row = fieldBottomRow; row <= fieldTopRow; row += halfwayDotEvery)
        putCell(halfwayColumn, row, yarnColour);
    for (int p = 0; p < playerCount; ++p) {
        const int bar = mouthBarColumns[p];
        for (int row = mouthLowRow - 1; row <= mouthHighRow + 1; ++row) putCell(bar, row, outlineColour[p]);
        for (int k = 1; k <= mouthPostLength; ++k) {
            putCell(bar + k * mouthPostStep[p], mouthLowRow - 1, outlineColour[p]);
            putCell(bar + k * mouthPostStep[p], mouthHighRow + 1, outlineColour[p]);
        }
    }
}

void Yarnball::drawThread() {
    for (const TailVector& point : threadPoints) {
        putCell(static_cast<int>(point.x), static_cast<int>(point.y), yarnColour);
    }
}

// The winner's paw bobs while the end runs.
void Yarnball::drawPaws() {
    for (int p = 0; p < playerCount; ++p) {
        const bool up = p == winner && endCountdown / celebrationBobTicks % 2 == 1;
        drawSprite(pawSprites[p], players[p].x, players[p].y + (up ? 1 : 0), pawOrientations[p]);
    }
}

// Kind 0's square would shrink to nothing as a rally's panic grows, and has the background's
// colour while nobody owns the ball: the ball keeps one size and is yarn until batted.
void Yarnball::drawBall() {
    const Actor& ball = *actors.at(ballId);
    const int colour = ball.owner == 0 || ball.owner == 1 ? 3 * ball.owner + 3 : yarnColour;
    drawActorSquare(*this, ball.x / subcellsPerCell, ball.y / subcellsPerCell, ballHalfSize, colour,
                    ball.owner);
}

void Yarnball::drawScores() {
    const std::string left = std::to_string(players[0].score);
    const std::string right = std::to_string(players[1].score);
    drawText(left.c_str(), halfwayColumn - scoreGap - textWidth(left.c_str()), scoreRow, fillColour[0]);
    drawText(":", halfwayColumn, scoreRow, whiteColour);
    drawText(right.c_str(), halfwayColumn + scoreGap + textWidth(":"), scoreRow, fillColour[1]);
}

void Yarnball::drawCountdown() {
    if (countdownShown == 0) return;
    drawCentred(std::to_string(countdownShown).c_str(), countdownScale, countdownRow, whiteColour);
}

void Yarnball::drawWinText() {
    if (winner < 0) return;
    drawCentred(winner == 0 ? "player 1 wins" : "player 2 wins", winTextScale, winTextRow,
                fillColour[winner]);
}

// No random draws: the grid's own jitter makes the shake irregular.
void Yarnball::shakeAfterGoal() {
    if (goalShake == 0) return;
    const float amount = goalShakeAmount * static_cast<float>(goalShake);
    for (int column = 0; column < canvasWidth; ++column) {
        for (int row = 0; row < canvasHeight; ++row) agitate(column, row, amount);
    }
}

void drawYarnballInstructions(const KeyLabels& labels) { drawInstructionLines(instructions, labels); }
