#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless/replay_run.h"
#include "app/session/playback.h"

namespace {

const std::string replayDirectory = TANDREL_SOURCE_DIR "/tests/data/replays";

std::vector<std::string> recordedGames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(replayDirectory.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            const std::string suffix = ".replay";
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(name.substr(0, name.size() - suffix.size()));
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Games recorded by record.sh, each with the line the build of its day printed: a change that
// alters play in any way, down to one draw of a random stream, changes a line here.
TEST(RecordedGames, ReplayToTheLinesTheyWereRecordedWith) {
    const std::vector<std::string> games = recordedGames();
    ASSERT_GE(games.size(), 28u);
    for (const std::string& game : games) {
        std::string error;
        ASSERT_TRUE(loadReplay(replayDirectory + "/" + game + ".replay", error)) << error;
        testing::internal::CaptureStdout();
        EXPECT_EQ(runHeadlessReplay(), 0) << game;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  fileText(replayDirectory + "/" + game + ".expected"))
            << game;
    }
}

// Every tick is run again after a rollback of one tick and of eight, and must come out as it did:
// a snapshot that misses any state that shapes the game fails here.
TEST(RecordedGames, RunAgainFromSnapshotsToTheSameTicksAndLines) {
    for (const std::string& game : recordedGames()) {
        for (unsigned rollback : {1u, 8u}) {
            std::string error;
            ASSERT_TRUE(loadReplay(replayDirectory + "/" + game + ".replay", error)) << error;
            testing::internal::CaptureStdout();
            testing::internal::CaptureStderr();
            EXPECT_EQ(runSyncTest(rollback), 0) << game;
            EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << game;
            EXPECT_EQ(testing::internal::GetCapturedStdout(),
                      fileText(replayDirectory + "/" + game + ".expected"))
                << game << ", rolled back " << rollback;
        }
    }
}

// A recording cut off before its end line: nobody frightens the idle mouse, so only the limit
// stops the replay, at the limit's tick, with status 1 and one line on each stream.
TEST(RecordedGames, ACutOffRecordingStopsAMillionTicksAfterItsLastEvent) {
    std::istringstream recorded(fileText(replayDirectory + "/11_approach.replay"));
    const std::string path = testing::TempDir() + "cut_off.replay";
    std::ofstream cut(path);
    for (std::string line; std::getline(recorded, line);)
        if (line.rfind("end ", 0) != 0) cut << line << "\n";
    cut.close();
    std::string error;
    ASSERT_TRUE(loadReplay(path, error)) << error;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(runHeadlessReplay(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tandrel: " + path + ": no game over within 1000000 ticks of the last event\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "left: seed 1796703196 score 600 tick 1000300\n");
    std::remove(path.c_str());
}

}  // namespace
