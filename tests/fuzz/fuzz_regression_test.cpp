#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "audio/sample_loader.h"
#include "page_checksums.h"
#include "tools/ogg_encoder.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

constexpr char capturePattern[] = "OggS";
constexpr size_t pageSequenceAt = 18;
constexpr size_t pageHeaderBytes = 27;  // before the segment table
constexpr size_t segmentCountAt = 26;
constexpr int toneFrames = 3000;
constexpr float toneLevel = 0.5f;
constexpr double toneStep = 0.05;  // radians per frame

enum class Outcome { Frames, NoFrames, Fails, EndsProcess };

// Inputs the fuzzer reached each outcome of the loader with, the smallest it found for each.
struct KeptOutcome {
    const char* file;
    Outcome outcome;
    const char* diagnostic;  // part of what the load printed; empty: it printed nothing
};

const KeptOutcome keptOutcomes[] = {
    {"one_byte.ogg", Outcome::NoFrames, ""},
    {"four_channels_without_audio.ogg", Outcome::NoFrames, "Bitstream is 4 channel"},
    {"mono_with_lost_capture.ogg", Outcome::NoFrames, "Corrupt or missing data in bitstream"},
    {"stereo_with_lost_capture.ogg", Outcome::NoFrames, "Corrupt or missing data in bitstream"},
    {"four_channels_with_lost_capture.ogg", Outcome::NoFrames, "Corrupt or missing data in bitstream"},
    {"chained_with_lost_capture.ogg", Outcome::Frames, "Corrupt or missing data in bitstream"},
    {"full_block_without_page.ogg", Outcome::Fails, "Input does not appear to be an Ogg bitstream."},
    {"unreadable_first_page.ogg", Outcome::Fails, "Error reading first page of Ogg bitstream data."},
    {"second_stream_without_header_packet.ogg", Outcome::Fails, "Error reading initial header packet."},
    {"not_vorbis.ogg", Outcome::Fails, "This Ogg bitstream does not contain Vorbis audio data."},
    {"rejected_secondary_header.ogg", Outcome::Fails, "Corrupt secondary header.  Exiting."},
    {"end_inside_headers.ogg", Outcome::Fails, "End of file before finding all Vorbis headers!"},
    {"hole_between_header_pages.ogg", Outcome::EndsProcess, "Corrupt secondary header.  Exiting."},
    {"hole_between_header_pages_of_second_stream.ogg", Outcome::EndsProcess,
     "Corrupt secondary header.  Exiting."},
};

int exitStatus = -1;
void recordExit(int status) { exitStatus = status; }

struct Loaded {
    bool failed = false;
    unsigned length = 0;
    std::string diagnostics;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string stereoTone() {
    std::vector<float> samples;
    for (int j = 0; j < toneFrames; ++j) {
        const float x = toneLevel * static_cast<float>(std::sin(j * toneStep));
        samples.push_back(x);
        samples.push_back(-x);
    }
    return encodeVorbisStream(samples, VorbisStreamSettings{});
}

size_t pageAt(const std::string& bytes, int page) {
    size_t at = bytes.find(capturePattern);
    for (int k = 0; k < page; ++k) at = bytes.find(capturePattern, at + 1);
    return at;
}

// The loader with its deliberate exit turned into a failed load, on files this test writes. The
// kept inputs (tests/fuzz/regressions) are replayed under the sanitizers by tests/hardening.sh.
class FuzzRegressions : public ::testing::Test {
protected:
    void SetUp() override {
        previousExit = sampleLoaderExit;
        sampleLoaderExit = recordExit;
        exitStatus = -1;
        std::string pattern = ::testing::TempDir() + "tandrel_fuzz_XXXXXX";
        const int fd = mkstemp(pattern.data());
        ASSERT_GE(fd, 0);
        close(fd);
        path = pattern;
    }
    void TearDown() override {
        sampleLoaderExit = previousExit;
        unlink(path.c_str());
    }

    // Loads `bytes`; every frame it reports is read, so AddressSanitizer sees a length too long.
    Loaded load(const std::string& bytes) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        Loaded result;
        result.length = 12345;
        CaptureStderr();
        const std::unique_ptr<StereoFrame[]> frames = loadSampleFile(path.c_str(), &result.length);
        result.diagnostics = GetCapturedStderr();
        result.failed = !frames;
        EXPECT_TRUE(frames || result.length == 0) << "a failed load reports no frames";
        std::vector<StereoFrame> copy;
        if (frames) copy.assign(frames.get(), frames.get() + result.length);
        return result;
    }

    void (*previousExit)(int) = nullptr;
    std::string path;
};

TEST_F(FuzzRegressions, EveryKeptInputLoadsAsGivenAndWithItsChecksumsRepaired) {
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TANDREL_REGRESSION_DIR)) {
        if (!entry.is_regular_file()) continue;
        ++kept;
        SCOPED_TRACE(entry.path().filename().string());
        std::string bytes = readFile(entry.path());
        load(bytes);
        if (repairPageChecksums(bytes)) load(bytes);
    }
    EXPECT_GE(kept, static_cast<int>(std::size(keptOutcomes)));
}

TEST_F(FuzzRegressions, KeptInputsEndAsTheFailureTableSays) {
    for (const KeptOutcome& kept : keptOutcomes) {
        SCOPED_TRACE(kept.file);
        exitStatus = -1;
        const Loaded loaded = load(readFile(std::string(TANDREL_REGRESSION_DIR) + "/" + kept.file));
        EXPECT_EQ(loaded.failed, kept.outcome == Outcome::Fails || kept.outcome == Outcome::EndsProcess);
        EXPECT_EQ(loaded.length > 0, kept.outcome == Outcome::Frames);
        EXPECT_EQ(exitStatus, kept.outcome == Outcome::EndsProcess ? 1 : -1);
        if (*kept.diagnostic == '\0') EXPECT_EQ(loaded.diagnostics, "");
        else EXPECT_NE(loaded.diagnostics.find(kept.diagnostic), std::string::npos) << loaded.diagnostics;
    }
}

TEST_F(FuzzRegressions, AHoleBetweenTheHeaderPagesGoesThroughTheExitHookAndFailsTheLoad) {
    std::string bytes = stereoTone();
    bytes[pageAt(bytes, 1) + pageSequenceAt] = 2;
    ASSERT_TRUE(repairPageChecksums(bytes));
    const Loaded loaded = load(bytes);
    EXPECT_EQ(exitStatus, 1);
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "Corrupt secondary header.  Exiting.\n");
}

TEST_F(FuzzRegressions, RepairedChecksumsLetAChangedPageThroughToTheDecoder) {
    std::string bytes = stereoTone();
    std::string untouched = bytes;
    EXPECT_FALSE(repairPageChecksums(untouched)) << "a valid file needs no repair";
    EXPECT_EQ(untouched, bytes);
    const size_t lastPage = bytes.rfind(capturePattern);
    const size_t firstBodyByte =
        lastPage + pageHeaderBytes + static_cast<unsigned char>(bytes[lastPage + segmentCountAt]);
    bytes[firstBodyByte] ^= 0x40;
    EXPECT_NE(load(bytes).diagnostics.find("Corrupt or missing data in bitstream"), std::string::npos);
    ASSERT_TRUE(repairPageChecksums(bytes));
    EXPECT_EQ(load(bytes).diagnostics.find("Corrupt or missing data in bitstream"), std::string::npos);
}

}  // namespace
