// The only file that calls ENet.
#include <enet/enet.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "net/link.h"
#include "net/message.h"

namespace {

constexpr size_t channelCount = 2;
constexpr size_t hostPeers = 2;  // the guest, and a second caller to turn away

// The longest message decodeMessage() accepts, in net/message.cpp's layout: inputs of tickWindow
// ticks of maxEventsPerTick events, 4 bytes each after a 15-byte head (type, game, player,
// received, first tick, tick count, event count), about 32 KB; a hello of maxTitles titles, the
// next longest, is about 4 KB.
constexpr size_t inputsHead = 1 + 1 + 1 + 4 + 4 + 2 + 2;
constexpr size_t longestHello = 1 + 2 + (1 + maxTextLength) + 1 + maxTitles * (1 + maxTextLength);
constexpr size_t longestMessage =
    std::max(inputsHead + 4 * size_t(tickWindow) * maxEventsPerTick, longestHello);
// ENet's default, 32 MB a packet, let a peer make us hold megabytes. ENet refuses a longer packet
// at its first fragment, before taking room for it, and reports nothing: it skips the rest of the
// datagram and acknowledges none of the packet, so the sender's channel stalls until its ENet
// gives up and the silence ends the connection.
// ENet takes a packet while less than waitingLimit of the peer's waits undelivered (reliable ones
// behind a lost one, one being put together, ones not yet polled), and drops it unacknowledged
// beyond, as if lost: room for a longest message besides another.
constexpr size_t waitingLimit = 2 * longestMessage;

// ENet 1.3.17 believes a fragment's declared fragment count, and the first fragment it sees of a
// packet makes it hold a bitmap of that many bits: up to 128 KB for a 24-byte command, megabytes
// for one datagram of them (1.3.18 checks reliable fragments only). Every fragment carries a byte
// at least, so a count beyond the packet's length is bogus, as is a packet beyond our longest
// message: the datagram is dropped before ENet reads it, as is one whose commands overrun it. We
// never compress, so a compressed datagram, which cannot be read here, is dropped too.
int ENET_CALLBACK dropBogusFragments(ENetHost* host, ENetEvent*) {
    const enet_uint8* data = host->receivedData;
    const size_t size = host->receivedDataLength;
    ENetProtocolHeader header{};
    std::memcpy(&header, data, std::min(size, sizeof header));
    const enet_uint16 flags = ENET_NET_TO_HOST_16(header.peerID);
    if (flags & ENET_PROTOCOL_HEADER_FLAG_COMPRESSED) return 1;
    size_t at =
        flags & ENET_PROTOCOL_HEADER_FLAG_SENT_TIME ? sizeof header : offsetof(ENetProtocolHeader, sentTime);
    if (host->checksum) at += sizeof(enet_uint32);
    while (at + sizeof(ENetProtocolCommandHeader) <= size) {
        ENetProtocol command{};
        std::memcpy(&command, data + at, std::min(size - at, sizeof command));
        const enet_uint8 number = command.header.command & ENET_PROTOCOL_COMMAND_MASK;
        // Where ENet stops reading too.
        if (number >= ENET_PROTOCOL_COMMAND_COUNT) return 0;
        const size_t commandSize = enet_protocol_command_size(number);
        if (commandSize == 0 || at + commandSize > size) return 0;
        size_t dataLength = 0;
        switch (number) {
        case ENET_PROTOCOL_COMMAND_SEND_RELIABLE:
            dataLength = ENET_NET_TO_HOST_16(command.sendReliable.dataLength);
            break;
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE:
            dataLength = ENET_NET_TO_HOST_16(command.sendUnreliable.dataLength);
            break;
        case ENET_PROTOCOL_COMMAND_SEND_UNSEQUENCED:
            dataLength = ENET_NET_TO_HOST_16(command.sendUnsequenced.dataLength);
            break;
        case ENET_PROTOCOL_COMMAND_SEND_FRAGMENT:
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT: {
            dataLength = ENET_NET_TO_HOST_16(command.sendFragment.dataLength);
            const enet_uint32 total = ENET_NET_TO_HOST_32(command.sendFragment.totalLength);
            if (total > longestMessage || ENET_NET_TO_HOST_32(command.sendFragment.fragmentCount) > total)
                return 1;
            break;
        }
        default: break;
        }
        at += commandSize + dataLength;
        if (at > size) return 1;
    }
    return 0;
}

// Both sides, as either may face a hostile peer.
void limitHost(ENetHost* host) {
    host->maximumPacketSize = longestMessage;
    host->maximumWaitingData = waitingLimit;
    host->intercept = dropBogusFragments;
}

// Owned by this file: set by linkHost() or linkJoin(), wiped by linkClose().
struct LinkState {
    bool started = false;  // enet_initialize() done, once a run
    ENetHost* host = nullptr;
    ENetPeer* peer = nullptr;  // the one peer played with, once connected (joining: while trying)
    bool joining = false;
    std::string peerAddress;
    uint64_t sent = 0;
    uint64_t received = 0;
};

LinkState enetLink;

std::string addressText(const ENetAddress& address) {
    char text[64] = "?";
    enet_address_get_host_ip(&address, text, sizeof text);
    return text;
}

bool startEnet(std::string& error) {
    if (!enetLink.started && enet_initialize() != 0) {
        error = "the network library could not start";
        return false;
    }
    enetLink.started = true;
    return true;
}

// The ENet of the distributions (1.3) knows only IPv4.
bool resolve(const Endpoint& endpoint, ENetAddress& address, std::string& error) {
    address.port = endpoint.port;
    if (endpoint.address.find(':') != std::string::npos) {
        error = endpoint.address + ": IPv6 addresses cannot be used: this build's ENet speaks IPv4 only";
        return false;
    }
    if (endpoint.address.empty()) {
        address.host = ENET_HOST_ANY;
        return true;
    }
    if (enet_address_set_host(&address, endpoint.address.c_str()) != 0) {
        error = endpoint.address + ": no such host";
        return false;
    }
    return true;
}

// Ten seconds without a word end the connection, and unreliable inputs are never held back by
// ENet's throttle: a lost packet is covered by the next, which must go out. Only once connected:
// a throttle setting sent with the connection request spoils it.
void tunePeer(ENetPeer* peer) {
    enet_peer_timeout(peer, 0, noWordLimit, noWordLimit);
    enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
}

void countTraffic() {
    enetLink.sent += enetLink.host->totalSentData;
    enetLink.received += enetLink.host->totalReceivedData;
    enetLink.host->totalSentData = 0;
    enetLink.host->totalReceivedData = 0;
}

// False for an event that concerns no one outside this file.
bool translate(const ENetEvent& in, LinkEvent& out) {
    switch (in.type) {
    case ENET_EVENT_TYPE_CONNECT:
        if (enetLink.peer && (!enetLink.joining || in.peer != enetLink.peer)) {
            enet_peer_disconnect(in.peer, static_cast<uint32_t>(LinkEnd::Busy));
            out.type = LinkEventType::Turned;
            out.address = addressText(in.peer->address);
            return true;
        }
        enetLink.peer = in.peer;
        enetLink.joining = false;
        enetLink.peerAddress = addressText(in.peer->address);
        tunePeer(in.peer);
        out.type = LinkEventType::Connected;
        return true;
    case ENET_EVENT_TYPE_RECEIVE: {
        const bool ours = in.peer == enetLink.peer;
        if (ours) {
            out.type = LinkEventType::Received;
            out.channel = static_cast<Channel>(in.channelID);
            out.bytes.assign(in.packet->data, in.packet->data + in.packet->dataLength);
        }
        enet_packet_destroy(in.packet);
        return ours;
    }
    case ENET_EVENT_TYPE_DISCONNECT:
        if (in.peer != enetLink.peer) return false;
        enetLink.peer = nullptr;
        enetLink.joining = false;
        out.type = LinkEventType::Ended;
        out.end = in.data <= static_cast<uint32_t>(LinkEnd::BadMessage) ? static_cast<LinkEnd>(in.data)
                                                                        : LinkEnd::Silent;
        return true;
    default: return false;
    }
}

}  // namespace

