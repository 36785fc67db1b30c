#include "app/window/frame_stats.h"

#include <cstdio>

#include "app/platform/platform.h"
#include "app/session/session.h"
#include "app/window/app_state.h"

FrameStats frameStats;

void reportStatsPlatform() { std::fprintf(stderr, "tandrel: platform %s\n", platformDescription().c_str()); }

void startFrameStats(uint32_t now) {
    frameStats.since = now;
    frameStats.cpuSince = platformCpuMicroseconds();
    frameStats.framesSince = app.frameCount;
    frameStats.ticks = 0;
}

void countPassForStats(unsigned ticks) {
    frameStats.ticks += ticks;
    const uint32_t elapsed = app.passTime - frameStats.since;  // unsigned: the clock's wrap is harmless
    if (elapsed < statsInterval) return;
    const std::string line = statsLine(elapsed, app.frameCount - frameStats.framesSince, frameStats.ticks,
                                       platformCpuMicroseconds() - frameStats.cpuSince);
    std::fputs(line.c_str(), stderr);
    // A game under rollback: its rollbacks so far, over the time it has run.
    if (inGame() && session.feed->rollbackDepth())
        std::fputs(rollbackStatsLine(session.rollback, session.game->tickCount * tickLength / 1000.0).c_str(),
                   stderr);
    startFrameStats(app.passTime);
}

std::string statsLine(uint32_t elapsedMs, uint32_t frames, unsigned ticks, uint64_t cpuMicroseconds) {
    const double seconds = elapsedMs / 1000.0;
    char line[96];
    std::snprintf(line, sizeof line, "tandrel: %.1f frames/s, %.1f ticks/s, CPU %.1f %% of one core\n",
                  frames / seconds, ticks / seconds, cpuMicroseconds / 1e4 / seconds);
    return line;
}
