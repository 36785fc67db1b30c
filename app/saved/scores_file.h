#pragma once
#include <map>
#include <string>

#include "app/window/app_state.h"  // GameResults
#include "app/saved/conf_text.h"

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
