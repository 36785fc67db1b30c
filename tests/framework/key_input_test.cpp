
#include <vector>

#include "app/platform/key_codes.h"
#include "app/input/bindings.h"
#include "app/saved/settings.h"
#include "app/session/keyboard_feed.h"
#include "app/session/session.h"
#include "support/fake_platform.h"
#include "test_game.h"

namespace {

using Button = TestGame::Button;

class KeyInput : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        auto owned = std::make_unique<TestGame>();
        running = owned.get();
        playTestGame(std::move(owned));
    }
    // What the main loop does around every tick.
    void runTick() {
        session.eventSequence = 0;
        running->tick();
    }
    static bool same(const InputEvent& a, const InputEvent& b) {
        return a.tick == b.tick && a.player == b.player && a.sequence == b.sequence && a.type == b.type &&
               a.button == b.button;
    }
    void expectQueued(const std::vector<InputEvent>& expected) {
        ASSERT_EQ(running->events.size(), expected.size());
        auto it = running->events.begin();
        for (const InputEvent& e : expected) {
            EXPECT_TRUE(same(*it, e)) << "(" << it->tick << ", " << it->player << ", " << int(it->sequence)
                                      << ", " << it->type << ", " << it->button << ")";
            ++it;
        }
    }

    TestGame* running = nullptr;
};

TEST_F(KeyInput, DefaultKeysAreWasdForPlayerOneAndArrowsForPlayerTwo) {
    const int expected[] = {'w', 's', 'a', 'd', keyArrowUp, keyArrowDown, keyArrowLeft, keyArrowRight};
    for (int b = 0; b < buttonCount; ++b) EXPECT_EQ(defaultKeyBindings[b], expected[b]) << b;
}

TEST_F(KeyInput, ButtonForKeyIsTheLowestBoundButton) {
    settings.keyBindings[6] = 's';
    EXPECT_EQ(buttonForKey('s'), 1);
    EXPECT_EQ(buttonForKey(keyArrowLeft), -1);
    EXPECT_EQ(buttonForKey(keyArrowRight), 7);
    EXPECT_EQ(buttonForKey(keySpace), -1);
}

TEST_F(KeyInput, PressesBetweenTwoTicksAreStampedWithTheCurrentTick) {
    for (int i = 0; i < 3; ++i) runTick();
    gameKeyDown('w');
    gameKeyDown(keyArrowUp);
    expectQueued({event(3, 0, 1, pressEvent, 0), event(3, 1, 2, pressEvent, 4)});
    runTick();
    EXPECT_EQ(running->received, (std::vector<Button>{{0, 0, true}, {1, 4, true}}));
}

TEST_F(KeyInput, PlayerOneIsDeliveredFirstWhateverThePressOrder) {
    gameKeyDown(keyArrowUp);
    gameKeyDown('w');
    runTick();
    EXPECT_EQ(running->received, (std::vector<Button>{{0, 0, true}, {1, 4, true}}));
}

TEST_F(KeyInput, PressAndReleaseInOneTickArriveInTheirOrder) {
    gameKeyDown('d');
    gameKeyUp('d');
    runTick();
    EXPECT_EQ(running->received, (std::vector<Button>{{0, 3, true}, {0, 3, false}}));
    EXPECT_TRUE(running->players[0].heldButtons.empty());
}

TEST_F(KeyInput, KeyBoundToTwoButtonsPostsOneEventPerButton) {
    settings.keyBindings[6] = 'a';
    gameKeyDown('a');
    expectQueued({event(0, 0, 1, pressEvent, 2), event(0, 1, 2, pressEvent, 6)});
}

TEST_F(KeyInput, UnboundKeyPostsNothing) {
    gameKeyDown(keySpace);
    gameKeyUp(keySpace);
    EXPECT_TRUE(running->events.empty());
    EXPECT_EQ(session.eventSequence, 0);
}

TEST_F(KeyInput, KeysWithoutARunningGameAreIgnored) {
    session.game.reset();
    gameKeyDown('w');
    gameKeyUp('w');
    EXPECT_EQ(session.eventSequence, 0);
}

TEST_F(KeyInput, SequenceWrapsAfter255AndSortsAsSigned) {
    session.eventSequence = 126;
    gameKeyDown('w');  // 127
    gameKeyUp('w');    // -128: comes first
    runTick();
    EXPECT_EQ(running->received, (std::vector<Button>{{0, 0, false}, {0, 0, true}}));
    session.eventSequence = 255;
    gameKeyDown('s');
    EXPECT_EQ(session.eventSequence, 0);
    EXPECT_EQ(running->events.begin()->sequence, 0);
}

TEST_F(KeyInput, FloodOfKeysKeepsTheQueueBounded) {
    for (int i = 0; i < 5000; ++i) gameKeyDown('w');
    EXPECT_EQ(running->events.size(), 256u);
    runTick();
    EXPECT_TRUE(running->events.empty());
    EXPECT_EQ(running->players[0].heldButtons.size(), 256u);
}

TEST_F(KeyInput, FloodBetweenTwoTicksLeavesHeldButtonsConsistent) {
    settings.keyBindings[5] = 'w';
    settings.keyBindings[2] = keyArrowRight;
    const int keys[] = {'w',    's',    'a',     'd',    keyArrowUp,
                        keyArrowDown, keyArrowLeft, keyArrowRight, keySpace};
    uint32_t mix = 1;
    for (int i = 0; i < 700; ++i) {
        mix = mix * 1103515245u + 12345u;
        const int key = keys[(mix >> 16) % 9];
        if ((mix >> 8) & 1) gameKeyDown(key);
        else gameKeyUp(key);
    }
    runTick();
    EXPECT_TRUE(running->events.empty());
    for (int p = 0; p < playerCount; ++p) {
        for (int b : running->players[p].heldButtons) EXPECT_EQ(playerOfButton(b), p) << b;
    }
    for (int key : keys) gameKeyUp(key);
    runTick();
    EXPECT_TRUE(running->players[0].heldButtons.empty());
    EXPECT_TRUE(running->players[1].heldButtons.empty());
}

}  // namespace
