#pragma once
#include <string>
#include <vector>

// How one logical Ogg Vorbis stream is encoded. A fixed serial number keeps the output
// byte-for-byte the same from run to run.
struct VorbisStreamSettings {
    int channels = 2;
    long rate = 44100;
    float quality = 0.3f;  // libvorbis VBR quality, -0.1 to 1
    int serial = 1;
    std::vector<std::string> comments;  // "TAG=value"
};

// Encodes interleaved samples in [-1, 1] (frames * channels values) into the bytes of one
// complete logical stream. Throws std::runtime_error when libvorbis refuses the settings.
std::string encodeVorbisStream(const std::vector<float>& interleaved, const VorbisStreamSettings& settings);
