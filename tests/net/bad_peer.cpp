// A peer that joins a host and sends it one bad message, to see it refused:
//   bad_peer PORT CASE
// CASE: version (a hello of another protocol), short (a cut packet), ahead (a tick far beyond the
// window), player (inputs for the host's player), button (button 9), flood (1000 events in a
// tick), largest (the longest inputs the host accepts, then an acknowledgement of a tick never
// sent behind it on the same reliable channel: the host must take the first to see the second),
// oversized (two 30 MB packets, which the host must refuse unread, then an event of type 9),
// fragments (datagrams of our own making whose fragments each declare a 1-byte packet in 1M
// fragments, then an event of type 9),
// second (nothing: a second player while one is connected, who must be turned away).
// Every case but version and second greets properly and sends its message once the game started.
// Exit status 0 when the host dropped it within the time allowed (oversized: having taken none of
// the big packets), 1 otherwise.
#include <enet/enet.h>

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"  // programVersion
#include "games/catalogue.h"
#include "net/handshake.h"
#include "net/link.h"  // LinkEnd

namespace {

constexpr uint32_t waitMs = 5000;
// Time for a host without a packet limit to take in the oversized packets and refuse them, so
// that such a host fails on what it took rather than on the time.
constexpr uint32_t oversizedWaitMs = 30000;
constexpr size_t oversizedBytes = 30 * 1024 * 1024;  // under ENet's default limit of 32 MB
constexpr size_t oversizedPackets = 2;
// The host's pings seen after the big packets went out, with not one fragment of them
// acknowledged: each ping leaves the host after the acknowledgements it owes (they go out in
// the same service of its link), so by then the host has refused them.
constexpr int pingsUnacknowledged = 3;

void sendBytes(ENetPeer* peer, int channel, const std::vector<uint8_t>& bytes, uint32_t flags) {
    enet_peer_send(peer, channel, enet_packet_create(bytes.data(), bytes.size(), flags));
}

// An ENet that believes a fragment's count holds a bitmap of that many bits, 128 KB here, for each
// such command of a packet it has not seen: megabytes from these few kilobytes.
constexpr int bogusDatagrams = 100;

void put(std::vector<uint8_t>& d, const void* bytes, size_t size) {
    d.insert(d.end(), static_cast<const uint8_t*>(bytes), static_cast<const uint8_t*>(bytes) + size);
}
void put16(std::vector<uint8_t>& d, uint16_t v) {
    v = htons(v);
    put(d, &v, sizeof v);
}
void put32(std::vector<uint8_t>& d, uint32_t v) {
    v = htonl(v);
    put(d, &v, sizeof v);
}

// A fragment of a 1-byte packet on channel 1, starting at sequence number `start`.
void bogusFragment(std::vector<uint8_t>& d, uint8_t command, uint16_t reliable, uint16_t start) {
    d.push_back(command);
    d.push_back(1);
    put16(d, reliable);
    put16(d, start);
    put16(d, 1);                                     // this fragment's length
    put32(d, ENET_PROTOCOL_MAXIMUM_FRAGMENT_COUNT);  // fragment count
    put32(d, 0);                                     // fragment number
    put32(d, 1);                                     // total length
    put32(d, 0);                                     // offset
    d.push_back('A');
}

void sendBogusFragments(ENetHost* host, ENetPeer* peer) {
    for (int i = 0; i < bogusDatagrams; ++i) {
        std::vector<uint8_t> d;
        put16(d, peer->outgoingPeerID | (peer->outgoingSessionID << ENET_PROTOCOL_HEADER_SESSION_SHIFT) |
                     ENET_PROTOCOL_HEADER_FLAG_SENT_TIME);
        put16(d, static_cast<uint16_t>(enet_time_get()));
        // All behind a reliable 1 never sent, so that ENet keeps each, waiting for it. The unreliable
        // one first: ENet 1.3.18 refuses the reliable one, and the rest of its datagram with it.
        bogusFragment(d, ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT, 1, i + 1);
        bogusFragment(d, ENET_PROTOCOL_COMMAND_SEND_FRAGMENT | ENET_PROTOCOL_COMMAND_FLAG_ACKNOWLEDGE, i + 2,
                      i + 2);
        ENetBuffer buffer;
        buffer.data = d.data();
        buffer.dataLength = d.size();
        enet_socket_send(host->socket, &peer->address, &buffer, 1);
    }
}

InputEvent guestPress(uint32_t tick, int button) {
    InputEvent e;
    e.tick = tick;
    e.player = 1;
    e.sequence = 1;
    e.type = pressEvent;
    e.button = button;
    return e;
}

std::vector<uint8_t> badMessage(const std::string& which, const Message& start) {
    Message m;
    m.type = MessageType::Inputs;
    m.game = start.game;
    m.player = 1;
    m.firstTick = 0;
    m.ticks.assign(start.delay, {});
    if (which == "short") return {uint8_t(MessageType::Inputs), start.game, 1};
    if (which == "ahead") m.firstTick = 100000;
    if (which == "player") m.player = 0;
    if (which == "button") m.ticks[0].push_back(guestPress(0, 9));
    if (which == "flood") m.ticks[0].assign(1000, guestPress(0, 4));
    if (which == "largest") {
        m.ticks.assign(tickWindow, {});
        for (uint32_t t = 0; t < tickWindow; ++t) m.ticks[t].assign(maxEventsPerTick, guestPress(t, 4));
    }
    if (which == "acknowledges") m.received = 1000000;
    if (which == "type") {
        m.ticks[0].push_back(guestPress(0, 4));
        m.ticks[0][0].type = 9;
    }
    return encodeMessage(m);
}

// The oversized packets, each with a reference of ours on top of one per fragment in flight,
// which ENet releases as the host acknowledges the fragment: none released, none taken.
struct Oversized {
    std::vector<ENetPacket*> packets;
    std::vector<size_t> references;  // right after sending
    int pingsSince = 0;              // the host's pings since they went out

