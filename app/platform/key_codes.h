#pragma once
// tandrel's own key and pad button codes: what every platform translates its events into.

// A key of the main block that types a character is known by its place on the keyboard, and
// its code is the character a US keyboard types there: 'w' is the key left of 'e' on any layout
// (z on a French one). Keypad, arrow, function and modifier keys are known by what they are.
// Other characters (!, é as 0xe9) are codes too, for a key that no place is known for: a layout's
// key found only by its symbol. The values are the ones SDL 1.2 gave the same keys, so that the
// names in key files keep their numbers on every platform.
enum Key : int {
    keyNone = 0,
    keyBackspace = 8,
    keyTab = 9,
    keyClear = 12,
    keyReturn = 13,
    keyPause = 19,
    keyEscape = 27,
    keySpace = 32,
    keyDelete = 127,
    keyWorldFirst = 160,  // "world 0" to "world 95": Latin-1 characters 0xa0 to 0xff
    keyWorldLast = 255,
    keyKeypad0 = 256,  // to keyKeypad0 + 9
    keyKeypadPeriod = 266,
    keyKeypadDivide,
    keyKeypadMultiply,
    keyKeypadMinus,
    keyKeypadPlus,
    keyKeypadEnter,
    keyKeypadEquals,
    keyArrowUp,
    keyArrowDown,
    keyArrowRight,
    keyArrowLeft,
    keyInsert,
    keyHome,
    keyEnd,
    keyPageUp,
    keyPageDown,
    keyF1,  // to keyF1 + 14, F15
    keyNumLock = 300,
    keyCapsLock,
    keyScrollLock,
    keyRightShift,
    keyLeftShift,
    keyRightCtrl,
    keyLeftCtrl,
    keyRightAlt,
    keyLeftAlt,
    keyRightMeta,
    keyLeftMeta,
    keyLeftSuper,
    keyRightSuper,
    keyAltGr,
    keyCompose,
    keyHelp,
    keyPrintScreen,
    keySysReq,
    keyBreak,
    keyMenu,
    keyPower,
    keyEuro,
    keyUndo,
    keyCodeLimit,  // every code is below this
};

constexpr int functionKeyCount = 15;
constexpr int keyF9 = keyF1 + 8;
constexpr int keyF10 = keyF1 + 9;
constexpr int keyF11 = keyF1 + 10;

// The characters of the main block, keyed by place: the keys a platform reports by position.
// The ISO key beside left Shift has no US character; it is '<', which most layouts put there.
constexpr char placedCharacters[] = "`1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./<";
constexpr int placedKeyCount = sizeof placedCharacters - 1;

// What a keyboard layout types on each placed key, in the order of placedCharacters, as the code
// of a key known only by that character: 'z' for 'w' on a French layout; 0 where it is not told.
struct KeyboardLayout {
    int characters[placedKeyCount] = {};
};

// A pad's buttons, where the platform knows them by name (SDL 2's controllers); where it knows
// only numbers (SDL 1.2's joysticks), a pad button's code is its number.
enum PadButton : int {
    padA,  // the south button
    padB,  // the east button
    padX,
    padY,
    padBack,
    padGuide,
    padStart,
    padLeftStick,
    padRightStick,
    padLeftShoulder,
    padRightShoulder,
    padButtonNameCount,
};

// The names key files give them, in the order of PadButton.
constexpr const char* padButtonNames[padButtonNameCount] = {
    "a", "b", "x", "y", "back", "guide", "start", "leftstick", "rightstick", "leftshoulder", "rightshoulder",
};

// A pad's d-pad, as PadHat events carry it.
constexpr int padHatUp = 0x01;
constexpr int padHatRight = 0x02;
constexpr int padHatDown = 0x04;
constexpr int padHatLeft = 0x08;
constexpr int padAxisHorizontal = 0;  // negative is left
constexpr int padAxisVertical = 1;    // negative is up
