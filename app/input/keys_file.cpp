#include "app/input/keys_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <istream>
#include <ostream>
#include <set>

#include "app/input/bindings.h"
#include "app/input/key_glyphs.h"
#include "app/input/keyboard_layout.h"
#include "app/platform/platform.h"
#include "app/saved/conf_text.h"
#include "app/saved/home_files.h"
#include "app/saved/settings.h"

namespace {

const char* const keyFileName = "keys.conf";
// Every action bound to a key: the buttons in order, then the keys players may set besides them.
constexpr int keyActionCount = buttonCount + 2;
constexpr int pauseAction = buttonCount;
const char* const keyActionNames[keyActionCount] = {
    "player1.up",   "player1.down", "player1.left",  "player1.right", "player2.up",
    "player2.down", "player2.left", "player2.right", "pause",         "mute",
};
const char* const padChooseActions[padCount] = {"player1.pad.choose", "player2.pad.choose"};
const char* const padLeaveActions[padCount] = {"player1.pad.leave", "player2.pad.leave"};
const char* const padPauseActions[padCount] = {"player1.pad.pause", "player2.pad.pause"};
constexpr int padButtonLimit = 255;  // SDL 1.2 numbers pad buttons in 8 bits
const int unbindableKeys[] = {keyEscape, keyPrintScreen, keyF9, keyF10, keyF11};

struct Failure {
    const std::string& name;
    std::string& error;
    bool operator()(int line, const std::string& what) const {
        error = lineError(name, line, what);
        return false;
    }
};

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

int indexOf(const char* const names[], int count, const std::string& action) {
    for (int i = 0; i < count; ++i) {
        if (action == names[i]) return i;
    }
    return -1;
}

// The keyboard's layout, and the built-in pause and mute keys where it types p and m.
void applyLayout() {
    keyboardLayout = platformKeyboardLayout();
    settings.pauseKey = keyTyping(defaultPauseCharacter);
    settings.muteKey = keyTyping(defaultMuteCharacter);
}

// The setting a pad action names, or null for any other action.
int* padSetting(const std::string& action) {
    int pad = indexOf(padChooseActions, padCount, action);
    if (pad >= 0) return &settings.padChoose[pad];
    pad = indexOf(padLeaveActions, padCount, action);
    if (pad >= 0) return &settings.padLeave[pad];
    pad = indexOf(padPauseActions, padCount, action);
    return pad >= 0 ? &settings.padPause[pad] : nullptr;
}

// The key of action number i of keyActionNames.
int& keySetting(int i) {
    if (i < buttonCount) return settings.keyBindings[i];
    return i == pauseAction ? settings.pauseKey : settings.muteKey;
}

// Where the platform names pad buttons, a name, or a number in the order of the names, so that a
// file written for numbered buttons still reads.
bool bindPadButton(int& setting, const std::string& value, std::string& what) {
    if (parseWholeNumber(value, padButtonLimit, setting)) return true;
    if (platformNamesPadButtons()) {
        setting = indexOf(padButtonNames, padButtonNameCount, lowered(value));
        if (setting >= 0) return true;
        what =
            "expected a pad button (a, b, x, y, back, guide, start, leftstick, rightstick, "
            "leftshoulder, rightshoulder), not '" +
            value + "'";
    } else {
        what = "expected a pad button number, not '" + value + "'";
    }
    return false;
}

std::string padButtonText(int button) {
    const bool named = platformNamesPadButtons() && button >= 0 && button < padButtonNameCount;
    return named ? padButtonNames[button] : std::to_string(button);
}

// A key given by name is the key that types it on the player's layout.
bool bindKey(const std::string& action, const std::string& value, std::string& what) {
    int i = indexOf(keyActionNames, keyActionCount, action);
    int key = keyOfLayoutName(lowered(value));
    if (i < 0) what = "unknown action '" + action + "'";
    else if (key < 0) what = "unknown key '" + value + "'";
    else if (std::count(std::begin(unbindableKeys), std::end(unbindableKeys), key)) {
        what = std::string("'") + layoutKeyName(key) + "' cannot be bound";
    } else {
        keySetting(i) = key;
        return true;
    }
    return false;
}

// Two actions on one key, at least one of them from the file: named at the later line.
bool findClash(const int givenAt[], const Failure& fail) {
    for (int a = 0; a < keyActionCount; ++a) {
        for (int b = a + 1; b < keyActionCount; ++b) {
            if (keySetting(a) != keySetting(b) || (!givenAt[a] && !givenAt[b])) continue;
            const std::string what = std::string("'") + layoutKeyName(keySetting(a)) + "' is bound to both " +
                                     keyActionNames[a] + " and " + keyActionNames[b];
            return fail(std::max(givenAt[a], givenAt[b]), what);
        }
    }
    return true;
}

bool exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string defaultKeyFile() { return configFilePath(keyFileName); }

namespace {

// The file given, else the default file when there is one.
bool readKeyFile(const std::string& keysPath, std::string& error) {
    std::string path = keysPath.empty() ? defaultKeyFile() : keysPath;
    if (path.empty() || (keysPath.empty() && !exists(path))) return true;
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    return parseKeyFile(in, path, error);
}

}  // namespace

bool loadControls(const std::string& keysPath, std::string& error) {
    applyLayout();
    const bool loaded = readKeyFile(keysPath, error);
    refreshKeyLabels();
    return loaded;
}

bool parseKeyFile(std::istream& in, const std::string& name, std::string& error) {
    const Failure fail{name, error};
    int givenAt[keyActionCount] = {};  // the line that bound each key action, 0 for a built-in key
    std::set<std::string> given;
    std::string text, action, value;
    for (int line = 1; std::getline(in, text); ++line) {
        const ConfLine kind = splitConfLine(text, action, value);
        if (kind == ConfLine::Blank) continue;
        if (kind == ConfLine::Malformed) return fail(line, "expected 'action = key'");
        if (!given.insert(action).second) return fail(line, action + " is given twice");
        std::string what;
        int* pad = padSetting(action);
        bool bound = pad ? bindPadButton(*pad, value, what) : bindKey(action, value, what);
        if (!bound) return fail(line, what);
        int i = indexOf(keyActionNames, keyActionCount, action);
        if (i >= 0) givenAt[i] = line;
    }
    return findClash(givenAt, fail);
}

void writeControls(std::ostream& out) {
    for (int i = 0; i < keyActionCount; ++i)
        out << keyActionNames[i] << " = " << layoutKeyName(keySetting(i)) << "\n";
    for (int pad = 0; pad < padCount; ++pad) {
        out << padChooseActions[pad] << " = " << padButtonText(settings.padChoose[pad]) << "\n";
        out << padLeaveActions[pad] << " = " << padButtonText(settings.padLeave[pad]) << "\n";
        out << padPauseActions[pad] << " = " << padButtonText(settings.padPause[pad]) << "\n";
    }
}
