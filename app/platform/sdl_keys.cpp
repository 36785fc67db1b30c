#include "app/platform/sdl_keys.h"

#include <SDL_keysym.h>

#include "app/platform/key_codes.h"
#include "app/platform/x_keycodes.h"

// Our codes keep SDL 1.2's numbers, so that a symbol needs no table.
constexpr bool same(int ours, int sdl) { return ours == sdl; }
static_assert(same(keyEscape, SDLK_ESCAPE) && same(keyDelete, SDLK_DELETE) &&
              same(keyWorldFirst, SDLK_WORLD_0) && same(keyWorldLast, SDLK_WORLD_95));
static_assert(same(keyKeypad0, SDLK_KP0) && same(keyKeypadPeriod, SDLK_KP_PERIOD) &&
              same(keyKeypadEquals, SDLK_KP_EQUALS));
static_assert(same(keyArrowUp, SDLK_UP) && same(keyArrowLeft, SDLK_LEFT) &&
              same(keyPageDown, SDLK_PAGEDOWN) && same(keyF1, SDLK_F1) &&
              same(keyF1 + functionKeyCount - 1, SDLK_F15));
static_assert(same(keyNumLock, SDLK_NUMLOCK) && same(keyAltGr, SDLK_MODE) &&
              same(keyPrintScreen, SDLK_PRINT) && same(keyUndo, SDLK_UNDO) && same(keyCodeLimit, SDLK_LAST));

int keyOfSdl(int sym, int scancode) {
    const int placed = placedKeyOfXKeycode(scancode);
    if (placed != keyNone) return placed;
    return sym > SDLK_UNKNOWN && sym < SDLK_LAST ? sym : keyNone;
}
