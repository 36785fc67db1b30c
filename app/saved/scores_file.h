#pragma once
// The scores file: each game's best score or last result.
#include <map>
#include <string>

#include "app/saved/conf_text.h"

// The results of one game of the catalogue: the scores file's, then this run's.
struct GameResults {
    int bestScore = 0;       // player 1's best final score
    std::string lastResult;  // the score of the last game as result lines give it; empty before
};

// The scores file, one game a line in the key file's shape, with what its menu shows: the best
// score of a game whose players share one, the last result of a game that scores each player.
//   whiskerwaltz.best = 1200
//   yarnball.last = 5:3
// Lines of games this build lacks, and any other key, are kept as they are.

// The results the file gives, into `results` by catalogue id. False with `error`
// "NAME:LINE: what" for a value that is no score; the earliest such line is named.
bool decodeScores(const ConfText& text, const std::string& name, std::map<int, GameResults>& results,
                  std::string& error);
// Sets the line of every game of the catalogue that has a result to show.
void encodeScores(const std::map<int, GameResults>& results, ConfText& text);
