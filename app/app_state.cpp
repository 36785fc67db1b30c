#include "app/app_state.h"

#include "app/input.h"
#include "framework/game_state.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"

AppState app;
Settings settings;

void restoreSettings() {
    settings.windowed = false;
    settings.noMultisample = true;
    for (int b = 0; b < buttonCount; ++b) settings.keyBindings[b] = defaultKeyBindings[b];
}

void selectGame(int id) {
    app.selectedGame = id;
    selectedEntry = findGameEntry(id);
    graphicsInputs.baseColors = selectedEntry ? selectedEntry->baseColors : nullptr;
    graphicsInputs.sprites = selectedEntry ? selectedEntry->sprites : nullptr;
}
