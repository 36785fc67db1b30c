#include <vector>

#include "test_game.h"

namespace {

using Button = TestGame::Button;

class EventQueue : public FrameworkTest {};

TEST_F(EventQueue, EventsOfPlayerOneComeFirstWithinATick) {
    game.events.insert(event(0, 1, 1, pressEvent, 4));
    game.events.insert(event(0, 0, 2, pressEvent, 0));
    game.tick();
    EXPECT_EQ(game.received, (std::vector<Button>{{0, 0, true}, {1, 4, true}}));
}

TEST_F(EventQueue, WrappedSequenceSortsBeforeEarlierOnes) {
    game.events.insert(event(0, 0, 127, pressEvent, 1));
    game.events.insert(event(0, 0, -128, pressEvent, 2));
    game.tick();
    EXPECT_EQ(game.received, (std::vector<Button>{{0, 2, true}, {0, 1, true}}));
}

TEST_F(EventQueue, LowerSequenceComesFirstWhateverTheType) {
    game.events.insert(event(0, 0, 2, pressEvent, 3));
    game.events.insert(event(0, 0, 1, releaseEvent, 3));
    game.tick();
    EXPECT_EQ(game.received, (std::vector<Button>{{0, 3, false}, {0, 3, true}}));
}

TEST_F(EventQueue, EventEqualInTheOrderIsDropped) {
    game.events.insert(event(0, 0, 5, pressEvent, 1));
    game.events.insert(event(0, 0, 5, pressEvent, 2));
    EXPECT_EQ(game.events.size(), 1u);
    game.tick();
    EXPECT_EQ(game.received, (std::vector<Button>{{0, 1, true}}));
}

TEST_F(EventQueue, EventStampedLaterWaitsForItsTick) {
    game.events.insert(event(3, 0, 1, pressEvent, 0));
    for (int i = 0; i < 3; ++i) game.tick();
    EXPECT_TRUE(game.received.empty());
    EXPECT_EQ(game.events.size(), 1u);
    game.tick();
    EXPECT_EQ(game.received, (std::vector<Button>{{0, 0, true}}));
    EXPECT_TRUE(game.events.empty());
}

TEST_F(EventQueue, EventOfAnEarlierTickIsStillDelivered) {
    for (int i = 0; i < 4; ++i) game.tick();
    game.events.insert(event(1, 1, 1, pressEvent, 6));
    game.tick();
    EXPECT_EQ(game.received, (std::vector<Button>{{1, 6, true}}));
}

TEST_F(EventQueue, EventsOfUnknownTypeOrButtonAreDroppedSilently) {
    game.events.insert(event(0, 0, 1, 5, 0));
    game.events.insert(event(0, 0, 2, pressEvent, 8));
    game.events.insert(event(0, 0, 3, pressEvent, -1));
    game.events.insert(event(0, 2, 4, pressEvent, 0));
    game.tick();
    EXPECT_TRUE(game.received.empty());
    EXPECT_TRUE(game.events.empty());
}

class HeldButtons : public FrameworkTest {};

TEST_F(HeldButtons, PressesAreKeptOldestFirst) {
    game.events.insert(event(0, 1, 1, pressEvent, 6));
    game.events.insert(event(0, 1, 2, pressEvent, 4));
    game.tick();
    EXPECT_EQ(game.players[1].heldButtons, (std::list<int>{6, 4}));
    EXPECT_TRUE(game.players[0].heldButtons.empty());
}

TEST_F(HeldButtons, ButtonHeldTwiceIsReleasedTwice) {
    game.events.insert(event(0, 0, 1, pressEvent, 2));
    game.events.insert(event(0, 0, 2, pressEvent, 1));
    game.events.insert(event(0, 0, 3, pressEvent, 2));
    game.events.insert(event(0, 0, 4, releaseEvent, 2));
    game.tick();
    EXPECT_EQ(game.players[0].heldButtons, (std::list<int>{1}));
}

TEST_F(HeldButtons, ReleaseWithoutPressIsHarmless) {
    game.events.insert(event(0, 0, 1, pressEvent, 1));
    game.events.insert(event(0, 0, 2, releaseEvent, 3));
    game.tick();
    EXPECT_EQ(game.players[0].heldButtons, (std::list<int>{1}));
}

class PlayerTimers : public FrameworkTest {};

TEST_F(PlayerTimers, TimersCountDownOnlyWhilePositive) {
    game.players[0].timers[0] = 2;
    game.players[1].timers[2] = 1;
    game.players[1].timers[1] = -3;
    for (int i = 0; i < 3; ++i) game.tick();
    EXPECT_EQ(game.players[0].timers[0], 0);
    EXPECT_EQ(game.players[1].timers[2], 0);
    EXPECT_EQ(game.players[1].timers[1], -3);
}

}  // namespace
