#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

bool parse(std::initializer_list<const char*> args, Options& options, std::string& error) {
    std::vector<const char*> argv = {"tandrel"};
    argv.insert(argv.end(), args.begin(), args.end());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CommandLine, NoArgumentsMeansTheDefaults) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({}, options, error));
    EXPECT_FALSE(options.windowed);
    EXPECT_TRUE(options.recordPath.empty());
    EXPECT_TRUE(options.replayPath.empty());
}

TEST(CommandLine, OptionsAreRead) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--windowed", "--replay", "r.txt", "--headless", "--print-settings"}, options, error));
    EXPECT_TRUE(options.windowed);
    EXPECT_TRUE(options.printSettings);
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.replayPath, "r.txt");
}

TEST(CommandLine, GameTakesATitleAndCannotGoWithAReplay) {
    Options a, b, c;
    std::string error;
    ASSERT_TRUE(parse({"--game", "yarnball"}, a, error));
    EXPECT_EQ(a.gameTitle, "yarnball");
    EXPECT_FALSE(parse({"--game"}, b, error));
    EXPECT_EQ(error, "--game needs a game's title");
    EXPECT_FALSE(parse({"--game", "yarnball", "--replay", "r"}, c, error));
}

TEST(CommandLine, UnknownOptionsAndMissingFilesAreRefused) {
    Options options;
    std::string error;
    EXPECT_FALSE(parse({"--full-screen"}, options, error));
    EXPECT_EQ(error, "unknown option --full-screen");
    EXPECT_FALSE(parse({"--record"}, options, error));
    EXPECT_EQ(error, "--record needs a file name");
}

TEST(CommandLine, DisplayAndVolumeTakeNumbersInTheirRange) {
    Options options;
    std::string error;
    EXPECT_EQ(options.display, anyDisplay);
    ASSERT_TRUE(parse({"--display", "1", "--windowed"}, options, error));
    EXPECT_EQ(options.display, 1);
    EXPECT_TRUE(options.windowed);
    for (const char* bad : {"-1", "+1", " 1", "1x", "", "99999"}) {
        EXPECT_FALSE(parse({"--display", bad}, options, error)) << bad;
        EXPECT_EQ(error, "--display needs a monitor number from 0");
    }
    EXPECT_FALSE(parse({"--display"}, options, error));
    ASSERT_TRUE(parse({"--volume", "100"}, options, error));
    EXPECT_EQ(options.volume, 100);
    for (const char* bad : {"101", "-1", "x"}) {
        EXPECT_FALSE(parse({"--volume", bad}, options, error)) << bad;
        EXPECT_EQ(error, "--volume needs a number from 0 to 100");
    }
}

TEST(CommandLine, ContradictionsAreRefused) {
    Options a, b, c;
    std::string error;
    EXPECT_FALSE(parse({"--headless"}, a, error));
    EXPECT_FALSE(parse({"--record", "x", "--replay", "y"}, b, error));
    EXPECT_FALSE(parse({"--fullscreen", "--windowed"}, c, error));
    EXPECT_EQ(error, "--windowed and --fullscreen cannot be used together");
    Options d, e, f;
    EXPECT_FALSE(parse({"--replay", "r", "--sync-test", "8"}, d, error));
    EXPECT_EQ(error, "--sync-test goes with --replay and --headless");
    EXPECT_FALSE(parse({"--replay", "r", "--headless", "--sync-test", "65"}, e, error));
    ASSERT_TRUE(parse({"--replay", "r", "--headless", "--sync-test", "8"}, f, error)) << error;
    EXPECT_EQ(f.syncTest, 8);
}

}  // namespace

namespace {

TEST(CommandLine, NetOptionsTakeAnEndpointAndGoTogetherOnlyAsTheyCan) {
    Options a, b, c, d, e;
    std::string error;
    ASSERT_TRUE(parse({"--host", "--windowed"}, a, error)) << error;
    EXPECT_TRUE(a.host && a.endpoint.address.empty() && a.endpoint.port == defaultNetPort);
    ASSERT_TRUE(parse({"--host", "27000", "--delay", "4"}, b, error)) << error;
    EXPECT_EQ(b.endpoint.port, 27000);
    EXPECT_EQ(b.delay, 4);
    ASSERT_TRUE(parse({"--join", "[::1]:27001", "--headless", "--script", "s"}, c, error)) << error;
    EXPECT_EQ(c.endpoint.address, "::1");
    EXPECT_EQ(c.endpoint.port, 27001);
    ASSERT_TRUE(parse({"--join", "kitchen.local"}, d, error)) << error;
    EXPECT_EQ(d.endpoint.address, "kitchen.local");
    EXPECT_EQ(d.endpoint.port, defaultNetPort);

    const std::vector<std::pair<std::vector<const char*>, std::string>> refused = {
        {{"--join"}, "--join needs an address"},
        {{"--join", "host:0"}, "port '0' is not 1 to 65535"},
        {{"--host", "70000"}, "port '70000' is not 1 to 65535"},
        {{"--host", "--join", "a"}, "--host and --join cannot be used together"},
        {{"--join", "a", "--delay", "3"}, "--delay goes with --host: the host chooses the delay"},
        {{"--host", "--delay", "51"}, "--delay needs a number of ticks from 1 to 50"},
        {{"--host", "--headless"}, "--headless with --host or --join needs --script"},
        {{"--host", "--script", "s"}, "--script goes with --headless and --host or --join"},
    };
    for (const auto& [args, message] : refused) {
        std::vector<const char*> argv = {"tandrel"};
        argv.insert(argv.end(), args.begin(), args.end());
        EXPECT_FALSE(parseCommandLine(static_cast<int>(argv.size()), argv.data(), e, error)) << message;
        EXPECT_EQ(error, message);
        e = Options{};
    }
}

}  // namespace
