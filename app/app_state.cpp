#include "app/app_state.h"

#include "app/input.h"
#include "framework/game_state.h"

AppState app;
Settings settings;

void restoreSettings() {
    settings.windowed = false;
    settings.noMultisample = true;
    for (int b = 0; b < buttonCount; ++b) settings.keyBindings[b] = defaultKeyBindings[b];
}
