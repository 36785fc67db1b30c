#include "audio/handover.h"

std::mutex audioLock;
std::list<int> startedSlots;
std::list<int> finishedSlots;
bool echoCutPending = false;
std::list<int> retiredSlots;
