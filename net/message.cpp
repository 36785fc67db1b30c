#include "net/message.h"

#include <algorithm>

namespace {

// Numbers go little-endian, whatever the machine.
struct Writer {
    std::vector<uint8_t> bytes;
    void u8(uint8_t value) { bytes.push_back(value); }
    void u16(uint16_t value) {
        for (int i = 0; i < 2; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
    }
    void u32(uint32_t value) {
        for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
    }
    void u64(uint64_t value) {
        for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
    }
    void text(const std::string& value) {
        u8(static_cast<uint8_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
};

// Every read past the end leaves `ok` false and yields zeros.
struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool ok = true;
    uint64_t number(int length) {
        if (size - at < static_cast<size_t>(length)) {
            ok = false;
            at = size;
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < length; ++i) value |= uint64_t(data[at + i]) << (8 * i);
        at += length;
        return value;
    }
    uint8_t u8() { return static_cast<uint8_t>(number(1)); }
    uint16_t u16() { return static_cast<uint16_t>(number(2)); }
    uint32_t u32() { return static_cast<uint32_t>(number(4)); }
    uint64_t u64() { return number(8); }
    std::string text() {
        const size_t length = u8();
        if (size - at < length) {
            ok = false;
            at = size;
            return {};
        }
        std::string value(reinterpret_cast<const char*>(data + at), length);
        at += length;
        return value;
    }
};

bool fail(std::string& why, const std::string& reason) {
    why = reason;
    return false;
}

// Printable ASCII: what a peer names is shown on screen and printed.
bool printable(const std::string& text, bool spaces) {
    if (text.empty() || text.size() > maxTextLength) return false;
    for (char c : text) {
        if (c < (spaces ? ' ' : '!') || c > '~') return false;
    }
    return true;
}

void encodeInputs(Writer& out, const Message& m) {
    out.u8(m.game);
    out.u8(m.player);
    out.u32(m.received);
    out.u32(m.firstTick);
    out.u16(static_cast<uint16_t>(m.ticks.size()));
    uint16_t events = 0;
    for (const std::vector<InputEvent>& tick : m.ticks) events += static_cast<uint16_t>(tick.size());
    out.u16(events);
    for (size_t offset = 0; offset < m.ticks.size(); ++offset) {
        for (const InputEvent& e : m.ticks[offset]) {
            out.u8(static_cast<uint8_t>(offset));
            out.u8(static_cast<uint8_t>(e.sequence));
            out.u8(static_cast<uint8_t>(e.type));
            out.u8(static_cast<uint8_t>(e.button));
        }
    }
}

bool decodeHello(Reader& in, Message& m, std::string& why) {
    m.protocol = in.u16();
    if (!in.ok) return fail(why, "short hello");
    // Another protocol's hello is read no further: only its number is needed to refuse it.
    if (m.protocol != protocolVersion) return true;
    m.program = in.text();
    const size_t count = in.u8();
    if (count > maxTitles) return fail(why, std::to_string(count) + " titles");
    for (size_t i = 0; i < count && in.ok; ++i) m.titles.push_back(in.text());
    if (in.ok && !printable(m.program, true)) return fail(why, "unreadable program version");
    for (const std::string& title : m.titles) {
        if (!printable(title, false)) return fail(why, "unreadable title");
    }
    return true;
}

// A started or chosen game must be one of ours.
bool knownTitle(const std::string& title, const DecodeLimits& limits) {
    return limits.titles &&
           std::find(limits.titles->begin(), limits.titles->end(), title) != limits.titles->end();
}

bool decodeStart(Reader& in, Message& m, const DecodeLimits& limits, std::string& why) {
    m.game = in.u8();
    m.seed = in.u32();
    m.delay = in.u8();
    const uint8_t netcode = in.u8();
    m.netcode = static_cast<Netcode>(netcode);
    m.title = in.text();
    if (!in.ok) return true;
    if (!knownTitle(m.title, limits)) return fail(why, "unknown game");
    if (m.delay < 1 || m.delay > maxDelay) return fail(why, "delay " + std::to_string(m.delay));
    if (m.netcode != Netcode::Lockstep && m.netcode != Netcode::Rollback)
        return fail(why, "netcode " + std::to_string(netcode));
    return true;
}

bool decodeChoice(Reader& in, Message& m, const DecodeLimits& limits, std::string& why) {
    m.title = in.text();
    if (in.ok && !knownTitle(m.title, limits)) return fail(why, "unknown game");
    return true;
}

bool decodePause(Reader& in, Message& m, std::string& why) {
    m.game = in.u8();
    const uint8_t paused = in.u8();
    m.paused = paused != 0;
    if (in.ok && paused > 1) return fail(why, "pause " + std::to_string(paused));
    return true;
}

bool decodeSync(Reader& in, Message& m, const DecodeLimits& limits, std::string& why) {
    m.game = in.u8();
    m.tick = in.u32();
    m.digest = in.u64();
    if (!in.ok || m.game != limits.game) return true;
    if (m.tick % syncInterval != 0) return fail(why, "sync check at tick " + std::to_string(m.tick));
    if (m.tick > uint64_t(limits.executed) + tickWindow)
        return fail(why, "sync check at tick " + std::to_string(m.tick) + " beyond the window");
    return true;
}

bool validEvent(const InputEvent& e, std::string& why) {
    if (e.type != pressEvent && e.type != releaseEvent)
        return fail(why, "event type " + std::to_string(e.type));
    if (e.button < 0 || e.button >= buttonCount) return fail(why, "button " + std::to_string(e.button));
    if (e.button / buttonsPerPlayer != e.player)
        return fail(why, "button " + std::to_string(e.button) + " is not player " +
                             std::to_string(e.player + 1) + "'s");
    return true;
}

// The tick window and the acknowledgement only mean something for the game being played.
bool inputsInLimits(const Message& m, const DecodeLimits& limits, std::string& why) {
    if (m.game != limits.game) return true;
    const uint64_t end = uint64_t(m.firstTick) + m.ticks.size();
    if (!m.ticks.empty() && end - 1 > uint64_t(limits.executed) + tickWindow)
        return fail(why, "tick " + std::to_string(end - 1) + " beyond the window");
    if (m.received > limits.sent)
        return fail(why, "acknowledges tick " + std::to_string(m.received) + " never sent");
    return true;
}

bool decodeInputs(Reader& in, Message& m, const DecodeLimits& limits, std::string& why) {
    m.game = in.u8();
    m.player = in.u8();
    m.received = in.u32();
    m.firstTick = in.u32();
    const size_t tickCount = in.u16();
    const size_t eventCount = in.u16();
    if (!in.ok) return true;
    if (m.player != limits.peerPlayer) return fail(why, "inputs for player " + std::to_string(m.player + 1));
    if (tickCount > tickWindow) return fail(why, std::to_string(tickCount) + " ticks");
    if (uint64_t(m.firstTick) + tickCount > UINT32_MAX) return fail(why, "ticks beyond the last");
    if (in.size - in.at != 4 * eventCount) return fail(why, "length");
    m.ticks.assign(tickCount, {});
    for (size_t i = 0; i < eventCount; ++i) {
        const size_t offset = in.u8();
        InputEvent e;
        e.player = m.player;
        e.sequence = static_cast<int8_t>(in.u8());
        e.type = in.u8();
        e.button = in.u8();
        if (offset >= tickCount) return fail(why, "event outside its ticks");
        e.tick = m.firstTick + static_cast<uint32_t>(offset);
        if (!validEvent(e, why)) return false;
        m.ticks[offset].push_back(e);
    }
    for (size_t offset = 0; offset < tickCount; ++offset) {
        if (m.ticks[offset].size() > maxEventsPerTick)
            return fail(why, std::to_string(m.ticks[offset].size()) + " events in tick " +
                                 std::to_string(m.firstTick + offset));
    }
    return inputsInLimits(m, limits, why);
}

}  // namespace

std::vector<uint8_t> encodeMessage(const Message& m) {
    Writer out;
    out.u8(static_cast<uint8_t>(m.type));
    switch (m.type) {
    case MessageType::Hello:
        out.u16(m.protocol);
        out.text(m.program);
        out.u8(static_cast<uint8_t>(m.titles.size()));
        for (const std::string& title : m.titles) out.text(title);
        break;
    case MessageType::Start:
        out.u8(m.game);
        out.u32(m.seed);
        out.u8(m.delay);
        out.u8(static_cast<uint8_t>(m.netcode));
        out.text(m.title);
        break;
    case MessageType::Choice: out.text(m.title); break;
    case MessageType::Leave:
        out.u8(m.game);
        out.u32(m.tick);
        break;
    case MessageType::Sync:
        out.u8(m.game);
        out.u32(m.tick);
        out.u64(m.digest);
        break;
    case MessageType::Inputs: encodeInputs(out, m); break;
    case MessageType::Ping:
    case MessageType::Pong: out.u32(m.stamp); break;
    case MessageType::Pause:
        out.u8(m.game);
        out.u8(m.paused ? 1 : 0);
        break;
    }
    return out.bytes;
}

bool decodeMessage(const uint8_t* data, size_t size, const DecodeLimits& limits, Message& m,
                   std::string& why) {
    m = Message{};
    Reader in{data, size};
    const uint8_t type = in.u8();
    if (!in.ok) return fail(why, "empty");
    m.type = static_cast<MessageType>(type);
    bool good = true;
    switch (m.type) {
    case MessageType::Hello: good = decodeHello(in, m, why); break;
    case MessageType::Start: good = decodeStart(in, m, limits, why); break;
    case MessageType::Choice: good = decodeChoice(in, m, limits, why); break;
    case MessageType::Leave:
        m.game = in.u8();
        m.tick = in.u32();
        break;
    case MessageType::Sync: good = decodeSync(in, m, limits, why); break;
    case MessageType::Inputs: good = decodeInputs(in, m, limits, why); break;
    case MessageType::Ping:
    case MessageType::Pong: m.stamp = in.u32(); break;
    case MessageType::Pause: good = decodePause(in, m, why); break;
    default: return fail(why, "type " + std::to_string(type));
    }
    if (!good) return false;
    if (!in.ok) return fail(why, "short");
    const bool otherProtocol = m.type == MessageType::Hello && m.protocol != protocolVersion;
    if (in.at != size && !otherProtocol) return fail(why, "length");
    return true;
}
