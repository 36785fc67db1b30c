#include "ogg_test_files.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>
#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

namespace {

constexpr size_t pageHeaderBytes = 27;  // before the segment table
constexpr size_t segmentCountAt = 26;

int16_t toPcm(float x) {
    const float v = std::floor(x * 32767.f + .5f);
    return static_cast<int16_t>(v > 32767.f ? 32767.f : v < -32768.f ? -32768.f : v);
}

size_t headerLength(const std::string& bytes, size_t at) {
    return pageHeaderBytes + static_cast<unsigned char>(bytes[at + segmentCountAt]);
}

size_t bodyLength(const std::string& bytes, size_t at) {
    size_t length = 0;
    const size_t segments = static_cast<unsigned char>(bytes[at + segmentCountAt]);
    for (size_t i = 0; i < segments; ++i) {
        length += static_cast<unsigned char>(bytes[at + pageHeaderBytes + i]);
    }
    return length;
}

void resetChecksum(std::string& bytes, size_t at) {
    ogg_page page;
    page.header = reinterpret_cast<unsigned char*>(&bytes[at]);
    page.header_len = static_cast<long>(headerLength(bytes, at));
    page.body = page.header + page.header_len;
    page.body_len = static_cast<long>(bodyLength(bytes, at));
    ogg_page_checksum_set(&page);
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
    std::string pattern = ::testing::TempDir() + "tandrel_audio_XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
    directory = pattern;
}

ScratchDirectory::~ScratchDirectory() { std::filesystem::remove_all(directory); }

std::string ScratchDirectory::write(const std::string& name, const std::string& bytes) const {
    const std::string file = directory + "/" + name;
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + file);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return file;
}

std::vector<float> toneFrames(int channels, long frames, long rate, float level) {
    std::vector<float> out;
    for (long j = 0; j < frames; ++j) {
        for (int c = 0; c < channels; ++c) {
            out.push_back(level * static_cast<float>(std::sin(2 * M_PI * 300.0 * (c + 1) * j / rate)));
        }
    }
    return out;
}

std::string encodeTone(int channels, long frames, long rate, int serial, float level) {
    VorbisStreamSettings settings;
    settings.channels = channels;
    settings.rate = rate;
    settings.serial = serial;
    settings.comments = {"TITLE=test"};
    return encodeVorbisStream(toneFrames(channels, frames, rate, level), settings);
}

std::vector<StereoFrame> referenceFrames(const std::string& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) throw std::runtime_error("libvorbisfile cannot open " + path);
    std::vector<StereoFrame> frames;
    float** pcm = nullptr;
    int link = 0;
    long got = 0;
    while ((got = ov_read_float(&file, &pcm, 4096, &link)) > 0) {
        const int right = ov_info(&file, link)->channels > 1 ? 1 : 0;
        for (long j = 0; j < got; ++j) frames.push_back({toPcm(pcm[0][j]), toPcm(pcm[right][j])});
    }
    ov_clear(&file);
    return frames;
}

std::string encoderVendor(const std::string& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) throw std::runtime_error("libvorbisfile cannot open " + path);
    const std::string vendor = ov_comment(&file, 0)->vendor;
    ov_clear(&file);
    return vendor;
}

std::vector<size_t> pageOffsets(const std::string& bytes) {
    std::vector<size_t> offsets;
    size_t at = 0;
    while (at + pageHeaderBytes <= bytes.size()) {
        offsets.push_back(at);
        at += headerLength(bytes, at) + bodyLength(bytes, at);
    }
    return offsets;
}

void patchPageHeader(std::string& bytes, size_t page, size_t offset, unsigned char value) {
    const size_t at = pageOffsets(bytes).at(page);
    bytes[at + offset] = static_cast<char>(value);
    resetChecksum(bytes, at);
}

void patchPageBody(std::string& bytes, size_t page, size_t offset, unsigned char value) {
    const size_t at = pageOffsets(bytes).at(page);
    bytes[at + headerLength(bytes, at) + offset] = static_cast<char>(value);
    resetChecksum(bytes, at);
}
