#pragma once
#include <memory>

class GameState;

struct Effect {
    int type = 0;
    int x = 0;  // 1/64 cell, playfield coordinates
    int y = 0;
    int vx = 0;
    int vy = 0;
    int owner = 0;
    int value = 0;
    int value2 = 0;
    float life = 0.0f;
    bool dead = false;
    float drift[3] = {};
    float driftRate[3] = {};
};

using EffectOperation = void (*)(Effect&, GameState&);

struct EffectType {
    EffectOperation init;
    EffectOperation update;
    EffectOperation draw;
    float life;
    float decay;
};

constexpr int effectTypeCount = 8;
constexpr int sparkEffect = 1;
constexpr int splashEffect = 2;
constexpr int numberEffect = 4;
constexpr int bigNumberEffect = 7;

extern const EffectType effectTypes[effectTypeCount];

// An effect at cell (cx, cy) with its type's initialisation already run; the caller appends it.
std::unique_ptr<Effect> makeEffect(int type, int cx, int cy, int owner, int value, GameState& game);
void updateEffect(Effect& effect, GameState& game);
void drawEffect(Effect& effect, GameState& game);
