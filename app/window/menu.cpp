#include "app/window/menu.h"

#include <algorithm>
#include <string>

#include "app/input/key_glyphs.h"
#include "app/saved/save_policy.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/game.h"
#include "app/window/lifecycle.h"
#include "app/window/net_window.h"
#include "base/random.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"
#include "graphics/primitives.h"
#include "graphics/text.h"

MenuSpark menuSparks[menuSparkCount];

namespace {

constexpr int sparkMinSpeed = 8;
constexpr int sparkSpeedRange = 16;

constexpr int titleRole = titleColourRole;
constexpr int itemRole = textColourRole;
constexpr int itemBlinkRole = 6;
constexpr int leftSparkRole = 9;
constexpr int rightSparkRole = 10;

constexpr int titleScale = 2;
constexpr int titleCentre = canvasWidth / 2;  // a double-size title is centred at this column
constexpr int titleRow = 88;

constexpr int blinkPeriod = 10;  // frames; the cursor's item is lit in the last four
constexpr int blinkLitAfter = 5;

// Either arrow stands four columns in from its edge of the screen, at the title's size.
constexpr int arrowMargin = 4;
constexpr int arrowDrawnWidth = 5;  // columns of an arrow glyph, without its blank column

constexpr const char* bestScoreLabel = "best score: ";
constexpr const char* lastResultLabel = "last: ";
constexpr int resultLeft = 2;
constexpr int bottomRow = 2;
constexpr int resultLabelColour = 6;
constexpr int resultColour = 7;
constexpr const char* creditText = "velmarik";
constexpr int creditLeft = 104;
constexpr int creditColour = 8;

struct MenuItem {
    const char* text;
    int y;
};
constexpr MenuItem menuItems[] = {{"start", 20}, {"exit", 12}};
constexpr int startItem = 0;
constexpr int lastItem = 1;

// A new direction and speed; the draws come in this order wherever a spark is (re)born.
void pickMotion(MenuSpark& spark) {
    spark.rightward = appRandomBelow(2) == 0;
    if (spark.rightward) {
        spark.speed = appRandomBelow(sparkSpeedRange) + sparkMinSpeed;
    } else {
        spark.speed = -sparkMinSpeed - appRandomBelow(sparkSpeedRange);
    }
}

// Enters from the side it moves away from, on a new row.
void respawn(MenuSpark& spark) {
    spark.y = appRandomBelow(canvasHeight) * subcellsPerCell;
    pickMotion(spark);
    spark.x = spark.rightward ? 0 : menuSparkEdge;
}

void drawSparks(const GameEntry& entry) {
    // A spark respawned just beyond the right edge is at column 160, which putCell skips.
    for (const MenuSpark& spark : menuSparks) {
        int role = spark.rightward ? rightSparkRole : leftSparkRole;
        putCell(spark.x / subcellsPerCell, spark.y / subcellsPerCell, entry.colourRoles[role]);
    }
}

void drawResult(const char* label, const std::string& value) {
    drawText(label, resultLeft, bottomRow, resultLabelColour);
    drawText(value.c_str(), resultLeft + textWidth(label), bottomRow, resultColour);
}

// A shared score shows the best of the run once there is one; scores per player, the last result.
void drawResults(const GameEntry& entry) {
    const auto found = gameResults.find(entry.id);
    if (found == gameResults.end()) return;
    const GameResults& results = found->second;
    if (entry.scoring == Scoring::Shared) {
        if (results.bestScore >= 1) drawResult(bestScoreLabel, std::to_string(results.bestScore));
    } else if (!results.lastResult.empty()) {
        drawResult(lastResultLabel, results.lastResult);
    }
}

// A guest's menu neither starts nor chooses a game: the host's does.
bool guestMenu() { return netRole() == NetRole::Guest; }

int firstItem() { return guestMenu() ? lastItem : startItem; }

int cursorItem() { return std::max(app.menuCursor, firstItem()); }

// Left and right choose the game when the catalogue holds more than one.
void drawArrows(const GameEntry& entry) {
    if (gameCount() < 2 || guestMenu()) return;
    const int colour = entry.colourRoles[titleRole];
    drawTextScaled("<", titleScale, arrowMargin, titleRow, colour);
    drawTextScaled(">", titleScale, canvasWidth - arrowMargin - arrowDrawnWidth * titleScale, titleRow,
                   colour);
}

void drawTitle(const GameEntry& entry) {
    drawTextScaled(entry.title, titleScale, titleCentre - textWidth(entry.title), titleRow,
                   entry.colourRoles[titleRole]);
    drawArrows(entry);
    KeyLabels labels = keyLabelsInForce;
    labels.netPlayer = netPlayerHere();
    entry.drawInstructions(labels);
}

void drawItems(const GameEntry& entry) {
    const bool lit = app.frameCount % blinkPeriod > blinkLitAfter;
    for (int i = firstItem(); i <= lastItem; ++i) {
        const MenuItem& item = menuItems[i];
        int role = i == cursorItem() && lit ? itemBlinkRole : itemRole;
        drawText(item.text, (canvasWidth - textWidth(item.text)) / 2, item.y, entry.colourRoles[role]);
    }
}

}  // namespace

void seedMenuSparks() {
    for (MenuSpark& spark : menuSparks) {
        spark.x = appRandomBelow(canvasWidth) * subcellsPerCell;
        spark.y = appRandomBelow(canvasHeight) * subcellsPerCell;
        pickMotion(spark);
    }
}

void updateMenuSparks() {
    for (MenuSpark& spark : menuSparks) {
        spark.x += spark.speed;
        if (spark.x < 0 || spark.x >= menuSparkEdge) respawn(spark);
    }
}

// Later writes cover earlier ones: sparks, best score or last result, title, items, credit.
void drawMenu() {
    const GameEntry* entry = selectedEntry;
    if (!entry) return;
    drawSparks(*entry);
    drawResults(*entry);
    drawTitle(*entry);
    drawItems(*entry);
    drawText(creditText, creditLeft, bottomRow, creditColour);
}

void switchGame(int id) {
    if (netRole() == NetRole::Guest) return;
    selectGame(id);
    netGameChosen(selectedEntry->title);
    resetPalette();
    saveSettings();
}

void menuAction(ActionType action) {
    app.menuCursor = cursorItem();
    switch (action) {
    case ActionType::MenuUp:
        if (app.menuCursor > firstItem()) --app.menuCursor;
        break;
    case ActionType::MenuDown:
        if (app.menuCursor < lastItem) ++app.menuCursor;
        break;
    case ActionType::PreviousGame: switchGame(neighbourGameId(selectedEntry->id, -1)); break;
    case ActionType::NextGame: switchGame(neighbourGameId(selectedEntry->id, 1)); break;
    case ActionType::Choose:
        if (app.menuCursor == startItem) startGame();
        else beginQuit();
        break;
    default: break;
    }
}
