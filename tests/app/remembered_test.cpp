#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/command_line.h"
#include "app/saved/home_files.h"
#include "app/saved/save_policy.h"
#include "app/saved/settings.h"
#include "app/session/session.h"
#include "app/window/app_state.h"
#include "app/window/game.h"
#include "app/window/lifecycle.h"
#include "app/window/menu.h"
#include "app/window/volume.h"
#include "support/fake_platform.h"

namespace {

namespace fs = std::filesystem;

constexpr int catGameId = 0;
constexpr int yarnballId = 2;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Every file in `directory`, by name.
std::string namesIn(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.insert(entry.path().filename());
    std::string joined;
    for (const std::string& name : names) joined += name + " ";
    return joined;
}

// A home of its own for each test, as the player's files would be in theirs.
class RememberedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tandrel_remembered_XXXXXX";
        home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
        resetApplication();
        options.remember = true;
    }
    void TearDown() override {
        if (inGame()) endGame();
        fs::remove_all(home);
    }
    // A run's start as far as the files go.
    void start(FileUse use = FileUse::Keep) {
        resetApplication();
        settleSettings(options, use);
        loadScores(use);
    }
    void playCatGameScoring(int score) {
        startGame();
        session.game->players[0].score = score;
        endGame();
    }

    fs::path home;
    fs::path settingsPath() const { return home / "config/tandrel/settings.conf"; }
    fs::path scoresPath() const { return home / "state/tandrel/scores"; }
    Options options;
};

TEST_F(RememberedFiles, AGameChosenOnTheMenuIsChosenAgainAtTheNextStart) {
    start();
    EXPECT_FALSE(fs::exists(home / "config"));  // nothing changed, nothing written
    switchGame(yarnballId);
    EXPECT_EQ(fileText(settingsPath()), "windowed = no\ndisplay = auto\nvolume = 100\ngame = yarnball\n");
    start();
    EXPECT_EQ(selectedEntry->id, yarnballId);
}

TEST_F(RememberedFiles, OptionsWinOverTheFileForTheirRunOnlyAndChangesInTheRunAreKept) {
    writeFile(settingsPath(), "# mine\nwindowed = no\nvolume = 40\ngame = yarnball\ncrt = on\n");
    options.windowed = true;
    options.volume = 20;
    options.gameTitle = "whiskerwaltz";
    start();
    EXPECT_TRUE(settings.windowed);
    EXPECT_EQ(settings.volume, 20);
    EXPECT_EQ(selectedEntry->id, catGameId);
    stepVolume(1);
    EXPECT_EQ(fileText(settingsPath()),
              "# mine\nwindowed = no\nvolume = 30\ngame = yarnball\ncrt = on\ndisplay = auto\n");
    toggleFullScreen();  // back to what the file says
    toggleFullScreen();
    appShutdown();
    EXPECT_EQ(fileText(settingsPath()),
              "# mine\nwindowed = yes\nvolume = 30\ngame = yarnball\ncrt = on\ndisplay = auto\n");
    EXPECT_EQ(fakePlatform.windowsOpened.back().kind, WindowKind::Window);
}

TEST_F(RememberedFiles, ABadFileIsReportedAndMovedAsideBesideOlderOnesWithTheDefaultsInForce) {
    const std::string bad = "volume = 30\nwindowed = maybe\n";
    writeFile(settingsPath(), bad);
    writeFile(settingsPath().string() + ".bad", "older");
    const std::string path = settingsPath();
    testing::internal::CaptureStderr();
    start(FileUse::ReadOnly);  // a replay or --print-settings only says so
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tandrel: " + path + ":2: expected yes or no, not 'maybe'\n");
    EXPECT_EQ(fileText(settingsPath()), bad);
    for (const char* movedTo : {".bad.1", ".bad.2"}) {
        writeFile(settingsPath(), bad);
        testing::internal::CaptureStderr();
        start();
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "tandrel: " + path + ":2: expected yes or no, not 'maybe' (moved aside to " + path +
                      movedTo + ")\n");
        EXPECT_EQ(settings.volume, 100);
        EXPECT_EQ(fileText(path + movedTo), bad);
    }
    EXPECT_EQ(fileText(path + ".bad"), "older");
    EXPECT_EQ(namesIn(settingsPath().parent_path()),
              "settings.conf.bad settings.conf.bad.1 settings.conf.bad.2 ");
    switchGame(yarnballId);
    EXPECT_EQ(fileText(settingsPath()), "windowed = no\ndisplay = auto\nvolume = 100\ngame = yarnball\n");

    writeFile(scoresPath(), "whiskerwaltz.best = lots\n");
    testing::internal::CaptureStderr();
    start();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tandrel: " + scoresPath().string() + ":1: expected a score, not 'lots' (moved aside to " +
                  scoresPath().string() + ".bad)\n");
    EXPECT_TRUE(gameResults.empty());
}

