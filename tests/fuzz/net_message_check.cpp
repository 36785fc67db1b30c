#include "net_message_check.h"

#include <vector>

#include "games/catalogue.h"
#include "net/message.h"

namespace {

constexpr size_t limitBytes = 9;  // game, executed (4), sent (4); the low bit of game picks the player

uint32_t readU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

void promise(bool kept) {
    if (!kept) __builtin_trap();
}

void checkInputs(const Message& m, const DecodeLimits& limits) {
    promise(m.player == limits.peerPlayer && m.ticks.size() <= tickWindow);
    for (const auto& tick : m.ticks) {
        promise(tick.size() <= maxEventsPerTick);
        for (const InputEvent& e : tick) {
            promise(e.player == m.player && e.button >= 0 && e.button < buttonCount);
            promise(e.type == pressEvent || e.type == releaseEvent);
        }
    }
    if (m.game == limits.game) {
        promise(m.received <= limits.sent);
        promise(m.ticks.empty() ||
                uint64_t(m.firstTick) + m.ticks.size() - 1 <= uint64_t(limits.executed) + tickWindow);
    }
}

}  // namespace

std::string checkNetMessage(const uint8_t* data, size_t size) {
    if (size < limitBytes) return "too short to choose limits";
    DecodeLimits limits;
    limits.game = data[0] >> 1;
    limits.peerPlayer = data[0] & 1;
    limits.executed = readU32(data + 1);
    limits.sent = readU32(data + 5);
    limits.titles = &catalogueTitles();
    data += limitBytes;
    size -= limitBytes;
    Message m;
    std::string why;
    if (!decodeMessage(data, size, limits, m, why)) {
        promise(!why.empty());
        return why;
    }
    if (m.type == MessageType::Inputs) checkInputs(m, limits);
    // Another protocol's hello is read only as far as its number.
    if (m.type == MessageType::Hello && m.protocol != protocolVersion) return "";
    const std::vector<uint8_t> again = encodeMessage(m);
    // Inputs come back in the order of their ticks, which a peer need not keep.
    if (m.type != MessageType::Inputs) promise(again == std::vector<uint8_t>(data, data + size));
    Message back;
    promise(decodeMessage(again.data(), again.size(), limits, back, why));
    return "";
}
