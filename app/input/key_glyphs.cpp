#include "app/input/key_glyphs.h"

#include "app/input/bindings.h"
#include "app/input/keyboard_layout.h"
#include "app/saved/settings.h"
#include "graphics/text.h"

namespace {

struct Spelled {
    char character;
    const char* word;
};

// Characters without a glyph, and those whose glyph is an arrow (the font draws ^ & < > as
// arrows), by the words of SDL's own key symbol names.
constexpr Spelled spelledCharacters[] = {
    {'!', "exclaim"},   {'"', "quotedbl"},   {'#', "hash"},      {'$', "dollar"}, {'&', "ampersand"},
    {'(', "leftparen"}, {')', "rightparen"}, {'*', "asterisk"},  {',', "comma"},  {';', "semicolon"},
    {'<', "less"},      {'>', "greater"},    {'?', "question"},  {'@', "at"},     {'\\', "backslash"},
    {'^', "caret"},     {'_', "underscore"}, {'`', "backquote"},
};

struct ArrowKey {
    int key;
    const char* glyph;
};
constexpr ArrowKey arrowKeys[] = {{keyArrowUp, "^"}, {keyArrowDown, "&"}, {keyArrowLeft, "<"}, {keyArrowRight, ">"}};

}  // namespace

std::string keyLabel(int key) {
    for (const ArrowKey& arrow : arrowKeys) {
        if (arrow.key == key) return arrow.glyph;
    }
    const char* name = layoutKeyName(key);
    std::string label;
    for (const char* c = name ? name : ""; *c; ++c) {
        const Spelled* spelled = nullptr;
        for (const Spelled& s : spelledCharacters) {
            if (s.character == *c) spelled = &s;
        }
        if (spelled) label += spelled->word;
        else if (glyphOf(*c) >= 0) label += *c;
    }
    return label;
}

KeyLabels keyLabelsInForce;

void refreshKeyLabels() { keyLabelsInForce = keyLabels(); }

KeyLabels keyLabels() {
    KeyLabels labels;
    for (int button = 0; button < buttonCount; ++button) {
        labels.keys[playerOfButton(button)][button % buttonsPerPlayer] =
            keyLabel(settings.keyBindings[button]);
    }
    return labels;
}
