#include "games/pawtrap.h"

#include <cstdlib>

#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "framework/actor.h"
#include "framework/effect.h"
#include "graphics/canvas.h"

namespace {

// Distances are Manhattan, in cells, from the mouse's cell to a paw.
constexpr int trapDistance = 16;
constexpr int calmDistance = 32;
constexpr int alarmDistance = 64;
constexpr int fearOfDeath = 2000;

constexpr int trapScore = 100;
constexpr int trapFear = 50;
constexpr int trapStress = 90;
constexpr int closeFear = 2;
constexpr int closeStress = 1;
constexpr int alarmPanic = 2;
constexpr int alarmFear = 2;
constexpr int alarmStress = 1;
constexpr int calmStep = 4;    // fear and stress shed per calm tick
constexpr int calmStress = 5;  // stress must exceed this for the mouse to calm down
constexpr int restartPanic = 16;

constexpr int fieldMargin = 8;  // cells between the mouse and the left, right and bottom walls
constexpr int mouseTop = 92;
constexpr float bounceFactor = -1.5f;

constexpr int pawLeft = 8;
constexpr int pawRight = 152;
constexpr int pawBottom = 8;
constexpr int pawTop = 93;
constexpr int pawGap = 17;  // least distance in columns between the two paws

constexpr int mouseKind = 1;
constexpr float meowAmplitude = 0.4f;
constexpr float mouseAmplitude = 0.1f;

struct PawStart {
    int x;
    int y;
};
constexpr PawStart pawStarts[playerCount] = {{50, 52}, {110, 48}};

enum Facing { facingDown, facingRight, facingUp, facingLeft };
// Where the tail root sits relative to the mouse's cell, by facing: behind it.
constexpr TailVector tailRootOffsets[] = {{0.0f, 4.0f}, {-4.0f, 0.0f}, {0.0f, -4.0f}, {4.0f, 0.0f}};

enum Button { leftUp, leftDown, leftA, leftB, rightUp, rightDown, rightA, rightB };

int sign(int v) { return (v > 0) - (v < 0); }

int bounce(int v) { return static_cast<int>(static_cast<float>(v) * bounceFactor); }

int pawDistance(int cx, int cy, const PlayerRecord& paw) {
    return std::abs(cx - paw.x) + std::abs(cy - paw.y);
}

void trap(Actor& mouse, Pawtrap& game) {
    if (mouse.vx != 0 || mouse.vy != 0) {
        playSound(static_cast<int>(VoiceType::MouseSample), 0.0f, mouseAmplitude, 1.0f, 0.0f);
        game.players[0].score += trapScore;
        game.fear += trapFear;
        game.stress += trapStress;
    }
    mouse.vx = 0;
    mouse.vy = 0;
}

// A signed random velocity component below the mouse's current speed limit.
int restartComponent(Pawtrap& game, int limit) {
    int magnitude = limit > 0 ? static_cast<int>(game.randomBelow(limit)) : 0;
    int s = game.randomDraw() % 2 == 0 ? 1 : -1;
    return s * magnitude;
}

void frighten(Actor& mouse, Pawtrap& game, int d0, int d1, int cx, int cy) {
    mouse.vx += static_cast<int>(game.randomBelow(3)) - 1;
    mouse.vy += static_cast<int>(game.randomBelow(3)) - 1;

    if (d0 > calmDistance && d1 > calmDistance && game.stress > calmStress && game.fear > calmStep) {
        game.fear -= calmStep;
        game.stress -= calmStep;
    }
    for (int d : {d0, d1}) {
        if (d < trapDistance) {
            game.fear += closeFear;
            game.stress += closeStress;
        }
    }

    const PlayerRecord& nearer = d0 < d1 ? game.players[0] : game.players[1];
    mouse.vx -= sign(nearer.x - cx) * static_cast<int>(game.randomDraw() & 3);
    mouse.vy -= sign(nearer.y - cy) * static_cast<int>(game.randomDraw() & 3);

    for (int d : {d0, d1}) {
        if (d < alarmDistance) {
            mouse.panic += alarmPanic;
            game.fear += alarmFear;
            game.stress += alarmStress;
        }
    }

    if (mouse.vx == 0 && mouse.vy == 0) {
        mouse.panic += restartPanic;
        int limit = speedLimit(actorKinds.kinds[mouse.kind], mouse.panic);
        mouse.vx = restartComponent(game, limit);
        mouse.vy = restartComponent(game, limit);
    }
}

void hitWall(Actor& mouse, int& velocity) {
    velocity = bounce(velocity);
    if (actorKinds.kinds[mouse.kind].diesOnWall) mouse.health = -1;
}

void moveMouse(Actor& mouse, const Pawtrap& game) {
    const int low = fieldMargin * subcellsPerCell;
    const int right = (game.fieldWidth() - fieldMargin) * subcellsPerCell;
    const int top = mouseTop * subcellsPerCell;
    int nx = mouse.x + mouse.vx;
    int ny = mouse.y + mouse.vy;
    if (nx < low) {
        nx = low;
        hitWall(mouse, mouse.vx);
    }
    if (nx > right) {
        nx = right;
        hitWall(mouse, mouse.vx);
    }
    if (ny < low) {
        ny = low;
        hitWall(mouse, mouse.vy);
    } else if (ny > top) {
        ny = top;
        hitWall(mouse, mouse.vy);
    }
    mouse.x = nx;
    mouse.y = ny;
}

// Equal speeds keep a sideways facing; a standing mouse facing down turns up.
void turnMouse(Actor& mouse) {
    int ax = std::abs(mouse.vx);
    int ay = std::abs(mouse.vy);
    if (ay < ax) {
        mouse.facing = mouse.vx < 0 ? facingLeft : facingRight;
    } else if (ay > ax || mouse.facing == facingDown || mouse.facing == facingUp) {
        mouse.facing = mouse.vy < 0 ? facingDown : facingUp;
    }
}

void placeTailRoot(const Actor& mouse, Pawtrap& game) {
    const TailVector& offset = tailRootOffsets[mouse.facing];
    game.tailPoints[0] = {static_cast<float>(mouse.x / subcellsPerCell) + offset.x,
                          static_cast<float>(mouse.y / subcellsPerCell) + offset.y};
}

}  // namespace

