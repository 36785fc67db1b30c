// The link for tests: nothing to host on, no one to join.
#include "net/link.h"

bool linkHost(const Endpoint&, std::string& error) {
    error = "no network in unit tests";
    return false;
}
bool linkJoin(const Endpoint& endpoint, std::string& error) { return linkHost(endpoint, error); }
bool linkPoll(LinkEvent&, uint32_t) { return false; }
bool linkConnected() { return false; }
const std::string& linkPeerAddress() {
    static const std::string none;
    return none;
}
void linkSend(Channel, const std::vector<uint8_t>&) {}
void linkDrop(LinkEnd) {}
void linkClose(uint32_t) {}
uint32_t linkMillis() { return 0; }
uint64_t linkBytesSent() { return 0; }
uint64_t linkBytesReceived() { return 0; }
