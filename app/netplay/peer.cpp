#include "app/netplay/peer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/command_line.h"
#include "app/session/playback.h"
#include "app/session/replay_file.h"
#include "framework/game_entry.h"
#include "games/catalogue.h"
#include "net/handshake.h"
#include "net/rollback.h"

NetPlay net;

namespace {

constexpr uint32_t pingInterval = 200;           // ms
constexpr uint32_t resendInterval = tickLength;  // ms between packets when no tick closed

void sendInputs() {
    sendMessage(Channel::Inputs, inputsMessage(net.lockstep));
    net.lastSend = linkMillis();
    net.closedAtSend = net.lockstep.localClosed;
}

const char* endReason(LinkEnd end) {
    switch (end) {
    case LinkEnd::Silent: return "no word from the other side for 10 s";
    case LinkEnd::Left: return "the other side left";
    case LinkEnd::Busy: return "the host has a player already";
    case LinkEnd::Refused: return "the other side refused this one";
    case LinkEnd::BadMessage: return "the other side refused a message from this one";
    }
    return "";
}

void refusePeer(LinkEnd why, const std::string& what) {
    sayOfPeer(what);
    linkDrop(why);
    net.greeted = false;
    net.news.ended = true;
    net.news.dropped = true;
}

void takeHello(const Message& hello) {
    const std::string mismatch = helloMismatch(hello, programVersion, catalogueTitles());
    if (!mismatch.empty()) return refusePeer(LinkEnd::Refused, mismatch);
    net.greeted = true;
    net.news.greeted = true;
    sayOfPeer(net.hosting ? "joined" : "connected");
}

void takeMessage(const Message& m) {
    switch (m.type) {
    case MessageType::Hello: takeHello(m); break;
    case MessageType::Start:
        if (!net.hosting) {
            net.news.started = true;
            net.news.start = m;
        }
        break;
    case MessageType::Choice:
        net.hostChoice = m.title;
        net.news.choice = true;
        break;
    case MessageType::Leave:
        if (net.playing && m.game == net.lockstep.game) {
            stopAtTick(net.lockstep, m.tick);
            net.news.peerLeftGame = true;
        }
        break;
    case MessageType::Pause:
        if (net.playing && m.game == net.lockstep.game) {
            net.news.pause = true;
            net.news.paused = m.paused;
        }
        break;
    case MessageType::Sync: noteRemoteDigest(net.lockstep, m); break;
    case MessageType::Inputs: acceptInputs(net.lockstep, m); break;
    case MessageType::Ping: {
        Message pong = m;
        pong.type = MessageType::Pong;
        sendMessage(Channel::Inputs, pong);
        break;
    }
    case MessageType::Pong: noteRoundTrip(net.roundTrip, linkMillis() - m.stamp); break;
    }
}

// On the reliable channel nothing comes before the hello; on the unreliable one a ping or inputs
// sent once the peer had this side's hello may overtake the peer's own, and wait for a resend.
// The peer's player is fixed by the roles, before any game too: its inputs may overtake the start.
void takeBytes(Channel channel, const std::vector<uint8_t>& bytes) {
    Message m;
    std::string why;
    DecodeLimits limits = decodeLimits(net.lockstep);
    limits.peerPlayer = net.hosting ? 1 : 0;
    limits.titles = &catalogueTitles();
    if (!decodeMessage(bytes.data(), bytes.size(), limits, m, why))
        return refusePeer(LinkEnd::BadMessage, "bad message (" + why + ")");
    if (!net.greeted && m.type != MessageType::Hello) {
        if (channel == Channel::Inputs) return;
        return refusePeer(LinkEnd::BadMessage, "bad message (before the hello)");
    }
    takeMessage(m);
}

void takeEvent(const LinkEvent& event) {
    switch (event.type) {
    case LinkEventType::Connected:
        net.greeted = false;
        net.roundTrip = RoundTrip{};
        sendMessage(Channel::Control, helloMessage(programVersion, catalogueTitles()));
        break;
    case LinkEventType::Received:
        net.lastHeard = linkMillis();
        if (linkConnected()) takeBytes(event.channel, event.bytes);
        break;
    case LinkEventType::Ended:
        sayOfPeer(endReason(event.end));
        net.greeted = false;
        net.news.ended = true;
        break;
    case LinkEventType::Turned:
        std::fprintf(stderr, "tandrel: %s: turned away: a player is connected already\n",
                     event.address.c_str());
        break;
    }
}

// The silence is counted from the peer's last word, which comes at every ping at the latest: the
// link's own timer starts only when a reliable message of this side goes unanswered.
bool endIfSilent() {
    if (!net.greeted || linkMillis() - net.lastHeard < noWordLimit) return false;
    sayOfPeer(endReason(LinkEnd::Silent));
    linkDrop(LinkEnd::Silent);
    net.greeted = false;
    net.news.ended = true;
    return true;
}

void pingNow() {
    const uint32_t now = linkMillis();
    if (!net.greeted || now - net.lastPing < pingInterval) return;
    Message ping;
    ping.type = MessageType::Ping;
    ping.stamp = now;
    sendMessage(Channel::Inputs, ping);
    net.lastPing = now;
}

bool freeName(const std::string& name) { return !std::ifstream(name).good(); }

// Never over a file that exists: tandrel-desync-SEED-host.replay, then -host-1, -host-2, ...
std::string desyncFileName(uint32_t seed) {
    const std::string stem = "tandrel-desync-" + std::to_string(seed) + (net.hosting ? "-host" : "-guest");
    std::string name = stem + ".replay";
    for (int n = 1; !freeName(name); ++n) name = stem + "-" + std::to_string(n) + ".replay";
    return name;
}

}  // namespace

