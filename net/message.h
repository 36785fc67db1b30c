#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/game_state.h"  // InputEvent

// What two instances of tandrel say to each other, and its bytes. Every field a peer sends is
// checked here, once; the rest of the program trusts a decoded message.

constexpr uint16_t protocolVersion = 2;  // 2: the start names its netcode
constexpr uint32_t tickWindow = 256;     // inputs are taken for at most this many ticks ahead
constexpr size_t maxEventsPerTick = 32;
constexpr size_t maxTextLength = 64;  // a title or a program version
constexpr size_t maxTitles = 64;
constexpr uint8_t maxDelay = 50;       // ticks of input delay: 900 ms, beyond any link worth playing on
constexpr uint32_t syncInterval = 64;  // ticks between the digests the two sides compare

// How a net game runs its ticks: each once both sides' inputs are known, or at once with the
// peer's predicted and run again where the prediction was wrong.
enum class Netcode : uint8_t { Lockstep = 1, Rollback };

enum class MessageType : uint8_t { Hello = 1, Start, Choice, Leave, Sync, Inputs, Ping, Pong, Pause };

// One record for every type; each type uses the fields its comment names.
struct Message {
    MessageType type = MessageType::Hello;
    uint16_t protocol = protocolVersion;  // Hello; a hello of another protocol holds nothing else
    std::string program;                  // Hello: the program's version
    std::vector<std::string> titles;      // Hello: the catalogue
    std::string title;                    // Start, Choice: the game
    uint32_t seed = 0;                    // Start
    uint8_t delay = 0;                    // Start: the input delay in ticks
    Netcode netcode = Netcode::Lockstep;  // Start
    uint8_t game = 0;                     // Start, Leave, Sync, Inputs, Pause: the connection's game number
    bool paused = false;                  // Pause: the game waits, or goes on
    uint32_t tick = 0;                    // Leave: where it was left; Sync: the digest's tick
    uint64_t digest = 0;                  // Sync
    uint32_t stamp = 0;                   // Ping, Pong: the pinging side's clock, echoed
    uint8_t player = 0;                   // Inputs: the sender's player
    uint32_t received = 0;                // Inputs: the sender holds the receiver's ticks below this
    uint32_t firstTick = 0;               // Inputs: the first tick of `ticks`
    std::vector<std::vector<InputEvent>> ticks;  // Inputs: each tick's events, ticks in a row
};

// What a message may say, from the receiver's side of the game it plays.
struct DecodeLimits {
    uint8_t game = 0;       // the game being played (or last played); other games' inputs are old or early
    int peerPlayer = 1;     // the only player the peer may speak for
    uint32_t executed = 0;  // ticks run so far
    uint32_t sent = 0;      // the receiver's ticks it has sent: nothing beyond may be acknowledged
    // The games this side has (the caller's, outliving the decode): a start or choice of another
    // is refused. Null: none.
    const std::vector<std::string>* titles = nullptr;
};

std::vector<uint8_t> encodeMessage(const Message& message);
// False with `why` filled ("tick 900 beyond the window") when the bytes are no message these
// limits allow.
bool decodeMessage(const uint8_t* data, size_t size, const DecodeLimits& limits, Message& message,
                   std::string& why);
