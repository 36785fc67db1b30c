#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/replay.h"

namespace {

const std::string replayDirectory = TANDREL_SOURCE_DIR "/tests/data/replays";

std::vector<std::string> recordedGames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(replayDirectory.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            const std::string suffix = ".replay";
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
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
    ASSERT_GE(games.size(), 20u);
    for (const std::string& game : games) {
        std::string error;
        ASSERT_TRUE(loadReplay(replayDirectory + "/" + game + ".replay", error)) << error;
        testing::internal::CaptureStdout();
        EXPECT_EQ(runHeadlessReplay(), 0) << game;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), fileText(replayDirectory + "/" + game + ".expected"))
            << game;
    }
}

}  // namespace
