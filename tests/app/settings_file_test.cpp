#include <gtest/gtest.h>

#include "app/saved/conf_text.h"
#include "app/saved/scores_file.h"
#include "app/saved/settings.h"
#include "app/saved/settings_file.h"

namespace {

constexpr int catGameId = 0;
constexpr int yarnballId = 2;

ConfText parsed(const std::string& bytes) {
    ConfText text;
    std::string error;
    EXPECT_TRUE(parseConfText(bytes, "f", text, error)) << error;
    return text;
}

// What reading `bytes` as settings.conf gives: empty, or the error.
std::string settingsError(const std::string& bytes) {
    ConfText text;
    SettingsValues values;
    std::string error;
    if (parseConfText(bytes, "settings.conf", text, error))
        decodeSettings(text, "settings.conf", values, error);
    return error;
}

std::string scoresError(const std::string& bytes) {
    std::map<int, GameResults> results;
    std::string error;
    decodeScores(parsed(bytes), "scores", results, error);
    return error;
}

TEST(SettingsFile, ANewerVersionsFileKeepsItsCommentsAndKeysWhereTheyWereWhenRewritten) {
    ConfText text = parsed("# by hand\r\nshader = crt\nvolume = 40\n\n  windowed=yes\ngame = pong\n");
    SettingsValues values;
    std::string error;
    ASSERT_TRUE(decodeSettings(text, "f", values, error)) << error;
    EXPECT_TRUE(values.windowed);
    EXPECT_EQ(values.volume, 40);
    EXPECT_EQ(values.display, -1);
    EXPECT_EQ(values.game, "pong");  // a game this build lacks is no error
    values.volume = 70;
    values.display = 1;
    values.game = "yarnball";
    encodeSettings(values, text);
    EXPECT_EQ(confTextBytes(text),
              "# by hand\r\nshader = crt\nvolume = 70\n\nwindowed = yes\ngame = yarnball\ndisplay = 1\n");
}

TEST(SettingsFile, BadFilesNameTheEarliestBadLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"volume 80\n", "settings.conf:1: expected 'key = value'"},
        {"# x\nwindowed =\n", "settings.conf:2: expected 'key = value'"},
        {"\x7f"
         "ELF\x02\x01\x01\n",
         "settings.conf:1: expected 'key = value'"},
        {"volume = 80\nvolume = 90\n", "settings.conf:2: volume is given twice"},
        {"windowed = maybe\n", "settings.conf:1: expected yes or no, not 'maybe'"},
        {"display = -1\n", "settings.conf:1: expected auto or a monitor's number, not '-1'"},
        {"display = 256\n", "settings.conf:1: expected auto or a monitor's number, not '256'"},
        {"volume = 101\n", "settings.conf:1: expected a volume from 0 to 100, not '101'"},
        {"volume = 99999999999\n", "settings.conf:1: expected a volume from 0 to 100, not '99999999999'"},
        {"windowed = 1\nvolume = loud\n", "settings.conf:1: expected yes or no, not '1'"},
        {"volume = loud\nwindowed = 1\n", "settings.conf:1: expected a volume from 0 to 100, not 'loud'"},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(settingsError(bytes), expected) << bytes;
    EXPECT_EQ(settingsError("display = auto\ndisplay2 = x\nvolume = 0\n"), "");
}

TEST(ScoresFile, EachGamesShownResultIsReadAndWrittenAndOtherLinesAreKept) {
    ConfText text = parsed(
        "# ours\nwhiskerwaltz.best = 1200\nmousehunt.best = 7\nyarnball.last = 5:3\n"
        "whiskerwaltz.last = 300\n");
    std::map<int, GameResults> results;
    std::string error;
    ASSERT_TRUE(decodeScores(text, "scores", results, error)) << error;
    EXPECT_EQ(results[catGameId].bestScore, 1200);
    EXPECT_EQ(results[catGameId].lastResult, "");  // not what its menu shows: kept, not read
    EXPECT_EQ(results[yarnballId].lastResult, "5:3");
    results[catGameId].bestScore = 1300;
    results[yarnballId] = {4, "4:5"};
    encodeScores(results, text);
    EXPECT_EQ(confTextBytes(text),
              "# ours\nwhiskerwaltz.best = 1300\nmousehunt.best = 7\nyarnball.last = 4:5\n"
              "whiskerwaltz.last = 300\n");
    // Nothing to show, nothing written.
    ConfText empty;
    encodeScores({{catGameId, {0, "0"}}, {yarnballId, {3, ""}}}, empty);
    EXPECT_EQ(confTextBytes(empty), "");
}

TEST(ScoresFile, ValuesThatAreNoScoresNameTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"whiskerwaltz.best = -5\n", "scores:1: expected a score, not '-5'"},
        {"whiskerwaltz.best = 1e3\n", "scores:1: expected a score, not '1e3'"},
        {"whiskerwaltz.best = 1234567890\n", "scores:1: expected a score, not '1234567890'"},
        {"yarnball.last = 5\n", "scores:1: expected a result such as 5:3, not '5'"},
        {"yarnball.last = 5:\n", "scores:1: expected a result such as 5:3, not '5:'"},
        {"yarnball.last = :3\n", "scores:1: expected a result such as 5:3, not ':3'"},
        {"yarnball.last = 5:3:1\n", "scores:1: expected a result such as 5:3, not '5:3:1'"},
        {"yarnball.last = 5:x\nwhiskerwaltz.best = x\n",
         "scores:1: expected a result such as 5:3, not '5:x'"},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(scoresError(bytes), expected) << bytes;
}

}  // namespace
