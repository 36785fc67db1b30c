#include "app/saved/scores_file.h"

#include <cstdint>

#include "framework/game_entry.h"
#include "games/catalogue.h"

namespace {

constexpr int scoreLimit = 999999999;

bool sharesScore(const GameEntry& entry) { return entry.scoring == Scoring::Shared; }

std::string scoreKey(const GameEntry& entry) {
    return std::string(entry.title) + (sharesScore(entry) ? ".best" : ".last");
}

// "5:3": every player's score, as scoreText() writes it.
bool isResultText(const std::string& value) {
    size_t start = 0;
    for (int player = 0; player < playerCount; ++player) {
        const size_t end = player + 1 < playerCount ? value.find(':', start) : value.size();
        int score;
        if (end == std::string::npos ||
            !parseWholeNumber(value.substr(start, end - start), scoreLimit, score))
            return false;
        start = end + 1;
    }
    return true;
}

bool decodeResult(const GameEntry& entry, const std::string& value, GameResults& results, std::string& what) {
    if (sharesScore(entry)) {
        if (parseWholeNumber(value, scoreLimit, results.bestScore)) return true;
        what = "expected a score, not '" + value + "'";
    } else {
        if (isResultText(value)) {
            results.lastResult = value;
            return true;
        }
        what = "expected a result such as 5:3, not '" + value + "'";
    }
    return false;
}

}  // namespace

bool decodeScores(const ConfText& text, const std::string& name, std::map<int, GameResults>& results,
                  std::string& error) {
    size_t badLine = SIZE_MAX;
    for (int i = 0; i < gameCount(); ++i) {
        const GameEntry& entry = *gameCatalogue[i];
        const auto found = text.entries.find(scoreKey(entry));
        if (found == text.entries.end()) continue;
        const ConfEntry& line = found->second;
        std::string what;
        if (decodeResult(entry, line.value, results[entry.id], what) || line.line > badLine) continue;
        badLine = line.line;
        error = lineError(name, static_cast<int>(line.line) + 1, what);
    }
    return badLine == SIZE_MAX;
}

void encodeScores(const std::map<int, GameResults>& results, ConfText& text) {
    for (const auto& [id, result] : results) {
        const GameEntry* entry = findGameEntry(id);
        if (!entry) continue;
        const std::string shown = !sharesScore(*entry)    ? result.lastResult
                                  : result.bestScore >= 1 ? std::to_string(result.bestScore)
                                                          : "";
        if (!shown.empty()) setConfValue(text, scoreKey(*entry), shown);
    }
}
