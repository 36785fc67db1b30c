#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "audio/audio_device.h"
#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"
#include "audio_test_state.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// Runs initAudio() from `directory`, where it looks for dat/samples; what it printed.
std::string initAudioIn(const std::string& directory) {
    char* previous = getcwd(nullptr, 0);
    EXPECT_EQ(chdir(directory.c_str()), 0);
    CaptureStderr();
    initAudio("dat/samples");
    const std::string printed = GetCapturedStderr();
    EXPECT_EQ(chdir(previous), 0);
    std::free(previous);
    return printed;
}

class AudioStart : public ::testing::Test {
protected:
    void SetUp() override { resetAudioState(); }
    void TearDown() override { resetAudioState(); }
};

TEST_F(AudioStart, InitAudioPreparesEverythingTheCallbackReads) {
    reservedSlot[5] = true;
    nextSearchSlot = 9;
    echoBuffer[3] = {5, 5};
    forwardTap = 7;
    doubleTap = 8;
    reverseTap = 9;
    frameCounter = 99;
    activateVoice(2);
    echoCutPending = true;
    const std::string printed = initAudioIn(TANDREL_SOURCE_DIR);
    EXPECT_EQ(noteFrequency[12], 440.0f);
    EXPECT_EQ(noteTables.size(), static_cast<size_t>(noteCount));
    EXPECT_FALSE(reservedSlot[5]);
    EXPECT_EQ(nextSearchSlot, 0);
    EXPECT_EQ(echoBuffer[3], StereoFrame{});
    EXPECT_EQ(forwardTap + doubleTap + reverseTap, 0);
    EXPECT_EQ(frameCounter, 0u);
    EXPECT_FALSE(voiceActive[2]);
    EXPECT_FALSE(echoCutPending);
    EXPECT_TRUE(echoCutRequested) << "the first hand-over cuts the echo";
    EXPECT_GT(sampleLength[0], 0u);
    EXPECT_GT(sampleLength[1], 0u);
    EXPECT_EQ(printed.find("TITLE=meow\n"), 0u) << "meow is loaded first";
    EXPECT_NE(printed.find("TITLE=mouse\n"), std::string::npos);
}

TEST_F(AudioStart, MissingSamplesArePlayedAsSilence) {
    const std::string directory = ::testing::TempDir() + "no-samples";
    CaptureStderr();
    loadSamples(directory);
    const std::string printed = GetCapturedStderr();
    EXPECT_EQ(printed, "Cannot open sample " + directory + "/meow.ogg: No such file or directory\n" +
                           "Cannot open sample " + directory + "/mouse.ogg: No such file or directory\n");
    EXPECT_EQ(sampleLength[0], 0u);
    playSound(static_cast<int>(VoiceType::MeowSample), 0, 0.4f, 1, 0);
    syncGameSide();
    const std::vector<StereoFrame> out = mixFrames(4);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](StereoFrame f) { return f == StereoFrame{}; }));
    EXPECT_FALSE(voiceActive[0]) << "a sample of no frames ends at once";
}

TEST_F(AudioStart, ShutdownReleasesTheBuffersAndTheQueue) {
    initAudioIn(TANDREL_SOURCE_DIR);
    playSound(static_cast<int>(VoiceType::Sine), 440, 0.2f, 1, 0);
    shutdownAudio();
    EXPECT_TRUE(pendingSlots.empty());
    EXPECT_TRUE(noteTables.empty());
    EXPECT_FALSE(sampleData[0]);
    EXPECT_FALSE(sampleData[1]);
}

}  // namespace
