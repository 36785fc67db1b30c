#pragma once
#include <optional>
#include <string>

#include "graphics/monitors.h"

struct WindowSize {
    int width;
    int height;
};

constexpr int windowedMaxWidth = 1024;
constexpr int windowedMaxHeight = 768;

WindowSize windowSizeFor(int desktopWidth, int desktopHeight, bool windowed);

enum class WindowKind {
    FullScreen,  // the library's full screen, over the whole X screen
    Window,      // framed, of windowSizeFor()
    Borderless,  // full screen on one monitor of several: an unframed window covering it
};

struct WindowPlacement {
    WindowKind kind;
    WindowSize size;
    std::optional<ScreenPoint> at;  // the top left corner; empty: where the library or desktop puts it
};

// With no monitor chosen, as on a desktop of one monitor; else the window or full screen on it.
WindowPlacement placeWindow(WindowSize desktop, const std::optional<MonitorRect>& monitor, bool windowed);
// Once SDL's video is up and before the window first opens: the monitor every later
// setVideoMode() goes on (see chooseMonitor). A requested display that is not there is said on
// stderr and the default taken.
void chooseVideoMonitor(int requested);

// Opens the window, full screen or a window of at most 1024 x 768, and sets the graphics state
// to its start. False with `error` filled when the window cannot be opened.
bool setVideoMode(bool windowed, bool noMultisample, std::string& error);
// Opens the window again, full screen or a window, keeping the palette, canvas, shade and grid;
// the GL state the old window had is set up anew. False with `error` filled when it cannot be
// opened.
bool changeVideoMode(bool windowed, bool noMultisample, std::string& error);
// Writes "screen%d.png" of the picture on screen into the working directory, skipping every
// number whose file is already there.
void saveScreenshot();
std::string screenshotName(int number);

// Platform side, graphics/sdl_video.cpp (SDL 1.2) or graphics/sdl2_video.cpp (SDL 2).
WindowSize queryDesktopSize();
bool openVideoWindow(const WindowPlacement& placement, bool noMultisample, std::string& error);
// The open window's size in pixels, which the picture is drawn at: more than the placement's
// size where the desktop scales windows up.
WindowSize videoDrawableSize();
// Shows the picture drawn into the back buffer.
void swapVideoBuffers();
// graphics/x_monitors.cpp: the monitors of SDL's X display, once SDL's video is up. False where
// SDL is on no X display or the server lists no monitors (RandR before 1.5). graphics/sdl2_monitors.cpp:
// SDL 2's displays.
bool queryMonitorLayout(MonitorLayout& layout);
// graphics/gl_present.cpp: reads the back buffer (bottom row first) as w * h RGBA pixels.
void readBackBuffer(int width, int height, unsigned char* pixels);
// graphics/png_file.cpp: writes 8-bit RGBA rows given top row first. False with `error` filled.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgbaTopFirst,
              std::string& error);
// graphics/png_file.cpp: something other than a directory is at `path`.
bool fileExists(const std::string& path);

extern int screenshotCount;
