// The program: the command line, then the window, a headless replay or a headless net game.
#include <cstdio>
#include <iostream>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/command_line.h"
#include "app/headless/net_run.h"
#include "app/headless/replay_run.h"
#include "app/input/keys_file.h"
#include "app/netplay/peer.h"
#include "app/platform/platform.h"
#include "app/saved/conf_text.h"
#include "app/saved/settings_file.h"
#include "app/session/playback.h"
#include "app/session/recorder.h"
#include "app/window/app_state.h"
#include "app/window/frame_stats.h"
#include "app/window/game.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "games/catalogue.h"
#include "graphics/canvas.h"

namespace {

constexpr int usageStatus = 2;

// Mesa's software renderer mallocs about 4 MB every frame (64 KiB blocks of binned triangles and
// the vertex buffers) and frees it at the next; by default glibc hands the top of the heap back
// to the system each time and the next frame faults it in again, page by page.
void keepFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}

int usageError(const std::string& error) {
    std::fprintf(stderr, "tandrel: %s\n%s", error.c_str(), usageText());
    return usageStatus;
}

// Without a window: the layout is read through a connection of its own, if there is a display.
int printKeys(const Options& options) {
    std::string error;
    restoreSettings();
    if (!loadControls(options.keysPath, error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return badKeyFileStatus;
    }
    writeControls(std::cout);
    return 0;
}

// What a run would start with, without starting one: a bad settings.conf is reported, not moved.
int printSettings(const Options& options) {
    settleSettings(options, FileUse::ReadOnly);
    ConfText text;
    encodeSettings(settingsInForce(), text);
    std::fputs(confTextBytes(text).c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    keepFreedMemory();
    Options options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error)) return usageError(error);
    options.remember = true;
    if (options.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s\nplatform: %s\n", programVersion, platformDescription().c_str());
        return 0;
    }
    if (options.printKeys) return printKeys(options);
    if (!options.gameTitle.empty() && !findGameByTitle(options.gameTitle)) {
        std::fprintf(stderr, "tandrel: unknown game '%s' (games: %s)\n", options.gameTitle.c_str(),
                     gameTitles().c_str());
        return usageStatus;
    }
    if (options.printSettings) return printSettings(options);
    if (!options.replayPath.empty() && !loadReplay(options.replayPath, error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return usageStatus;
    }
    if (options.headless && (options.host || options.join)) return runNetHeadless(options);
    if (options.headless && options.syncTest) return runSyncTest(options.syncTest);
    if (options.headless) return runHeadlessReplay();
    if (!options.recordPath.empty() && !startRecording(options.recordPath, error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return usageStatus;
    }
    if (options.immediate) presentPath = PresentPath::Immediate;
    frameStats.enabled = options.stats;
    if (int status = appInit(options, error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return status;
    }
    if ((options.host || options.join) && !startNet(options, error)) {
        appShutdown();
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return 1;
    }
    if (replayActive()) startGame();
    mainLoop();
    appShutdown();
    linkClose(netCloseWait);
    return 0;
}
