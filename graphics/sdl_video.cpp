#include <GL/glew.h>
#include <SDL.h>

#include "graphics/video.h"

// Must run before the mode is set: afterwards SDL reports the window's size instead.
WindowSize queryDesktopSize() {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (!info) return {windowedMaxWidth, windowedMaxHeight};
    return {info->current_w, info->current_h};
}

bool openVideoWindow(WindowSize size, bool fullscreen, bool noMultisample, std::string& error) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Depth testing is never on: a depth buffer would only cost its clears and its memory.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    Uint32 flags = SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
    if (!SDL_SetVideoMode(size.width, size.height, 32, flags)) {
        error = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT);
    glewInit();
    // Multisampling that a driver forces would blur the cell edges.
    if (noMultisample && GLEW_ARB_multisample) glDisable(GL_MULTISAMPLE_ARB);
    return true;
}

void readBackBuffer(int width, int height, unsigned char* pixels) {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}
