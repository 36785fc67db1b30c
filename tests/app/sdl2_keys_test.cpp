#include <gtest/gtest.h>

#include <SDL_scancode.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/input/key_names.h"
#include "app/platform/key_codes.h"
#include "app/platform/sdl2_keys.h"

namespace {

// The named keys SDL 2 has no scancode for: characters typed with Shift on a US keyboard, the
// Latin-1 "world" keys, and keys SDL 2 dropped. A layout's key known only by its character is
// found through its symbol instead.
std::vector<std::string> keysWithoutScancode() {
    std::vector<std::string> names;
    for (char c : std::string("!\"#$&()*+:>?@^_")) names.push_back(std::string(1, c));
    for (int world = 0; world <= keyWorldLast - keyWorldFirst; ++world)
        names.push_back("world " + std::to_string(world));
    for (const char* name : {"left meta", "right meta", "compose", "break", "euro"}) names.push_back(name);
    return names;
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Sdl2Keys, EveryNamedKeyWithAScancodeComesBackFromIt) {
    std::vector<std::string> without;
    for (int key = 0; key < keyCodeLimit; ++key) {
        const char* name = keyName(key);
        if (!name) continue;
        int scancode = scancodeOfKey(key);
        if (scancode == SDL_SCANCODE_UNKNOWN) without.push_back(name);
        else EXPECT_EQ(keyOfScancode(scancode), key) << name;
    }
    EXPECT_EQ(sorted(without), sorted(keysWithoutScancode()));
}

// Whatever a scancode gives can be written in a key file and read back to the same scancode.
TEST(Sdl2Keys, EveryScancodeTranslatedIsANamedKeyOfItsOwn) {
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        int key = keyOfScancode(scancode);
        if (key == keyNone) continue;
        EXPECT_NE(keyName(key), nullptr) << scancode;
        EXPECT_EQ(scancodeOfKey(key), scancode) << keyName(key);
    }
}

// The main block by place: SDL names its scancodes after the US keyboard's characters.
TEST(Sdl2Keys, PlacedKeysAreKnownByTheUsCharacterThere) {
    for (char c = 'a'; c <= 'z'; ++c) EXPECT_EQ(keyOfScancode(SDL_SCANCODE_A + (c - 'a')), c) << c;
    for (char c = '1'; c <= '9'; ++c) EXPECT_EQ(keyOfScancode(SDL_SCANCODE_1 + (c - '1')), c) << c;
    const struct {
        SDL_Scancode scancode;
        int key;
    } places[] = {
        {SDL_SCANCODE_0, '0'},
        {SDL_SCANCODE_GRAVE, '`'},
        {SDL_SCANCODE_MINUS, '-'},
        {SDL_SCANCODE_EQUALS, '='},
        {SDL_SCANCODE_LEFTBRACKET, '['},
        {SDL_SCANCODE_RIGHTBRACKET, ']'},
        {SDL_SCANCODE_BACKSLASH, '\\'},
        {SDL_SCANCODE_SEMICOLON, ';'},
        {SDL_SCANCODE_APOSTROPHE, '\''},
        {SDL_SCANCODE_COMMA, ','},
        {SDL_SCANCODE_PERIOD, '.'},
        {SDL_SCANCODE_SLASH, '/'},
        {SDL_SCANCODE_NONUSBACKSLASH, '<'},
    };
    for (const auto& place : places) EXPECT_EQ(keyOfScancode(place.scancode), place.key) << place.scancode;
    for (const char* c = placedCharacters; *c; ++c) EXPECT_NE(scancodeOfKey(*c), SDL_SCANCODE_UNKNOWN) << *c;
}

TEST(Sdl2Keys, NamedKeysAreTheKeysOfThatName) {
    const struct {
        SDL_Scancode scancode;
        int key;
    } named[] = {
        {SDL_SCANCODE_KP_0, keyKeypad0},
        {SDL_SCANCODE_KP_9, keyKeypad0 + 9},
        {SDL_SCANCODE_KP_EQUALS, keyKeypadEquals},
        {SDL_SCANCODE_F1, keyF1},
        {SDL_SCANCODE_F12, keyF1 + 11},
        {SDL_SCANCODE_F13, keyF1 + 12},
        {SDL_SCANCODE_F15, keyF1 + functionKeyCount - 1},
        {SDL_SCANCODE_PRINTSCREEN, keyPrintScreen},
        {SDL_SCANCODE_RETURN, keyReturn},
        {SDL_SCANCODE_KP_ENTER, keyKeypadEnter},
        {SDL_SCANCODE_LGUI, keyLeftSuper},
        {SDL_SCANCODE_RALT, keyRightAlt},
        {SDL_SCANCODE_APPLICATION, keyMenu},
        {SDL_SCANCODE_NUMLOCKCLEAR, keyNumLock},
    };
    for (const auto& entry : named) EXPECT_EQ(keyOfScancode(entry.scancode), entry.key) << keyName(entry.key);
    EXPECT_EQ(keyOfScancode(SDL_SCANCODE_UNKNOWN), keyNone);
    EXPECT_EQ(keyOfScancode(SDL_SCANCODE_INTERNATIONAL1), keyNone);
}

}  // namespace
