#include "app/input/bindings.h"

#include "app/platform/key_codes.h"
#include "app/saved/settings.h"

bool keyBoundTo(int button, int key) { return settings.keyBindings[button] == key; }

const int defaultPauseCharacter = 'p';
const int defaultMuteCharacter = 'm';
const int defaultKeyBindings[buttonCount] = {'w', 's', 'a', 'd', keyArrowUp, keyArrowDown, keyArrowLeft, keyArrowRight};

int buttonForKey(int key) {
    for (int button = 0; button < buttonCount; ++button) {
        if (keyBoundTo(button, key)) return button;
    }
    return -1;
}

int playerOfButton(int button) { return button < buttonsPerPlayer ? 0 : 1; }
