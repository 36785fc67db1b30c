#include "framework/game_digest.h"

#include "framework/actor.h"
#include "framework/effect.h"
#include "framework/game_state.h"

namespace {

void addPlayers(Digest& d, const GameState& game) {
    for (const PlayerRecord& p : game.players) {
        d.add(p.x);
        d.add(p.y);
        d.add(p.score);
        for (int button : p.heldButtons) d.add(button);
    }
}

void addActors(Digest& d, const GameState& game) {
    for (const auto& entry : game.actors) {
        const Actor& a = *entry.second;
        for (int v : {a.id, a.kind, a.x, a.y, a.vx, a.vy, a.health, a.panic, a.facing}) d.add(v);
    }
}

void addEffects(Digest& d, const GameState& game) {
    for (const auto& effect : game.effects) {
        // A number takes its flight from the application's source, which every pass draws from.
        if (effect->type == numberEffect) continue;
        // Not the value: a burst colours its sparks from the application's random source.
        for (int v : {effect->type, effect->x, effect->y, effect->vx, effect->vy}) d.add(v);
        d.add(effect->life);
        d.add(effect->dead);
    }
}

}  // namespace

void addGameState(Digest& d, const GameState& game) {
    d.add(game.tickCount);
    d.add(game.fear);
    d.add(game.endCountdown);
    d.add(game.gameOver);
    addPlayers(d, game);
    addActors(d, game);
    addEffects(d, game);
}
