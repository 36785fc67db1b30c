#include "app/window/pause.h"

#include <string>

#include "app/window/app_state.h"
#include "app/input/key_glyphs.h"
#include "app/window/net_window.h"
#include "app/netplay/peer.h"
#include "framework/game_entry.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/text.h"

namespace {

constexpr const char* pausedText = "paused";
constexpr const char* resumeText = " resumes";
constexpr int pausedScale = 2;
constexpr CellBox noticeBox = {40, 38, 80, 26};
constexpr int pausedRow = 52;
constexpr int resumeRow = 42;
constexpr int emptyCell = -1;

int centredColumn(const std::string& text, int scale) {
    return (canvasWidth - textWidth(text.c_str()) * scale) / 2;
}

}  // namespace

// A net game pauses on both sides: the other side could run no tick without this one's inputs.
void togglePause() {
    if (!app.inGame) return;
    app.paused = !app.paused;
    if (netGameRuns()) sendPause(app.paused);
}

void drawPauseNotice() {
    graphicsInputs.dimmed = app.paused;
    graphicsInputs.lit = noticeBox;
    if (!app.paused || !selectedEntry) return;
    const int* roles = selectedEntry->colourRoles;
    const std::string resume = keyLabel(settings.pauseKey) + resumeText;
    fillBox(noticeBox, emptyCell);
    drawTextScaled(pausedText, pausedScale, centredColumn(pausedText, pausedScale), pausedRow,
                   roles[titleColourRole]);
    drawText(resume.c_str(), centredColumn(resume, 1), resumeRow, roles[textColourRole]);
}
