#include <algorithm>

#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "framework/actor.h"
#include "framework/effect.h"
#include "games/yarnball.h"
#include "graphics/canvas.h"

namespace {

constexpr float fieldMiddle = 80.0f;  // column: a sound at it is panned to the centre

constexpr int rallyShown = 5;  // rallies this long show their count at every bat
constexpr int rallyColour = whiteColour;
constexpr int rallyRise = 4;  // cells above the ball
constexpr int bigNumberRow = 40;
constexpr int bigNumberColumns[playerCount] = {40, 120};  // the middle of each scorer's half
constexpr int goalColumns[playerCount] = {4, 155};        // the goal each player defends
constexpr int goalShakeTicks = 30;

constexpr int countdownStep = 19;  // ticks each number of the serve countdown shows

constexpr int celebrationPeriod = 6;  // ticks between bursts of sparks at the winner's paw
constexpr int celebrationSparks = 4;
constexpr int familyColours = 3;  // outline, fill, light: 1 to 3 player 1's, 4 to 6 player 2's

// The voices, kept within the loudness of the cat game's sounds (0.1 to 0.4).
constexpr SoundShape batShape = {0, 600, 1500, 6000, 0, 0};
constexpr float batAmplitude = 0.2f;
constexpr float batEcho = 0.5f;
constexpr SoundShape wallShape = {0, 50, 300, 2500, 0, 0};
constexpr float wallFrequency = 330.0f;
constexpr float wallAmplitude = 0.12f;
constexpr SoundShape goalShape = {0, 100, 4000, 16000, 0, 0};
constexpr float goalAmplitude = 0.15f;
constexpr SoundShape blipShape = {0, 50, 1500, 2000, 0, 0};
constexpr float countdownFrequency = 660.0f;
constexpr float serveFrequency = 1320.0f;
constexpr float blipAmplitude = 0.1f;
constexpr float meowAmplitude = 0.4f;

// The win: a rising arpeggio read from the note tables, one note every other beat.
constexpr int winNotes[] = {3, 7, 10, 15};  // C, E, G, C an octave up
constexpr uint32_t winNoteSpacing = 2 * beatFrames;
constexpr SoundShape winNoteShape = {0, 200, 8000, 30000, 0, 1};  // the note read at its own pitch
constexpr float winAmplitude = 0.25f;

float panOf(int column) { return (fieldMiddle - static_cast<float>(column)) / fieldMiddle; }

int type(VoiceType t) { return static_cast<int>(t); }

int countdownNumber(int serveWait) { return serveWait > 0 ? (serveWait - 1) / countdownStep + 1 : 0; }

void celebrate(Yarnball& game) {
    const PlayerRecord& paw = game.players[game.winner];
    for (int k = 0; k < celebrationSparks; ++k) {
        const int colour = familyColours * game.winner + 1 + k % familyColours;
        game.effects.push_back(makeEffect(sparkEffect, paw.x, paw.y, game.winner, colour, game));
    }
}

}  // namespace

// Sounds draw from the application's source and effects from the cosmetic stream only, so the
// rules never see what the looks did.
void cueBat(Yarnball& game, const Actor& ball, int player) {
    const int column = ball.x / subcellsPerCell;
    const int note = std::min(game.rally - 1, noteCount - 1);
    playShapedSound(type(VoiceType::ChirpSine), noteFrequency[note], batAmplitude, batEcho, panOf(column),
                    batShape);
    if (game.rally < rallyShown) return;
    auto number =
        makeEffect(numberEffect, column, ball.y / subcellsPerCell + rallyRise, player, game.rally, game);
    number->value2 = rallyColour;
    game.effects.push_back(std::move(number));
}

void cueWall(const Actor& ball) {
    playShapedSound(type(VoiceType::DropSine), wallFrequency, wallAmplitude, batEcho,
                    panOf(ball.x / subcellsPerCell), wallShape);
}

void cueGoal(Yarnball& game, int scorer, int row) {
    const int goal = goalColumns[1 - scorer];
    game.effects.push_back(makeEffect(splashEffect, goal, row, scorer, 0, game));
    game.effects.push_back(makeEffect(bigNumberEffect, bigNumberColumns[scorer], bigNumberRow, scorer,
                                      game.players[scorer].score, game));
    game.goalShake = goalShakeTicks;
    playShapedSound(type(VoiceType::Noise), 0.0f, goalAmplitude, 1.0f, panOf(goal), goalShape);
}

void cueServe(const Actor& ball) {
    playShapedSound(type(VoiceType::Square), serveFrequency, blipAmplitude, batEcho,
                    panOf(ball.x / subcellsPerCell), blipShape);
}

void cueCountdown(int shown) {
    if (shown > 0)
        playShapedSound(type(VoiceType::Square), countdownFrequency, blipAmplitude, batEcho, 0.0f, blipShape);
}

void cueWin(Yarnball& game) {
    const float pan = game.winner == 0 ? 1.0f : -1.0f;
    uint32_t delay = 0;
    for (int note : winNotes) {
        SoundShape shape = winNoteShape;
        shape.delay = delay;
        shape.note = static_cast<int8_t>(note);
        playShapedSound(type(VoiceType::NoteTone), 0.0f, winAmplitude, 1.0f, pan, shape);
        delay += winNoteSpacing;
    }
}

void cueStart() { playSound(type(VoiceType::MeowSample), 0.0f, meowAmplitude, 1.0f, 0.0f); }

// The thread hangs from the ball; the countdown blips as its number changes; the winner's paw
// throws sparks while the end runs.
void Yarnball::updateLooks() {
    const Actor& ball = *actors.at(ballId);
    threadPoints[0] = {static_cast<float>(ball.x / subcellsPerCell),
                       static_cast<float>(ball.y / subcellsPerCell)};
    pullTrail(threadPoints, threadVelocities, threadLength);
    const int shown = endCountdown > 0 ? 0 : countdownNumber(serveWait);
    if (shown != countdownShown) cueCountdown(shown);
    countdownShown = shown;
    if (goalShake > 0) --goalShake;
    if (winner >= 0 && endCountdown > 0 && endCountdown % celebrationPeriod == 0) celebrate(*this);
}
