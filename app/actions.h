#pragma once
#include "app/app_state.h"
#include "app/platform.h"

// What a key or pad event means, decided in one place with the bindings in force. The frame
// consumes the actions; the menu and the game see only actions.
enum class ActionType {
    ButtonPress,    // a player's button, in a game
    ButtonRelease,  // likewise
    MenuUp,
    MenuDown,
    PreviousGame,
    NextGame,
    Choose,
    Leave,  // a game back to the menu; the menu quits
    Screenshot,
};

struct Action {
    ActionType type;
    int button = -1;  // ButtonPress, ButtonRelease: 0 to buttonCount - 1
};

// A key bound to every button gives one action per button; a pad's diagonal two.
constexpr int maxActionsPerEvent = buttonCount;

struct Actions {
    Action list[maxActionsPerEvent];
    int count = 0;
    void add(ActionType type, int button = -1) { list[count++] = {type, button}; }
};

// Where the actions go: a running game's buttons, or the menu's cursor and games.
enum class InputContext { Game, Menu };

constexpr int defaultPadChoose = 0;      // pad button that chooses a menu item
constexpr int defaultPadLeave = 1;       // pad button that leaves a game, as Escape does
constexpr int padAxisThreshold = 13107;  // 40 % of an axis's range: beyond it, a direction is held

// The directions a pad holds, one bit per button of its player (Up, Down, A, B), from each of
// its two sources, so that a hat and a stick held together press and release once.
struct PadState {
    unsigned hat = 0;
    unsigned stick = 0;
};

// Owned by the input translation, written as pad events arrive on the main thread; zero at
// start-up and never reset: a direction held across a game's start is released into it.
extern PadState padStates[padCount];

// The actions of one key press or release (keyDown) in the context given. A player's key is a
// button in a game and a cursor or game move on the menu; Escape leaves; a fresh press of Print
// Screen takes a picture; on the menu every other key chooses.
Actions keyActions(int key, int scancode, bool keyDown, InputContext context);
// The actions of one event of the platform's (keys, pad axes, hats and buttons); none for others.
Actions actionsForEvent(const AppEvent& event, InputContext context);
