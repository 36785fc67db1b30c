#include <SDL.h>
#include <time.h>

#include <cstdlib>

#include "app/platform.h"

namespace {

const char* const windowCaption = "tandrel";

AppEvent fromSdl(const SDL_Event& e) {
    AppEvent event;
    switch (e.type) {
    case SDL_ACTIVEEVENT:
        event.type = AppEventType::Active;
        event.gain = e.active.gain != 0;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        event.type = e.type == SDL_KEYDOWN ? AppEventType::KeyDown : AppEventType::KeyUp;
        event.key = e.key.keysym.sym;
        break;
    case SDL_QUIT: event.type = AppEventType::Quit; break;
    default: break;
    }
    return event;
}

}  // namespace

bool platformInit(std::string& error) {
    // Without this SDL 1.2 may fall back to a text-terminal driver and write to the terminal.
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "x11", 1);
    // Audio is started on its own, after video: without an audio driver the game still runs,
    // silently, and a display that refuses us is tried (and its refusal printed by Xlib) once.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot start video: ") + SDL_GetError();
        return false;
    }
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    SDL_WM_SetCaption(windowCaption, windowCaption);
    SDL_EnableUNICODE(1);
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

bool platformPollEvent(AppEvent& event) {
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return false;
    event = fromSdl(e);
    return true;
}

uint32_t platformTicks() { return SDL_GetTicks(); }

void platformDelay(uint32_t ms) { SDL_Delay(ms); }

uint64_t platformCpuMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1000000u + static_cast<uint64_t>(t.tv_nsec) / 1000u;
}

void platformKeyRepeat(int delay, int interval) { SDL_EnableKeyRepeat(delay, interval); }

void platformQuit() { SDL_Quit(); }
