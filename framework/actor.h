#pragma once
#include <cstdint>
#include <vector>

class GameState;

struct Actor {
    int id = 0;
    int kind = 1;
    int x = 5120;  // 1/64 cell, playfield coordinates
    int y = 4800;
    int vx = 0;
    int vy = 0;
    int startX = 5120;
    int startY = 4800;
    int owner = 0;
    int health = 0;
    int timer = 0;
    int grip = 0;
    int facing = 0;
    int panic = 0;
    int values[8] = {};
    bool removeFlag = false;
    std::vector<uint8_t> buffer;
};

using ActorOperation = void (*)(Actor&, GameState&);

struct ActorKind {
    int initialHealth;
    int sprite[2];  // per owner; owner -1 uses entry 0; -1 is none
    ActorOperation update;
    int speed;  // 1/64 cell per tick
    int spawnType;
    int spawnCount;
    bool diesOnWall;
    bool releasesHolder;
    int limitMode;  // 0 Euclidean, 1 Manhattan, 2 clamp per component, 3 ease per component
};

constexpr int actorKindCount = 2;

// The game's tunable tables: the actor kinds and the end-countdown length.
struct ActorKindTable {
    ActorKind kinds[actorKindCount];
    int endTicks;
};

// Restored from actorKindTemplate at start-up and at every new game.
extern ActorKindTable actorKinds;
extern const ActorKindTable actorKindTemplate;

void restoreActorKinds();
// The speed limit of a kind at a panic level: speed + min(panic / 8, speed).
int speedLimit(const ActorKind& kind, int panic);
void limitSpeed(Actor& actor, int limit, int mode);
void updateActor(Actor& actor, GameState& game);
void burstActor(Actor& actor, GameState& game);
void drawActor(const Actor& actor, GameState& game);
// A filled square of half size h around playfield cell (cx, cy), clipped to the canvas, as kind 0
// is drawn; an owner 0 or 1 leaves shade on that player's channel.
void drawActorSquare(GameState& game, int cx, int cy, int h, int colour, int owner);
