#include "net/rollback.h"

#include <algorithm>

void beginRollback(LockstepSession& s, int localPlayer, uint32_t delay, uint8_t game) {
    beginLockstep(s, localPlayer, delay, game);
    s.rollback = true;
}

bool rollbackTickReady(const LockstepSession& s) {
    return s.executed < s.stopAt && s.executed < s.localClosed && s.executed < s.remoteKnown + maxPrediction;
}

std::vector<InputEvent> takeRollbackTick(LockstepSession& s) {
    std::vector<InputEvent> events = s.localTicks.at(s.executed);
    auto remote = s.remoteTicks.find(s.executed);
    if (remote != s.remoteTicks.end())
        events.insert(events.end(), remote->second.begin(), remote->second.end());
    std::sort(events.begin(), events.end());
    ++s.executed;
    return events;
}

bool rollbackDue(const LockstepSession& s, uint32_t& tick) {
    if (s.mispredicted >= s.executed) return false;
    tick = s.mispredicted;
    return true;
}

void rewindRollback(LockstepSession& s, uint32_t tick) {
    s.executed = tick;
    s.mispredicted = UINT32_MAX;
}

bool takeFinalTick(LockstepSession& s, std::vector<InputEvent>& events) {
    // A tick run on a wrong prediction, and every tick after it, waits for its run again.
    if (s.recorded >= std::min({s.executed, s.remoteKnown, s.mispredicted})) return false;
    events = s.localTicks.at(s.recorded);
    auto remote = s.remoteTicks.find(s.recorded);
    if (remote != s.remoteTicks.end())
        events.insert(events.end(), remote->second.begin(), remote->second.end());
    std::sort(events.begin(), events.end());
    ++s.recorded;
    dropSettledTicks(s);
    return true;
}

void noteProvisionalDigest(LockstepSession& s, uint64_t digest) {
    if (syncDue(s)) s.provisionalDigests[s.executed] = digest;
}

std::vector<Message> finalDigests(LockstepSession& s) {
    std::vector<Message> messages;
    auto it = s.provisionalDigests.begin();
    for (; it != s.provisionalDigests.end() && it->first <= s.recorded; ++it)
        messages.push_back(noteLocalDigestAt(s, it->first, it->second));
    s.provisionalDigests.erase(s.provisionalDigests.begin(), it);
    return messages;
}
