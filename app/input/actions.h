#pragma once
// Key and pad events turned into actions, with what is held.
#include "app/platform/platform.h"
#include "app/saved/settings.h"

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
    Pause,  // a game stops or goes on
    Screenshot,
    ToggleFullScreen,
    VolumeDown,
    VolumeUp,
    Mute,          // and unmute
    PadUnplugged,  // a player's pad went
    PadPluggedIn,  // a pad came for a player
};

struct Action {
    ActionType type;
    int button = -1;  // ButtonPress, ButtonRelease: 0 to buttonCount - 1; Pad*: the player
};

// A key bound to every button gives one action per button, and so does a loss of focus with
// every button held; a pad's diagonal gives two.
constexpr int maxActionsPerEvent = buttonCount;

struct Actions {
    Action list[maxActionsPerEvent];
    int count = 0;
    void add(ActionType type, int button = -1) { list[count++] = {type, button}; }
};

// Where the actions go: a running game's buttons, or the menu's cursor and games.
enum class InputContext { Game, Menu };

constexpr int defaultPadChoose = padA;    // pad button that chooses a menu item
constexpr int defaultPadLeave = padB;     // pad button that leaves a game, as Escape does
constexpr int defaultPadPauseNumber = 2;  // pad button that pauses a game and resumes it, where
                                          // buttons are numbered; start where they are named
constexpr int padAxisThreshold = 13107;   // 40 % of an axis's range: beyond it, a direction is held

// The directions a pad holds, one bit per button of its player (Up, Down, A, B), from each of
// its two sources, so that a hat and a stick held together press and release once.
struct PadState {
    unsigned hat = 0;
    unsigned stick = 0;
};

constexpr int noPad = -1;

// Which pad plays for each player. Owned by the input translation, never reset: a pad that comes
// takes the place of one that went (lost), else the first free player's; one that goes frees it.
struct PadSlots {
    int pads[padCount] = {noPad, noPad};  // the pad's own number (AppEvent.pad), or noPad
    bool lost[padCount] = {};             // its pad went and none has come since
};
extern PadSlots padSlots;

// What is held, as far as the input translation knows. Owned by it, written as events arrive on
// the main thread; zero at start-up and never reset, so that a direction held across a game's
// start is released into it; emptied by releaseHeldInput().
struct HeldInput {
    PadState pads[padCount];
    unsigned buttons = 0;  // a bit per button pressed in a game and not released since
    bool print = false;    // Print Screen is down: its key repeats take no screenshot
    // The key that pressed each held button; keyNone where a pad holds it or nothing does.
    int keys[buttonCount] = {};
};
extern HeldInput heldInput;

// The actions of one key press or release (keyDown, with Alt held or not) in the context given.
// Escape leaves; a fresh press of Print Screen takes a picture; F11 and Alt+Enter toggle full
// screen; F9, F10 and the mute key set the volume. A player's key is a button in a game and a
// cursor or game move on the menu; the pause key pauses a game. On the menu every other key but
// Alt chooses.
Actions keyActions(int key, bool keyDown, InputContext context, bool alt = false);
// The actions of one event of the platform's (keys, pads coming and going, pad axes, hats and
// buttons); none for others.
Actions actionsForEvent(const AppEvent& event, InputContext context);
// A release of every button held in a game, as the game would have had them had the keys and
// pads been let go here; nothing is held afterwards.
Actions releaseHeldInput(InputContext context);
// A release of every button held in a game by a key the platform says is up now, whose release
// never came (it happened while the keyboard went to another window); those are no longer held.
// Pads keep their own state and are left alone.
Actions releaseKeysLetGo(InputContext context);
// The pad button that pauses: start where the platform names pad buttons, else button 2.
int defaultPadPause();
