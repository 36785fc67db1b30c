#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/netplay/peer.h"
#include "app/session/replay_file.h"

namespace {

// Runs in a directory of its own: the desync files go to the working directory.
class DesyncFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tandrel-desync-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir, previous;
};

TEST_F(DesyncFiles, EachSideWritesTheGameSoFarAndNeverOverAFileThatExists) {
    net = NetPlay{};
    net.hosting = true;
    beginLockstep(net.lockstep, 0, 2, 1);
    net.lockstep.executed = 130;
    net.lockstep.outOfSync = true;
    net.lockstep.outOfSyncTick = 128;
    InputEvent press;
    press.tick = 40;
    press.player = 1;
    press.sequence = 1;
    press.type = pressEvent;
    press.button = 5;
    net.played = {press};
    std::ofstream("tandrel-desync-77-host.replay") << "kept\n";
    reportOutOfSync(77, "yarnball");
    reportOutOfSync(77, "yarnball");
    std::ifstream kept("tandrel-desync-77-host.replay");
    std::string first;
    std::getline(kept, first);
    EXPECT_EQ(first, "kept");
    for (const char* name : {"tandrel-desync-77-host-1.replay", "tandrel-desync-77-host-2.replay"}) {
        std::ifstream in(name);
        Replay replay;
        std::string error;
        ASSERT_TRUE(parseReplay(in, name, replay, error)) << error;
        EXPECT_EQ(replay.seed, 77u);
        ASSERT_EQ(replay.events.size(), 1u);
        EXPECT_EQ(replay.events[0].button, 5);
        EXPECT_TRUE(replay.hasEnd);
        EXPECT_EQ(replay.endTick, 130u);
    }
    net = NetPlay{};
}

}  // namespace
