#include "audio/mixer.h"

#include <algorithm>
#include <cmath>

#include "audio/handover.h"
#include "audio/synth.h"
#include "audio/vector_loops.h"
#include "audio/voice_runs.h"

Voice voices[voiceSlotCount];
bool voiceActive[voiceSlotCount];
StereoFrame echoBuffer[echoFrameCount];
int forwardTap = 0;
int doubleTap = 0;
int reverseTap = 0;
uint32_t frameCounter = 0;
std::atomic<int> outputVolume{fullOutputVolume};

namespace {

// Audio thread; the slots being mixed, in ascending order, so that a frame costs what its voices
// cost and finished slots are still reported in slot order. Mirrors voiceActive.
int activeSlots[voiceSlotCount];
int activeCount = 0;
// What an active slot's voice and its echo send come to.
struct SlotPlan {
    VoicePlan voice;
    double echoSend = 0;
};
// Audio thread; made for every active slot after the hand-over at the start of every callback, so
// it always matches the fields it was made from.
SlotPlan plans[voiceSlotCount];

// The mixer renders a callback's frames a chunk at a time, voice by voice, then runs the echo over
// the chunk frame by frame.
constexpr int chunkFrames = runFrameLimit;
// Audio thread; the chunk's dry and echo-send lanes (left and right interleaved), summed wide and
// wrapped once per frame: the same as wrapping after every addition, since a sum's low 16 bits
// depend only on the low 16 bits of its terms. Cleared for every chunk.
int32_t dryLanes[2 * chunkFrames];
int32_t sendLanes[2 * chunkFrames];
// Audio thread; one voice's run of the chunk.
int16_t runLanes[2 * chunkFrames];
// Audio thread; for each place in activeSlots, the frame of the chunk in which its voice finished,
// or stillPlaying. Set for every chunk.
int finishedAt[voiceSlotCount];
constexpr int stillPlaying = -1;

// The echo coefficients are the single-precision values of these decimals, as the sound was tuned.
constexpr float forwardKeep = 0.27f;
constexpr float forwardSend = 0.26f;
constexpr float doubleKeep = 0.32f;
constexpr float doubleSend = 0.36f;
constexpr float reverseKeep = 0.27f;
constexpr float reverseSend = 0.31f;
constexpr float forwardReturn = 0.25f;
constexpr float doubleReturn = 0.2f;
constexpr float reverseReturn = 0.2f;
constexpr float echoCutFactor = 0.5f;
// The double tap writes half the buffer ahead, into an even slot and the odd slot after it.
constexpr int doubleTapLead = echoFrameCount / 2;
// Every echo gain is below 1, so no product of the echo needs scaled()'s range check.
StereoFrame echoScaled(StereoFrame f, float gain) {
    return {scaleLaneByModerateGain(f.left, gain), scaleLaneByModerateGain(f.right, gain)};
}

void storeFrame(StereoFrame f, unsigned char* out) {
    const auto left = static_cast<uint16_t>(f.left);
    const auto right = static_cast<uint16_t>(f.right);
    out[0] = static_cast<unsigned char>(left & 0xff);
    out[1] = static_cast<unsigned char>(left >> 8);
    out[2] = static_cast<unsigned char>(right & 0xff);
    out[3] = static_cast<unsigned char>(right >> 8);
}

void retireVoice(int slot) {
    voiceActive[slot] = false;
    // Slots above the queue's range are never started by the game, so nobody waits for them.
    if (slot < queueSlotCount) retiredSlots.push_back(slot);
}

}  // namespace

void activateVoice(int slot) {
    if (voiceActive[slot]) return;
    voiceActive[slot] = true;
    // Slots with a higher number move up one place: the list stays in slot order.
    int at = activeCount;
    for (; at > 0 && activeSlots[at - 1] > slot; --at) activeSlots[at] = activeSlots[at - 1];
    activeSlots[at] = slot;
    ++activeCount;
}

