// Synthesizes the game's two sound samples and writes them as Ogg Vorbis files:
//   make_samples [output directory, default dat/samples]
// Everything is computed from fixed numbers and fixed seeds, so every run writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tools/ogg_encoder.h"

namespace {

constexpr double rate = 44100.0;
constexpr double pi = 3.14159265358979323846;
constexpr double peakLevel = 0.7;
constexpr double highestHarmonic = 11000.0;  // keeps every partial well below the Nyquist limit

struct Formant {
    double frequency;
    double bandwidth;
    double gain;
};
using Vowel = std::vector<Formant>;

// Three formants each for "ee", "a" and "ow": the meow slides through them.
const Vowel vowelEe = {{350, 90, 1.0}, {2300, 140, 1.0}, {3000, 200, 0.35}};
const Vowel vowelAh = {{800, 110, 1.0}, {1300, 130, 0.6}, {2600, 220, 0.25}};
const Vowel vowelOw = {{450, 100, 1.0}, {900, 120, 0.5}, {2400, 240, 0.15}};

// A fixed generator: std::mt19937's raw output is the same everywhere, unlike its distributions.
class Noise {
public:
    explicit Noise(uint32_t seed) : generator(seed) {}
    double next() { return generator() / 2147483648.0 - 1.0; }

private:
    std::mt19937 generator;
};

double smoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

// The vowel at u in [0, 1]: "ee" at the start, "a" a little before the middle, "ow" at the end.
Vowel vowelAt(double u) {
    constexpr double middle = 0.4;
    const Vowel& from = u < middle ? vowelEe : vowelAh;
    const Vowel& to = u < middle ? vowelAh : vowelOw;
    const double t = smoothStep(u < middle ? u / middle : (u - middle) / (1 - middle));
    Vowel v;
    for (size_t i = 0; i < from.size(); ++i) {
        v.push_back({lerp(from[i].frequency, to[i].frequency, t), lerp(from[i].bandwidth, to[i].bandwidth, t),
                     lerp(from[i].gain, to[i].gain, t)});
    }
    return v;
}

// How strongly the vocal tract passes a partial: a sum of resonance peaks over a small floor.
double vowelGain(const Vowel& vowel, double frequency) {
    double gain = 0.03;
    for (const Formant& f : vowel) {
        const double detune = (frequency - f.frequency) / f.bandwidth;
        gain += f.gain / std::sqrt(1 + detune * detune);
    }
    return gain;
}

// Pitch of the meow: rises from about 480 Hz to about 800 Hz, then falls below where it began.
double meowPitch(double u, double t) {
    const double contour = 470 + 330 * std::sin(pi * std::pow(u, 0.75)) - 70 * u;
    const double vibrato = 1 + 0.012 * std::sin(2 * pi * 5.5 * t);
    return contour * vibrato;
}

double meowLoudness(double t, double length) {
    const double rise = smoothStep(t / 0.05);
    const double fall = smoothStep((length - t) / 0.18);
    const double swell = 0.8 + 0.2 * std::sin(pi * t / length);
    return rise * fall * swell;
}

void normalize(std::vector<double>& wave) {
    double peak = 0;
    for (double s : wave) peak = std::max(peak, std::fabs(s));
    if (peak > 0) {
        for (double& s : wave) s *= peakLevel / peak;
    }
}

// Left is the sound itself; right is a slightly later, slightly quieter copy, for some width.
std::vector<float> toStereo(const std::vector<double>& wave, int lagFrames, double rightGain) {
    std::vector<float> out;
    out.reserve(wave.size() * 2);
    for (size_t j = 0; j < wave.size(); ++j) {
        const double lagged = j >= static_cast<size_t>(lagFrames) ? wave[j - lagFrames] : 0.0;
        out.push_back(static_cast<float>(wave[j]));
        out.push_back(static_cast<float>(lagged * rightGain));
    }
    return out;
}

std::vector<float> synthesizeMeow() {
    constexpr double length = 0.78;
    const size_t frames = static_cast<size_t>(length * rate);
    std::vector<double> phases(static_cast<size_t>(highestHarmonic / 300) + 1, 0.0);
    std::vector<double> wave(frames);
    Noise breath(0x6d656f77u);
    double breathLow = 0;
    for (size_t j = 0; j < frames; ++j) {
        const double t = j / rate;
        const double u = t / length;
        const double f0 = meowPitch(u, t);
        const Vowel vowel = vowelAt(u);
        double voiced = 0;
        for (size_t k = 1; k < phases.size() && k * f0 < highestHarmonic; ++k) {
            phases[k] += 2 * pi * k * f0 / rate;
            voiced += vowelGain(vowel, k * f0) / std::pow(k, 0.8) * std::sin(phases[k]);
        }
        // A little breath, strongest at the onset, softened by a one-pole low-pass.
        breathLow += 0.25 * (breath.next() - breathLow);
        const double breathLevel = 0.05 + 0.25 * (1 - smoothStep(t / 0.08));
        wave[j] = (voiced + breathLevel * breathLow) * meowLoudness(t, length);
    }
    normalize(wave);
    return toStereo(wave, 11, 0.92);
}

// Three quick chirps, each sweeping up and dropping back a little: "eek-eek-eek".
std::vector<float> synthesizeMouse() {
    constexpr double length = 0.22;
    constexpr double chirpLength = 0.048;
    constexpr double chirpStarts[] = {0.0, 0.078, 0.155};
    constexpr double chirpPitch[] = {5200, 5600, 5000};
    const size_t frames = static_cast<size_t>(length * rate);
    std::vector<double> wave(frames, 0.0);
    Noise jitter(0x6d6f7573u);
    for (size_t c = 0; c < std::size(chirpStarts); ++c) {
        const double loudness = 0.85 + 0.15 * jitter.next();
        double phase = 0;
        const size_t first = static_cast<size_t>(chirpStarts[c] * rate);
        const size_t count = static_cast<size_t>(chirpLength * rate);
        for (size_t j = 0; j < count && first + j < frames; ++j) {
            const double u = j / (chirpLength * rate);
            const double sweep = 1 - 0.28 * std::pow(1 - u, 2) + 0.12 * std::sin(pi * u);
            phase += 2 * pi * chirpPitch[c] * sweep / rate;
            const double window = std::pow(std::sin(pi * u), 2);
            wave[first + j] += loudness * window * (std::sin(phase) + 0.12 * std::sin(2 * phase));
        }
    }
    normalize(wave);
    return toStereo(wave, 5, 0.95);
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool writeSample(const std::string& directory, const char* name, const std::vector<float>& frames,
                 int serial) {
    VorbisStreamSettings settings;
    settings.quality = 0.2f;
    settings.serial = serial;
    settings.comments = {std::string("TITLE=") + name};
    const std::string path = directory + "/" + name + ".ogg";
    if (writeFile(path, encodeVorbisStream(frames, settings))) return true;
    std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string directory = argc > 1 ? argv[1] : "dat/samples";
    const bool meow = writeSample(directory, "meow", synthesizeMeow(), 17);
    const bool mouse = writeSample(directory, "mouse", synthesizeMouse(), 18);
    return meow && mouse ? 0 : 1;
}
