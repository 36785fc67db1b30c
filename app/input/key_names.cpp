#include "app/input/key_names.h"

#include <SDL_keysym.h>

#include <map>

namespace {

// Symbols named by their own character: SDL 1.2 uses ASCII codes for these keys.
const char* const characterKeys = "!\"#$&'()*+,-./0123456789:;<=>?@[\\]^_`abcdefghijklmnopqrstuvwxyz";

constexpr int worldFirst = SDLK_WORLD_0;  // "world 0" to "world 95"
constexpr int worldLast = SDLK_WORLD_95;

struct NamedKey {
    int key;
    const char* name;
};

constexpr NamedKey namedKeys[] = {
    {SDLK_BACKSPACE, "backspace"},
    {SDLK_TAB, "tab"},
    {SDLK_CLEAR, "clear"},
    {SDLK_RETURN, "return"},
    {SDLK_PAUSE, "pause"},
    {SDLK_ESCAPE, "escape"},
    {SDLK_SPACE, "space"},
    {SDLK_DELETE, "delete"},
    {SDLK_KP0, "[0]"},
    {SDLK_KP1, "[1]"},
    {SDLK_KP2, "[2]"},
    {SDLK_KP3, "[3]"},
    {SDLK_KP4, "[4]"},
    {SDLK_KP5, "[5]"},
    {SDLK_KP6, "[6]"},
    {SDLK_KP7, "[7]"},
    {SDLK_KP8, "[8]"},
    {SDLK_KP9, "[9]"},
    {SDLK_KP_PERIOD, "[.]"},
    {SDLK_KP_DIVIDE, "[/]"},
    {SDLK_KP_MULTIPLY, "[*]"},
    {SDLK_KP_MINUS, "[-]"},
    {SDLK_KP_PLUS, "[+]"},
    {SDLK_KP_ENTER, "enter"},
    {SDLK_KP_EQUALS, "equals"},
    {SDLK_UP, "up"},
    {SDLK_DOWN, "down"},
    {SDLK_RIGHT, "right"},
    {SDLK_LEFT, "left"},
    {SDLK_INSERT, "insert"},
    {SDLK_HOME, "home"},
    {SDLK_END, "end"},
    {SDLK_PAGEUP, "page up"},
    {SDLK_PAGEDOWN, "page down"},
    {SDLK_F1, "f1"},
    {SDLK_F2, "f2"},
    {SDLK_F3, "f3"},
    {SDLK_F4, "f4"},
    {SDLK_F5, "f5"},
    {SDLK_F6, "f6"},
    {SDLK_F7, "f7"},
    {SDLK_F8, "f8"},
    {SDLK_F9, "f9"},
    {SDLK_F10, "f10"},
    {SDLK_F11, "f11"},
    {SDLK_F12, "f12"},
    {SDLK_F13, "f13"},
    {SDLK_F14, "f14"},
    {SDLK_F15, "f15"},
    {SDLK_NUMLOCK, "numlock"},
    {SDLK_CAPSLOCK, "caps lock"},
    {SDLK_SCROLLOCK, "scroll lock"},
    {SDLK_RSHIFT, "right shift"},
    {SDLK_LSHIFT, "left shift"},
    {SDLK_RCTRL, "right ctrl"},
    {SDLK_LCTRL, "left ctrl"},
    {SDLK_RALT, "right alt"},
    {SDLK_LALT, "left alt"},
    {SDLK_RMETA, "right meta"},
    {SDLK_LMETA, "left meta"},
    {SDLK_LSUPER, "left super"},
    {SDLK_RSUPER, "right super"},
    {SDLK_MODE, "alt gr"},
    {SDLK_COMPOSE, "compose"},
    {SDLK_HELP, "help"},
    {SDLK_PRINT, "print screen"},
    {SDLK_SYSREQ, "sys req"},
    {SDLK_BREAK, "break"},
    {SDLK_MENU, "menu"},
    {SDLK_POWER, "power"},
    {SDLK_EURO, "euro"},
    {SDLK_UNDO, "undo"},
};

// Every name, built once on first use.
const std::map<int, std::string>& namesByKey() {
    static const std::map<int, std::string> names = [] {
        std::map<int, std::string> table;
        for (const char* c = characterKeys; *c; ++c)
            table[static_cast<unsigned char>(*c)] = std::string(1, *c);
        for (int key = worldFirst; key <= worldLast; ++key) {
            table[key] = "world " + std::to_string(key - worldFirst);
        }
        for (const NamedKey& named : namedKeys) table[named.key] = named.name;
        return table;
    }();
    return names;
}

}  // namespace

const char* keyName(int key) {
    const auto& names = namesByKey();
    auto it = names.find(key);
    return it == names.end() ? nullptr : it->second.c_str();
}

int keyFromName(const std::string& name) {
    for (const auto& [key, keyText] : namesByKey()) {
        if (keyText == name) return key;
    }
    return -1;
}