    void send(ENetHost* host, ENetPeer* peer) {
        for (size_t i = 0; i < oversizedPackets; ++i) {
            ENetPacket* packet = enet_packet_create(nullptr, oversizedBytes, ENET_PACKET_FLAG_RELIABLE);
            std::memset(packet->data, 'A', packet->dataLength);
            if (enet_peer_send(peer, 1, packet) != 0) {
                enet_packet_destroy(packet);
                continue;
            }
            ++packet->referenceCount;
            packets.push_back(packet);
            references.push_back(packet->referenceCount);
        }
        enet_host_flush(host);
    }
    bool anyTaken() const {
        for (size_t i = 0; i < packets.size(); ++i) {
            if (packets[i]->referenceCount != references[i]) return true;
        }
        return false;
    }
    bool refused() const {
        return packets.size() == oversizedPackets && pingsSince >= pingsUnacknowledged && !anyTaken();
    }
    ~Oversized() {
        for (ENetPacket* packet : packets) {
            if (--packet->referenceCount == 0) enet_packet_destroy(packet);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || enet_initialize() != 0) return 2;
    const std::string which = argv[2];
    const std::vector<std::string>& titles = catalogueTitles();  // the host's, to greet it and read its start
    ENetHost* host = enet_host_create(nullptr, 1, 2, 0, 0);
    ENetAddress address;
    enet_address_set_host(&address, "127.0.0.1");
    address.port = static_cast<uint16_t>(std::atoi(argv[1]));
    ENetPeer* peer = enet_host_connect(host, &address, 2, 0);
    const uint32_t limitMs = which == "oversized" ? oversizedWaitMs : waitMs;
    const uint32_t start = enet_time_get();
    ENetEvent event;
    bool connected = false;
    Message gameStart;  // the host's start, once it came
    Oversized oversized;
    bool taken = false;     // oversized: the host acknowledged some of them
    bool followed = false;  // oversized: the bad message sent after them
    while (enet_time_get() - start < limitMs) {
        // Before the service that may bring the end, which lets go of the packets' fragments.
        taken |= oversized.anyTaken();
        // Unsequenced, as the program's inputs go: the stalled reliable packets hold back
        // anything sequenced on their channel, and reliable messages on either.
        if (!followed && oversized.refused()) {
            sendBytes(peer, 1, badMessage("type", gameStart), ENET_PACKET_FLAG_UNSEQUENCED);
            followed = true;
        }
        if (enet_host_service(host, &event, 50) <= 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            connected = true;
            // As the program does: no unreliable packet of ours is held back by ENet's throttle.
            enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
            Message hello = helloMessage(programVersion, titles);
            if (which == "version") hello.protocol = protocolVersion + 1;
            if (which != "second") sendBytes(peer, 0, encodeMessage(hello), ENET_PACKET_FLAG_RELIABLE);
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            Message m;
            std::string why;
            DecodeLimits limits;
            limits.peerPlayer = 0;
            limits.titles = &titles;
            const bool decoded = decodeMessage(event.packet->data, event.packet->dataLength, limits, m, why);
            enet_packet_destroy(event.packet);
            if (!decoded) continue;
            if (m.type == MessageType::Ping && !oversized.packets.empty()) ++oversized.pingsSince;
            if (m.type != MessageType::Start || event.channelID != 0) continue;
            gameStart = m;
            if (which == "oversized") {
                oversized.send(host, peer);
            } else if (which == "fragments") {
                sendBogusFragments(host, peer);
                // Behind them: the host drops us for it once it has read them.
                sendBytes(peer, 1, badMessage("type", m), ENET_PACKET_FLAG_UNSEQUENCED);
            } else if (which == "largest") {
                sendBytes(peer, 1, badMessage("largest", m), ENET_PACKET_FLAG_RELIABLE);
                sendBytes(peer, 1, badMessage("acknowledges", m), ENET_PACKET_FLAG_RELIABLE);
            } else {
                sendBytes(peer, 1, badMessage(which, m), 0);
            }
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            // A second player must be told why: the host is busy.
            const bool told = which != "second" || event.data == static_cast<uint32_t>(LinkEnd::Busy);
            std::printf("bad_peer %s: %s\n", which.c_str(),
                        !connected ? "could not connect"
                        : !told    ? "dropped without reason"
                        : taken    ? "dropped, having taken part of the oversized packets"
                                   : "dropped");
            return connected && told && !taken ? 0 : 1;
        }
    }
    std::printf("bad_peer %s: not dropped within %u ms\n", which.c_str(), limitMs);
    return 1;
}
