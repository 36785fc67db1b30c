#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "audio/voice.h"

constexpr int sampleCount = 2;

// Sample k is played by voice type 17 + k.
extern const char* const sampleNames[sampleCount];
// Written by loadSamples() in initAudio() before the device opens; read-only while it runs;
// freed by shutdownAudio() after it has stopped. Null with length 0 when a sample did not load.
extern std::unique_ptr<StereoFrame[]> sampleData[sampleCount];
extern uint32_t sampleLength[sampleCount];

// How the loader ends the process on a hole between the header pages (status 1): std::exit,
// unless a test or fuzzer has set its own once before loading. When it returns, the load fails.
extern void (*sampleLoaderExit)(int status);

// Decodes "<directory>/<name>.ogg" into stereo frames.
std::unique_ptr<StereoFrame[]> loadSample(const std::string& directory, const char* name, unsigned* length);
// The same for any path. On failure `*length` is 0 and the result null; diagnostics go to stderr.
std::unique_ptr<StereoFrame[]> loadSampleFile(const char* path, unsigned* length);
// Loads every sample from "<directory>/<name>.ogg".
void loadSamples(const std::string& directory);
void freeSamples();