namespace {

// A send planned so that its products never need the range check. A NaN or infinite send gives 0
// in every lane, and so does one of at least 2^47: such a float is a multiple of 2^24, so each exact
// product's low 16 bits are 0. All of them are planned as 0.
double planEchoSend(float send) {
    return std::isfinite(send) && std::fabs(send) < moderateGainLimit ? send : 0.0;
}

void planActiveVoices() {
    for (int k = 0; k < activeCount; ++k) {
        const int slot = activeSlots[k];
        plans[slot] = {planVoice(voices[slot]), planEchoSend(voices[slot].echoSend)};
    }
}

// Adds a run's lanes to the chunk's sums from `offset` frames on, the send through the voice's gain.
VECTOR_LOOPS void addRun(int frames, int offset, double send) {
    const int lanes = 2 * frames;
    int32_t* dry = dryLanes + 2 * offset;
    int32_t* sent = sendLanes + 2 * offset;
    if (std::fabs(send) < smallGainLimit) {
        for (int j = 0; j < lanes; ++j) {
            dry[j] += runLanes[j];
            sent[j] += scaleLaneBySmallGain(runLanes[j], send);
        }
    } else {
        for (int j = 0; j < lanes; ++j) {
            dry[j] += runLanes[j];
            sent[j] += scaleLaneByModerateGain(runLanes[j], send);
        }
    }
}

// `frames` frames of the voice into the chunk from `offset` on, at once where the run is steady.
void renderRun(Voice& voice, const SlotPlan& plan, int offset, int frames, bool drawsAlone) {
    if (renderSteadyRun(voice, plan.voice, frames, drawsAlone, runLanes)) {
        voice.position += static_cast<uint32_t>(frames);
    } else {
        for (int i = 0; i < frames; ++i) {
            const StereoFrame f = renderVoice(voice, plan.voice);
            runLanes[2 * i] = f.left;
            runLanes[2 * i + 1] = f.right;
        }
    }
    addRun(frames, offset, plan.echoSend);
}

// The voice's frames of the chunk, up to and including the one in which it finishes; returns
// that frame, or stillPlaying. Even a voice of length 0 is heard once.
int renderVoiceIntoChunk(Voice& voice, const SlotPlan& plan, int frames, bool drawsAlone) {
    int done = 0;
    while (done < frames) {
        const uint32_t total = totalLength(voice);
        // A voice at or past its length plays one frame; one at 2^32 - 1 then wraps and plays on.
        const uint32_t untilEnd = voice.position < total ? total - voice.position : 1;
        const int run = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(frames - done), untilEnd));
        renderRun(voice, plan, done, run, drawsAlone);
        done += run;
        if (static_cast<uint32_t>(run) == untilEnd && voiceFinished(voice)) return done - 1;
    }
    return stillPlaying;
}

// Noise voices playing together draw in turn, frame by frame in slot order, as they always have.
void renderNoiseVoicesIntoChunk(int frames) {
    for (int i = 0; i < frames; ++i) {
        for (int k = 0; k < activeCount; ++k) {
            const int slot = activeSlots[k];
            if (!plans[slot].voice.drawsNoise || finishedAt[k] != stillPlaying) continue;
            const StereoFrame f = renderVoice(voices[slot], plans[slot].voice);
            runLanes[0] = f.left;
            runLanes[1] = f.right;
            addRun(1, i, plans[slot].echoSend);
            if (voiceFinished(voices[slot])) finishedAt[k] = i;
        }
    }
}

// Finished voices leave the list in the order they finished, slot order within a frame.
void retireFinishedVoices() {
    struct Finish {
        int frame;
        int slot;
    };
    Finish finished[voiceSlotCount];
    int finishedCount = 0;
    int kept = 0;
    for (int k = 0; k < activeCount; ++k) {
        if (finishedAt[k] == stillPlaying) activeSlots[kept++] = activeSlots[k];
        else finished[finishedCount++] = {finishedAt[k], activeSlots[k]};
    }
    activeCount = kept;
    std::sort(finished, finished + finishedCount,
              [](Finish a, Finish b) { return a.frame != b.frame ? a.frame < b.frame : a.slot < b.slot; });
    for (int i = 0; i < finishedCount; ++i) retireVoice(finished[i].slot);
}

