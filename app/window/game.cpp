#include "app/window/game.h"

#include "app/platform/platform.h"
#include "app/saved/save_policy.h"
#include "app/session/keyboard_feed.h"
#include "app/session/playback.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/net_window.h"
#include "graphics/screen_effects.h"

namespace {

void recordResult(const GameEntry& entry, const GameState& game) {
    GameResults& results = gameResults[entry.id];
    const int score = game.players[0].score;
    if (score >= results.bestScore) results.bestScore = score;
    results.lastResult = scoreText(entry, game);
}

// A replay run plays its recording at every start; otherwise the players' keys play.
void startLocalGame() {
    if (replayActive()) startSession(*selectedEntry, loadedReplay().seed, recordingFeed);
    else startSession(*selectedEntry, clockSeconds(), keyboardFeed);
    enterWindowGame();
    runTick(platformTicks());
}

}  // namespace

bool startGame() {
    switch (netRole()) {
    case NetRole::Guest: return false;
    case NetRole::Host: startHostedGame(); return true;
    case NetRole::Alone: startLocalGame(); return true;
    }
    return false;
}

void enterWindowGame() {
    session.skipNextAdvance = true;
    app.padsUnplugged = 0;
    // A held key in a game gives one press and one release; never switched on again.
    platformKeyRepeat(0, 0);
}

void leaveGame() {
    if (!leaveSession()) endGame();
}

void endGame() {
    recordResult(*session.entry, *session.game);
    saveScores();
    endSession();
    resetScreenEffects();
}
