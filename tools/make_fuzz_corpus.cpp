// Writes the seed corpus of the sample-loader fuzzer: small valid Ogg Vorbis files of every kind
// the loader handles.
//   make_fuzz_corpus <output directory>
// Fixed tones and fixed serial numbers: every run writes the same bytes.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/ogg_encoder.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr long seedFrames = 2000;  // short, so that every execution is quick
constexpr float quietLevel = 0.5f;
constexpr float clippingLevel = 1.2f;  // beyond full scale: the loader's clipping path

// Channel c is a sine at 300 * (c + 1) Hz.
std::vector<float> tone(int channels, long rate, float level) {
    std::vector<float> samples;
    for (long j = 0; j < seedFrames; ++j) {
        for (int c = 0; c < channels; ++c) {
            samples.push_back(level * static_cast<float>(std::sin(2 * pi * 300 * (c + 1) * j / rate)));
        }
    }
    return samples;
}

std::string stream(int channels, long rate, int serial, float level = quietLevel) {
    VorbisStreamSettings settings;
    settings.channels = channels;
    settings.rate = rate;
    settings.serial = serial;
    settings.comments = {"TITLE=seed"};
    return encodeVorbisStream(tone(channels, rate, level), settings);
}

struct Seed {
    const char* name;
    std::string bytes;
};

bool writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_corpus <output directory>\n");
        return 2;
    }
    const std::string directory = argv[1];
    std::filesystem::create_directories(directory);
    const Seed seeds[] = {
        {"stereo.ogg", stream(2, 44100, 1)},
        {"mono.ogg", stream(1, 44100, 2)},
        {"chained.ogg", stream(2, 44100, 3) + stream(2, 44100, 4)},
        {"four_channels.ogg", stream(4, 44100, 5)},
        {"rate_22050.ogg", stream(2, 22050, 6)},
        {"clipping.ogg", stream(2, 44100, 7, clippingLevel)},
    };
    for (const Seed& seed : seeds) {
        const std::string path = directory + "/" + seed.name;
        if (!writeFile(path, seed.bytes)) {
            std::fprintf(stderr, "make_fuzz_corpus: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
