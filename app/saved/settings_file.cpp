#include "app/saved/settings_file.h"

#include <cstdint>

#include "framework/game_entry.h"

Settings settings;

namespace {

const char* const windowedKey = "windowed";
const char* const displayKey = "display";
const char* const volumeKey = "volume";
const char* const gameKey = "game";
const char* const automaticDisplayName = "auto";
constexpr int displayLimit = 255;

bool decodeYesNo(const std::string& value, bool& setting, std::string& what) {
    if (value != "yes" && value != "no") {
        what = "expected yes or no, not '" + value + "'";
        return false;
    }
    setting = value == "yes";
    return true;
}

bool decodeDisplay(const std::string& value, int& setting, std::string& what) {
    if (value == automaticDisplayName) {
        setting = automaticDisplay;
        return true;
    }
    if (parseWholeNumber(value, displayLimit, setting)) return true;
    what = "expected auto or a monitor's number, not '" + value + "'";
    return false;
}

bool decodeVolume(const std::string& value, int& setting, std::string& what) {
    if (parseWholeNumber(value, fullVolume, setting)) return true;
    what = "expected a volume from 0 to 100, not '" + value + "'";
    return false;
}

// Keys of a newer version are no error: they are kept for it.
bool decodeSetting(const std::string& key, const std::string& value, SettingsValues& values,
                   std::string& what) {
    if (key == windowedKey) return decodeYesNo(value, values.windowed, what);
    if (key == displayKey) return decodeDisplay(value, values.display, what);
    if (key == volumeKey) return decodeVolume(value, values.volume, what);
    if (key == gameKey) values.game = value;
    return true;
}

}  // namespace

bool decodeSettings(const ConfText& text, const std::string& name, SettingsValues& values,
                    std::string& error) {
    size_t badLine = SIZE_MAX;
    for (const auto& [key, entry] : text.entries) {
        std::string what;
        if (decodeSetting(key, entry.value, values, what) || entry.line > badLine) continue;
        badLine = entry.line;
        error = lineError(name, static_cast<int>(entry.line) + 1, what);
    }
    return badLine == SIZE_MAX;
}

void encodeSettings(const SettingsValues& values, ConfText& text) {
    setConfValue(text, windowedKey, values.windowed ? "yes" : "no");
    const bool automatic = values.display == automaticDisplay;
    setConfValue(text, displayKey, automatic ? automaticDisplayName : std::to_string(values.display));
    setConfValue(text, volumeKey, std::to_string(values.volume));
    if (!values.game.empty()) setConfValue(text, gameKey, values.game);
}

SettingsValues settingsInForce() {
    return {settings.windowed, settings.display, settings.volume, selectedEntry ? selectedEntry->title : ""};
}

void applySettings(const SettingsValues& values) {
    settings.windowed = values.windowed;
    settings.display = values.display;
    settings.volume = values.volume;
}
