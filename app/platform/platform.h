#pragma once
// What the frame needs of the operating system: events, the clock, the keyboard.
#include <cstdint>
#include <ctime>
#include <string>

// What the frame needs of the operating system, in its own terms. app/sdl_platform.cpp
// implements it with SDL; the tests link a fake clock and event source instead.

enum class AppEventType { Active, KeyDown, KeyUp, Quit, PadAxis, PadHat, PadButtonDown, Other };

struct AppEvent {
    AppEventType type = AppEventType::Other;
    bool gain = false;  // Active: focus gained
    int key = 0;        // KeyDown, KeyUp: the SDL key symbol
    int scancode = 0;   // KeyDown, KeyUp: the X keycode, 0 where SDL reports none
    int pad = 0;        // Pad*: which pad, in the order they were opened
    int control = 0;    // Pad*: the axis, hat or button number
    int value = 0;      // PadAxis: -32768 to 32767; PadHat: SDL's hat bits
    bool alt = false;   // KeyDown, KeyUp: an Alt key is held
    // Active: the keyboard's focus or the window's being shown changed, not only the pointer's.
    bool inputFocus = true;
};

// SDL with timer, audio, video and the first pads found, caption, key repeat, hidden pointer.
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
// Whether the key (a key symbol, as AppEvent.key carries) is down now, as the keyboard's own
// state has it: a release can happen where no event reaches us. True where it cannot be told.
bool platformKeyDown(int key);
void platformQuit();
// The key symbol the keyboard layout puts on each X keycode, 0 where it cannot be told or the
// symbol is not one SDL names by a Latin-1 character. Works before platformInit().
void platformLayoutKeys(const int keycodes[], int keys[], int count);
