#include "net/handshake.h"

namespace {

std::string joined(const std::vector<std::string>& titles) {
    std::string text;
    for (const std::string& title : titles) text += (text.empty() ? "" : ", ") + title;
    return text;
}

}  // namespace

Message helloMessage(const std::string& program, const std::vector<std::string>& titles) {
    Message m;
    m.type = MessageType::Hello;
    m.program = program;
    m.titles = titles;
    return m;
}

// Both sides must share the same games in the same order.
std::string helloMismatch(const Message& theirs, const std::string& program,
                          const std::vector<std::string>& titles) {
    if (theirs.protocol != protocolVersion)
        return "the other side runs protocol " + std::to_string(theirs.protocol) + ", this side " +
               std::to_string(protocolVersion);
    if (theirs.program != program) return "the other side runs " + theirs.program + ", this side " + program;
    if (theirs.titles != titles)
        return "the other side's games are " + joined(theirs.titles) + ", this side's " + joined(titles);
    return "";
}
