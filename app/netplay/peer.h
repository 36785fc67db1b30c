#pragma once
// The other side of a net game: the connection, what is said over it, and what the frame learns.
#include <cstdint>
#include <string>
#include <vector>

#include "net/link.h"
#include "net/lockstep.h"

class GameState;
struct Options;

constexpr uint32_t netCloseWait = 1000;  // ms given to the peer to hear of the end

// What the frame learns from the peer in a pass, for it to act on; wiped as it acts.
struct NetNews {
    bool greeted = false;  // the hellos matched: a game may start
    bool started = false;  // guest: the host started the game in `start`
    Message start;
    bool choice = false;  // guest: the host chose another game on its menu
    bool peerLeftGame = false;
    bool pause = false;  // the peer paused the game or resumed it, as `paused` says
    bool paused = false;
    bool ended = false;    // the connection ended (the line is printed)
    bool dropped = false;  // ... because this side refused the peer
};

// The network side of the program. Owned by app/netplay/peer.cpp: set by startNet(), the game fields
// wiped by beginNetGame() at every net game, the connection's by every new connection.
struct NetPlay {
    bool on = false;  // --host or --join
    bool hosting = false;
    int fixedDelay = 0;                   // --delay; 0: from the round trip, or rollback's own
    Netcode netcode = Netcode::Rollback;  // --netcode: the host's choice, for the games it starts
    bool greeted = false;
    RoundTrip roundTrip;
    uint32_t lastPing = 0;
    uint32_t lastHeard = 0;  // linkMillis() of the peer's last message, once greeted
    uint8_t gameNumber = 0;  // the connection's games, counted
    bool playing = false;    // a net game runs
    LockstepSession lockstep;
    std::vector<InputEvent> played;  // the running game's events as run, for a desync's file
    uint32_t lastSend = 0;
    uint32_t closedAtSend = 0;
    std::string hostChoice;  // guest: the title the host has chosen on its menu
    std::string lastSaid;    // the last line said of the peer
    NetNews news;
};

extern NetPlay net;

bool startNet(const Options& options, std::string& error);
// Takes every event of the link (waiting at most `waitMs` for the first), pings, and resends
// what the peer has not acknowledged.
void pumpNet(uint32_t waitMs);
// Pumps as pumpNet() does and hands over what the peer said since the last time, wiping it.
NetNews takeNetNews(uint32_t waitMs);
// "tandrel: ADDRESS: what" on standard error.
void sayOfPeer(const std::string& what);
// Host: the delay for this game, from --delay, else rollback's or one for the round trip.
uint32_t chooseDelay();
void sendMessage(Channel channel, const Message& m);
// Host: tells the guest the game, its seed and the delay; the message sent.
Message sendStart(const char* title, uint32_t seed);
void sendChoice(const char* title);
// Pauses the running net game on the peer's side too, or resumes it.
void sendPause(bool paused);
void beginNetGame(const Message& start);
// This side leaves the running game at `tick`, or the first it has not closed if that is later;
// both sides play on to that tick and end the game there.
void leaveNetGame(uint32_t tick);
void endNetGame();
// Both sides compared digests that differ: the line, and the recording so far in the working
// directory.
void reportOutOfSync(uint32_t seed, const char* title);
