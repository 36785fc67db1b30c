#include <SDL.h>

#include <algorithm>

#include "graphics/video.h"

// SDL 2's displays are the X screen's outputs, the primary first.
bool queryMonitorLayout(MonitorLayout& layout) {
    int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(i, &bounds) != 0) return false;
        layout.monitors.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
        layout.screenWidth = std::max(layout.screenWidth, bounds.x + bounds.w);
        layout.screenHeight = std::max(layout.screenHeight, bounds.y + bounds.h);
    }
    if (count <= 0) return false;
    layout.primary = 0;
    ScreenPoint pointer{0, 0};
    SDL_GetGlobalMouseState(&pointer.x, &pointer.y);
    layout.pointer = pointer;
    return true;
}
