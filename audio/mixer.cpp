#include "audio/mixer.h"

#include <algorithm>
#include <cmath>

#include "audio/handover.h"
#include "audio/sound_queue.h"  // syncAudioSide(), first thing in every callback
#include "audio/synth.h"

Voice voices[voiceSlotCount];
bool voiceActive[voiceSlotCount];
StereoFrame echoBuffer[echoFrameCount];
int forwardTap = 0;
int doubleTap = 0;
int reverseTap = 0;
uint32_t frameCounter = 0;

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
    int* end = activeSlots + activeCount;
    int* at = std::upper_bound(activeSlots, end, slot);
    std::copy_backward(at, end, end + 1);
    *at = slot;
    ++activeCount;
}

namespace {

// A send planned so that its products never need the range check. A NaN or infinite send gives 0
// in every lane, and so does one of at least 2^47: such a float is a multiple of 2^24, so each exact
// product's low 16 bits are 0. All of them are planned as 0.
double planEchoSend(float send) {
    return std::isfinite(send) && std::fabs(send) < moderateGainLimit ? send : 0.0;
}

StereoFrame echoSendOf(StereoFrame f, double gain) {
    return {scaleLaneByModerateGain(f.left, gain), scaleLaneByModerateGain(f.right, gain)};
}

// Lanes summed wide and wrapped once: the same as wrapping after every addition, since a sum's low
// 16 bits depend only on the low 16 bits of its terms.
struct LaneSum {
    int32_t left = 0;
    int32_t right = 0;
    void add(StereoFrame f) {
        left += f.left;
        right += f.right;
    }
    StereoFrame frame() const { return {wrap16(left), wrap16(right)}; }
};

// Renders every active voice once, in slot order, dropping the finished ones from the list.
void mixVoices(LaneSum& dry, LaneSum& send) {
    int kept = 0;
    for (int k = 0; k < activeCount; ++k) {
        const int slot = activeSlots[k];
        Voice& voice = voices[slot];
        const StereoFrame f = renderVoice(voice, plans[slot].voice);
        dry.add(f);
        send.add(echoSendOf(f, plans[slot].echoSend));
        // The frame just rendered still counts, so even a voice of length 0 is heard once.
        if (voiceFinished(voice)) retireVoice(slot);
        else activeSlots[kept++] = slot;
    }
    activeCount = kept;
}

void planActiveVoices() {
    for (int k = 0; k < activeCount; ++k) {
        const int slot = activeSlots[k];
        plans[slot] = {planVoice(voices[slot]), planEchoSend(voices[slot].echoSend)};
    }
}

StereoFrame mixPlannedFrame() {
    LaneSum dry;
    LaneSum send;
    mixVoices(dry, send);
    const EchoReadings echo = runEchoNetwork(send.frame());
    return dry.frame() + scaled(echo.forward, forwardReturn) + scaled(echo.doubled, doubleReturn) +
           scaled(echo.reverse, reverseReturn);
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
    echoBuffer[forwardTap] = scaled(a, forwardKeep) + scaled(send, forwardSend);
    if (++forwardTap == echoFrameCount) forwardTap = 0;
    return a;
}

StereoFrame stepDoubleTap(StereoFrame send) {
    const StereoFrame b = echoBuffer[doubleTap];
    const StereoFrame v = scaled(b, doubleKeep) + scaled(send, doubleSend);
    echoBuffer[(doubleTap + doubleTapLead) % echoFrameCount] += v;
    echoBuffer[(doubleTap + doubleTapLead + 1) % echoFrameCount] += v;
    doubleTap += 2;
    if (doubleTap >= echoFrameCount) doubleTap = 0;
    return b;
}

StereoFrame stepReverseTap(StereoFrame send) {
    const StereoFrame c = echoBuffer[reverseTap];
    echoBuffer[reverseTap] += scaled(c, reverseKeep) + scaled(send, reverseSend);
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

StereoFrame mixFrame() {
    planActiveVoices();
    return mixPlannedFrame();
}

void applyEchoCut() {
    for (StereoFrame& f : echoBuffer) f = scaled(f, echoCutFactor);
}

void audioCallback(void*, unsigned char* stream, int len) {
    syncAudioSide();
    planActiveVoices();
    const int frames = len / bytesPerFrame;
    for (int i = 0; i < frames; ++i) {
        storeFrame(mixPlannedFrame(), stream + i * bytesPerFrame);
        ++frameCounter;
    }
}
