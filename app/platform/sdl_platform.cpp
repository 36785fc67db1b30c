// The frame's platform through SDL 1.2: events, the clock, pads and the keyboard.
#include <SDL.h>

#include <cstdlib>
#include <deque>

#include "app/platform/platform.h"
#include "app/platform/sdl_keys.h"
#include "app/platform/sdl_start.h"

namespace {

const char* const windowCaption = "tandrel";
static_assert(padHatUp == SDL_HAT_UP && padHatRight == SDL_HAT_RIGHT && padHatDown == SDL_HAT_DOWN &&
              padHatLeft == SDL_HAT_LEFT);

constexpr int padsOpened = 2;  // player 1's pad, then player 2's

// The pads opened at start-up, told as they come before any event of SDL's.
std::deque<AppEvent> padsFound;
// The symbol SDL last gave each key code: SDL 1.2 keeps the keyboard's state by symbol.
int symbolOfKey[keyCodeLimit] = {};

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
        event.key = keyOfSdl(e.key.keysym.sym, e.key.keysym.scancode);
        symbolOfKey[event.key] = e.key.keysym.sym;
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
    for (int i = 0; i < SDL_NumJoysticks() && i < padsOpened; ++i) {
        if (SDL_JoystickOpen(i)) padsFound.push_back(padEvent(AppEventType::PadAdded, i, 0));
    }
    SDL_JoystickEventState(SDL_ENABLE);
}

}  // namespace

bool platformInit(std::string& error) {
    // sdl12-compat would draw our frames into a buffer of its own and copy that to the window,
    // which we open at the size we draw anyway: a copy a frame, and one pixel comes out unlike
    // the classic library's and SDL 2's.
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
    if (!startSdl(error)) return false;
    openPads();
    SDL_WM_SetCaption(windowCaption, windowCaption);
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

bool platformPollEvent(AppEvent& event) {
    if (!padsFound.empty()) {
        event = padsFound.front();
        padsFound.pop_front();
        return true;
    }
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return false;
    event = fromSdl(e);
    return true;
}

uint32_t platformTicks() { return SDL_GetTicks(); }

void platformDelay(uint32_t ms) { SDL_Delay(ms); }

void platformKeyRepeat(int delay, int interval) { SDL_EnableKeyRepeat(delay, interval); }

// SDL 1.2 refreshes this array from the X server's keymap when the pointer comes back into the
// window (KeymapNotify), without sending the releases it missed.
bool platformKeyDown(int key) {
    int count = 0;
    const Uint8* state = SDL_GetKeyState(&count);
    const int symbol = key > keyNone && key < keyCodeLimit ? symbolOfKey[key] : 0;
    if (!state || symbol <= SDLK_UNKNOWN || symbol >= count) return true;
    return state[symbol] != 0;
}

void platformQuit() { SDL_Quit(); }

// SDL 1.2's joysticks number their buttons and name none.
bool platformNamesPadButtons() { return false; }

// No controller database: SDL 1.2 knows joysticks only.
void platformLoadPadMappings(const std::string&) {}

std::string platformDescription() { return sdlVersionText(*SDL_Linked_Version()); }
