#include "app/input/keyboard_layout.h"

#include "app/input/key_names.h"

KeyboardLayout keyboardLayout;

namespace {

int placedIndex(int key) {
    for (int i = 0; i < placedKeyCount; ++i) {
        if (static_cast<unsigned char>(placedCharacters[i]) == key) return i;
    }
    return -1;
}

}  // namespace

int typedCharacter(int key) {
    const int i = placedIndex(key);
    const int typed = i < 0 ? keyNone : keyboardLayout.characters[i];
    return typed != keyNone && keyName(typed) ? typed : key;
}

int keyTyping(int character) {
    for (int i = 0; i < placedKeyCount; ++i) {
        if (typedCharacter(static_cast<unsigned char>(placedCharacters[i])) == character)
            return static_cast<unsigned char>(placedCharacters[i]);
    }
    return character;
}

const char* layoutKeyName(int key) { return keyName(typedCharacter(key)); }

int keyOfLayoutName(const std::string& name) {
    const int character = keyFromName(name);
    return character < 0 ? -1 : keyTyping(character);
}
