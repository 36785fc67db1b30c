#pragma once
#include <string>
#include <vector>

#include "audio/voice.h"
#include "tools/ogg_encoder.h"

// A fresh directory under the test's temporary directory, for files the test writes itself.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    std::string write(const std::string& name, const std::string& bytes) const;
    const std::string& path() const { return directory; }

private:
    std::string directory;
};

// `frames` frames of a sine per channel (channel c at 300 * (c + 1) Hz), at `level`.
std::vector<float> toneFrames(int channels, long frames, long rate, float level);
// A stream of those tones, comment "TITLE=test", the given serial number.
std::string encodeTone(int channels, long frames, long rate, int serial, float level = 0.5f);

// What libvorbisfile decodes from the file, converted as the loader converts: channel 0 left,
// channel 1 (or 0 again for one channel) right.
std::vector<StereoFrame> referenceFrames(const std::string& path);
// The vendor string libvorbis writes into every stream.
std::string encoderVendor(const std::string& path);

// Byte offsets of the Ogg pages of a stream.
std::vector<size_t> pageOffsets(const std::string& bytes);
// Changes a byte of page `page`'s header or body and sets its checksum to match again.
void patchPageHeader(std::string& bytes, size_t page, size_t offset, unsigned char value);
void patchPageBody(std::string& bytes, size_t page, size_t offset, unsigned char value);
