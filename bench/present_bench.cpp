// The cost of a frame in a real window: start-up to the first presented frame, CPU per frame of
// both present paths, one screen-effects step, and the peak resident memory. Run it under a
// display (e.g. xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ./bench/present_bench).
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/window/app_state.h"
#include "app/command_line.h"
#include "app/window/lifecycle.h"
#include "app/window/main_loop.h"
#include "graphics/canvas.h"
#include "graphics/screen_effects.h"

namespace {

constexpr int framesPerPath = 200;

double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double cpuNow() { return seconds(CLOCK_PROCESS_CPUTIME_ID); }
double threadCpuNow() { return seconds(CLOCK_THREAD_CPUTIME_ID); }

struct FrameCost {
    double process;  // ms, the renderer's own threads included
    double thread;   // ms, the main thread alone: building and handing over the quads
};

double medianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2] * 1000.0;
}

FrameCost presentCost(PresentPath path) {
    presentPath = path;
    std::vector<double> process, thread;
    for (int i = 0; i < framesPerPath; ++i) {
        stepScreenEffects();
        double start = cpuNow(), threadStart = threadCpuNow();
        renderFrame();
        process.push_back(cpuNow() - start);
        thread.push_back(threadCpuNow() - threadStart);
    }
    return {medianMs(process), medianMs(thread)};
}

double effectsCost() {
    std::vector<double> samples;
    for (int i = 0; i < framesPerPath; ++i) {
        double start = cpuNow();
        stepScreenEffects();
        samples.push_back(cpuNow() - start);
    }
    return medianMs(samples);
}

}  // namespace

// Takes the program's options: --windowed measures a start-up that asks for no full screen.
int main(int argc, char** argv) {
    double start = seconds(CLOCK_MONOTONIC);
    Options options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error) || appInit(options, error) != 0) {
        std::fprintf(stderr, "present_bench: %s\n", error.c_str());
        return 1;
    }
    renderFrame();
    std::printf("start-up to the first presented frame: %.0f ms\n",
                (seconds(CLOCK_MONOTONIC) - start) * 1000);
    for (PresentPath path : {PresentPath::Immediate, PresentPath::VertexArrays}) {
        FrameCost cost = presentCost(path);
        std::printf("CPU per menu frame, %-16s %.2f ms process, %.2f ms main thread (median of %d)\n",
                    path == PresentPath::Immediate ? "immediate mode:" : "vertex arrays:", cost.process,
                    cost.thread, framesPerPath);
    }
    std::printf("CPU per screen-effects step:           %.2f ms (median of %d)\n", effectsCost(),
                framesPerPath);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory:                  %.1f MB\n", usage.ru_maxrss / 1024.0);
    appShutdown();
    return 0;
}
