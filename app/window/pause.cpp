#include "app/window/pause.h"

#include <string>

#include "app/input/key_glyphs.h"
#include "app/saved/settings.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "framework/game_entry.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/text.h"

namespace {

constexpr const char* pausedText = "paused";
constexpr const char* resumeText = " resumes";
constexpr const char* unpluggedText = " unplugged";
constexpr int pausedScale = 2;
constexpr CellBox noticeBox = {40, 38, 80, 26};
constexpr int pausedRow = 52;
constexpr int resumeRow = 42;
constexpr int emptyCell = -1;

int centredColumn(const std::string& text, int scale) {
    return (canvasWidth - textWidth(text.c_str()) * scale) / 2;
}

// The line under "paused": the key that resumes, or the first player whose pad is missing.
std::string pauseLine() {
    for (int player = 0; player < padCount; ++player) {
        if (app.padsUnplugged & (1u << player)) return "pad " + std::to_string(player + 1) + unpluggedText;
    }
    return keyLabel(settings.pauseKey) + resumeText;
}

}  // namespace

void togglePause() {
    if (session.paused && app.padsUnplugged) return;
    setPaused(!session.paused);
}

void padUnplugged(int player) {
    if (!inGame() || !session.feed->pausesWhenAway()) return;
    app.padsUnplugged |= 1u << player;
    setPaused(true);
}

void padPluggedIn(int player) { app.padsUnplugged &= ~(1u << player); }

void drawPauseNotice() {
    graphicsInputs.dimmed = session.paused;
    graphicsInputs.lit = noticeBox;
    if (!session.paused || !selectedEntry) return;
    const int* roles = selectedEntry->colourRoles;
    const std::string resume = pauseLine();
    fillBox(noticeBox, emptyCell);
    drawTextScaled(pausedText, pausedScale, centredColumn(pausedText, pausedScale), pausedRow,
                   roles[titleColourRole]);
    drawText(resume.c_str(), centredColumn(resume, 1), resumeRow, roles[textColourRole]);
}
