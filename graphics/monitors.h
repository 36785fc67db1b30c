#pragma once
#include <optional>
#include <vector>

// Places on the X screen, in pixels from its top left corner, as X gives them.
struct ScreenPoint {
    int x;
    int y;
};

struct MonitorRect {
    int x;
    int y;
    int width;
    int height;
};

// What the display says of its monitors when the window is about to open.
struct MonitorLayout {
    std::vector<MonitorRect> monitors;   // in the order xrandr lists them
    int primary = -1;                    // index into monitors; -1 where none is primary
    std::optional<ScreenPoint> pointer;  // empty while the pointer is on another X screen
    int screenWidth = 0;
    int screenHeight = 0;
};

constexpr int anyDisplay = -1;  // no --display: the pointer's monitor

// The index of the monitor the game goes on: `requested` where there is such a monitor; else the
// smallest that holds the pointer, else the primary, else the first. -1 for no monitors.
int chooseMonitor(const std::vector<MonitorRect>& monitors, int primary, std::optional<ScreenPoint> pointer,
                  int requested);
// The monitor is the whole screen, as on a desktop of one monitor.
bool coversScreen(const MonitorRect& monitor, int screenWidth, int screenHeight);
