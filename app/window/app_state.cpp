#include "app/window/app_state.h"

#include "app/input/actions.h"
#include "app/input/bindings.h"
#include "app/input/key_glyphs.h"
#include "app/window/net_window.h"
#include "app/saved/save_policy.h"
#include "framework/game_state.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"

AppState app;
Settings settings;

void restoreSettings() {
    settings.windowed = false;
    settings.display = automaticDisplay;
    settings.volume = fullVolume;
    settings.noMultisample = true;
    for (int b = 0; b < buttonCount; ++b) {
        settings.keyBindings[b] = defaultKeyBindings[b];
        settings.keyScancodes[b] = defaultKeyScancodes[b];
    }
    for (int pad = 0; pad < padCount; ++pad) {
        settings.padChoose[pad] = defaultPadChoose;
        settings.padLeave[pad] = defaultPadLeave;
        settings.padPause[pad] = defaultPadPause;
    }
    settings.pauseKey = defaultPauseKey;
    settings.muteKey = defaultMuteKey;
    refreshKeyLabels();
}

void selectGame(int id) {
    app.selectedGame = id;
    selectedEntry = findGameEntry(id);
    graphicsInputs.baseColors = selectedEntry ? selectedEntry->baseColors : nullptr;
    graphicsInputs.sprites = selectedEntry ? selectedEntry->sprites : nullptr;
}

void switchGame(int id) {
    if (guestWaits()) return;
    selectGame(id);
    netGameChosen(selectedEntry->title);
    resetPalette();
    saveSettings();
}
