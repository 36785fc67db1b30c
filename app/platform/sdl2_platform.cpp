// The frame's platform through SDL 2: events, the clock, pads and the keyboard.
#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "app/platform/platform.h"
#include "app/platform/sdl2_keys.h"

namespace {

// SDL's named buttons in the order of PadButton, so that a button's number passes through.
constexpr SDL_GameControllerButton namedButtons[padButtonNameCount] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
};

constexpr bool buttonsInOurOrder() {
    for (int i = 0; i < padButtonNameCount; ++i) {
        if (namedButtons[i] != i) return false;
    }
    return true;
}
static_assert(buttonsInOurOrder(), "a controller's buttons pass through as PadButton codes");

// SDL 2 always repeats keys as the system does; the only setting left is whether repeats count.
bool keyRepeats = true;

// The d-pad's buttons held, as padHat* bits, of each open pad by its instance id.
std::map<SDL_JoystickID, int> heldHats;

int hatBitOf(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return padHatUp;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return padHatRight;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return padHatDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return padHatLeft;
    default: return 0;
    }
}

// A pad's axis, hat or button; only axes and hats have a value.
AppEvent padEvent(AppEventType type, int pad, int control, int value = 0) {
    AppEvent event;
    event.type = type;
    event.pad = pad;
    event.control = control;
    event.value = value;
    return event;
}

// Characters a layout puts on keys with no place of ours (a Latin-1 one, as SDL 1.2 numbered it).
int keyOfCharacter(SDL_Keycode symbol) {
    bool latin1 = (symbol >= 0x20 && symbol <= 0x7e) || (symbol >= 0xa0 && symbol <= 0xff);
    return latin1 ? static_cast<int>(symbol) : keyNone;
}

AppEvent keyEvent(const SDL_KeyboardEvent& e) {
    AppEvent event;
    if (e.repeat && !keyRepeats) return event;
    event.type = e.type == SDL_KEYDOWN ? AppEventType::KeyDown : AppEventType::KeyUp;
    event.key = keyOfScancode(e.keysym.scancode);
    if (event.key == keyNone) event.key = keyOfCharacter(e.keysym.sym);
    event.alt = (e.keysym.mod & KMOD_ALT) != 0;
    return event;
}

// As SDL 1.2 told them: the keyboard's focus and being shown, and (inputFocus false) the pointer's.
AppEvent windowEvent(const SDL_WindowEvent& e) {
    AppEvent event;
    event.type = AppEventType::Active;
    switch (e.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED: event.gain = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED: event.gain = false; break;
    case SDL_WINDOWEVENT_ENTER:
    case SDL_WINDOWEVENT_LEAVE:
        event.gain = e.event == SDL_WINDOWEVENT_ENTER;
        event.inputFocus = false;
        break;
    default: event.type = AppEventType::Other; break;
    }
    return event;
}

// A pad is known from the moment SDL adds it until it is removed; one without a mapping is no
// controller and stays closed.
AppEvent padAdded(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return AppEvent{};
    SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    heldHats[id] = 0;
    return padEvent(AppEventType::PadAdded, id, 0);
}

AppEvent padRemoved(SDL_JoystickID id) {
    SDL_GameController* controller = SDL_GameControllerFromInstanceID(id);
    if (!controller) return AppEvent{};
    SDL_GameControllerClose(controller);
    heldHats.erase(id);
    return padEvent(AppEventType::PadRemoved, id, 0);
}

// The d-pad's buttons make one hat; of the others only presses and only the named ones count.
AppEvent padButton(const SDL_ControllerButtonEvent& e) {
    int hatBit = hatBitOf(e.button);
    if (hatBit) {
        int& held = heldHats[e.which];
        held = e.state == SDL_PRESSED ? held | hatBit : held & ~hatBit;
        return padEvent(AppEventType::PadHat, e.which, 0, held);
    }
    if (e.state != SDL_PRESSED || e.button >= padButtonNameCount) return AppEvent{};
    return padEvent(AppEventType::PadButtonDown, e.which, e.button);
}

// The left stick steers; the other axes are not ours.
AppEvent padAxis(const SDL_ControllerAxisEvent& e) {
    switch (e.axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        return padEvent(AppEventType::PadAxis, e.which, padAxisHorizontal, e.value);
    case SDL_CONTROLLER_AXIS_LEFTY: return padEvent(AppEventType::PadAxis, e.which, padAxisVertical, e.value);
    default: return AppEvent{};
    }
}

AppEvent fromSdl(const SDL_Event& e) {
    switch (e.type) {
    case SDL_WINDOWEVENT: return windowEvent(e.window);
    case SDL_KEYDOWN:
    case SDL_KEYUP: return keyEvent(e.key);
    case SDL_CONTROLLERDEVICEADDED: return padAdded(e.cdevice.which);
    case SDL_CONTROLLERDEVICEREMOVED: return padRemoved(e.cdevice.which);
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: return padButton(e.cbutton);
    case SDL_CONTROLLERAXISMOTION: return padAxis(e.caxis);
    case SDL_QUIT: {
        AppEvent event;
        event.type = AppEventType::Quit;
        return event;
    }
    default: return AppEvent{};
    }
}

}  // namespace

bool platformInit(std::string& error) {
    // Without this SDL may try another video driver than X11's first.
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "x11", 1);
    // Audio is started on its own, after video: without an audio driver the game still runs,
    // silently, and a display that refuses us is tried (and its refusal printed by Xlib) once.
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot start video: ") + SDL_GetError();
        return false;
    }
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    // Pads present now come as SDL_CONTROLLERDEVICEADDED events, as later ones do.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    // No text is typed: an input method would only hold keys back (a French layout's dead keys).
    SDL_StopTextInput();
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

void platformKeyRepeat(int delay, int interval) { keyRepeats = delay != 0 || interval != 0; }

// Keys known only by their character are found where the layout puts that character now.
bool platformKeyDown(int key) {
    int scancode = scancodeOfKey(key);
    if (scancode == SDL_SCANCODE_UNKNOWN && keyOfCharacter(key) != keyNone) {
        scancode = SDL_GetScancodeFromKey(key);
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    if (!state || scancode == SDL_SCANCODE_UNKNOWN || scancode >= count) return true;
    return state[scancode] != 0;
}

void platformQuit() {
    heldHats.clear();
    SDL_Quit();
}

bool platformNamesPadButtons() { return true; }

void platformLoadPadMappings(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return;
    if (SDL_GameControllerAddMappingsFromFile(path.c_str()) < 0) {
        std::fprintf(stderr, "tandrel: %s: %s\n", path.c_str(), SDL_GetError());
    }
}

std::string platformDescription() {
    SDL_version linked;
    SDL_GetVersion(&linked);
    return "SDL " + std::to_string(linked.major) + "." + std::to_string(linked.minor) + "." +
           std::to_string(linked.patch);
}
