#include "app/window/app_state.h"

#include "app/input/actions.h"
#include "app/input/bindings.h"
#include "app/input/key_glyphs.h"
#include "app/saved/settings.h"

AppState app;

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
