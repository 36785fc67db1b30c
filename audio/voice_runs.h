#pragma once
#include <cstdint>

#include "audio/synth.h"

// The most frames rendered as one run.
constexpr int runFrameLimit = 256;

// `count` frames of the voice from its position, rendered at once into `lanes` (left and right
// interleaved, panned): the frames renderVoice gives one at a time, to the bit. Only for a steady
// run, one where the envelope holds at 1 and the wave keeps to one of its formulas; for any other it
// returns false and the caller renders frame by frame. A noise voice's run is steady only when it
// `drawsAlone`: the draws of several noise voices alternate frame by frame. The position is not
// moved. count is 1 to runFrameLimit.
bool renderSteadyRun(const Voice& v, const VoicePlan& plan, int count, bool drawsAlone, int16_t* lanes);
