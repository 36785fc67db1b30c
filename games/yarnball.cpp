#include "games/yarnball.h"

#include <algorithm>
#include <cstdlib>

#include "framework/actor.h"
#include "graphics/canvas.h"

namespace {

constexpr int ballKind = 0;
constexpr int ballGrip = 4;
constexpr int noOwner = -1;

constexpr int fieldLow = 512;     // the walls: cell 8 on the left and at the bottom
constexpr int fieldTop = 5888;    // cell 92
constexpr int fieldRight = 9728;  // cell 152

constexpr int serveSpeed = 96;
constexpr unsigned serveSpread = 129;  // vy from -64 to 64
constexpr int serveRise = 64;

constexpr int batReach = 5;  // cells, in x and in y, from the paw's cell to the ball's
constexpr int batSpeed = 160;
constexpr int pawPush = 48;  // added per component in the direction the paw moved
constexpr int batPanic = 64;
constexpr int batPause = 10;  // ticks before the same paw bats again
constexpr int cellHalf = subcellsPerCell / 2;

// Where a paw may stand, in cells.
struct PawBounds {
    int left;
    int right;
    int bottom;
    int top;
};
constexpr PawBounds pawBounds[playerCount] = {{8, 76, 8, 92}, {84, 152, 8, 92}};

struct PawStart {
    int x;
    int y;
};
constexpr PawStart pawStarts[playerCount] = {{40, 50}, {120, 50}};

enum Direction { up, down, left, right };

int sign(int v) { return (v > 0) - (v < 0); }

void placeBall(Actor& ball) {
    ball.x = ballCentreX;
    ball.y = ballCentreY;
    ball.vx = 0;
    ball.vy = 0;
}

// Towards the player who let in the last goal; at the first serve a draw picks the side.
void serve(Actor& ball, Yarnball& game) {
    const bool towardsPlayer1 = game.lastConceder >= 0 ? game.lastConceder == 0 : game.randomDraw() % 2 == 0;
    ball.vx = towardsPlayer1 ? -serveSpeed : serveSpeed;
    ball.vy = static_cast<int>(game.randomBelow(serveSpread)) - serveRise;
    cueServe(ball);
}

bool reaches(const Actor& ball, const PlayerRecord& paw) {
    return std::abs(ball.x / subcellsPerCell - paw.x) <= batReach &&
           std::abs(ball.y / subcellsPerCell - paw.y) <= batReach;
}

// Away from the paw's centre at batSpeed along the longer axis, plus a push the way it moved.
void bat(Actor& ball, Yarnball& game, int player) {
    PlayerRecord& paw = game.players[player];
    if (paw.timers[batTimer] != 0 || !reaches(ball, paw)) return;
    const int dx = ball.x - (paw.x * subcellsPerCell + cellHalf);
    const int dy = ball.y - (paw.y * subcellsPerCell + cellHalf);
    const int m = std::max({std::abs(dx), std::abs(dy), 1});
    ball.vx = dx * batSpeed / m + pawPush * game.pawSteps[player].x;
    ball.vy = dy * batSpeed / m + pawPush * game.pawSteps[player].y;
    ball.owner = player;
    ball.panic += batPanic;
    paw.timers[batTimer] = batPause;
    ++game.rally;
    cueBat(game, ball, player);
}

bool inMouth(int y) { return y / subcellsPerCell >= mouthLowRow && y / subcellsPerCell <= mouthHighRow; }

void bounce(const Actor& ball, int& position, int wall, int& velocity) {
    position = wall;
    velocity = -velocity;
    cueWall(ball);
}

void scoreGoal(Actor& ball, Yarnball& game, int scorer, int row) {
    game.players[scorer].score += 1;
    placeBall(ball);
    ball.owner = noOwner;
    ball.panic = 0;
    game.rally = 0;
    game.serveWait = serveWaitTicks;
    game.lastConceder = 1 - scorer;
    cueGoal(game, scorer, row);
}

// The top and bottom walls first: a ball that leaves through an end does so on its clamped row.
void moveBall(Actor& ball, Yarnball& game) {
    int nx = ball.x + ball.vx;
    int ny = ball.y + ball.vy;
    if (ny < fieldLow) {
        bounce(ball, ny, fieldLow, ball.vy);
    } else if (ny > fieldTop) {
        bounce(ball, ny, fieldTop, ball.vy);
    }
    if (nx < fieldLow) {
        if (inMouth(ny)) return scoreGoal(ball, game, 1, ny / subcellsPerCell);
        bounce(ball, nx, fieldLow, ball.vx);
    }
    if (nx > fieldRight) {
        if (inMouth(ny)) return scoreGoal(ball, game, 0, ny / subcellsPerCell);
        bounce(ball, nx, fieldRight, ball.vx);
    }
    ball.x = nx;
    ball.y = ny;
}

}  // namespace

Yarnball::Yarnball(uint32_t seed) : GameState(seed) {
    for (int p = 0; p < playerCount; ++p) {
        players[p].x = pawStarts[p].x;
        players[p].y = pawStarts[p].y;
        players[p].heldActorId = 0;
    }
    Actor* ball = createActor();
    ball->kind = ballKind;
    ball->health = actorKinds.kinds[ballKind].initialHealth;
    ball->grip = ballGrip;
    ball->owner = noOwner;
    placeBall(*ball);
    ball->startX = ball->x;
    ball->startY = ball->y;
    for (TailVector& point : threadPoints)
        point = {ballCentreX / subcellsPerCell, ballCentreY / subcellsPerCell};
    cueStart();
}

void Yarnball::tick() {
    GameState::tick();
    movePaws();
    updateLooks();
}

// Player 1 first; each paw keeps to its own half.
void Yarnball::movePaws() {
    for (int p = 0; p < playerCount; ++p) {
        PlayerRecord& paw = players[p];
        const int x = paw.x;
        const int y = paw.y;
        for (int button : paw.heldButtons) movePaw(paw, p, button % buttonsPerPlayer);
        pawSteps[p] = {sign(paw.x - x), sign(paw.y - y)};
    }
}

void Yarnball::movePaw(PlayerRecord& paw, int player, int direction) {
    const PawBounds& b = pawBounds[player];
    switch (direction) {
    case up:
        if (paw.y < b.top) ++paw.y;
        break;
    case down:
        if (paw.y > b.bottom) --paw.y;
        break;
    case left:
        if (paw.x > b.left) --paw.x;
        break;
    case right:
        if (paw.x < b.right) ++paw.x;
        break;
    default: break;
    }
}

int Yarnball::checkEnd() {
    for (int p = 0; p < playerCount; ++p) {
        if (players[p].score < goalsToWin) continue;
        winner = p;
        endCountdown = actorKinds.endTicks;
        cueWin(*this);
        return 1;
    }
    return 0;
}

int Yarnball::fieldLeft() const { return 0; }

void ballHook(Actor& ball, Yarnball& game) {
    if (ball.panic > 0) --ball.panic;
    // The winner is known: the ball rests at the centre and no goal counts any more.
    if (game.endCountdown > 0) return placeBall(ball);
    if (game.serveWait > 0) {
        if (--game.serveWait == 0) serve(ball, game);
        return;
    }
    for (int p = 0; p < playerCount; ++p) bat(ball, game, p);
    moveBall(ball, game);
}

// The hook belongs to the catalogue entry; a game of another class has no ball to steer.
void yarnballActorHook(Actor& actor, GameState& game) {
    if (auto* yarnball = dynamic_cast<Yarnball*>(&game)) ballHook(actor, *yarnball);
}
