#include <algorithm>

#include "graphics/canvas.h"
#include "graphics/screen_effects.h"
#include "graphics/video.h"

// The two limits apply separately, so a windowed game keeps neither aspect ratio.
WindowSize windowSizeFor(int desktopWidth, int desktopHeight, bool windowed) {
    if (!windowed) return {desktopWidth, desktopHeight};
    return {std::min(desktopWidth, windowedMaxWidth), std::min(desktopHeight, windowedMaxHeight)};
}

bool setVideoMode(bool windowed, bool noMultisample, std::string& error) {
    resetPalette();
    WindowSize desktop = queryDesktopSize();
    WindowSize size = windowSizeFor(desktop.width, desktop.height, windowed);
    videoWidth = static_cast<float>(size.width);
    videoHeight = static_cast<float>(size.height);
    if (!openVideoWindow(size, !windowed, noMultisample, error)) return false;
    clearCanvas();
    resetScreenEffects();
    return true;
}
