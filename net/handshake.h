#pragma once
#include <string>

#include "net/message.h"

// This side's hello: the protocol, the program's version and the catalogue's titles.
Message helloMessage(const std::string& program);
// Empty when the peer's hello matches this side's; else what differs, as a line's end
// ("the other side runs protocol 2, this side 1").
std::string helloMismatch(const Message& theirs, const std::string& program);
