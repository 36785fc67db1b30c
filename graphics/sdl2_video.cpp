#include <GL/glew.h>
#include <SDL.h>
#include <SDL_syswm.h>

#include <string>

#include "graphics/sdl_x11.h"
#include "graphics/video.h"

namespace {

const char* const windowCaption = "tandrel";

// The program's one window and its context; every new placement replaces both, as SDL 1.2
// replaces its window on a new video mode.
SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;

Uint32 flagsOf(WindowKind kind) {
    switch (kind) {
    case WindowKind::FullScreen: return SDL_WINDOW_FULLSCREEN_DESKTOP;
    case WindowKind::Window: return 0;
    case WindowKind::Borderless: return SDL_WINDOW_BORDERLESS;
    }
    return 0;
}

void closeVideoWindow() {
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
}

bool createVideoWindow(const WindowPlacement& placement, std::string& error) {
    int x = placement.at ? placement.at->x : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    int y = placement.at ? placement.at->y : static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | flagsOf(placement.kind);
    window = SDL_CreateWindow(windowCaption, x, y, placement.size.width, placement.size.height, flags);
    if (window) context = SDL_GL_CreateContext(window);
    if (context) return true;
    error = std::string("cannot open the window: ") + SDL_GetError();
    closeVideoWindow();
    return false;
}

}  // namespace

WindowSize queryDesktopSize() {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {windowedMaxWidth, windowedMaxHeight};
    return {mode.w, mode.h};
}

bool openVideoWindow(const WindowPlacement& placement, bool noMultisample, std::string& error) {
    closeVideoWindow();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Depth testing is never on: a depth buffer would only cost its clears and its memory.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    if (!createVideoWindow(placement, error)) return false;
    WindowSize drawn = videoDrawableSize();
    glViewport(0, 0, drawn.width, drawn.height);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    glClear(GL_COLOR_BUFFER_BIT);
    glewInit();
    // Multisampling that a driver forces would blur the cell edges.
    if (noMultisample && GLEW_ARB_multisample) glDisable(GL_MULTISAMPLE_ARB);
    return true;
}

// On a screen of high density the window's pixels are more than its size says.
WindowSize videoDrawableSize() {
    WindowSize drawn{0, 0};
    if (window) SDL_GL_GetDrawableSize(window, &drawn.width, &drawn.height);
    return drawn;
}

void swapVideoBuffers() { SDL_GL_SwapWindow(window); }

Display* sdlDisplay() {
    if (!window) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    return info.info.x11.display;
}
