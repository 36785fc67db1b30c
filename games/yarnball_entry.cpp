#include "framework/game_digest.h"
#include "framework/paw_sprite.h"
#include "games/catalogue.h"
#include "games/yarnball.h"

namespace {

constexpr Sprite yarnballSprites[] = {
    spriteFromArt(pawSize, pawArt),
    spriteFromArt(pawSize, pawArt, outlineColour[1] - outlineColour[0]),  // player 2's colours
};

std::unique_ptr<GameState> createYarnball(uint32_t seed) { return std::make_unique<Yarnball>(seed); }

}  // namespace

uint64_t yarnballDigest(const GameState& game) {
    Digest d;
    addGameState(d, game);
    if (const auto* yarnball = dynamic_cast<const Yarnball*>(&game)) {
        d.add(yarnball->serveWait);
        d.add(yarnball->rally);
        d.add(yarnball->lastConceder);
        d.add(yarnball->pawSteps);
        d.add(yarnball->winner);
        d.add(yarnball->threadPoints);
        d.add(yarnball->countdownShown);
        d.add(yarnball->goalShake);
    }
    return d.value();
}

const GameEntry yarnballEntry = {
    2,
    "yarnball",
    {{0.03f, 0.16f, 0.11f},  // felt
     {0.85f, 0.3f, 0.15f},   // player 1: outline, fill, light
     {1.0f, 0.6f, 0.3f},
     {1.0f, 0.8f, 0.55f},
     {0.2f, 0.35f, 0.9f},  // player 2: outline, fill, light
     {0.45f, 0.7f, 1.0f},
     {0.7f, 0.88f, 1.0f},
     {0.95f, 0.35f, 0.6f},  // yarn
     {1.0f, 1.0f, 0.95f}},
    {yarnColour, 1, 2, 4, 5, whiteColour, yarnColour, 3, 6, fillColour[1], fillColour[0]},
    yarnballSprites,
    yarnballActorHook,
    drawYarnballInstructions,
    createYarnball,
    yarnballDigest,
    copyGame<Yarnball>,
    Scoring::PerPlayer,
};