// Renders every active voice over the next `frames` frames into the chunk's sums.
void mixChunk(int frames) {
    std::fill(dryLanes, dryLanes + 2 * frames, 0);
    std::fill(sendLanes, sendLanes + 2 * frames, 0);
    int noiseVoices = 0;
    for (int k = 0; k < activeCount; ++k) noiseVoices += plans[activeSlots[k]].voice.drawsNoise;
    for (int k = 0; k < activeCount; ++k) {
        const int slot = activeSlots[k];
        const bool drawsInTurn = plans[slot].voice.drawsNoise && noiseVoices > 1;
        finishedAt[k] = drawsInTurn
                            ? stillPlaying
                            : renderVoiceIntoChunk(voices[slot], plans[slot], frames, noiseVoices == 1);
    }
    if (noiseVoices > 1) renderNoiseVoicesIntoChunk(frames);
    retireFinishedVoices();
}

StereoFrame laneFrame(const int32_t* lanes, int i) {
    return {wrap16(lanes[2 * i]), wrap16(lanes[2 * i + 1])};
}

// Frame i of the mixed chunk, through the echo.
StereoFrame echoedFrame(int i) {
    const EchoReadings echo = runEchoNetwork(laneFrame(sendLanes, i));
    return laneFrame(dryLanes, i) + echoScaled(echo.forward, forwardReturn) +
           echoScaled(echo.doubled, doubleReturn) + echoScaled(echo.reverse, reverseReturn);
}

}  // namespace

void resetMixer() {
    std::fill(std::begin(echoBuffer), std::end(echoBuffer), StereoFrame{});
    forwardTap = 0;
    doubleTap = 0;
    reverseTap = 0;
    frameCounter = 0;
    std::fill(std::begin(voiceActive), std::end(voiceActive), false);
    activeCount = 0;
}

StereoFrame stepForwardTap(StereoFrame send) {
    const StereoFrame a = echoBuffer[forwardTap];
    echoBuffer[forwardTap] = echoScaled(a, forwardKeep) + echoScaled(send, forwardSend);
    if (++forwardTap == echoFrameCount) forwardTap = 0;
    return a;
}

StereoFrame stepDoubleTap(StereoFrame send) {
    const StereoFrame b = echoBuffer[doubleTap];
    const StereoFrame v = echoScaled(b, doubleKeep) + echoScaled(send, doubleSend);
    echoBuffer[(doubleTap + doubleTapLead) % echoFrameCount] += v;
    echoBuffer[(doubleTap + doubleTapLead + 1) % echoFrameCount] += v;
    doubleTap += 2;
    if (doubleTap >= echoFrameCount) doubleTap = 0;
    return b;
}

StereoFrame stepReverseTap(StereoFrame send) {
    const StereoFrame c = echoBuffer[reverseTap];
    echoBuffer[reverseTap] += echoScaled(c, reverseKeep) + echoScaled(send, reverseSend);
    if (--reverseTap < 0) reverseTap = echoFrameCount - 1;
    return c;
}

// The steps run in this order, each seeing what the one before it wrote.
EchoReadings runEchoNetwork(StereoFrame send) {
    EchoReadings readings;
    readings.forward = stepForwardTap(send);
    readings.doubled = stepDoubleTap(send);
    readings.reverse = stepReverseTap(send);
    return readings;
}

void applyEchoCut() {
    for (StereoFrame& f : echoBuffer) f = echoScaled(f, echoCutFactor);
}

StereoFrame atVolume(StereoFrame f, int volume) {
    if (volume >= fullOutputVolume) return f;
    return {static_cast<int16_t>(f.left * volume / fullOutputVolume),
            static_cast<int16_t>(f.right * volume / fullOutputVolume)};
}

void audioCallback(void*, unsigned char* stream, int len) {
    syncAudioSide();
    const int volume = outputVolume.load(std::memory_order_relaxed);
    planActiveVoices();
    const int frames = len / bytesPerFrame;
    for (int start = 0; start < frames; start += chunkFrames) {
        const int chunk = std::min(chunkFrames, frames - start);
        mixChunk(chunk);
        for (int i = 0; i < chunk; ++i) {
            storeFrame(atVolume(echoedFrame(i), volume), stream + (start + i) * bytesPerFrame);
            ++frameCounter;
        }
    }
}
