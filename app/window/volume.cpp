#include "app/window/volume.h"

#include <algorithm>

#include "app/platform/platform.h"
#include "app/saved/save_policy.h"
#include "app/saved/settings.h"
#include "app/window/app_state.h"
#include "framework/game_entry.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/text.h"

namespace {

constexpr int volumeStep = 10;
constexpr uint32_t barShownFor = 1000;  // ms
constexpr const char* volumeText = "volume";
constexpr const char* mutedText = "muted";
constexpr int segmentCount = fullVolume / volumeStep;
constexpr int segmentWidth = 3;  // columns, the last one blank
constexpr int segmentHeight = 4;
constexpr CellBox barBox = {44, 1, 72, 9};  // bottom centre, clear of scores and titles
constexpr int textLeft = barBox.x + 2;
constexpr int barRow = barBox.y + 2;
constexpr int segmentsLeft = barBox.x + 38;
constexpr int emptyCell = -1;

void showBar() { app.volumeShownUntil = platformTicks() + barShownFor; }

bool barShowing() { return clockBefore(platformTicks(), app.volumeShownUntil); }

void drawSegments(int lit, int litColour, int unlitColour) {
    for (int i = 0; i < segmentCount; ++i) {
        const CellBox segment = {segmentsLeft + i * segmentWidth, barRow, segmentWidth - 1, segmentHeight};
        fillBox(segment, i < lit ? litColour : unlitColour);
    }
}

}  // namespace

void stepVolume(int direction) {
    settings.volume = std::clamp(settings.volume + direction * volumeStep, 0, fullVolume);
    app.muted = false;
    applyVolume();
    showBar();
    saveSettings();
}

void toggleMute() {
    app.muted = !app.muted;
    applyVolume();
    showBar();
}

void applyVolume() { outputVolume.store(app.muted ? 0 : settings.volume, std::memory_order_relaxed); }

void drawVolumeBar() {
    if (!barShowing() || !selectedEntry) return;
    const int* roles = selectedEntry->colourRoles;
    fillBox(barBox, emptyCell);
    if (app.muted) {
        drawText(mutedText, textLeft, barRow, roles[textColourRole]);
        return;
    }
    drawText(volumeText, textLeft, barRow, roles[textColourRole]);
    const int lit = (settings.volume + volumeStep - 1) / volumeStep;
    drawSegments(lit, roles[titleColourRole], roles[textColourRole]);
}
