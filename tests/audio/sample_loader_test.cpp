#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "audio/sample_loader.h"
#include "frame_printer.h"
#include "ogg_test_files.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

constexpr long oneSecond = 44100;
constexpr size_t block = 4096;

struct Loaded {
    std::vector<StereoFrame> frames;
    bool failed = false;
    std::string diagnostics;
};

Loaded load(const std::string& path) {
    Loaded result;
    unsigned length = 12345;
    CaptureStderr();
    const std::unique_ptr<StereoFrame[]> data = loadSampleFile(path.c_str(), &length);
    result.diagnostics = GetCapturedStderr();
    result.failed = !data;
    if (data) result.frames.assign(data.get(), data.get() + length);
    EXPECT_TRUE(data || length == 0) << "a failed load reports no frames";
    return result;
}

std::string streamInfo(int channels, long rate, const std::string& vendor) {
    return "TITLE=test\n\nBitstream is " + std::to_string(channels) + " channel, " + std::to_string(rate) +
           "Hz\nEncoded by: " + vendor + "\n\n";
}

size_t countOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class SampleLoader : public ::testing::Test {
protected:
    ScratchDirectory scratch;
};

TEST_F(SampleLoader, AStereoStreamOfNFramesYieldsExactlyNFrames) {
    const std::string path = scratch.write("tone.ogg", encodeTone(2, 10000, oneSecond, 1));
    const Loaded loaded = load(path);
    ASSERT_FALSE(loaded.failed);
    EXPECT_EQ(loaded.frames.size(), 10000u);
    EXPECT_EQ(loaded.frames, referenceFrames(path));
}

TEST_F(SampleLoader, PrintsTheCommentsChannelsRateAndVendor) {
    const std::string path = scratch.write("tone.ogg", encodeTone(2, 1000, oneSecond, 1));
    EXPECT_EQ(load(path).diagnostics, streamInfo(2, oneSecond, encoderVendor(path)));
}

TEST_F(SampleLoader, AChainedFileYieldsBothStreamsOneAfterTheOther) {
    const std::string firstStream = encodeTone(2, 5000, oneSecond, 1);
    const std::string secondStream = encodeTone(2, 7000, oneSecond, 2, 0.25f);
    const std::string first = scratch.write("first.ogg", firstStream);
    const std::string second = scratch.write("second.ogg", secondStream);
    const std::string chained = scratch.write("chained.ogg", firstStream + secondStream);
    const Loaded loaded = load(chained);
    ASSERT_FALSE(loaded.failed);
    std::vector<StereoFrame> expected = referenceFrames(first);
    const std::vector<StereoFrame> rest = referenceFrames(second);
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(loaded.frames, expected);
    EXPECT_EQ(countOf(loaded.diagnostics, "Bitstream is 2 channel, 44100Hz\n"), 2u);
    EXPECT_EQ(countOf(loaded.diagnostics, "TITLE=test\n"), 2u);
    EXPECT_EQ(countOf(loaded.diagnostics, "Encoded by: "), 2u);
}

TEST_F(SampleLoader, AFourChannelFileKeepsChannelsZeroAndOne) {
    const std::string path = scratch.write("four.ogg", encodeTone(4, 6000, oneSecond, 1));
    const Loaded loaded = load(path);
    EXPECT_EQ(loaded.frames, referenceFrames(path));
    EXPECT_NE(loaded.frames[100].left, loaded.frames[100].right);
    EXPECT_NE(loaded.diagnostics.find("Bitstream is 4 channel"), std::string::npos);
}

TEST_F(SampleLoader, TheLargestChannelCountStaysWithinTheConversionBuffer) {
    const std::string path = scratch.write("many.ogg", encodeTone(255, 3000, oneSecond, 1, 0.1f));
    const Loaded loaded = load(path);
    EXPECT_EQ(loaded.frames.size(), 3000u);
    EXPECT_EQ(loaded.frames, referenceFrames(path));
}

TEST_F(SampleLoader, AOneChannelFileGivesTheSameSampleInBothLanes) {
    const std::string path = scratch.write("mono.ogg", encodeTone(1, 9000, oneSecond, 1));
    const Loaded loaded = load(path);
    ASSERT_EQ(loaded.frames.size(), 9000u);
    EXPECT_EQ(loaded.frames, referenceFrames(path));
    for (const StereoFrame& f : loaded.frames) ASSERT_EQ(f.left, f.right);
}

TEST_F(SampleLoader, AnotherRateLoadsUnchangedWithoutResampling) {
    const std::string path = scratch.write("half.ogg", encodeTone(2, 8000, 22050, 1));
    const Loaded loaded = load(path);
    EXPECT_EQ(loaded.frames.size(), 8000u);
    EXPECT_EQ(loaded.frames, referenceFrames(path));
    EXPECT_EQ(loaded.diagnostics, streamInfo(2, 22050, encoderVendor(path)));
}

TEST_F(SampleLoader, ValuesBeyondFullScaleAreClippedAndReported) {
    const std::string path = scratch.write("loud.ogg", encodeTone(2, 8000, oneSecond, 1, 1.0f));
    const Loaded loaded = load(path);
    EXPECT_EQ(loaded.frames, referenceFrames(path));
    EXPECT_NE(loaded.diagnostics.find("Clipping in frame "), std::string::npos);
}

// Block reads are 4096 bytes from the start of the file; what counts is how much garbage is left
// to read after the block in which the last stream ends.
TEST_F(SampleLoader, AFullBlockOfGarbageAfterTheLastStreamFailsTheLoad) {
    const std::string stream = encodeTone(2, oneSecond, oneSecond, 1);
    const size_t readWithTheEnd = (block - stream.size() % block) % block;
    const Loaded loaded = load(scratch.write("junk.ogg", stream + std::string(readWithTheEnd + block, 'U')));
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(countOf(loaded.diagnostics, "Input does not appear to be an Ogg bitstream.\n"), 1u);
}

