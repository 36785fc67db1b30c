#pragma once
// --stats: frames, game ticks and CPU time, one line every five seconds.
#include <cstdint>
#include <string>

// What --stats counts between two of its lines, on the frame's own clock.
struct FrameStats {
    bool enabled = false;
    uint32_t since = 0;        // ms, pass time at which the current stretch began
    uint64_t cpuSince = 0;     // µs of process CPU time then
    uint32_t framesSince = 0;  // the frame count then
    unsigned ticks = 0;        // ticks run in the stretch so far
};

constexpr uint32_t statsInterval = 5000;  // ms between two lines

// Main thread; enabled by --stats, restarted by beginLoop() and after every line.
extern FrameStats frameStats;

// A new stretch from `now`, the frame clock in ms.
// One line on stderr: the platform and the version of its library.
void reportStatsPlatform();
void startFrameStats(uint32_t now);
// Counts the pass's ticks; once a stretch is over, prints its line on standard error.
void countPassForStats(unsigned ticks);
// "tandrel: 55.0 frames/s, 55.6 ticks/s, CPU 61.2 % of one core"
std::string statsLine(uint32_t elapsedMs, uint32_t frames, unsigned ticks, uint64_t cpuMicroseconds);
