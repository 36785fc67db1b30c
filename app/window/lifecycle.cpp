#include "app/window/lifecycle.h"

#include <cstdio>
#include <ctime>

#include "app/window/app_state.h"
#include "app/command_line.h"
#include "app/platform/data_files.h"
#include "app/session/result_lines.h"
#include "app/input/keys_file.h"
#include "app/window/menu.h"
#include "app/window/net_window.h"
#include "app/netplay/peer.h"
#include "app/platform/platform.h"
#include "app/saved/save_policy.h"
#include "app/session/playback.h"
#include "app/window/volume.h"
#include "audio/audio_device.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "base/random.h"
#include "framework/actor.h"
#include "framework/game_entry.h"
#include "games/catalogue.h"
#include "graphics/screen_effects.h"
#include "graphics/video.h"

namespace {

constexpr int menuRepeatDelay = 500;  // ms before a held key repeats on the menu
constexpr int menuRepeatInterval = 30;

uint32_t clockSeconds() { return static_cast<uint32_t>(std::time(nullptr)); }

// A replay plays its own game; otherwise --game names one, else settings.conf, else the first
// of the list is taken.
int firstGameId(const Options& options) {
    if (replayActive()) return loadedReplay().gameId;
    const GameEntry* named = findGameByTitle(options.gameTitle);
    if (!named) named = rememberedGame();
    return named ? named->id : gameCatalogue[0]->id;
}

void recordResult(const GameEntry& entry, const GameState& game) {
    GameResults& results = app.results[entry.id];
    const int score = game.players[0].score;
    if (score >= results.bestScore) results.bestScore = score;
    results.lastResult = scoreText(entry, game);
}

}  // namespace

int appInit(const Options& options, std::string& error) {
    uint32_t seed = clockSeconds();
    appRandomSource.seed(seed);
    audioRandomSource.seed(seed);
    if (!platformInit(error)) return noWindowStatus;
    platformKeyRepeat(menuRepeatDelay, menuRepeatInterval);
    restoreActorKinds();
    // A replay is watched with the player's settings and scores, but changes neither file.
    const FileUse use = replayActive() ? FileUse::ReadOnly : FileUse::Keep;
    settleSettings(options, use);
    if (options.remember) loadScores(use);
    // After the platform (the layout is read through its display), before the window opens.
    if (!loadControls(options.keysPath, error)) {
        platformQuit();
        return badKeyFileStatus;
    }
    startNoteTableBuild();
    chooseVideoMonitor(settings.display);
    if (!setVideoMode(settings.windowed, settings.noMultisample, error)) {
        finishNoteTableBuild();
        platformQuit();
        return noWindowStatus;
    }
    app.frameCount = 0;
    initAudio(sampleDirectory());
    applyVolume();
    app.menuCursor = 0;
    app.quitFade = 0;
    app.quitCountdown = 0;
    seedMenuSparks();
    return 0;
}

void settleSettings(const Options& options, FileUse use) {
    restoreSettings();
    if (options.remember) loadSettingsFile(use);
    // The command line wins over the file.
    if (options.windowed) settings.windowed = true;
    if (options.fullscreen) settings.windowed = false;
    if (options.display != anyDisplay) settings.display = options.display;
    if (options.volume >= 0) settings.volume = options.volume;
    selectGame(firstGameId(options));
    watchSettingsFromHere();
}

// Settings changed by code that does not save them itself are kept here at the latest.
void appShutdown() {
    shutdownAudio();
    if (app.inGame) endGame();
    saveSettings();
    platformQuit();
}

void newGameReset() {
    restoreActorKinds();
    app.inGame = true;
    app.paused = false;
    app.skipNextAdvance = true;
    app.eventSequence = 0;
    requestEchoCut();
    app.tickTarget = 0;
    app.gameSeed = clockSeconds();
}

bool startGame() {
    if (guestWaits()) return false;
    if (startHostedGame()) return true;
    newGameReset();
    if (replayActive()) app.gameSeed = loadedReplay().seed;
    beginGameReport();
    noteGameStart(app.gameSeed, selectedEntry->title);
    app.currentGame = selectedEntry->create(app.gameSeed);
    // A held key in a game gives one press and one release; never switched on again.
    platformKeyRepeat(0, 0);
    runGameTick(*app.currentGame);
    return true;
}

void endGame() {
    endNetGame();
    recordResult(*selectedEntry, *app.currentGame);
    saveScores();
    app.inGame = false;
    app.paused = false;
    noteGameEnd(*app.currentGame);
    app.currentGame.reset();
    requestEchoCut();
    resetScreenEffects();
}

void beginQuit() {
    app.quitFade = quitFadeStart;
    app.quitCountdown = quitCountdownStart;
}

void toggleFullScreen() {
    std::string error;
    if (changeVideoMode(!settings.windowed, settings.noMultisample, error)) {
        settings.windowed = !settings.windowed;
        saveSettings();
        return;
    }
    std::fprintf(stderr, "tandrel: %s\n", error.c_str());
    if (!changeVideoMode(settings.windowed, settings.noMultisample, error))
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
}
