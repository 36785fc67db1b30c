#include "app/platform/sdl2_keys.h"

#include <SDL_scancode.h>

#include "app/platform/key_codes.h"

namespace {

struct KeyScancode {
    int key;
    SDL_Scancode scancode;
};

// Each code once and each scancode once, so that the table reads both ways.
constexpr KeyScancode keyScancodes[] = {
    // The main block by place: the US character, and '<' for the ISO key beside left Shift.
    {'`', SDL_SCANCODE_GRAVE},
    {'1', SDL_SCANCODE_1},
    {'2', SDL_SCANCODE_2},
    {'3', SDL_SCANCODE_3},
    {'4', SDL_SCANCODE_4},
    {'5', SDL_SCANCODE_5},
    {'6', SDL_SCANCODE_6},
    {'7', SDL_SCANCODE_7},
    {'8', SDL_SCANCODE_8},
    {'9', SDL_SCANCODE_9},
    {'0', SDL_SCANCODE_0},
    {'-', SDL_SCANCODE_MINUS},
    {'=', SDL_SCANCODE_EQUALS},
    {'q', SDL_SCANCODE_Q},
    {'w', SDL_SCANCODE_W},
    {'e', SDL_SCANCODE_E},
    {'r', SDL_SCANCODE_R},
    {'t', SDL_SCANCODE_T},
    {'y', SDL_SCANCODE_Y},
    {'u', SDL_SCANCODE_U},
    {'i', SDL_SCANCODE_I},
    {'o', SDL_SCANCODE_O},
    {'p', SDL_SCANCODE_P},
    {'[', SDL_SCANCODE_LEFTBRACKET},
    {']', SDL_SCANCODE_RIGHTBRACKET},
    {'\\', SDL_SCANCODE_BACKSLASH},
    {'a', SDL_SCANCODE_A},
    {'s', SDL_SCANCODE_S},
    {'d', SDL_SCANCODE_D},
    {'f', SDL_SCANCODE_F},
    {'g', SDL_SCANCODE_G},
    {'h', SDL_SCANCODE_H},
    {'j', SDL_SCANCODE_J},
    {'k', SDL_SCANCODE_K},
    {'l', SDL_SCANCODE_L},
    {';', SDL_SCANCODE_SEMICOLON},
    {'\'', SDL_SCANCODE_APOSTROPHE},
    {'z', SDL_SCANCODE_Z},
    {'x', SDL_SCANCODE_X},
    {'c', SDL_SCANCODE_C},
    {'v', SDL_SCANCODE_V},
    {'b', SDL_SCANCODE_B},
    {'n', SDL_SCANCODE_N},
    {'m', SDL_SCANCODE_M},
    {',', SDL_SCANCODE_COMMA},
    {'.', SDL_SCANCODE_PERIOD},
    {'/', SDL_SCANCODE_SLASH},
    {'<', SDL_SCANCODE_NONUSBACKSLASH},
    // Keys known by what they are.
    {keyBackspace, SDL_SCANCODE_BACKSPACE},
    {keyTab, SDL_SCANCODE_TAB},
    {keyClear, SDL_SCANCODE_CLEAR},
    {keyReturn, SDL_SCANCODE_RETURN},
    {keyPause, SDL_SCANCODE_PAUSE},
    {keyEscape, SDL_SCANCODE_ESCAPE},
    {keySpace, SDL_SCANCODE_SPACE},
    {keyDelete, SDL_SCANCODE_DELETE},
    {keyKeypad0, SDL_SCANCODE_KP_0},
    {keyKeypad0 + 1, SDL_SCANCODE_KP_1},
    {keyKeypad0 + 2, SDL_SCANCODE_KP_2},
    {keyKeypad0 + 3, SDL_SCANCODE_KP_3},
    {keyKeypad0 + 4, SDL_SCANCODE_KP_4},
    {keyKeypad0 + 5, SDL_SCANCODE_KP_5},
    {keyKeypad0 + 6, SDL_SCANCODE_KP_6},
    {keyKeypad0 + 7, SDL_SCANCODE_KP_7},
    {keyKeypad0 + 8, SDL_SCANCODE_KP_8},
    {keyKeypad0 + 9, SDL_SCANCODE_KP_9},
    {keyKeypadPeriod, SDL_SCANCODE_KP_PERIOD},
    {keyKeypadDivide, SDL_SCANCODE_KP_DIVIDE},
    {keyKeypadMultiply, SDL_SCANCODE_KP_MULTIPLY},
    {keyKeypadMinus, SDL_SCANCODE_KP_MINUS},
    {keyKeypadPlus, SDL_SCANCODE_KP_PLUS},
    {keyKeypadEnter, SDL_SCANCODE_KP_ENTER},
    {keyKeypadEquals, SDL_SCANCODE_KP_EQUALS},
    {keyArrowUp, SDL_SCANCODE_UP},
    {keyArrowDown, SDL_SCANCODE_DOWN},
    {keyArrowRight, SDL_SCANCODE_RIGHT},
    {keyArrowLeft, SDL_SCANCODE_LEFT},
    {keyInsert, SDL_SCANCODE_INSERT},
    {keyHome, SDL_SCANCODE_HOME},
    {keyEnd, SDL_SCANCODE_END},
    {keyPageUp, SDL_SCANCODE_PAGEUP},
    {keyPageDown, SDL_SCANCODE_PAGEDOWN},
    {keyF1, SDL_SCANCODE_F1},
    {keyF1 + 1, SDL_SCANCODE_F2},
    {keyF1 + 2, SDL_SCANCODE_F3},
    {keyF1 + 3, SDL_SCANCODE_F4},
    {keyF1 + 4, SDL_SCANCODE_F5},
    {keyF1 + 5, SDL_SCANCODE_F6},
    {keyF1 + 6, SDL_SCANCODE_F7},
    {keyF1 + 7, SDL_SCANCODE_F8},
    {keyF9, SDL_SCANCODE_F9},
    {keyF10, SDL_SCANCODE_F10},
    {keyF11, SDL_SCANCODE_F11},
    {keyF1 + 11, SDL_SCANCODE_F12},
    {keyF1 + 12, SDL_SCANCODE_F13},
    {keyF1 + 13, SDL_SCANCODE_F14},
    {keyF1 + 14, SDL_SCANCODE_F15},
    {keyNumLock, SDL_SCANCODE_NUMLOCKCLEAR},
    {keyCapsLock, SDL_SCANCODE_CAPSLOCK},
    {keyScrollLock, SDL_SCANCODE_SCROLLLOCK},
    {keyRightShift, SDL_SCANCODE_RSHIFT},
    {keyLeftShift, SDL_SCANCODE_LSHIFT},
    {keyRightCtrl, SDL_SCANCODE_RCTRL},
    {keyLeftCtrl, SDL_SCANCODE_LCTRL},
    {keyRightAlt, SDL_SCANCODE_RALT},
    {keyLeftAlt, SDL_SCANCODE_LALT},
    // SDL 1.2 called the keys X names Super "super", SDL 2 calls them GUI.
    {keyLeftSuper, SDL_SCANCODE_LGUI},
    {keyRightSuper, SDL_SCANCODE_RGUI},
    {keyAltGr, SDL_SCANCODE_MODE},
    {keyHelp, SDL_SCANCODE_HELP},
    {keyPrintScreen, SDL_SCANCODE_PRINTSCREEN},
    {keySysReq, SDL_SCANCODE_SYSREQ},
    // X's Menu key, the one beside the right Windows key, is SDL 2's "application" key.
    {keyMenu, SDL_SCANCODE_APPLICATION},
    {keyPower, SDL_SCANCODE_POWER},
    {keyUndo, SDL_SCANCODE_UNDO},
};

}  // namespace

int keyOfScancode(int scancode) {
    for (const KeyScancode& entry : keyScancodes) {
        if (entry.scancode == scancode) return entry.key;
    }
    return keyNone;
}

int scancodeOfKey(int key) {
    for (const KeyScancode& entry : keyScancodes) {
        if (entry.key == key) return entry.scancode;
    }
    return SDL_SCANCODE_UNKNOWN;
}