TEST_F(RememberedFiles, ScoresAreReadAtStartAndWrittenWhenTheShownResultChanges) {
    writeFile(scoresPath(), "whiskerwaltz.best = 500\nmousehunt.best = 3\n");
    start();
    EXPECT_EQ(gameResults[catGameId].bestScore, 500);
    playCatGameScoring(200);
    EXPECT_EQ(fileText(scoresPath()), "whiskerwaltz.best = 500\nmousehunt.best = 3\n");
    playCatGameScoring(700);
    EXPECT_EQ(fileText(scoresPath()), "whiskerwaltz.best = 700\nmousehunt.best = 3\n");
    start();
    EXPECT_EQ(gameResults[catGameId].bestScore, 700);
    // A replay's run leaves them alone, whatever it scores.
    start(FileUse::ReadOnly);
    playCatGameScoring(900);
    EXPECT_EQ(fileText(scoresPath()), "whiskerwaltz.best = 700\nmousehunt.best = 3\n");
}

TEST_F(RememberedFiles, WhatCannotBeReadOrWrittenSaysSoInOneLineAndTheRunGoesOn) {
    writeFile(home / "state", "a file where the directory should be");
    fs::create_directories(settingsPath());  // a directory where the file should be
    testing::internal::CaptureStderr();
    start();
    playCatGameScoring(100);
    playCatGameScoring(200);
    switchGame(yarnballId);  // not written over what could not be read
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tandrel: could not read " + settingsPath().string() + ": Is a directory\n" +
                  "tandrel: could not save " + scoresPath().string() + ": Not a directory\n" +
                  "tandrel: could not save " + scoresPath().string() + ": Not a directory\n");
    EXPECT_EQ(gameResults[catGameId].bestScore, 200);
}

// Two runs saving the same file again and again: whenever it is looked at, it is whole.
TEST(StateFiles, TwoWritersAtOnceLeaveOneWholeFileOrTheOther) {
    char pattern[] = "/tmp/tandrel_writers_XXXXXX";
    const fs::path directory = mkdtemp(pattern);
    const std::string path = directory / "sub/scores";
    const std::string texts[] = {std::string(100000, 'a') + "\n", std::string(70000, 'b') + "\n"};
    constexpr int writesEach = 200;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            std::string reason;
            for (int i = 0; i < writesEach; ++i) {
                if (!replaceFile(path, texts[w], reason)) _exit(1);
            }
            _exit(0);
        }
    }
    int whole = 0, broken = 0, running = 2;
    while (running > 0) {
        std::string bytes, reason;
        if (readTextFile(path, bytes, reason) == FileRead::Read) {
            (bytes == texts[0] || bytes == texts[1] ? whole : broken) += 1;
        }
        for (pid_t& writer : writers) {
            int status;
            if (writer > 0 && waitpid(writer, &status, WNOHANG) == writer) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
                writer = 0;
                --running;
            }
        }
    }
    EXPECT_EQ(broken, 0);
    EXPECT_GT(whole, 0);
    EXPECT_EQ(namesIn(directory / "sub"), "scores ");  // no temporary file left
    fs::remove_all(directory);
}

}  // namespace
