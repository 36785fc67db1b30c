#pragma once
// What both SDL platforms do alike, written once: SDL 1.2's and SDL 2's interfaces agree here.
// Included only by the platform files, after the SDL of their build.
#include <SDL.h>

#include <cstdlib>
#include <string>

// SDL with its timer, video and, where there is a driver, audio. False with `error` filled when
// video cannot be had.
inline bool startSdl(std::string& error) {
    // Without this SDL may try a driver other than X11's first (SDL 1.2 a text terminal's).
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "x11", 1);
    // Audio is started on its own, after video: without an audio driver the game still runs,
    // silently, and a display that refuses us is tried (and its refusal printed by Xlib) once.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot start video: ") + SDL_GetError();
        return false;
    }
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    return true;
}

// "SDL 1.2.15": the version of the library that runs.
inline std::string sdlVersionText(const SDL_version& version) {
    return "SDL " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.patch);
}