bool linkHost(const Endpoint& endpoint, std::string& error) {
    ENetAddress address;
    if (!startEnet(error) || !resolve(endpoint, address, error)) return false;
    enetLink.host = enet_host_create(&address, hostPeers, channelCount, 0, 0);
    if (!enetLink.host) {
        error = "cannot listen on UDP port " + std::to_string(endpoint.port) +
                (endpoint.address.empty() ? "" : " of " + endpoint.address) + " (is it in use?)";
        return false;
    }
    limitHost(enetLink.host);
    return true;
}

bool linkJoin(const Endpoint& endpoint, std::string& error) {
    ENetAddress address;
    if (!startEnet(error) || !resolve(endpoint, address, error)) return false;
    enetLink.host = enet_host_create(nullptr, 1, channelCount, 0, 0);
    if (enetLink.host) {
        limitHost(enetLink.host);
        enetLink.peer = enet_host_connect(enetLink.host, &address, channelCount, 0);
    }
    if (!enetLink.peer) {
        error = "cannot open a UDP socket";
        return false;
    }
    enet_peer_timeout(enetLink.peer, 0, noWordLimit, noWordLimit);
    enetLink.joining = true;
    enetLink.peerAddress = endpoint.address;
    return true;
}

bool linkPoll(LinkEvent& event, uint32_t waitMs) {
    if (!enetLink.host) return false;
    ENetEvent in;
    int status;
    while ((status = enet_host_service(enetLink.host, &in, waitMs)) > 0) {
        countTraffic();
        if (translate(in, event)) return true;
        waitMs = 0;
    }
    countTraffic();
    return false;
}

