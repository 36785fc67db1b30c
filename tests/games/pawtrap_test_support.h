#pragma once
#include <memory>

#include "app/session/session.h"
#include "app/window/app_state.h"
#include "base/random.h"
#include "framework/actor.h"
#include "games/pawtrap.h"
#include "graphics/canvas.h"

constexpr uint32_t testAppSeed = 20240601u;

// A fresh application: built-in tables and bindings, the cat game selected, a fixed random
// source, no game running.
inline void resetCatGameApplication() {
    app = AppState();
    restoreSettings();
    selectGame(0);
    restoreActorKinds();
    appRandomSource.seed(testAppSeed);
    clearCanvas();
}

inline Actor& mouseOf(Pawtrap& game) { return *game.actors.at(1); }

inline void placePaw(Pawtrap& game, int player, int x, int y) {
    game.players[player].x = x;
    game.players[player].y = y;
}

inline void placeMouse(Actor& mouse, int cx, int cy) {
    mouse.x = cx * 64;
    mouse.y = cy * 64;
}
