#include "app/saved/save_policy.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "app/saved/conf_text.h"
#include "app/saved/home_files.h"
#include "app/saved/scores_file.h"
#include "app/saved/settings.h"
#include "app/saved/settings_file.h"
#include "games/catalogue.h"

std::map<int, GameResults> gameResults;

namespace {

const char* const settingsFileName = "settings.conf";
const char* const scoresFileName = "scores";

// One file kept between runs.
struct KeptFile {
    std::string path;       // empty: not read in this run
    bool writable = false;  // false: not to be written in this run, or it could not be read
    ConfText text;          // as read, with the values set since; unknown lines ride along
    std::string onDisk;     // the bytes the file holds, as far as this run knows
};

// Owned by the frame: set by the two loads at start-up, then by the saves; never reset.
struct RememberedFiles {
    KeptFile settingsFile;
    KeptFile scoresFile;
    SettingsValues kept;      // what settings.conf says, with the changes of this run
    SettingsValues lastSeen;  // the settings in force at the last look
};

RememberedFiles remembered;

// Takes a parsed file's values, or fails with "NAME:LINE: what".
using Decoder = std::function<bool(const ConfText& text, const std::string& name, std::string& error)>;

// A bad file is moved aside only by a run that may write it, and stays unwritten if it cannot be.
void reportBadFile(KeptFile& file, const std::string& error) {
    std::string movedTo, reason;
    if (!file.writable) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
    } else if (moveAside(file.path, movedTo, reason)) {
        std::fprintf(stderr, "tandrel: %s (moved aside to %s)\n", error.c_str(), movedTo.c_str());
    } else {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        std::fprintf(stderr, "tandrel: could not move %s aside: %s\n", file.path.c_str(), reason.c_str());
        file.writable = false;
    }
}

// True when the file was read and `decode` took it; false, with the defaults untouched, when it
// is missing, unreadable or bad.
bool readKept(KeptFile& file, const std::string& path, FileUse use, const Decoder& decode) {
    file = KeptFile{};
    file.path = path;
    file.writable = use == FileUse::Keep && !path.empty();
    if (path.empty()) return false;
    std::string bytes, reason, error;
    switch (readTextFile(path, bytes, reason)) {
    case FileRead::Missing: return false;
    case FileRead::Failed:
        std::fprintf(stderr, "tandrel: could not read %s: %s\n", path.c_str(), reason.c_str());
        file.writable = false;  // what is there may be the player's: never written over unread
        return false;
    case FileRead::Read: break;
    }
    ConfText text;
    if (!parseConfText(bytes, path, text, error) || !decode(text, path, error)) {
        reportBadFile(file, error);
        return false;
    }
    file.text = text;
    file.onDisk = bytes;
    return true;
}

void writeKept(KeptFile& file) {
    if (!file.writable) return;
    const std::string bytes = confTextBytes(file.text);
    if (bytes == file.onDisk) return;
    std::string reason;
    if (replaceFile(file.path, bytes, reason)) file.onDisk = bytes;
    else std::fprintf(stderr, "tandrel: could not save %s: %s\n", file.path.c_str(), reason.c_str());
}

// The kept value follows the one in force only when that changed since the last look.
template <typename T>
bool takeChange(T& kept, const T& now, const T& seen) {
    if (now == seen) return false;
    kept = now;
    return true;
}

}  // namespace

void loadSettingsFile(FileUse use) {
    SettingsValues values;
    const bool read = readKept(remembered.settingsFile, configFilePath(settingsFileName), use,
                               [&](const ConfText& text, const std::string& name, std::string& error) {
                                   return decodeSettings(text, name, values, error);
                               });
    remembered.kept = read ? values : SettingsValues{};
    applySettings(remembered.kept);
}

const GameEntry* rememberedGame() { return findGameByTitle(remembered.kept.game); }

void watchSettingsFromHere() { remembered.lastSeen = settingsInForce(); }

void saveSettings() {
    const SettingsValues now = settingsInForce();
    SettingsValues& kept = remembered.kept;
    const SettingsValues& seen = remembered.lastSeen;
    // Every one is taken, whichever others changed.
    const bool windowed = takeChange(kept.windowed, now.windowed, seen.windowed);
    const bool display = takeChange(kept.display, now.display, seen.display);
    const bool volume = takeChange(kept.volume, now.volume, seen.volume);
    const bool game = takeChange(kept.game, now.game, seen.game);
    const bool changed = windowed || display || volume || game;
    remembered.lastSeen = now;
    if (!changed) return;
    encodeSettings(kept, remembered.settingsFile.text);
    writeKept(remembered.settingsFile);
}

void loadScores(FileUse use) {
    std::map<int, GameResults> results;
    const bool read = readKept(remembered.scoresFile, stateFilePath(scoresFileName), use,
                               [&](const ConfText& text, const std::string& name, std::string& error) {
                                   return decodeScores(text, name, results, error);
                               });
    if (read) gameResults = results;
}

void saveScores() {
    encodeScores(gameResults, remembered.scoresFile.text);
    writeKept(remembered.scoresFile);
}
