#include "framework/game_entry.h"

const GameEntry* selectedEntry = nullptr;

std::string scoreText(const GameEntry& entry, const GameState& game) {
    std::string text = std::to_string(game.players[0].score);
    if (entry.scoring == Scoring::PerPlayer) text += ":" + std::to_string(game.players[1].score);
    return text;
}

std::string resultText(const GameEntry& entry, uint32_t seed, const GameState& game) {
    std::string text = "seed " + std::to_string(seed) + " score " + scoreText(entry, game);
    if (entry.scoring == Scoring::PerPlayer) text = "game " + std::string(entry.title) + " " + text;
    return text;
}
