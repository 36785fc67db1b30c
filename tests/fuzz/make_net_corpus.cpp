// Writes the net message fuzzer's seed corpus: one message of each type, each behind the nine
// bytes of limits that take it (game 1 of a host, 100 ticks run, 110 sent).
//   make_net_corpus DIR
#include <fstream>
#include <string>
#include <vector>

#include "games/catalogue.h"
#include "net/handshake.h"

namespace {

void write(const std::string& path, const Message& m) {
    std::vector<uint8_t> bytes = {2 << 1 | 1, 100, 0, 0, 0, 110, 0, 0, 0};
    const std::vector<uint8_t> message = encodeMessage(m);
    bytes.insert(bytes.end(), message.begin(), message.end());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Message ofType(MessageType type) {
    Message m;
    m.type = type;
    m.game = 2;
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    write(dir + "/hello", helloMessage("tandrel 0.1.0", catalogueTitles()));
    Message start = ofType(MessageType::Start);
    start.title = "yarnball";
    start.seed = 1796740940;
    start.delay = 3;
    write(dir + "/start", start);
    Message sync = ofType(MessageType::Sync);
    sync.tick = 128;
    sync.digest = 0x4ac6d993f36b48ceULL;
    write(dir + "/sync", sync);
    write(dir + "/leave", ofType(MessageType::Leave));
    Message inputs = ofType(MessageType::Inputs);
    inputs.player = 1;
    inputs.received = 104;
    inputs.firstTick = 100;
    inputs.ticks.resize(4);
    InputEvent press;
    press.tick = 102;
    press.player = 1;
    press.sequence = 1;
    press.type = pressEvent;
    press.button = 5;
    inputs.ticks[2].push_back(press);
    write(dir + "/inputs", inputs);
    Message ping = ofType(MessageType::Ping);
    ping.stamp = 123456;
    write(dir + "/ping", ping);
    return 0;
}
