#include "app/platform/x_keycodes.h"

#include "app/platform/key_codes.h"

const int placedKeyXKeycodes[placedKeyCount] = {
    49,                                                  // `
    10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,      // 1 to 0, - and =
    24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 51,  // q to ], and backslash
    38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48,          // a to '
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61,              // z to /
    94,                                                  // the ISO key beside left Shift
};

int placedKeyOfXKeycode(int keycode) {
    for (int i = 0; i < placedKeyCount; ++i) {
        if (placedKeyXKeycodes[i] == keycode) return static_cast<unsigned char>(placedCharacters[i]);
    }
    return keyNone;
}
