#pragma once
#include "framework/game_entry.h"
#include "framework/game_state.h"
#include "framework/trail.h"

// Rules numbers the drawing and the tests share. Positions in 1/64 cell unless said otherwise.
constexpr int goalsToWin = 5;
constexpr int serveWaitTicks = 56;
constexpr int ballId = 1;          // the game's one actor
constexpr int ballCentreX = 5120;  // cell (80, 50)
constexpr int ballCentreY = 3200;
constexpr int mouthLowRow = 36;  // a ball beyond either end of the field between these rows scores
constexpr int mouthHighRow = 63;
constexpr int batTimer = 0;  // the player's timer that keeps a paw from batting again at once
constexpr int threadLength = 16;

// Palette entries: each player's family of outline, fill and light (1 to 3 and 4 to 6, as the
// framework's effects and kind 0's square colour an owner), the yarn, and white.
constexpr int outlineColour[playerCount] = {1, 4};
constexpr int fillColour[playerCount] = {2, 5};
constexpr int yarnColour = 7;
constexpr int whiteColour = 8;

struct PawStep {
    int x;  // -1, 0, 1: the paw's net move in the last paw-movement step
    int y;
};

// The versus game: each player's paw bats a ball of yarn (an actor of kind 0) into the other's
// goal; one score each, first to five.
class Yarnball : public GameState {
public:
    explicit Yarnball(uint32_t seed);

    void tick() override;
    void draw() override;
    int checkEnd() override;
    int fieldLeft() const override;

    // The steps that follow the base tick, in this order.
    void movePaws();
    void updateLooks();

    // Rules state.
    int serveWait = serveWaitTicks;  // ticks until the ball is served; 0 while in play
    int rally = 0;                   // bats since the last serve
    int lastConceder = -1;           // the player who let in the last goal; -1 before the first
    PawStep pawSteps[playerCount] = {};
    int winner = -1;  // set when the end begins

    // Looks, changed by the rules' cues and by updateLooks().
    TailVector threadPoints[threadLength] = {};  // cells; 0 at the ball
    TailVector threadVelocities[threadLength] = {};
    int countdownShown = 0;  // the number shown while the serve waits; 0 none
    int goalShake = 0;       // ticks of screen shake left after a goal

private:
    void movePaw(PlayerRecord& paw, int player, int direction);
    void drawPitch();
    void drawThread();
    void drawPaws();
    void drawBall();
    void drawScores();
    void drawCountdown();
    void drawWinText();
    void shakeAfterGoal();
};

// The ball's rules, run once per tick after kind 0's friction and speed limit.
void ballHook(Actor& ball, Yarnball& game);

// What players see and hear of the rules' events (yarnball_cues.cpp): effects and sounds only.
void cueBat(Yarnball& game, const Actor& ball, int player);
void cueWall(const Actor& ball);
void cueGoal(Yarnball& game, int scorer, int row);
void cueServe(const Actor& ball);
void cueCountdown(int shown);
void cueWin(Yarnball& game);
void cueStart();

// The catalogue's hooks for yarnball.
void yarnballActorHook(Actor& actor, GameState& game);
void drawYarnballInstructions(const KeyLabels& labels);
uint64_t yarnballDigest(const GameState& game);

extern const GameEntry yarnballEntry;