TEST_F(SampleLoader, LessThanABlockOfGarbageAfterTheLastStreamIsIgnored) {
    const std::string stream = encodeTone(2, oneSecond, oneSecond, 1);
    const Loaded loaded = load(scratch.write("junk.ogg", stream + std::string(block - 1, 'U')));
    EXPECT_FALSE(loaded.failed);
    EXPECT_EQ(loaded.frames.size(), static_cast<size_t>(oneSecond));
}

TEST_F(SampleLoader, AFailedLoadDiscardsTheStreamsBeforeIt) {
    const std::string good = encodeTone(2, 3000, oneSecond, 1);
    const Loaded loaded = load(scratch.write("junk.ogg", good + good + std::string(3 * block, 'U')));
    EXPECT_TRUE(loaded.failed);
    EXPECT_TRUE(loaded.frames.empty());
}

TEST_F(SampleLoader, AHoleBetweenTheHeaderPagesEndsTheProcess) {
    std::string bytes = encodeTone(2, 3000, oneSecond, 1);
    constexpr size_t pageSequenceAt = 18;
    patchPageHeader(bytes, 1, pageSequenceAt, 2);
    const std::string path = scratch.write("hole.ogg", bytes);
    unsigned length = 0;
    EXPECT_EXIT(loadSampleFile(path.c_str(), &length), ::testing::ExitedWithCode(1),
                "Corrupt secondary header\\.  Exiting\\.");
}

TEST_F(SampleLoader, ARejectedSecondaryHeaderFailsTheLoadButNotTheProcess) {
    std::string bytes = encodeTone(2, 3000, oneSecond, 1);
    patchPageBody(bytes, 1, 0, 0x07);  // the comment packet's type byte
    const Loaded loaded = load(scratch.write("bad.ogg", bytes));
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "Corrupt secondary header.  Exiting.\n");
}

TEST_F(SampleLoader, AFileEndingInsideTheHeadersFails) {
    const std::string bytes = encodeTone(2, 3000, oneSecond, 1);
    const Loaded loaded = load(scratch.write("short.ogg", bytes.substr(0, pageOffsets(bytes).at(1))));
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "End of file before finding all Vorbis headers!\n");
}

TEST_F(SampleLoader, AStreamThatIsNotVorbisIsRefused) {
    std::string bytes = encodeTone(2, 3000, oneSecond, 1);
    patchPageBody(bytes, 0, 1, 'x');  // "vorbis" becomes "xorbis"
    const Loaded loaded = load(scratch.write("other.ogg", bytes));
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "This Ogg bitstream does not contain Vorbis audio data.\n");
}

TEST_F(SampleLoader, AHeaderClaimingNoChannelsIsRefused) {
    std::string bytes = encodeTone(2, 3000, oneSecond, 1);
    constexpr size_t channelsAt = 11;
    patchPageBody(bytes, 0, channelsAt, 0);
    const Loaded loaded = load(scratch.write("none.ogg", bytes));
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "This Ogg bitstream does not contain Vorbis audio data.\n");
}

TEST_F(SampleLoader, AFirstPageOfAnUnknownVersionIsRefused) {
    std::string bytes = encodeTone(2, 3000, oneSecond, 1);
    constexpr size_t versionAt = 4;
    patchPageHeader(bytes, 0, versionAt, 1);
    const Loaded loaded = load(scratch.write("future.ogg", bytes));
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "Error reading first page of Ogg bitstream data.\n");
}

TEST_F(SampleLoader, AnEmptyFileIsAnEmptySampleWithoutAnyMessage) {
    const Loaded loaded = load(scratch.write("empty.ogg", ""));
    EXPECT_FALSE(loaded.failed);
    EXPECT_TRUE(loaded.frames.empty());
    EXPECT_EQ(loaded.diagnostics, "");
}

TEST_F(SampleLoader, AMissingFileIsNamedWithTheReasonAndGivesSilence) {
    const std::string path = scratch.path() + "/absent.ogg";
    const Loaded loaded = load(path);
    EXPECT_TRUE(loaded.failed);
    EXPECT_EQ(loaded.diagnostics, "Cannot open sample " + path + ": No such file or directory\n");
}

TEST_F(SampleLoader, ANameIsLookedUpInTheGivenDirectory) {
    scratch.write("purr.ogg", encodeTone(2, 2000, oneSecond, 1));
    unsigned length = 0;
    CaptureStderr();
    const std::unique_ptr<StereoFrame[]> data = loadSample(scratch.path(), "purr", &length);
    GetCapturedStderr();
    EXPECT_TRUE(data);
    EXPECT_EQ(length, 2000u);
}

TEST(ShippedSamples, AreStereoAndAsLongAsTheirSounds) {
    const struct {
        const char* name;
        double shortest;
        double longest;
    } samples[] = {{"meow", 0.6, 0.9}, {"mouse", 0.15, 0.3}};
    for (const auto& sample : samples) {
        const std::string path = std::string(TANDREL_SOURCE_DIR "/dat/samples/") + sample.name + ".ogg";
        const Loaded loaded = load(path);
        ASSERT_FALSE(loaded.failed) << loaded.diagnostics;
        EXPECT_NE(loaded.diagnostics.find("Bitstream is 2 channel, 44100Hz"), std::string::npos);
        const double seconds = static_cast<double>(loaded.frames.size()) / oneSecond;
        EXPECT_GE(seconds, sample.shortest) << sample.name;
        EXPECT_LE(seconds, sample.longest) << sample.name;
    }
}

}  // namespace
