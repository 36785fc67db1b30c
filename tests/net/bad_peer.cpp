// A peer that joins a host and sends it one bad message, to see it refused:
//   bad_peer PORT CASE
// CASE: version (a hello of another protocol), short (a cut packet), ahead (a tick far beyond the
// window), player (inputs for the host's player), button (button 9), flood (1000 events in a
// tick), second (nothing: a second player while one is connected, who must be turned away).
// Every case but version and second greets properly and sends its message once the game started.
// Exit status 0 when the host dropped it within the time allowed, 1 otherwise.
#include <enet/enet.h>

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

void sendBytes(ENetPeer* peer, int channel, const std::vector<uint8_t>& bytes) {
    enet_peer_send(
        peer, channel,
        enet_packet_create(bytes.data(), bytes.size(), channel == 0 ? ENET_PACKET_FLAG_RELIABLE : 0));
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
    return encodeMessage(m);
}

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
    const uint32_t start = enet_time_get();
    ENetEvent event;
    bool connected = false;
    while (enet_time_get() - start < waitMs) {
        if (enet_host_service(host, &event, 50) <= 0) continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            connected = true;
            Message hello = helloMessage(programVersion, titles);
            if (which == "version") hello.protocol = protocolVersion + 1;
            if (which != "second") sendBytes(peer, 0, encodeMessage(hello));
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            Message m;
            std::string why;
            DecodeLimits limits;
            limits.peerPlayer = 0;
            limits.titles = &titles;
            if (event.channelID == 0 &&
                decodeMessage(event.packet->data, event.packet->dataLength, limits, m, why) &&
                m.type == MessageType::Start)
                sendBytes(peer, 1, badMessage(which, m));
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            // A second player must be told why: the host is busy.
            const bool told = which != "second" || event.data == static_cast<uint32_t>(LinkEnd::Busy);
            std::printf("bad_peer %s: %s\n", which.c_str(),
                        !connected ? "could not connect"
                        : told     ? "dropped"
                                   : "dropped without reason");
            return connected && told ? 0 : 1;
        }
    }
    std::printf("bad_peer %s: not dropped within %u ms\n", which.c_str(), waitMs);
    return 1;
}
