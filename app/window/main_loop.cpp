#include "app/window/main_loop.h"

#include "app/input/actions.h"
#include "app/platform/platform.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/frame_stats.h"
#include "app/window/game.h"
#include "app/window/lifecycle.h"
#include "app/window/menu.h"
#include "app/window/net_window.h"
#include "app/window/pause.h"
#include "app/window/volume.h"
#include "audio/sound_queue.h"
#include "graphics/canvas.h"
#include "graphics/screen_effects.h"
#include "graphics/video.h"

namespace {

constexpr uint32_t idleNap = 9;     // ms, a pass that ran no tick
constexpr uint32_t tickNap = 6;     // ms, a pass that ran one tick
constexpr uint32_t catchUpNap = 1;  // ms, keeps the tick phase error small
// A focus that comes back within this is a desktop's shuffle (a new window, a focus request), not
// a player who left.
constexpr uint32_t focusLossGrace = 200;  // ms

InputContext inputContext() { return inGame() ? InputContext::Game : InputContext::Menu; }

void performActions(const Actions& actions) {
    for (int i = 0; i < actions.count; ++i) performAction(actions.list[i]);
}

void noteKeyboardFocus(bool gain) {
    if (gain) {
        app.keyboardAway = false;
    } else if (!app.keyboardAway) {
        app.keyboardAway = true;
        app.keyboardLostAt = platformTicks();
    }
}

// A release that happens in another window never reaches us: once the focus has stayed away,
// what is held is let go here, and a local game waits for the player to come back.
void settleKeyboardFocus() {
    if (!app.keyboardAway || clockBefore(platformTicks(), app.keyboardLostAt + focusLossGrace)) return;
    app.keyboardAway = false;
    performActions(releaseHeldInput(inputContext()));
    if (inGame() && !session.paused && session.feed->pausesWhenAway()) togglePause();
}

// False when a quit event asks the loop to end at once.
bool handleEvent(const AppEvent& event) {
    if (event.type == AppEventType::Quit) return false;
    if (event.type == AppEventType::Active) {
        app.windowInactive = !event.gain;
        if (event.inputFocus) noteKeyboardFocus(event.gain);
        return true;
    }
    const Actions actions = actionsForEvent(event, inputContext());
    // A key press that arrives in the pass of a loss of focus is not taken.
    if (event.type == AppEventType::KeyDown && app.windowInactive) {
        app.windowInactive = false;
        return true;
    }
    performActions(actions);
    return true;
}

unsigned elapsedTicks(LoopLocals& locals) {
    app.passTime = platformTicks();
    locals.accumulator += app.passTime - app.lastPassTime;  // unsigned: the clock's wrap is harmless
    unsigned n = locals.accumulator / tickLength;
    locals.accumulator -= tickLength * n;
    return n;
}

// Ticks left over when quitFade runs out are not carried into quitCountdown.
void countDownQuit(unsigned n) {
    if (app.quitFade > 0) {
        if (n >= static_cast<unsigned>(app.quitFade)) app.quitFade = 0;
        else app.quitFade -= n;
    } else if (app.quitCountdown > 0) {
        if (n >= static_cast<unsigned>(app.quitCountdown)) app.quitRequested = true;
        else app.quitCountdown -= n;
    }
}

// A long sleep is never taken in two passes running.
void sleepAfterPass(LoopLocals& locals, unsigned n) {
    if (!locals.napped && n <= 1) {
        locals.napped = true;
        platformDelay(n == 0 ? idleNap : tickNap);
    } else {
        platformDelay(catchUpNap);
        if (n >= 1) locals.napped = false;
    }
}

}  // namespace

bool pollEvents() {
    AppEvent event;
    while (platformPollEvent(event)) {
        if (!handleEvent(event)) return false;
    }
    performActions(releaseKeysLetGo(inputContext()));
    settleKeyboardFocus();
    return true;
}

void beginLoop(LoopLocals& locals) {
    app.lastPassTime = platformTicks();
    locals = LoopLocals{};
    if (frameStats.enabled) startFrameStats(app.lastPassTime);
}

bool runPass(LoopLocals& locals) {
    app.windowInactive = false;
    if (app.quitFade == 0 && app.quitCountdown == 0 && !pollEvents()) return false;
    netPass();
    unsigned n = elapsedTicks(locals);
    const unsigned ticksRun = inGame() && !session.paused ? runDueTicks(n, app.passTime) : 0;
    if (sessionOver()) {
        reportGameOver();
        endGame();
    }
    stepScreenEffects();
    if (!inGame()) updateMenuSparks();
    countDownQuit(n);
    syncGameSide();
    if (app.quitRequested) return false;
    if (!app.windowInactive && n >= 1) {
        renderFrame();
        if (app.quitCountdown > 0) renderFrame();
    }
    if (frameStats.enabled) countPassForStats(ticksRun);
    sleepAfterPass(locals, n);
    app.lastPassTime = app.passTime;
    return true;
}

void mainLoop() {
    LoopLocals locals;
    if (frameStats.enabled) reportStatsPlatform();
    beginLoop(locals);
    while (runPass(locals)) {}
}

void performAction(const Action& action) {
    switch (action.type) {
    case ActionType::ButtonPress:
    case ActionType::ButtonRelease:
        pressButton(action.button, action.type == ActionType::ButtonPress ? pressEvent : releaseEvent);
        break;
    case ActionType::Leave:
        if (inGame()) leaveGame();
        else if (!dropConnection()) beginQuit();
        break;
    case ActionType::Pause: togglePause(); break;
    case ActionType::Screenshot: saveScreenshot(); break;
    case ActionType::ToggleFullScreen: toggleFullScreen(); break;
    case ActionType::VolumeDown: stepVolume(-1); break;
    case ActionType::VolumeUp: stepVolume(1); break;
    case ActionType::Mute: toggleMute(); break;
    case ActionType::PadUnplugged: padUnplugged(action.button); break;
    case ActionType::PadPluggedIn: padPluggedIn(action.button); break;
    default:
        if (!inGame()) menuAction(action.type);
        break;
    }
}

// What the drawing reads of the frame: the running game's field and the quit counters.
void updateGraphicsInputs() {
    graphicsInputs.fieldMargin = inGame() ? session.game->fieldLeft() : 0;
    graphicsInputs.quitFade = app.quitFade;
    graphicsInputs.quitCountdown = app.quitCountdown;
}

void renderFrame() {
    ++app.frameCount;
    updateGraphicsInputs();
    clearCanvas();
    if (inGame()) {
        session.game->draw();
        drawNetGameLines();
    } else {
        drawMenu();
        drawNetMenu();
    }
    drawPauseNotice();
    drawVolumeBar();
    presentFrame();
}
