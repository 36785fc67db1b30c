#include "app/window/pause.h"

#include <string>

#include "app/input/key_glyphs.h"
#include "app/saved/settings.h"
#include "app/session/session.h"
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

void togglePause() { setPaused(!session.paused); }

void drawPauseNotice() {
    graphicsInputs.dimmed = session.paused;
    graphicsInputs.lit = noticeBox;
    if (!session.paused || !selectedEntry) return;
    const int* roles = selectedEntry->colourRoles;
    const std::string resume = keyLabel(settings.pauseKey) + resumeText;
    fillBox(noticeBox, emptyCell);
    drawTextScaled(pausedText, pausedScale, centredColumn(pausedText, pausedScale), pausedRow,
                   roles[titleColourRole]);
    drawText(resume.c_str(), centredColumn(resume, 1), resumeRow, roles[textColourRole]);
}
