#pragma once
#include <cstdint>
#include <string>

constexpr uint16_t defaultNetPort = 26100;  // UDP

// Where to host or whom to join: an address (a name or an IPv4 or IPv6 address; empty: every
// address of this machine) and a UDP port.
struct Endpoint {
    std::string address;
    uint16_t port = defaultNetPort;
};

// "PORT", "ADDRESS", "ADDRESS:PORT", "[IPV6]:PORT" or a bare IPv6 address. False with `error`
// filled for an empty address or a port outside 1 to 65535.
bool parseEndpoint(const std::string& text, bool portAlone, Endpoint& endpoint, std::string& error);
