#include "framework/game_digest.h"
#include "framework/paw_sprite.h"
#include "games/pawtrap.h"

namespace {

// clang-format off
constexpr const char* mouseArt[] = {
    "....4....",
    "...333...",
    "..33333..",
    "..33333..",
    "..33333..",
    "..33333..",
    "..3.3.3..",
    "..33333..",
    "...333...",
};
// clang-format on

constexpr Sprite pawtrapSprites[] = {
    spriteFromArt(pawSize, pawArt),
    spriteFromArt(9, mouseArt),
};

std::unique_ptr<GameState> createPawtrap(uint32_t seed) { return std::make_unique<Pawtrap>(seed); }

}  // namespace

uint64_t pawtrapDigest(const GameState& game) {
    Digest d;
    addGameState(d, game);
    if (const auto* pawtrap = dynamic_cast<const Pawtrap*>(&game)) {
        d.add(pawtrap->stress);
        d.add(pawtrap->tailPoints);
    }
    return d.value();
}

const GameEntry pawtrapEntry = {
    0,
    "whiskerwaltz",
    {{0.0f, 0.0f, 0.0f},
     {0.9f, 0.4f, 0.0f},
     {0.95f, 0.45f, 0.0f},
     {0.0f, 0.5f, 0.7f},
     {1.0f, 0.6f, 0.7f},
     {1.0f, 1.0f, 0.0f},
     {0.7f, 0.0f, 0.0f},
     {1.0f, 0.0f, 1.0f},
     {1.0f, 1.0f, 1.0f}},
    {8, 1, 2, 4, 5, 5, 6, 6, 5, 4, 1},
    pawtrapSprites,
    pawtrapActorHook,
    drawPawtrapInstructions,
    createPawtrap,
    pawtrapDigest,
    copyGame<Pawtrap>,
    Scoring::Shared,
};