void sendMessage(Channel channel, const Message& m) { linkSend(channel, encodeMessage(m)); }

bool startNet(const Options& options, std::string& error) {
    net = NetPlay{};
    net.on = true;
    net.hosting = options.host;
    net.fixedDelay = options.delay;
    net.netcode = options.netcode;
    return options.host ? linkHost(options.endpoint, error) : linkJoin(options.endpoint, error);
}

void pumpNet(uint32_t waitMs) {
    LinkEvent event;
    while (linkPoll(event, waitMs)) {
        takeEvent(event);
        waitMs = 0;
    }
    if (!linkConnected() || endIfSilent()) return;
    pingNow();
    const bool unacknowledged = net.lockstep.peerHolds < net.lockstep.localClosed;
    const bool closedMore = net.lockstep.localClosed != net.closedAtSend;
    if (net.greeted && (closedMore || (unacknowledged && linkMillis() - net.lastSend >= resendInterval)))
        sendInputs();
}

NetNews takeNetNews(uint32_t waitMs) {
    pumpNet(waitMs);
    const NetNews news = net.news;
    net.news = NetNews{};
    return news;
}

void sayOfPeer(const std::string& what) {
    net.lastSaid = what;
    std::fprintf(stderr, "tandrel: %s: %s\n", linkPeerAddress().c_str(), what.c_str());
}

// Under rollback a late input is run again rather than waited for: the shortest delay serves.
uint32_t chooseDelay() {
    if (net.fixedDelay) return static_cast<uint32_t>(net.fixedDelay);
    return net.netcode == Netcode::Rollback ? rollbackDelay : delayForRoundTrip(meanRoundTrip(net.roundTrip));
}

Message sendStart(const char* title, uint32_t seed) {
    Message start;
    start.type = MessageType::Start;
    start.game = ++net.gameNumber;
    start.title = title;
    start.seed = seed;
    start.delay = static_cast<uint8_t>(chooseDelay());
    start.netcode = net.netcode;
    sendMessage(Channel::Control, start);
    return start;
}

void sendChoice(const char* title) {
    if (!net.greeted) return;
    Message choice;
    choice.type = MessageType::Choice;
    choice.title = title;
    sendMessage(Channel::Control, choice);
}

void sendPause(bool paused) {
    Message pause;
    pause.type = MessageType::Pause;
    pause.game = net.lockstep.game;
    pause.paused = paused;
    sendMessage(Channel::Control, pause);
}

void beginNetGame(const Message& start) {
    net.gameNumber = start.game;
    const int player = net.hosting ? 0 : 1;
    if (start.netcode == Netcode::Rollback) beginRollback(net.lockstep, player, start.delay, start.game);
    else beginLockstep(net.lockstep, player, start.delay, start.game);
    net.played.clear();
    net.playing = true;
    net.closedAtSend = 0;
}

void leaveNetGame(uint32_t tick) {
    Message leave;
    leave.type = MessageType::Leave;
    leave.game = net.lockstep.game;
    leave.tick = std::max(tick, net.lockstep.localClosed);
    sendMessage(Channel::Control, leave);
    stopAtTick(net.lockstep, leave.tick);
}

void endNetGame() { net.playing = false; }

void reportOutOfSync(uint32_t seed, const char* title) {
    std::fprintf(stderr, "tandrel: out of sync at tick %u\n", net.lockstep.outOfSyncTick);
    const std::string name = desyncFileName(seed);
    std::ofstream file(name);
    writeReplayHeader(file, seed, title);
    for (const InputEvent& e : net.played) writeReplayEvent(file, e);
    writeReplayEnd(file, net.lockstep.rollback ? net.lockstep.recorded : net.lockstep.executed);
    if (!file) std::fprintf(stderr, "tandrel: could not save %s\n", name.c_str());
}
