#pragma once
#include <string>
#include <vector>

#include "net/message.h"

// This side's hello: the protocol, the program's version and the titles of its games, in the
// menu's order.
Message helloMessage(const std::string& program, const std::vector<std::string>& titles);
// Empty when the peer's hello matches this side's; else what differs, as a line's end
// ("the other side runs protocol 2, this side 1").
std::string helloMismatch(const Message& theirs, const std::string& program,
                          const std::vector<std::string>& titles);
