#pragma once
#include <string>

struct WindowSize {
    int width;
    int height;
};

constexpr int windowedMaxWidth = 1024;
constexpr int windowedMaxHeight = 768;

WindowSize windowSizeFor(int desktopWidth, int desktopHeight, bool windowed);

// Opens the window, full screen or a window of at most 1024 x 768, and sets the graphics state
// to its start. False with `error` filled when the window cannot be opened.
bool setVideoMode(bool windowed, bool noMultisample, std::string& error);
// Writes "screen%d.png" of the picture on screen into the working directory, skipping every
// number whose file is already there.
void saveScreenshot();
std::string screenshotName(int number);

// Platform side, graphics/sdl_video.cpp.
WindowSize queryDesktopSize();
bool openVideoWindow(WindowSize size, bool fullscreen, bool noMultisample, std::string& error);
// Reads the back buffer (bottom row first) as w * h RGBA pixels.
void readBackBuffer(int width, int height, unsigned char* pixels);
// graphics/png_file.cpp: writes 8-bit RGBA rows given top row first. False with `error` filled.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgbaTopFirst,
              std::string& error);
// graphics/png_file.cpp: something other than a directory is at `path`.
bool fileExists(const std::string& path);

extern int screenshotCount;
