#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/endpoint.h"

// The connection to the one peer, in the program's own terms. net/enet_link.cpp implements it
// with ENet; the unit tests link a stand-in that never connects.

enum class Channel : uint8_t { Control = 0, Inputs = 1 };  // reliable and ordered; unreliable

// Why a connection ended, as the side that ended it says (sent with ENet's disconnect).
enum class LinkEnd : uint32_t { Silent = 0, Left, Busy, Refused, BadMessage };

enum class LinkEventType { Connected, Received, Ended, Turned };

struct LinkEvent {
    LinkEventType type = LinkEventType::Connected;
    std::vector<uint8_t> bytes;  // Received
    Channel channel = Channel::Control;
    LinkEnd end = LinkEnd::Silent;  // Ended: the peer's reason; Silent: nothing heard for noWordLimit
    std::string address;            // Turned: the second peer turned away
};

constexpr uint32_t noWordLimit = 10000;  // ms without a word from the peer that end a connection

// Waits for one guest on the endpoint (no address: every address of this machine).
bool linkHost(const Endpoint& endpoint, std::string& error);
// Starts joining a host; Connected or Ended follows.
bool linkJoin(const Endpoint& endpoint, std::string& error);
// The next event, waiting at most `waitMs` for one.
bool linkPoll(LinkEvent& event, uint32_t waitMs);
bool linkConnected();
// The peer's address as text, for messages.
const std::string& linkPeerAddress();
void linkSend(Channel channel, const std::vector<uint8_t>& bytes);
// Ends the connection, telling the peer why after whatever was sent before.
void linkDrop(LinkEnd why);
// Sends what is queued and lets the peer hear of the end, for at most `waitMs`.
void linkClose(uint32_t waitMs);
uint32_t linkMillis();  // a clock in ms
uint64_t linkBytesSent();
uint64_t linkBytesReceived();
