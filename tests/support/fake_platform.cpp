#include "support/fake_platform.h"

#include "app/input/actions.h"
#include "app/saved/save_policy.h"
#include "app/session/keyboard_feed.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "framework/game_state.h"

FakePlatform fakePlatform;

void resetFakePlatform() { fakePlatform = FakePlatform{}; }

void resetApplication() {
    resetFakePlatform();
    session = Session{};
    gameResults.clear();
    app = AppState{};
    restoreSettings();
    selectGame(0);
    heldInput = HeldInput{};
    padSlots = PadSlots{};
}

GameState& playTestGame(std::unique_ptr<GameState> game) {
    session = Session{};
    session.entry = selectedEntry;
    session.feed = &keyboardFeed;
    session.game = std::move(game);
    return *session.game;
}

AppEvent keyDown(int key) { return {AppEventType::KeyDown, false, key}; }
AppEvent keyUp(int key) { return {AppEventType::KeyUp, false, key}; }
AppEvent focus(bool gain) { return {AppEventType::Active, gain, 0}; }
AppEvent quitEvent() { return {AppEventType::Quit, false, 0}; }

bool platformInit(std::string&) { return true; }

bool platformPollEvent(AppEvent& event) {
    ++fakePlatform.polls;
    if (fakePlatform.events.empty()) return false;
    event = fakePlatform.events.front();
    fakePlatform.events.pop_front();
    if (event.type == AppEventType::KeyDown) fakePlatform.keysDown.insert(event.key);
    if (event.type == AppEventType::KeyUp) fakePlatform.keysDown.erase(event.key);
    return true;
}

uint32_t platformTicks() { return fakePlatform.now; }

uint64_t platformCpuMicroseconds() { return fakePlatform.cpuMicroseconds; }

void platformDelay(uint32_t ms) { fakePlatform.delays.push_back(ms); }

void platformKeyRepeat(int delay, int interval) {
    fakePlatform.keyRepeatDelay = delay;
    fakePlatform.keyRepeatInterval = interval;
}

bool platformKeyDown(int key) { return fakePlatform.keysDown.count(key) > 0; }

void platformQuit() {}

KeyboardLayout platformKeyboardLayout() { return fakePlatform.layout; }

void platformLoadPadMappings(const std::string&) {}

bool platformNamesPadButtons() { return fakePlatform.namesPadButtons; }

std::string platformDescription() { return "fake"; }
