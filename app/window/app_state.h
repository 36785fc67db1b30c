#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "audio/mixer.h"           // fullOutputVolume
#include "framework/game_state.h"  // buttonCount, tickLength
#include "graphics/monitors.h"     // anyDisplay

// The results of one game of the catalogue: the scores file's, then this run's.
struct GameResults {
    int bestScore = 0;       // player 1's best final score
    std::string lastResult;  // the score of the last game as result lines give it; empty before
};

// The application record. Written by the frame on the main thread; zero before appInit(),
// the game fields reset by newGameReset() at every new game.
struct AppState {
    bool inGame = false;
    std::unique_ptr<GameState> currentGame;  // set exactly while inGame
    int selectedGame = 0;                    // catalogue id; changed on the menu, kept across games
    std::map<int, GameResults> results;      // by catalogue id: loadScores(), then endGame()
    int menuCursor = 0;                      // 0 "start", 1 "exit"; survives games
    int quitFade = 0;
    int quitCountdown = 0;
    bool quitRequested = false;
    bool windowInactive = false;    // a focus loss arrived in this pass
    bool paused = false;            // the game's ticks wait; false whenever no game runs
    bool muted = false;             // the sound is off whatever settings.volume says
    uint32_t volumeShownUntil = 0;  // platform time until which the volume bar shows
    bool keyboardAway = false;      // the keyboard's focus is elsewhere and not yet let go of
    uint32_t keyboardLostAt = 0;    // platform time the focus went, while keyboardAway
    uint32_t tickTarget = 0;
    bool skipNextAdvance = false;
    uint8_t eventSequence = 0;  // wraps; read as signed by the event order
    uint32_t gameSeed = 0;
    uint32_t frameCount = 0;
    uint32_t lastPassTime = 0;
    uint32_t passTime = 0;
};

// Whether the platform's clock reading `now` is before `deadline`, across the clock's wrap.
inline bool clockBefore(uint32_t now, uint32_t deadline) { return static_cast<int32_t>(deadline - now) > 0; }

constexpr int padCount = 2;  // the first two pads found: player 1's, then player 2's

constexpr int automaticDisplay = anyDisplay;  // the monitor is chosen for the player
constexpr int fullVolume = fullOutputVolume;

// Settings: filled with defaults by restoreSettings(), then settings.conf, the command line and
// the key file, before the window opens; saveSettings() keeps what the player changes in a run.
struct Settings {
    bool windowed = false;
    int display = automaticDisplay;  // or the index of the monitor the window goes on
    int volume = fullVolume;         // 0 to 100
    bool noMultisample = true;
    int keyBindings[buttonCount] = {};   // key symbols
    int keyScancodes[buttonCount] = {};  // nonzero: the key is matched by this X keycode instead
    int padChoose[padCount] = {};        // the pad button that chooses a menu item
    int padLeave[padCount] = {};         // the pad button that leaves a game
    int padPause[padCount] = {};         // the pad button that pauses a game and resumes it
    int pauseKey = 0;                    // key symbols of the keys players may set besides buttons
    int muteKey = 0;
};

extern AppState app;
extern Settings settings;

void restoreSettings();
// Makes the catalogue entry with this id the selected game, for the frame, the framework and
// the graphics alike.
void selectGame(int id);
// The same on the menu, where the palette changes at once to the new game's colours, and the
// choice is kept in settings.conf.
void switchGame(int id);
