#pragma once
#include "framework/game_entry.h"
#include "framework/game_state.h"
#include "framework/key_labels.h"
#include "framework/trail.h"

constexpr int tailLength = 32;
constexpr int tailColour = 4;  // the tail and the sparks it bursts into

// The cat game: two paws, one mouse with its tail, a shared score in players[0].score.
class Pawtrap : public GameState {
public:
    explicit Pawtrap(uint32_t seed);

    void tick() override;
    void draw() override;
    int checkEnd() override;
    int fieldLeft() const override;

    // The two steps that follow the base tick, in this order.
    void updateTail();
    void movePaws();

    int stress = 0;                              // second fear counter; gates calming down
    TailVector tailPoints[tailLength] = {};      // cells; 0 the root behind the mouse, 31 the tip
    TailVector tailVelocities[tailLength] = {};  // cells per tick; entry 0 is never read

private:
    void movePaw(PlayerRecord& paw, int button);
    void drawScore();
    void drawTail();
    void drawPaws();
    void shakeDeath();
};

// The mouse's behaviour, run once per tick after its speed limit.
void mouseHook(Actor& actor, Pawtrap& game);

// The catalogue's hooks for the cat game.
void pawtrapActorHook(Actor& actor, GameState& game);
void drawPawtrapInstructions(const KeyLabels& labels);
uint64_t pawtrapDigest(const GameState& game);

extern const GameEntry pawtrapEntry;
