#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "app/input/key_names.h"
#include "app/platform/key_codes.h"
#include "app/platform/sdl_keys.h"
#include "app/platform/x_keycodes.h"

namespace {

// sdl12-compat reports 1.2.50 and later; the classic library ended at 1.2.15.
bool sdl12CompatIsLoaded() { return SDL_Linked_Version()->patch >= 50; }

// Where sdl12-compat (1.2.60 and 1.2.68) names a key unlike the classic library, whose names our
// table keeps: key files must not depend on the library loaded.
const std::map<int, std::string> sdl12CompatNames = {
    {SDLK_SEMICOLON, ");"},  // the classic library says ";"
};

// Our table against SDL's own names for every symbol, both ways; with sdl12-compat loaded, the
// listed differences are checked as the library gives them.
TEST(KeyNames, AreSdlsOwnForEverySymbol) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();  // SDL names keys once video is up
    const bool compat = sdl12CompatIsLoaded();
    int named = 0;
    for (int key = 0; key < SDLK_LAST; ++key) {
        const std::string sdl = SDL_GetKeyName(static_cast<SDLKey>(key));
        auto difference = sdl12CompatNames.find(key);
        if (compat && difference != sdl12CompatNames.end()) {
            EXPECT_EQ(sdl, difference->second) << key << ": sdl12-compat's name changed";
            continue;
        }
        bool sdlNames = sdl != "unknown key";
        const char* ours = keyName(key);
        EXPECT_EQ(ours ? ours : "unknown key", sdl) << key;
        if (sdlNames) {
            EXPECT_EQ(keyFromName(sdl), key) << sdl;
        }
        named += sdlNames;
    }
    SDL_Quit();
    EXPECT_GT(named, 200);
}

// Every key a key file can name comes from SDL 1.2 as its code: a placed key by its X keycode
// whatever symbol the layout gives it, any other by its symbol; and a symbol with no place is
// its own code.
TEST(SdlKeys, EveryNamedKeyTranslatesBothWays) {
    int placed = 0;
    for (int key = 1; key < keyCodeLimit; ++key) {
        if (!keyName(key)) continue;
        EXPECT_EQ(keyOfSdl(key, 0), key) << keyName(key);
        const char* place = std::strchr(placedCharacters, key);
        if (key < 128 && place) {
            const int keycode = placedKeyXKeycodes[place - placedCharacters];
            EXPECT_EQ(keyOfSdl('!', keycode), key) << keyName(key);
            ++placed;
        }
    }
    EXPECT_EQ(placed, placedKeyCount);
    EXPECT_EQ(keyOfSdl(SDLK_UP, 111), keyArrowUp);  // X's keycode of Up is no place
    EXPECT_EQ(keyOfSdl(SDLK_LAST, 0), keyNone);
}

// A key file's names are our table's, whichever library is loaded.
TEST(KeyNames, KeepTheClassicNamesWhereSdl12CompatDiffers) {
    EXPECT_STREQ(keyName(SDLK_SEMICOLON), ";");
    EXPECT_EQ(keyFromName(";"), SDLK_SEMICOLON);
    EXPECT_EQ(keyFromName(");"), -1);
}

}  // namespace
