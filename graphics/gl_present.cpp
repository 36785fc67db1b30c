#include <GL/glew.h>

#include "graphics/canvas.h"
#include "graphics/quad_arrays.h"
#include "graphics/video.h"

namespace {

void setCellProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, videoWidth, 0, videoHeight, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(videoWidth / canvasWidth, videoHeight / canvasHeight, 1);
}

// While quitting, each frame is painted over the last one through a darkening overlay.
void paintQuitOverlay() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, quitOverlayAlpha(graphicsInputs.quitFade, graphicsInputs.quitCountdown));
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(canvasWidth, 0);
    glVertex2f(canvasWidth, canvasHeight);
    glVertex2f(0, canvasHeight);
    glEnd();
}

void vertex(int i, int j) {
    const Vec2& p = vertexGrid.position[vertexIndex(i, j)];
    glVertex2f(p.x, p.y);
}

void drawImmediate() {
    glBegin(GL_QUADS);
    for (int x = 0; x < canvasWidth; ++x) {
        for (int y = 0; y < canvasHeight; ++y) {
            int v = canvas.cells[cellIndex(x, y)];
            if (v < 0) continue;
            Rgba c = cellColorAt(x, y);
            glColor4f(c.r, c.g, c.b, c.a);
            vertex(x, y);
            vertex(x, y + 1);
            vertex(x + 1, y + 1);
            vertex(x + 1, y);
        }
    }
    glEnd();
}

// The same quads in the same order, handed over in two calls instead of five per cell.
void drawVertexArrays() {
    static CanvasQuads quads;
    buildCanvasQuads(quads);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, quads.positions.data());
    glColorPointer(4, GL_FLOAT, 0, quads.colours.data());
    glDrawArrays(GL_QUADS, 0, quads.quadCount * 4);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

PresentPath presentPath = PresentPath::VertexArrays;

void drawCanvas() {
    setCellProjection();
    if (graphicsInputs.quitCountdown > 0) paintQuitOverlay();
    else glClear(GL_COLOR_BUFFER_BIT);
    if (presentPath == PresentPath::Immediate) drawImmediate();
    else drawVertexArrays();
}

void readBackBuffer(int width, int height, unsigned char* pixels) {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

void presentFrame() {
    drawCanvas();
    swapVideoBuffers();
}
