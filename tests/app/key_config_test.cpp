#include <gtest/gtest.h>

#include <SDL_keysym.h>

#include <cstdlib>
#include <sstream>

#include "app/input/bindings.h"
#include "app/input/key_glyphs.h"
#include "app/input/keys_file.h"
#include "app/window/app_state.h"
#include "support/fake_platform.h"

namespace {

class KeyFile : public ::testing::Test {
protected:
    void SetUp() override {
        resetApplication();
        setenv("XDG_CONFIG_HOME", "/nonexistent", 1);  // no default file
    }
    bool parse(const std::string& text) {
        std::istringstream in(text);
        return parseKeyFile(in, "keys.conf", error);
    }
    std::string written() {
        std::ostringstream out;
        writeControls(out);
        return out.str();
    }
    std::string error;
};

TEST_F(KeyFile, GivenActionsOverrideAndTheRestKeepTheirKeys) {
    ASSERT_TRUE(
        parse("# comments and blank lines are ignored\n\n  player1.up = z\r\nplayer2.right=right ctrl\n"
              "player1.left = Q\nplayer2.pad.leave = 7\npause = space\nplayer1.pad.pause = 9\n"))
        << error;
    EXPECT_EQ(written(),
              "player1.up = z\nplayer1.down = s\nplayer1.left = q\nplayer1.right = d\n"
              "player2.up = up\nplayer2.down = down\nplayer2.left = left\nplayer2.right = right ctrl\n"
              "pause = space\nmute = m\n"
              "player1.pad.choose = 0\nplayer1.pad.leave = 1\nplayer1.pad.pause = 9\n"
              "player2.pad.choose = 0\nplayer2.pad.leave = 7\nplayer2.pad.pause = 2\n");
    // A key given by name is matched by its symbol, wherever it lies; a built-in one by place.
    EXPECT_EQ(buttonForKey(SDLK_z, 52), 0);
    EXPECT_EQ(buttonForKey(SDLK_w, 25), -1);
    EXPECT_EQ(buttonForKey(SDLK_s, 39), 1);
    EXPECT_EQ(buttonForKey(SDLK_x, 39), 1);
}

TEST_F(KeyFile, BadFilesNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"player1.up z\n", "keys.conf:1: expected 'action = key'"},
        {"\n# x\nplayer1.up =\n", "keys.conf:3: expected 'action = key'"},
        {"player3.up = z\n", "keys.conf:1: unknown action 'player3.up'"},
        {"player1.up = zz\n", "keys.conf:1: unknown key 'zz'"},
        {"player1.up = z\nplayer1.up = x\n", "keys.conf:2: player1.up is given twice"},
        {"player2.down = escape\n", "keys.conf:1: 'escape' cannot be bound"},
        {"player2.down = print screen\n", "keys.conf:1: 'print screen' cannot be bound"},
        {"player1.up = z\nplayer2.up = z\n", "keys.conf:2: 'z' is bound to both player1.up and player2.up"},
        {"player2.up = a\n", "keys.conf:1: 'a' is bound to both player1.left and player2.up"},
        {"player2.up = p\n", "keys.conf:1: 'p' is bound to both player2.up and pause"},
        {"mute = f11\n", "keys.conf:1: 'f11' cannot be bound"},
        {"player1.pad.leave = x\n", "keys.conf:1: expected a pad button number, not 'x'"},
    };
    for (const auto& [text, expected] : cases) {
        resetApplication();
        EXPECT_FALSE(parse(text)) << text;
        EXPECT_EQ(error, expected);
    }
}

TEST_F(KeyFile, BuiltInKeysTakeTheLayoutsLettersAndClashWithThem) {
    const int azerty[] = {SDLK_z, SDLK_s, SDLK_q, SDLK_d};
    std::copy(std::begin(azerty), std::end(azerty), fakePlatform.layoutKeys);
    ASSERT_TRUE(loadControls("", error)) << error;  // a missing default file is no error
    const std::string azertyCross = "player1.up = z\nplayer1.down = s\nplayer1.left = q\nplayer1.right = d\n";
    EXPECT_EQ(written().substr(0, azertyCross.size()), azertyCross);
    EXPECT_EQ(keyLabels().keys[0][2], "q");
    EXPECT_FALSE(parse("player2.up = q\n"));
    EXPECT_EQ(error, "keys.conf:1: 'q' is bound to both player1.left and player2.up");
    EXPECT_FALSE(loadControls("/nonexistent/keys.conf", error));
    EXPECT_EQ(error, "cannot read /nonexistent/keys.conf");
}

TEST(KeyLabel, ArrowsAreGlyphsAndOtherKeysAreSpelledInLettersTheFontHas) {
    EXPECT_EQ(keyLabel(SDLK_UP), "^");
    EXPECT_EQ(keyLabel(SDLK_q), "q");
    EXPECT_EQ(keyLabel(SDLK_LESS), "less");  // the font's < is the left arrow
    EXPECT_EQ(keyLabel(SDLK_COMMA), "comma");
    EXPECT_EQ(keyLabel(SDLK_KP_MULTIPLY), "[asterisk]");
    EXPECT_EQ(keyLabel(SDLK_RCTRL), "right ctrl");
}

}  // namespace
