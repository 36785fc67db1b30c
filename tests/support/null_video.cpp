#include "graphics/canvas.h"
#include "graphics/video.h"
#include "support/fake_platform.h"

// The window of a unit test: on a 1024 x 768 desktop, never shown.
WindowSize queryDesktopSize() { return {1024, 768}; }

bool openVideoWindow(const WindowPlacement& placement, bool, std::string&) {
    fakePlatform.windowsOpened.push_back(placement);
    return true;
}

// The size asked for: a test's desktop scales no window.
WindowSize videoDrawableSize() {
    if (fakePlatform.windowsOpened.empty()) return {0, 0};
    return fakePlatform.windowsOpened.back().size;
}

bool queryMonitorLayout(MonitorLayout& layout) {
    layout = fakePlatform.monitors;
    return !layout.monitors.empty();
}

// Every pixel holds its row number (bottom row 0), so a test can see the rows' order.
void readBackBuffer(int width, int height, unsigned char* pixels) {
    for (int row = 0; row < height; ++row) {
        for (int i = 0; i < width * 4; ++i) pixels[(row * width) * 4 + i] = static_cast<unsigned char>(row);
    }
}

PresentPath presentPath = PresentPath::VertexArrays;

void drawCanvas() {}

void presentFrame() { ++fakePlatform.presented; }

bool writePng(const std::string& path, int width, int height, const unsigned char* rgba, std::string& error) {
    ++fakePlatform.screenshots;
    if (fakePlatform.failWrites) {
        error = "Permission denied";
        return false;
    }
    fakePlatform.lastPngPath = path;
    fakePlatform.lastPng.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
    return true;
}

bool fileExists(const std::string& path) { return fakePlatform.existingFiles.count(path) > 0; }
