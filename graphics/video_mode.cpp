#include <algorithm>
#include <cstdio>

#include "graphics/canvas.h"
#include "graphics/screen_effects.h"
#include "graphics/video.h"

namespace {

// Set by chooseVideoMonitor(); empty on a desktop of one monitor.
std::optional<MonitorRect> chosenMonitor;
// Asked before the first window opens: with a window open, SDL answers the window's size.
std::optional<WindowSize> desktopSize;

ScreenPoint centredOn(const MonitorRect& monitor, WindowSize size) {
    return {monitor.x + (monitor.width - size.width) / 2, monitor.y + (monitor.height - size.height) / 2};
}

}  // namespace

// The two limits apply separately, so a windowed game keeps neither aspect ratio.
WindowSize windowSizeFor(int desktopWidth, int desktopHeight, bool windowed) {
    if (!windowed) return {desktopWidth, desktopHeight};
    return {std::min(desktopWidth, windowedMaxWidth), std::min(desktopHeight, windowedMaxHeight)};
}

// SDL 1.2's full screen covers the whole X screen here. The classic library takes a Xinerama head
// only from its environment when its video starts, and asking X before that prints a refusing
// display's reason twice; sdl12-compat chooses among SDL 2's displays, which are outputs, not
// RandR monitors. Both put a window where they are asked.
WindowPlacement placeWindow(WindowSize desktop, const std::optional<MonitorRect>& monitor, bool windowed) {
    WindowKind fullScreen = monitor ? WindowKind::Borderless : WindowKind::FullScreen;
    WindowKind kind = windowed ? WindowKind::Window : fullScreen;
    if (!monitor) return {kind, windowSizeFor(desktop.width, desktop.height, windowed), std::nullopt};
    WindowSize size = windowSizeFor(monitor->width, monitor->height, windowed);
    return {kind, size, centredOn(*monitor, size)};
}

void chooseVideoMonitor(int requested) {
    chosenMonitor.reset();
    MonitorLayout layout;
    bool listed = queryMonitorLayout(layout);
    int count = static_cast<int>(layout.monitors.size());
    if (requested != anyDisplay && requested >= count) {
        std::fprintf(stderr, "tandrel: no display %d among the %d monitors the display lists\n", requested,
                     count);
    }
    if (!listed) return;
    const MonitorRect& monitor =
        layout.monitors[chooseMonitor(layout.monitors, layout.primary, layout.pointer, requested)];
    if (!coversScreen(monitor, layout.screenWidth, layout.screenHeight)) chosenMonitor = monitor;
}

bool setVideoMode(bool windowed, bool noMultisample, std::string& error) {
    resetPalette();
    if (!changeVideoMode(windowed, noMultisample, error)) return false;
    clearCanvas();
    resetScreenEffects();
    return true;
}

bool changeVideoMode(bool windowed, bool noMultisample, std::string& error) {
    if (!desktopSize) desktopSize = queryDesktopSize();
    WindowPlacement placement = placeWindow(*desktopSize, chosenMonitor, windowed);
    if (!openVideoWindow(placement, noMultisample, error)) return false;
    WindowSize drawn = videoDrawableSize();
    videoWidth = static_cast<float>(drawn.width);
    videoHeight = static_cast<float>(drawn.height);
    return true;
}
