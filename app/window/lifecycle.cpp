#include "app/window/lifecycle.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/input/keys_file.h"
#include "app/platform/data_files.h"
#include "app/platform/platform.h"
#include "app/saved/home_files.h"
#include "app/saved/save_policy.h"
#include "app/saved/settings.h"
#include "app/session/playback.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/game.h"
#include "app/window/menu.h"
#include "app/window/volume.h"
#include "audio/audio_device.h"
#include "audio/synth.h"
#include "base/random.h"
#include "framework/actor.h"
#include "games/catalogue.h"
#include "graphics/video.h"

namespace {

// A controller database of the player's own, in the configuration folder, beside SDL's.
const char* const padMappingsFileName = "gamecontrollerdb.txt";

constexpr int menuRepeatDelay = 500;  // ms before a held key repeats on the menu
constexpr int menuRepeatInterval = 30;

// A replay plays its own game; otherwise --game names one, else settings.conf, else the first
// of the list is taken.
int firstGameId(const Options& options) {
    if (replayActive()) return loadedReplay().gameId;
    const GameEntry* named = findGameByTitle(options.gameTitle);
    if (!named) named = rememberedGame();
    return named ? named->id : gameCatalogue[0]->id;
}

}  // namespace

int appInit(const Options& options, std::string& error) {
    uint32_t seed = clockSeconds();
    appRandomSource.seed(seed);
    audioRandomSource.seed(seed);
    if (!platformInit(error)) return noWindowStatus;
    platformLoadPadMappings(configFilePath(padMappingsFileName));
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
    if (inGame()) endGame();
    saveSettings();
    platformQuit();
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
