#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/input/actions.h"
#include "app/platform/platform.h"
#include "app/session/keyboard_feed.h"
#include "app/session/replay_file.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/main_loop.h"
#include "framework/game_entry.h"

// SDL 2's events as the frame sees them, through the real platform files on SDL's dummy video
// driver: keys and window changes pushed into SDL's queue, and pads for real through SDL 2's
// virtual joysticks, which SDL sees come and go as it sees a pad plugged in. No window is opened.
namespace {

// The d-pad button of each of a player's buttons (Up, Down, A, B).
constexpr SDL_GameControllerButton dpadOfRole[buttonsPerPlayer] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

class Sdl2Platform : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string error;
        ASSERT_TRUE(platformInit(error)) << error;
        app = AppState{};
        restoreSettings();
        selectGame(0);
    }
    void TearDown() override {
        endSession();
        for (int index = SDL_NumJoysticks() - 1; index >= 0; --index) {
            if (SDL_JoystickIsVirtual(index)) SDL_JoystickDetachVirtual(index);
        }
        pumpEvents();
        platformQuit();
    }

    // A pad with every button and axis a controller has, as SDL's mapping for virtual pads wants.
    SDL_Joystick* attach() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "virtual pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* pad = SDL_JoystickOpen(index);
        pumpEvents();
        return pad;
    }
    void detach(SDL_Joystick* pad) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
        SDL_JoystickClose(pad);
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
        }
        pumpEvents();
    }
    // The button goes to `down`, and the frame takes what SDL makes of it.
    void set(SDL_Joystick* pad, SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(pad, button, down);
        pumpEvents();
    }
    void click(SDL_Joystick* pad, SDL_GameControllerButton button) {
        set(pad, button, true);
        set(pad, button, false);
    }
    static void pumpEvents() {
        SDL_PumpEvents();
        pollEvents();
    }

    // The events of one pass of the frame, polled until SDL has no more, without the Other ones.
    static std::vector<AppEvent> pass() {
        std::vector<AppEvent> events;
        AppEvent event;
        while (platformPollEvent(event)) {
            if (event.type != AppEventType::Other) events.push_back(event);
        }
        return events;
    }

    // The one event a pass gives, or an Other where it gives none or several.
    static AppEvent onlyEvent() {
        std::vector<AppEvent> events = pass();
        EXPECT_EQ(events.size(), 1u);
        return events.size() == 1 ? events[0] : AppEvent{};
    }

    static AppEvent passOf(SDL_Event sent) {
        EXPECT_EQ(SDL_PushEvent(&sent), 1) << SDL_GetError();
        return onlyEvent();
    }
};

bool holds(int player, int button) {
    const auto& held = session.game->players[player].heldButtons;
    return std::find(held.begin(), held.end(), button) != held.end();
}

