#pragma once
// What is saved when: settings.conf and the scores, read at start and written as they change.
#include <map>

#include "app/saved/scores_file.h"  // GameResults

struct GameEntry;

// What tandrel keeps between runs: settings.conf (see app/saved/settings_file.h) and the scores
// (app/saved/scores_file.h). A file that cannot be read or parsed leaves the defaults in force with one
// line on stderr, and a run that may write it moves a bad one aside first, so nothing the player
// wrote is lost; a write that fails says so in one line and the game goes on.

enum class FileUse {
    ReadOnly,  // read it, report a bad one, never move or write it: replays, --print-settings
    Keep,      // and write it when what it holds changes
};

// settings.conf over the defaults in settings.
void loadSettingsFile(FileUse use);
// The game settings.conf names, or null.
const GameEntry* rememberedGame();
// From here on the settings in force count as the file's, whatever the command line changed in
// them: saveSettings() writes only the settings that change after this, so an option given
// for one run is not kept.
void watchSettingsFromHere();
// Writes settings.conf if a setting or the selected game changed since the last look.
void saveSettings();

// The results each game's menu shows, by catalogue id: loadScores(), then every game's end.
// Main thread; never reset.
extern std::map<int, GameResults> gameResults;

// The scores into gameResults; with FileUse::Keep they are then written whenever the results to
// show change.
void loadScores(FileUse use);
// Writes the scores if the results to show changed.
void saveScores();
