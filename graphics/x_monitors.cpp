#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/extensions/Xrandr.h>

#include "graphics/sdl_x11.h"
#include "graphics/video.h"

Display* sdlDisplay() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return nullptr;
    return info.info.x11.display;
}

namespace {

// Monitors came with RandR 1.5; asking an older server for them is a protocol error.
bool listsMonitors(Display* display) {
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &event, &error)) return false;
    if (!XRRQueryVersion(display, &major, &minor)) return false;
    return major > 1 || (major == 1 && minor >= 5);
}

std::optional<ScreenPoint> pointerOn(Display* display, Window root) {
    Window pointerRoot = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(display, root, &pointerRoot, &child, &x, &y, &windowX, &windowY, &buttons)) {
        return std::nullopt;
    }
    return ScreenPoint{x, y};
}

}  // namespace

bool queryMonitorLayout(MonitorLayout& layout) {
    Display* display = sdlDisplay();
    if (!display || !listsMonitors(display)) return false;
    int screen = DefaultScreen(display);
    Window root = RootWindow(display, screen);
    int count = 0;
    // Active ones only: a monitor whose outputs are all off shows nothing.
    XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
    if (!monitors) return false;
    for (int i = 0; i < count; ++i) {
        layout.monitors.push_back({monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height});
        if (monitors[i].primary) layout.primary = i;
    }
    XRRFreeMonitors(monitors);
    layout.pointer = pointerOn(display, root);
    layout.screenWidth = DisplayWidth(display, screen);
    layout.screenHeight = DisplayHeight(display, screen);
    return count > 0;
}
