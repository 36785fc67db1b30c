#include "graphics/monitors.h"

namespace {

// Right and bottom edges belong to the next monitor.
bool holds(const MonitorRect& monitor, ScreenPoint point) {
    return point.x >= monitor.x && point.x < monitor.x + monitor.width && point.y >= monitor.y &&
           point.y < monitor.y + monitor.height;
}

long long area(const MonitorRect& monitor) { return static_cast<long long>(monitor.width) * monitor.height; }

// A desktop may list a monitor for the whole screen beside the real ones (Xvfb always does):
// the smallest holding the pointer is the one the player looks at.
int smallestHolding(const std::vector<MonitorRect>& monitors, ScreenPoint point) {
    int found = -1;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        if (holds(monitors[i], point) && (found < 0 || area(monitors[i]) < area(monitors[found]))) found = i;
    }
    return found;
}

}  // namespace

int chooseMonitor(const std::vector<MonitorRect>& monitors, int primary, std::optional<ScreenPoint> pointer,
                  int requested) {
    int count = static_cast<int>(monitors.size());
    if (count == 0) return -1;
    if (requested >= 0 && requested < count) return requested;
    int underPointer = pointer ? smallestHolding(monitors, *pointer) : -1;
    if (underPointer >= 0) return underPointer;
    if (primary >= 0 && primary < count) return primary;
    return 0;
}

bool coversScreen(const MonitorRect& monitor, int screenWidth, int screenHeight) {
    return monitor.x == 0 && monitor.y == 0 && monitor.width == screenWidth && monitor.height == screenHeight;
}