bool linkConnected() { return enetLink.peer && !enetLink.joining; }

const std::string& linkPeerAddress() { return enetLink.peerAddress; }

void linkSend(Channel channel, const std::vector<uint8_t>& bytes) {
    if (!linkConnected()) return;
    const uint32_t flags =
        channel == Channel::Control ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), flags);
    if (enet_peer_send(enetLink.peer, static_cast<uint8_t>(channel), packet) != 0)
        enet_packet_destroy(packet);
    enet_host_flush(enetLink.host);
}

void linkDrop(LinkEnd why) {
    if (!enetLink.peer) return;
    enet_peer_disconnect_later(enetLink.peer, static_cast<uint32_t>(why));
    enet_host_flush(enetLink.host);
    enetLink.peer = nullptr;
    enetLink.joining = false;
}

void linkClose(uint32_t waitMs) {
    if (!enetLink.host) return;
    linkDrop(LinkEnd::Left);
    const uint32_t start = enet_time_get();
    ENetEvent in;
    // Every peer still connected (the one dropped last among them) is let go in order.
    while (enet_time_get() - start < waitMs) {
        bool anyone = false;
        for (size_t i = 0; i < enetLink.host->peerCount; ++i)
            anyone |= enetLink.host->peers[i].state != ENET_PEER_STATE_DISCONNECTED;
        if (!anyone) break;
        if (enet_host_service(enetLink.host, &in, 10) > 0 && in.type == ENET_EVENT_TYPE_RECEIVE)
            enet_packet_destroy(in.packet);
    }
    countTraffic();
    enet_host_destroy(enetLink.host);
    enetLink.host = nullptr;
}

uint32_t linkMillis() { return enet_time_get(); }

uint64_t linkBytesSent() { return enetLink.sent; }

uint64_t linkBytesReceived() { return enetLink.received; }
