#include "app/session/replay_file.h"

#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "games/catalogue.h"

namespace {

const char* const replayMagic = "tandrel-replay 1";

bool fail(std::string& error, const std::string& name, int line, const std::string& what) {
    error = name + ":" + std::to_string(line) + ": " + what;
    return false;
}

bool validEvent(const InputEvent& e, int sequence) {
    return (e.player == 0 || e.player == 1) && (e.type == pressEvent || e.type == releaseEvent) &&
           e.button >= 0 && e.button < buttonCount && sequence >= -128 && sequence <= 127;
}

bool parseEvent(std::istringstream& fields, InputEvent& event) {
    long long tick = -1;
    int sequence = 0;
    std::string rest;
    if (!(fields >> tick >> event.player >> sequence >> event.type >> event.button) || (fields >> rest))
        return false;
    if (tick < 0 || tick > UINT32_MAX || !validEvent(event, sequence)) return false;
    event.tick = static_cast<uint32_t>(tick);
    event.sequence = static_cast<int8_t>(sequence);
    return true;
}

bool parseWord(std::istringstream& fields, std::string& word) {
    std::string rest;
    return (fields >> word) && !(fields >> rest);
}

bool parseTick(std::istringstream& fields, uint32_t& value) {
    long long number = -1;
    std::string rest;
    if (!(fields >> number) || (fields >> rest) || number < 0 || number > UINT32_MAX) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

}  // namespace

bool parseReplay(std::istream& in, const std::string& name, Replay& replay, std::string& error) {
    std::string text;
    int line = 0;
    bool seenSeed = false;
    bool seenGame = false;
    replay = Replay{};
    while (std::getline(in, text)) {
        ++line;
        if (line == 1) {
            if (text != replayMagic) return fail(error, name, line, "not a tandrel replay");
            continue;
        }
        std::istringstream fields(text);
        std::string word;
        if (!(fields >> word) || word[0] == '#') continue;
        if (word == "seed") {
            if (seenSeed || !parseTick(fields, replay.seed))
                return fail(error, name, line, "expected 'seed NUMBER' once");
            seenSeed = true;
        } else if (word == "game") {
            std::string title;
            if (seenGame || !parseWord(fields, title))
                return fail(error, name, line, "expected 'game TITLE' once");
            const GameEntry* entry = findGameByTitle(title);
            if (!entry) return fail(error, name, line, "unknown game '" + title + "'");
            replay.gameId = entry->id;
            seenGame = true;
        } else if (word == "event") {
            InputEvent event;
            if (!parseEvent(fields, event)) {
                return fail(error, name, line, "expected 'event TICK PLAYER SEQUENCE TYPE BUTTON'");
            }
            replay.events.push_back(event);
        } else if (word == "end") {
            if (replay.hasEnd || !parseTick(fields, replay.endTick))
                return fail(error, name, line, "expected 'end TICK' once");
            replay.hasEnd = true;
        } else {
            return fail(error, name, line, "unknown record '" + word + "'");
        }
    }
    if (line == 0) return fail(error, name, 1, "empty file");
    if (!seenSeed) return fail(error, name, line, "no seed");
    return true;
}

void writeReplayHeader(std::ostream& out, uint32_t seed, const char* title) {
    out << replayMagic << "\nseed " << seed << "\ngame " << title << "\n";
}

void writeReplayEvent(std::ostream& out, const InputEvent& e) {
    out << "event " << e.tick << ' ' << e.player << ' ' << int(e.sequence) << ' ' << e.type << ' ' << e.button
        << "\n";
}

void writeReplayEnd(std::ostream& out, uint32_t tick) { out << "end " << tick << "\n"; }

bool readReplayFile(const std::string& path, Replay& replay, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    return parseReplay(in, path, replay, error);
}
