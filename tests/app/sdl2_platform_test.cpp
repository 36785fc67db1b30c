// SDL 2's events as the frame sees them: SDL's own queue, fed by the test and by a virtual pad,
// read through the platform's functions. No window: SDL's dummy video driver.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/platform/platform.h"

namespace {

class Sdl2Platform : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string error;
        ASSERT_TRUE(platformInit(error)) << error;
        pass();
        platformKeyRepeat(1, 1);
    }
    void TearDown() override { platformQuit(); }

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

// A virtual pad with SDL's automatic mapping: buttons in SDL's order, then the d-pad's four.
TEST_F(Sdl2Platform, APadComesPressesSteersAndGoes) {
    constexpr int axes = 6, buttons = 15, dpadUp = 11, dpadLeft = 13;
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    AppEvent added = onlyEvent();
    ASSERT_EQ(added.type, AppEventType::PadAdded);
    SDL_Joystick* joystick = SDL_JoystickFromInstanceID(added.pad);
    ASSERT_NE(joystick, nullptr);

    const struct {
        int button;
        int control;
        int value;
        AppEventType type;
    } presses[] = {
        {padStart, padStart, 0, AppEventType::PadButtonDown},
        {dpadUp, 0, padHatUp, AppEventType::PadHat},
        {dpadLeft, 0, padHatUp | padHatLeft, AppEventType::PadHat},
    };
    for (const auto& press : presses) {
        SDL_JoystickSetVirtualButton(joystick, press.button, SDL_PRESSED);
        SDL_JoystickUpdate();
        AppEvent event = onlyEvent();
        EXPECT_EQ(event.type, press.type) << press.button;
        EXPECT_EQ(event.pad, added.pad);
        EXPECT_EQ(event.control, press.control) << press.button;
        EXPECT_EQ(event.value, press.value) << press.button;
    }
    SDL_JoystickSetVirtualButton(joystick, dpadUp, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(joystick, padStart, SDL_RELEASED);
    SDL_JoystickUpdate();
    AppEvent hat = onlyEvent();  // a button's release is no event of ours
    EXPECT_EQ(hat.type, AppEventType::PadHat);
    EXPECT_EQ(hat.value, padHatLeft);

    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, -20000);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_RIGHTX, 30000);
    SDL_JoystickUpdate();
    AppEvent axis = onlyEvent();  // the right stick is not ours
    EXPECT_EQ(axis.type, AppEventType::PadAxis);
    EXPECT_EQ(axis.control, padAxisVertical);
    EXPECT_EQ(axis.value, -20000);

    // SDL lets go of what is held before the pad goes: the stick centred, the d-pad released.
    SDL_JoystickDetachVirtual(index);
    SDL_JoystickUpdate();
    std::vector<AppEvent> last = pass();
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[0].type, AppEventType::PadAxis);
    EXPECT_EQ(last[0].value, 0);
    EXPECT_EQ(last[1].type, AppEventType::PadHat);
    EXPECT_EQ(last[1].value, 0);
    EXPECT_EQ(last[2].type, AppEventType::PadRemoved);
    EXPECT_EQ(last[2].pad, added.pad);
}

}  // namespace