Pawtrap::Pawtrap(uint32_t seed) : GameState(seed) {
    for (int p = 0; p < playerCount; ++p) {
        players[p].x = pawStarts[p].x;
        players[p].y = pawStarts[p].y;
        players[p].heldActorId = 0;
        players[p].valueD = 0;
    }
    const Actor* mouse = createActor();
    const TailVector mouseCell = {static_cast<float>(mouse->x / subcellsPerCell),
                                  static_cast<float>(mouse->y / subcellsPerCell)};
    for (int k = 0; k < tailLength; ++k) {
        tailPoints[k] = mouseCell;
        tailVelocities[k] = {0.0f, 0.0f};
    }
    fear = 0;
    stress = 0;
    playSound(static_cast<int>(VoiceType::MeowSample), 0.0f, meowAmplitude, 1.0f, 0.0f);
}

void Pawtrap::tick() {
    GameState::tick();
    updateTail();
    movePaws();
}

void Pawtrap::updateTail() { pullTrail(tailPoints, tailVelocities, tailLength); }

// Left paw first: the right paw's limits see where the left paw went in this tick.
void Pawtrap::movePaws() {
    for (PlayerRecord& paw : players) {
        for (int button : paw.heldButtons) movePaw(paw, button);
    }
}

void Pawtrap::movePaw(PlayerRecord& paw, int button) {
    switch (button) {
    case leftUp:
    case rightUp:
        if (paw.y < pawTop) ++paw.y;
        break;
    case leftDown:
    case rightDown:
        if (paw.y > pawBottom) --paw.y;
        break;
    case leftA:
        if (paw.x > pawLeft) --paw.x;
        break;
    case leftB:
        if (paw.x < players[1].x - pawGap) ++paw.x;
        break;
    case rightA:
        if (paw.x > players[0].x + pawGap) --paw.x;
        break;
    case rightB:
        if (paw.x < pawRight) ++paw.x;
        break;
    default: break;
    }
}

int Pawtrap::checkEnd() {
    if (fear < fearOfDeath) return 0;
    endCountdown = actorKinds.endTicks;
    for (const TailVector& point : tailPoints) {
        effects.push_back(makeEffect(sparkEffect, static_cast<int>(point.x), static_cast<int>(point.y), 0,
                                     tailColour, *this));
    }
    return 1;
}

int Pawtrap::fieldLeft() const { return 0; }

void mouseHook(Actor& actor, Pawtrap& game) {
    if (game.fear >= fearOfDeath) actor.health = -1;  // the sweep of this tick bursts it
    const int cx = actor.x / subcellsPerCell;
    const int cy = actor.y / subcellsPerCell;
    const int d0 = pawDistance(cx, cy, game.players[0]);
    const int d1 = pawDistance(cx, cy, game.players[1]);
    if (d0 < trapDistance && d1 < trapDistance) {
        trap(actor, game);
    } else {
        frighten(actor, game, d0, d1, cx, cy);
    }
    if (actor.panic > 0) --actor.panic;
    moveMouse(actor, game);
    turnMouse(actor);
    if (actor.kind == mouseKind) placeTailRoot(actor, game);
}

// The hook belongs to the catalogue entry, not to the game object; a game of another class has
// no mouse to steer.
void pawtrapActorHook(Actor& actor, GameState& game) {
    if (auto* pawtrap = dynamic_cast<Pawtrap*>(&game)) mouseHook(actor, *pawtrap);
}
