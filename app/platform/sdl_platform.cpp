// The frame's platform through SDL 1.2 and Xlib: events, the clock, pads and the keyboard layout.
#include <SDL.h>
#include <X11/XKBlib.h>
#include <time.h>

#include <cstdlib>

#include "app/platform/platform.h"
#include "graphics/sdl_x11.h"

namespace {

const char* const windowCaption = "tandrel";
constexpr int padsOpened = 2;  // player 1's pad, then player 2's

// A pad's axis, hat or button; only axes and hats have a value.
AppEvent padEvent(AppEventType type, int pad, int control, int value = 0) {
    AppEvent event;
    event.type = type;
    event.pad = pad;
    event.control = control;
    event.value = value;
    return event;
}

AppEvent fromSdl(const SDL_Event& e) {
    AppEvent event;
    switch (e.type) {
    case SDL_ACTIVEEVENT:
        event.type = AppEventType::Active;
        event.gain = e.active.gain != 0;
        event.inputFocus = (e.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        event.type = e.type == SDL_KEYDOWN ? AppEventType::KeyDown : AppEventType::KeyUp;
        event.key = e.key.keysym.sym;
        event.scancode = e.key.keysym.scancode;
        event.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
        break;
    case SDL_JOYAXISMOTION:
        event = padEvent(AppEventType::PadAxis, e.jaxis.which, e.jaxis.axis, e.jaxis.value);
        break;
    case SDL_JOYHATMOTION:
        event = padEvent(AppEventType::PadHat, e.jhat.which, e.jhat.hat, e.jhat.value);
        break;
    case SDL_JOYBUTTONDOWN:
        event = padEvent(AppEventType::PadButtonDown, e.jbutton.which, e.jbutton.button);
        break;
    case SDL_QUIT: event.type = AppEventType::Quit; break;
    default: break;
    }
    return event;
}

// SDL 1.2 sees only the pads present now; they stay open until SDL_Quit.
void openPads() {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
    for (int i = 0; i < SDL_NumJoysticks() && i < padsOpened; ++i) SDL_JoystickOpen(i);
    SDL_JoystickEventState(SDL_ENABLE);
}

// Latin-1 keysyms are SDL 1.2's key symbols for the same characters.
int sdlKeyOfKeysym(KeySym keysym) {
    bool latin1 = (keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff);
    return latin1 ? static_cast<int>(keysym) : 0;
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
    openPads();
    SDL_WM_SetCaption(windowCaption, windowCaption);
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

// SDL 1.2 refreshes this array from the X server's keymap when the pointer comes back into the
// window (KeymapNotify), without sending the releases it missed. SDLK_UNKNOWN's entry means nothing.
bool platformKeyDown(int key) {
    int count = 0;
    const Uint8* state = SDL_GetKeyState(&count);
    if (!state || key <= SDLK_UNKNOWN || key >= count) return true;
    return state[key] != 0;
}

void platformQuit() { SDL_Quit(); }

void platformLayoutKeys(const int keycodes[], int keys[], int count) {
    for (int i = 0; i < count; ++i) keys[i] = 0;
    Display* display = sdlDisplay();
    // Before SDL starts (printing the bindings), a connection of our own, if there is a display.
    Display* own = display ? nullptr : XOpenDisplay(nullptr);
    if (!display) display = own;
    if (!display) return;
    for (int i = 0; i < count; ++i) {
        keys[i] = sdlKeyOfKeysym(XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycodes[i]), 0, 0));
    }
    if (own) XCloseDisplay(own);
}
