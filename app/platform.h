#pragma once
#include <cstdint>
#include <string>

// What the frame needs of the operating system, in its own terms. app/sdl_platform.cpp
// implements it with SDL; the tests link a fake clock and event source instead.

enum class AppEventType { Active, KeyDown, KeyUp, Quit, Other };

struct AppEvent {
    AppEventType type = AppEventType::Other;
    bool gain = false;  // Active: focus gained
    int key = 0;        // KeyDown, KeyUp: the SDL key symbol
};

// SDL with timer, audio and video, caption, key repeat, hidden pointer. False with `error`
// filled when video cannot be had.
bool platformInit(std::string& error);
bool platformPollEvent(AppEvent& event);
uint32_t platformTicks();
void platformDelay(uint32_t ms);
// CPU time of the whole process so far, all its threads, in µs.
uint64_t platformCpuMicroseconds();
void platformKeyRepeat(int delay, int interval);
void platformQuit();
