#include "app/input/key_names.h"

#include <map>

#include "app/platform/key_codes.h"

namespace {

// Keys named by their own character, which is their code.
const char* const characterKeys = "!\"#$&'()*+,-./0123456789:;<=>?@[\\]^_`abcdefghijklmnopqrstuvwxyz";

struct NamedKey {
    int key;
    const char* name;
};

constexpr NamedKey namedKeys[] = {
    {keyBackspace, "backspace"},
    {keyTab, "tab"},
    {keyClear, "clear"},
    {keyReturn, "return"},
    {keyPause, "pause"},
    {keyEscape, "escape"},
    {keySpace, "space"},
    {keyDelete, "delete"},
    {keyKeypadPeriod, "[.]"},
    {keyKeypadDivide, "[/]"},
    {keyKeypadMultiply, "[*]"},
    {keyKeypadMinus, "[-]"},
    {keyKeypadPlus, "[+]"},
    {keyKeypadEnter, "enter"},
    {keyKeypadEquals, "equals"},
    {keyArrowUp, "up"},
    {keyArrowDown, "down"},
    {keyArrowRight, "right"},
    {keyArrowLeft, "left"},
    {keyInsert, "insert"},
    {keyHome, "home"},
    {keyEnd, "end"},
    {keyPageUp, "page up"},
    {keyPageDown, "page down"},
    {keyNumLock, "numlock"},
    {keyCapsLock, "caps lock"},
    {keyScrollLock, "scroll lock"},
    {keyRightShift, "right shift"},
    {keyLeftShift, "left shift"},
    {keyRightCtrl, "right ctrl"},
    {keyLeftCtrl, "left ctrl"},
    {keyRightAlt, "right alt"},
    {keyLeftAlt, "left alt"},
    {keyRightMeta, "right meta"},
    {keyLeftMeta, "left meta"},
    {keyLeftSuper, "left super"},
    {keyRightSuper, "right super"},
    {keyAltGr, "alt gr"},
    {keyCompose, "compose"},
    {keyHelp, "help"},
    {keyPrintScreen, "print screen"},
    {keySysReq, "sys req"},
    {keyBreak, "break"},
    {keyMenu, "menu"},
    {keyPower, "power"},
    {keyEuro, "euro"},
    {keyUndo, "undo"},
};

// Every name, built once on first use.
const std::map<int, std::string>& namesByKey() {
    static const std::map<int, std::string> names = [] {
        std::map<int, std::string> table;
        for (const char* c = characterKeys; *c; ++c)
            table[static_cast<unsigned char>(*c)] = std::string(1, *c);
        for (int key = keyWorldFirst; key <= keyWorldLast; ++key) {
            table[key] = "world " + std::to_string(key - keyWorldFirst);
        }
        for (int digit = 0; digit <= 9; ++digit)
            table[keyKeypad0 + digit] = "[" + std::to_string(digit) + "]";
        for (int n = 1; n <= functionKeyCount; ++n) table[keyF1 + n - 1] = "f" + std::to_string(n);
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
