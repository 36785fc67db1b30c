#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/message.h"

namespace {

InputEvent guestEvent(uint32_t tick, int8_t sequence, int type, int button) {
    InputEvent e;
    e.tick = tick;
    e.player = 1;
    e.sequence = sequence;
    e.type = type;
    e.button = button;
    return e;
}

// The guest's inputs for ticks 100 to 103 as the host, 100 ticks in and 104 sent, receives them.
Message guestInputs() {
    Message m;
    m.type = MessageType::Inputs;
    m.game = 3;
    m.player = 1;
    m.received = 104;
    m.firstTick = 100;
    m.ticks = {{guestEvent(100, 1, pressEvent, 4)},
               {},
               {},
               {guestEvent(103, 1, releaseEvent, 4), guestEvent(103, 2, pressEvent, 7)}};
    return m;
}

const std::vector<std::string> hostTitles = {"whiskerwaltz", "yarnball"};

DecodeLimits hostLimits() {
    DecodeLimits limits;
    limits.titles = &hostTitles;
    limits.game = 3;
    limits.peerPlayer = 1;
    limits.executed = 100;
    limits.sent = 104;
    return limits;
}

std::string refusal(const Message& m, const DecodeLimits& limits = hostLimits()) {
    const std::vector<uint8_t> bytes = encodeMessage(m);
    Message decoded;
    std::string why;
    return decodeMessage(bytes.data(), bytes.size(), limits, decoded, why) ? "" : why;
}

Message decoded(const Message& m) {
    const std::vector<uint8_t> bytes = encodeMessage(m);
    Message out;
    std::string why;
    EXPECT_TRUE(decodeMessage(bytes.data(), bytes.size(), hostLimits(), out, why)) << why;
    return out;
}

TEST(MessageCodec, EveryTypeComesBackAsSent) {
    Message hello;
    hello.program = "tandrel 0.1.0";
    hello.titles = {"whiskerwaltz", "yarnball"};
    Message back = decoded(hello);
    EXPECT_EQ(back.protocol, protocolVersion);
    EXPECT_EQ(back.program, hello.program);
    EXPECT_EQ(back.titles, hello.titles);

    Message start;
    start.type = MessageType::Start;
    start.game = 3;
    start.seed = 0xdeadbeef;
    start.delay = 4;
    start.netcode = Netcode::Rollback;
    start.title = "yarnball";
    back = decoded(start);
    EXPECT_EQ(back.seed, start.seed);
    EXPECT_EQ(back.delay, 4);
    EXPECT_EQ(back.netcode, Netcode::Rollback);
    EXPECT_EQ(back.title, "yarnball");

    Message sync;
    sync.type = MessageType::Sync;
    sync.game = 3;
    sync.tick = 128;
    sync.digest = 0x0123456789abcdefULL;
    EXPECT_EQ(decoded(sync).digest, sync.digest);

    Message pause;
    pause.type = MessageType::Pause;
    pause.game = 3;
    pause.paused = true;
    EXPECT_TRUE(decoded(pause).paused);
    std::vector<uint8_t> bytes = encodeMessage(pause);
    bytes.back() = 2;
    std::string why;
    EXPECT_FALSE(decodeMessage(bytes.data(), bytes.size(), hostLimits(), back, why));
    EXPECT_EQ(why, "pause 2");

    const Message inputs = guestInputs();
    back = decoded(inputs);
    EXPECT_EQ(back.received, 104u);
    ASSERT_EQ(back.ticks.size(), 4u);
    ASSERT_EQ(back.ticks[3].size(), 2u);
    EXPECT_EQ(back.ticks[3][1].tick, 103u);
    EXPECT_EQ(back.ticks[3][1].button, 7);
    EXPECT_EQ(back.ticks[3][0].type, releaseEvent);
    EXPECT_TRUE(back.ticks[1].empty());
}

TEST(MessageCodec, EveryCutOrLengthenedMessageIsRefused) {
    const std::vector<uint8_t> bytes = encodeMessage(guestInputs());
    Message out;
    std::string why;
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(decodeMessage(bytes.data(), size, hostLimits(), out, why)) << size;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decodeMessage(longer.data(), longer.size(), hostLimits(), out, why));
    EXPECT_EQ(why, "length");
}

TEST(MessageCodec, TicksReachAtMostTheWindowAheadOfTheLastRun) {
    Message m = guestInputs();
    m.firstTick = 100 + tickWindow - 3;  // its last tick is exactly the window's last
    EXPECT_EQ(refusal(m), "");
    m.firstTick += 1;
    EXPECT_EQ(refusal(m), "tick 357 beyond the window");
    m.game = 4;  // another game's inputs are dropped later, not refused
    EXPECT_EQ(refusal(m), "");
}

TEST(MessageCodec, APeerSpeaksOnlyForItsOwnPlayerAndButtons) {
    Message m = guestInputs();
    m.player = 0;
    for (auto& tick : m.ticks)
        for (InputEvent& e : tick) e.player = 0;
    EXPECT_EQ(refusal(m), "inputs for player 1");
    m = guestInputs();
    m.ticks[0][0].button = 9;
    EXPECT_EQ(refusal(m), "button 9");
    m.ticks[0][0].button = 2;
    EXPECT_EQ(refusal(m), "button 2 is not player 2's");
    m.ticks[0][0].button = 4;
    m.ticks[0][0].type = 5;
    EXPECT_EQ(refusal(m), "event type 5");
}

TEST(MessageCodec, ATickHoldsAtMostItsShareOfEvents) {
    Message m = guestInputs();
    m.ticks[1].assign(maxEventsPerTick, guestEvent(101, 1, pressEvent, 5));
    EXPECT_EQ(refusal(m), "");
    m.ticks[1].push_back(guestEvent(101, 1, pressEvent, 5));
    EXPECT_EQ(refusal(m), "33 events in tick 101");
}

TEST(MessageCodec, NothingNeverSentMayBeAcknowledged) {
    Message m = guestInputs();
    m.received = 105;
    EXPECT_EQ(refusal(m), "acknowledges tick 105 never sent");
}

TEST(MessageCodec, AnotherProtocolsHelloIsReadForItsNumberOnly) {
    const std::vector<uint8_t> bytes = {uint8_t(MessageType::Hello), 1, 0, 0xff, 0xff, 0xff};
    Message out;
    std::string why;
    ASSERT_TRUE(decodeMessage(bytes.data(), bytes.size(), hostLimits(), out, why)) << why;
    EXPECT_EQ(out.protocol, 1);  // the version before this one
    const std::vector<uint8_t> unknown = {99};
    EXPECT_FALSE(decodeMessage(unknown.data(), unknown.size(), hostLimits(), out, why));
    EXPECT_EQ(why, "type 99");
}

TEST(MessageCodec, AStartNamesAGameOfTheReceiver) {
    Message start;
    start.type = MessageType::Start;
    start.delay = 3;
    start.title = "chess";
    EXPECT_EQ(refusal(start), "unknown game");
    start.title = "yarnball";
    DecodeLimits noGames = hostLimits();
    noGames.titles = nullptr;
    EXPECT_EQ(refusal(start, noGames), "unknown game");
    start.delay = 0;
    EXPECT_EQ(refusal(start), "delay 0");
    start.delay = 1;
    start.netcode = static_cast<Netcode>(7);
    EXPECT_EQ(refusal(start), "netcode 7");
}

}  // namespace
