#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "app/key_names.h"

namespace {

TEST(KeyNames, AreSdlsOwnForEverySymbol) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();  // SDL names keys once video is up
    int named = 0;
    for (int key = 0; key < SDLK_LAST; ++key) {
        const char* sdl = SDL_GetKeyName(static_cast<SDLKey>(key));
        bool sdlNames = std::strcmp(sdl, "unknown key") != 0;
        const char* ours = keyName(key);
        EXPECT_EQ(ours ? ours : "unknown key", std::string(sdl)) << key;
        if (sdlNames) {
            EXPECT_EQ(keyFromName(sdl), key) << sdl;
        }
        named += sdlNames;
    }
    SDL_Quit();
    EXPECT_GT(named, 200);
}

}  // namespace
