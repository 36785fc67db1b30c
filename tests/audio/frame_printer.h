#pragma once
#include <ostream>

#include "audio/voice.h"

// Frames in test messages as (left, right).
inline void PrintTo(const StereoFrame& f, std::ostream* out) {
    *out << "(" << f.left << ", " << f.right << ")";
}
