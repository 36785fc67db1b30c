#include "audio/audio_device.h"

#include "audio/mixer.h"
#include "audio/sample_loader.h"
#include "audio/sound_queue.h"
#include "audio/synth.h"

// Everything the callback reads is built before the device opens, because it starts calling
// back as soon as it is unpaused.
void initAudio(const std::string& sampleDirectory) {
    startNoteTableBuild();
    resetGameSide();
    resetMixer();
    echoCutPending = false;
    // Joined before the samples load: a corrupt header ends the process there, and exiting with
    // the worker still running would abort instead of exiting with status 1.
    finishNoteTableBuild();
    loadSamples(sampleDirectory);
    // Without a device the callback never runs and the game goes on in silence.
    openAudioDevice();
    requestEchoCut();
    startAudioDevice();
}

// The buffers are freed only once the device has stopped calling back.
void shutdownAudio() {
    closeAudioDevice();
    pendingSlots.clear();
    freeSamples();
    freeNoteTables();
}
