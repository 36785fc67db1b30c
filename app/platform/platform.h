#pragma once
// What the frame needs of the operating system: events, the clock, the keyboard.
#include <cstdint>
#include <ctime>
#include <string>

#include "app/platform/key_codes.h"

// What the frame needs of the operating system, in its own terms. app/platform/sdl_platform.cpp
// implements it with SDL 1.2, app/platform/sdl2_platform.cpp with SDL 2; the tests link a fake
// clock and event source instead.

enum class AppEventType {
    Active,
    KeyDown,
    KeyUp,
    Quit,
    PadAdded,    // a pad came: at start-up for those present, and whenever one is plugged in
    PadRemoved,  // a pad went
    PadAxis,
    PadHat,
    PadButtonDown,
    Other,
};

struct AppEvent {
    AppEventType type = AppEventType::Other;
    bool gain = false;  // Active: focus gained
    int key = keyNone;  // KeyDown, KeyUp: the key's code (app/platform/key_codes.h)
    int pad = 0;        // Pad*: the pad's own number while it is plugged in, never reused
    int control = 0;    // PadAxis: padAxisHorizontal or padAxisVertical; PadHat: 0 for the
                        // d-pad; PadButtonDown: a PadButton, or the button's number (see
                        // platformNamesPadButtons())
    int value = 0;      // PadAxis: -32768 to 32767; PadHat: the padHat* bits held
    bool alt = false;   // KeyDown, KeyUp: an Alt key is held
    // Active: the keyboard's focus or the window's being shown changed, not only the pointer's.
    bool inputFocus = true;
};

// SDL with timer, audio, video and the pads (PadAdded for each), caption, key repeat, hidden pointer.
// False with `error` filled when video cannot be had.
bool platformInit(std::string& error);
bool platformPollEvent(AppEvent& event);
uint32_t platformTicks();
// The wall clock in seconds, which seeds the random sources and the games started here.
inline uint32_t clockSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }
// Whether the platform's clock reading `now` is before `deadline`, across the clock's wrap.
inline bool clockBefore(uint32_t now, uint32_t deadline) { return static_cast<int32_t>(deadline - now) > 0; }
void platformDelay(uint32_t ms);
// CPU time of the whole process so far, all its threads, in µs.
uint64_t platformCpuMicroseconds();
void platformKeyRepeat(int delay, int interval);
// Whether the key (a key code, as AppEvent.key carries) is down now, as the keyboard's own
// state has it: a release can happen where no event reaches us. True where it cannot be told.
bool platformKeyDown(int key);
void platformQuit();
// What the keyboard layout types on the placed keys: a Latin-1 character each, 0 where it cannot
// be told. Works before platformInit().
KeyboardLayout platformKeyboardLayout();
// Adds the pad mappings of a controller database file where the platform has one and the file is
// there.
void platformLoadPadMappings(const std::string& path);
// True where pads' buttons come by name (a PadButton), false where by number.
bool platformNamesPadButtons();
// The platform and the version of the library that runs, as "SDL 1.2.15".
std::string platformDescription();
