#include "app/window/app_state.h"

#include "app/input/actions.h"
#include "app/input/bindings.h"
#include "app/input/key_glyphs.h"
#include "app/input/keyboard_layout.h"
#include "app/saved/settings.h"

AppState app;

void restoreSettings() {
    settings.windowed = false;
    settings.display = automaticDisplay;
    settings.volume = fullVolume;
    settings.noMultisample = true;
    for (int b = 0; b < buttonCount; ++b) settings.keyBindings[b] = defaultKeyBindings[b];
    for (int pad = 0; pad < padCount; ++pad) {
        settings.padChoose[pad] = defaultPadChoose;
        settings.padLeave[pad] = defaultPadLeave;
        settings.padPause[pad] = defaultPadPause();
    }
    settings.pauseKey = keyTyping(defaultPauseCharacter);
    settings.muteKey = keyTyping(defaultMuteCharacter);
    refreshKeyLabels();
}
