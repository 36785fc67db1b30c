#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "app/input/bindings.h"
#include "app/input/key_glyphs.h"
#include "app/input/keys_file.h"
#include "app/platform/key_codes.h"
#include "app/saved/settings.h"
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
    EXPECT_EQ(buttonForKey('z'), 0);
    EXPECT_EQ(buttonForKey('w'), -1);
    EXPECT_EQ(buttonForKey('s'), 1);
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

// What a French keyboard types where a US one has q, w, a, z, ; and m.
KeyboardLayout azerty() {
    KeyboardLayout layout;
    const std::pair<char, char> moved[] = {{'q', 'a'}, {'w', 'z'}, {'a', 'q'},
                                           {'z', 'w'}, {';', 'm'}, {'m', ','}};
    for (int i = 0; i < placedKeyCount; ++i) {
        layout.characters[i] = placedCharacters[i];
        for (const auto& [us, french] : moved) {
            if (placedCharacters[i] == us) layout.characters[i] = french;
        }
    }
    layout.characters[1] = 0;  // 1 types a character with no name: the key keeps its own
    return layout;
}

// Keys are places; files, the printed bindings and the menu name them as the layout types them,
// so a file written on a French keyboard means what it meant.
TEST_F(KeyFile, NamesFollowTheLayoutAndKeysStayInPlace) {
    fakePlatform.layout = azerty();
    ASSERT_TRUE(loadControls("", error)) << error;  // a missing default file is no error
    const std::string azertyCross = "player1.up = z\nplayer1.down = s\nplayer1.left = q\nplayer1.right = d\n";
    EXPECT_EQ(written().substr(0, azertyCross.size()), azertyCross);
    EXPECT_EQ(settings.keyBindings[0], 'w');
    EXPECT_EQ(settings.muteKey, ';');  // the key that types m
    EXPECT_NE(written().find("mute = m\n"), std::string::npos);
    EXPECT_EQ(keyLabels().keys[0][2], "q");
    EXPECT_EQ(keyLabel('1'), "1");
    ASSERT_TRUE(parse("player2.up = w\nplayer2.down = ,\nplayer2.left = [\n")) << error;
    EXPECT_EQ(settings.keyBindings[4], 'z');
    EXPECT_EQ(settings.keyBindings[5], 'm');
    EXPECT_EQ(settings.keyBindings[6], '[');  // no key types it: the US place
    EXPECT_FALSE(parse("player2.up = q\n"));
    EXPECT_EQ(error, "keys.conf:1: 'q' is bound to both player1.left and player2.up");
    EXPECT_FALSE(loadControls("/nonexistent/keys.conf", error));
    EXPECT_EQ(error, "cannot read /nonexistent/keys.conf");
}

// Where pads' buttons have names, files and the printed bindings use them; numbers still read.
TEST_F(KeyFile, NamedPadButtons) {
    fakePlatform.namesPadButtons = true;
    restoreSettings();
    ASSERT_TRUE(parse("player1.pad.leave = X\nplayer2.pad.choose = 1\n")) << error;
    EXPECT_NE(written().find("player1.pad.choose = a\nplayer1.pad.leave = x\nplayer1.pad.pause = start\n"
                             "player2.pad.choose = b\n"),
              std::string::npos)
        << written();
    EXPECT_FALSE(parse("player1.pad.pause = select\n"));
    EXPECT_EQ(error.substr(0, 40), "keys.conf:1: expected a pad button (a, b");
}

TEST(KeyLabel, ArrowsAreGlyphsAndOtherKeysAreSpelledInLettersTheFontHas) {
    EXPECT_EQ(keyLabel(keyArrowUp), "^");
    EXPECT_EQ(keyLabel('q'), "q");
    EXPECT_EQ(keyLabel('<'), "less");  // the font's < is the left arrow
    EXPECT_EQ(keyLabel(','), "comma");
    EXPECT_EQ(keyLabel(keyKeypadMultiply), "[asterisk]");
    EXPECT_EQ(keyLabel(keyRightCtrl), "right ctrl");
}

}  // namespace