// A pad plugged in on the menu starts a game and moves a paw; unplugged, it holds the game, and
// another plugged in takes its place and resumes it.
TEST_F(Sdl2Platform, ComeAndGoWhileAGameRuns) {
    SDL_Joystick* first = attach();
    ASSERT_NE(padSlots.pads[0], noPad);
    click(first, SDL_CONTROLLER_BUTTON_A);  // "start"
    ASSERT_TRUE(inGame());
    runDueTicks(1, platformTicks());  // the pass that started the game runs no tick
    set(first, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    runDueTicks(2, platformTicks());
    EXPECT_TRUE(holds(0, 0));
    detach(first);
    EXPECT_TRUE(session.paused);
    EXPECT_EQ(app.padsUnplugged, 1u);
    SDL_Joystick* second = attach();
    EXPECT_EQ(app.padsUnplugged, 0u);
    EXPECT_TRUE(session.paused);
    click(second, SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(session.paused);
    runDueTicks(1, platformTicks());
    EXPECT_FALSE(holds(0, 0));  // the pad that went let go of up
}

// A recorded game's presses and releases, played on two pads' d-pads at their ticks, come to the
// recording's own line.
TEST_F(Sdl2Platform, PlayARecordedGameToItsLine) {
    Replay replay;
    std::string error;
    ASSERT_TRUE(readReplayFile(TANDREL_SOURCE_DIR "/tests/data/replays/01_chase.replay", replay, error))
        << error;
    SDL_Joystick* pads[padCount] = {attach(), attach()};
    selectGame(replay.gameId);
    startSession(*selectedEntry, replay.seed, keyboardFeed);
    auto next = replay.events.begin();
    constexpr uint32_t tickLimit = 10000;  // the recording ends at tick 801
    while (!sessionOver() && session.game->tickCount < tickLimit) {
        for (; next != replay.events.end() && next->tick == session.game->tickCount; ++next) {
            set(pads[next->player], dpadOfRole[next->button % buttonsPerPlayer], next->type == pressEvent);
        }
        ASSERT_TRUE(runTick(platformTicks()));
    }
    EXPECT_EQ(sessionLine(), "game over: seed 1796703167 score 1500 tick 801 digest 6a83aaaed13624b2");
}

SDL_Event keyPress(SDL_Scancode scancode, SDL_Keycode symbol, Uint16 modifiers = KMOD_NONE,
                   Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = symbol;
    e.key.keysym.mod = modifiers;
    return e;
}

SDL_Event windowChange(SDL_WindowEventID change) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = change;
    return e;
}

TEST_F(Sdl2Platform, KeysComeByPlaceOrElseByTheirLatin1Character) {
    const struct {
        SDL_Event sent;
        int key;
        bool alt;
    } cases[] = {
        {keyPress(SDL_SCANCODE_W, 'z'), 'w', false},  // a French layout's z is the US w's key
        {keyPress(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT), keyReturn, true},
        {keyPress(SDL_SCANCODE_INTERNATIONAL1, 0xe9), 0xe9, false},  // é on a key with no place of ours
        {keyPress(SDL_SCANCODE_INTERNATIONAL1, 0x263a), keyNone, false},
    };
    for (const auto& c : cases) {
        AppEvent event = passOf(c.sent);
        EXPECT_EQ(event.type, AppEventType::KeyDown) << c.key;
        EXPECT_EQ(event.key, c.key);
        EXPECT_EQ(event.alt, c.alt) << c.key;
    }
}

TEST_F(Sdl2Platform, RepeatsPassOnlyWhileKeysRepeat) {
    platformKeyRepeat(1, 1);
    SDL_Event repeat = keyPress(SDL_SCANCODE_S, 's', KMOD_NONE, 1);
    EXPECT_EQ(passOf(repeat).key, 's');
    platformKeyRepeat(0, 0);
    SDL_PushEvent(&repeat);
    EXPECT_TRUE(pass().empty());
    EXPECT_EQ(passOf(keyPress(SDL_SCANCODE_S, 's')).key, 's');
}

// As SDL 1.2 told them: the keyboard's focus and being shown count, the pointer's does not.
TEST_F(Sdl2Platform, WindowChangesAreActiveEventsAsSdl12GaveThem) {
    const struct {
        SDL_WindowEventID change;
        bool gain;
        bool inputFocus;
    } cases[] = {
        {SDL_WINDOWEVENT_FOCUS_LOST, false, true}, {SDL_WINDOWEVENT_FOCUS_GAINED, true, true},
        {SDL_WINDOWEVENT_MINIMIZED, false, true},  {SDL_WINDOWEVENT_RESTORED, true, true},
        {SDL_WINDOWEVENT_LEAVE, false, false},     {SDL_WINDOWEVENT_ENTER, true, false},
    };
    for (const auto& c : cases) {
        AppEvent event = passOf(windowChange(c.change));
        EXPECT_EQ(event.type, AppEventType::Active) << int(c.change);
        EXPECT_EQ(event.gain, c.gain) << int(c.change);
        EXPECT_EQ(event.inputFocus, c.inputFocus) << int(c.change);
    }
    SDL_Event moved = windowChange(SDL_WINDOWEVENT_MOVED);
    SDL_PushEvent(&moved);
    EXPECT_TRUE(pass().empty());
}

}  // namespace
