#pragma once
// The window's own record: the menu, the quit sequence, the keyboard's focus and the frame clock.
#include <cstdint>

// The application record. Written by the frame on the main thread; zero before appInit().
struct AppState {
    int menuCursor = 0;  // 0 "start", 1 "exit"; survives games
    int quitFade = 0;
    int quitCountdown = 0;
    bool quitRequested = false;
    bool windowInactive = false;    // a focus loss arrived in this pass
    bool muted = false;             // the sound is off whatever settings.volume says
    uint32_t volumeShownUntil = 0;  // platform time until which the volume bar shows
    bool keyboardAway = false;      // the keyboard's focus is elsewhere and not yet let go of
    unsigned padsUnplugged = 0;     // a bit per player whose pad went in this local game and
                                    // none came back; zero when a game starts
    uint32_t keyboardLostAt = 0;    // platform time the focus went, while keyboardAway
    uint32_t frameCount = 0;
    uint32_t lastPassTime = 0;
    uint32_t passTime = 0;
};

extern AppState app;

// The built-in settings: the window, the volume, every key and pad button.
void restoreSettings();
