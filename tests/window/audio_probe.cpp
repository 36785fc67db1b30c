// Finds a sample in a raw capture of the program's sound output (signed 16-bit little-endian
// stereo at 44100 Hz, as SDL's disk driver writes it) and checks that it starts on a beat.
//   audio_probe CAPTURE.raw SAMPLE.ogg
// Prints where the sample starts and how well it matches; exit 0 when it matches closely and
// starts on a multiple of 2756 frames from the first frame the mixer produced, 1 otherwise.
// SDL's audio thread writes a silent buffer or two into the capture while the device is still
// paused, so the mixer's frame 0 lies a whole number of 2048-frame buffers into the file.
#include <cmath>
#include <cstdio>
#include <vector>

#include "audio/sample_loader.h"

namespace {

constexpr long beatFrames = 2756;
constexpr long deviceBuffer = 2048;
constexpr long pausedBuffersAllowed = 2;
// Short enough that echoes, which can return early where the taps cross, add little.
constexpr long matchFrames = 8192;
constexpr long searchBack = 3 * beatFrames;
constexpr double closeMatch = 0.05;  // residual energy relative to the capture's

std::vector<StereoFrame> readCapture(const char* path) {
    std::vector<StereoFrame> frames;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return frames;
    StereoFrame frame;
    while (std::fread(&frame, sizeof frame, 1, file) == 1) frames.push_back(frame);
    std::fclose(file);
    return frames;
}

struct Fit {
    long onset = -1;
    double gainLeft = 0, gainRight = 0, residual = 1e30;
};

// The least-squares gain of the sample against one lane of the capture from `onset`, and what
// is left over.
double fitLane(const std::vector<StereoFrame>& out, const StereoFrame* sample, long onset, long n, bool left,
               double& residual) {
    double cross = 0, power = 0, energy = 0;
    for (long i = 0; i < n; ++i) {
        double s = left ? sample[i].left : sample[i].right;
        double o = left ? out[onset + i].left : out[onset + i].right;
        cross += s * o;
        power += s * s;
        energy += o * o;
    }
    double gain = power > 0 ? cross / power : 0;
    residual = energy > 0 ? (energy - gain * cross) / energy : 1;
    return gain;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: audio_probe CAPTURE.raw SAMPLE.ogg\n");
        return 2;
    }
    std::vector<StereoFrame> out = readCapture(argv[1]);
    unsigned length = 0;
    std::unique_ptr<StereoFrame[]> sample = loadSampleFile(argv[2], &length);
    if (!sample || length == 0) return 2;
    long first = 0;
    while (first < static_cast<long>(out.size()) && out[first].left == 0 && out[first].right == 0) ++first;
    long n = std::min<long>(length, matchFrames);
    if (first + n > static_cast<long>(out.size())) {
        std::printf("no sound in %zu captured frames\n", out.size());
        return 1;
    }
    Fit best;
    for (long onset = std::max(0L, first - searchBack); onset <= first; ++onset) {
        double left = 0, right = 0;
        double gainLeft = fitLane(out, sample.get(), onset, n, true, left);
        double gainRight = fitLane(out, sample.get(), onset, n, false, right);
        if (left + right < best.residual) best = {onset, gainLeft, gainRight, left + right};
    }
    long paused = 0;
    while (paused < pausedBuffersAllowed && (best.onset - paused * deviceBuffer) % beatFrames != 0) ++paused;
    long mixerFrame = best.onset - paused * deviceBuffer;
    bool onBeat = mixerFrame % beatFrames == 0;
    std::printf(
        "sample at capture frame %ld = mixer frame %ld after %ld paused buffer(s): %s beat %ld; "
        "gains %.3f %.3f, residual %.4f\n",
        best.onset, mixerFrame, paused, onBeat ? "on" : "OFF", mixerFrame / beatFrames, best.gainLeft,
        best.gainRight, best.residual);
    return onBeat && best.residual < closeMatch ? 0 : 1;
}
