#include "audio/cue_gate.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t ticksKept = 64;  // well beyond the deepest rollback

// A cue as its tick made it: the n-th sound of the same values in that tick.
struct Cue {
    uint32_t tick;
    int type;
    uint32_t values[4];
    int ordinal;
};

// Owned by this file: open from openCueTick() until closeCueGate(); the cues of the last ticks.
struct CueGate {
    bool open = false;
    uint32_t tick = 0;
    bool runAgain = false;
    bool tooLate = false;
    std::vector<Cue> played;
    std::vector<Cue> thisRun;  // the tick's cues in this run: the ordinal counts identical ones
};

CueGate gate;

uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool sameSound(const Cue& a, const Cue& b) {
    return a.tick == b.tick && a.type == b.type && std::memcmp(a.values, b.values, sizeof a.values) == 0;
}

}  // namespace

void openCueTick(uint32_t tick, bool runAgain, bool tooLate) {
    gate.open = true;
    gate.tick = tick;
    gate.runAgain = runAgain;
    gate.tooLate = tooLate;
    gate.thisRun.clear();
    std::vector<Cue>& played = gate.played;
    for (size_t i = 0; i < played.size();) {
        if (played[i].tick + ticksKept < tick) {
            played[i] = played.back();
            played.pop_back();
        } else {
            ++i;
        }
    }
}

void closeCueGate() { gate = CueGate{}; }

bool cueMayPlay(int type, float frequency, float amplitude, float echoSend, float pan) {
    if (!gate.open) return true;
    Cue cue = {gate.tick, type, {bitsOf(frequency), bitsOf(amplitude), bitsOf(echoSend), bitsOf(pan)}, 0};
    for (const Cue& earlier : gate.thisRun) cue.ordinal += sameSound(earlier, cue);
    gate.thisRun.push_back(cue);
    for (const Cue& other : gate.played) {
        if (sameSound(other, cue) && other.ordinal == cue.ordinal) return false;
    }
    gate.played.push_back(cue);
    return !(gate.runAgain && gate.tooLate);
}
