#include "net/handshake.h"

#include "games/catalogue.h"  // the titles both sides must share

namespace {

std::vector<std::string> catalogueTitles() {
    std::vector<std::string> titles;
    for (int i = 0; i < gameCount(); ++i) titles.push_back(gameCatalogue[i]->title);
    return titles;
}

std::string joined(const std::vector<std::string>& titles) {
    std::string text;
    for (const std::string& title : titles) text += (text.empty() ? "" : ", ") + title;
    return text;
}

}  // namespace

Message helloMessage(const std::string& program) {
    Message m;
    m.type = MessageType::Hello;
    m.program = program;
    m.titles = catalogueTitles();
    return m;
}

std::string helloMismatch(const Message& theirs, const std::string& program) {
    if (theirs.protocol != protocolVersion)
        return "the other side runs protocol " + std::to_string(theirs.protocol) + ", this side " +
               std::to_string(protocolVersion);
    if (theirs.program != program) return "the other side runs " + theirs.program + ", this side " + program;
    if (theirs.titles != catalogueTitles())
        return "the other side's games are " + joined(theirs.titles) + ", this side's " +
               joined(catalogueTitles());
    return "";
}
