#include "games/game_digest.h"

#include <cstring>

#include "framework/actor.h"
#include "framework/effect.h"
#include "games/pawtrap.h"

namespace {

// FNV-1a over the bytes of each value.
class Digest {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash = (hash ^ b) * prime;
    }
    uint64_t value() const { return hash; }

private:
    static constexpr uint64_t prime = 1099511628211ull;
    uint64_t hash = 14695981039346656037ull;
};

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
        // Not the value: a burst colours its sparks from the application's random source.
        for (int v : {effect->type, effect->x, effect->y, effect->vx, effect->vy}) d.add(v);
        d.add(effect->life);
        d.add(effect->dead);
    }
}

}  // namespace

uint64_t gameDigest(const GameState& game) {
    Digest d;
    d.add(game.tickCount);
    d.add(game.fear);
    d.add(game.endCountdown);
    d.add(game.gameOver);
    addPlayers(d, game);
    addActors(d, game);
    addEffects(d, game);
    if (const auto* pawtrap = dynamic_cast<const Pawtrap*>(&game)) {
        d.add(pawtrap->stress);
        d.add(pawtrap->tailPoints);
    }
    return d.value();
}
