#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Decodes bytes as a peer's message, the first nine bytes choosing the receiver's limits, and
// holds the decoder to what the rest of the program trusts of a decoded message: it encodes back
// to the same bytes, and its inputs lie in the limits. Traps on a broken promise; returns what
// the decoder said (empty when it took the message).
std::string checkNetMessage(const uint8_t* data, size_t size);
