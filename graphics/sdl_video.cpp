#include <GL/glew.h>
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "graphics/video.h"

namespace {

Uint32 flagsOf(WindowKind kind) {
    switch (kind) {
    case WindowKind::FullScreen: return SDL_FULLSCREEN;
    case WindowKind::Window: return 0;
    case WindowKind::Borderless: return SDL_NOFRAME;
    }
    return 0;
}

// Both libraries read it when they create the window.
void placeNextWindow(ScreenPoint at) {
    std::string position = std::to_string(at.x) + "," + std::to_string(at.y);
    setenv("SDL_VIDEO_WINDOW_POS", position.c_str(), 1);
}

}  // namespace

// Must run before the mode is set: afterwards SDL reports the window's size instead.
WindowSize queryDesktopSize() {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info) return {windowedMaxWidth, windowedMaxHeight};
    return {info->current_w, info->current_h};
}

bool openVideoWindow(const WindowPlacement& placement, bool noMultisample, std::string& error) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Depth testing is never on: a depth buffer would only cost its clears and its memory.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    if (placement.at) placeNextWindow(*placement.at);
    WindowSize size = placement.size;
    if (!SDL_SetVideoMode(size.width, size.height, 32, SDL_OPENGL | flagsOf(placement.kind))) {
        error = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    // The classic library keeps its context over a new mode, and with it the old viewport.
    glViewport(0, 0, size.width, size.height);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT);
    glewInit();
    // Multisampling that a driver forces would blur the cell edges.
    if (noMultisample && GLEW_ARB_multisample) glDisable(GL_MULTISAMPLE_ARB);
    return true;
}

// SDL 1.2 scales no window: its surface is the size asked for.
WindowSize videoDrawableSize() {
    const SDL_Surface* surface = SDL_GetVideoSurface();
    if (!surface) return {0, 0};
    return {surface->w, surface->h};
}

void swapVideoBuffers() { SDL_GL_SwapBuffers(); }
