#include "audio/sample_loader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <ogg/ogg.h>
#include <vorbis/codec.h>

const char* const sampleNames[sampleCount] = {"meow", "mouse"};
std::unique_ptr<StereoFrame[]> sampleData[sampleCount];
uint32_t sampleLength[sampleCount];
void (*sampleLoaderExit)(int status) = std::exit;

namespace {

constexpr int readBlockBytes = 4096;
constexpr int conversionSamples = 4096;  // one chunk of interleaved samples, all channels
constexpr int headerPacketsAfterFirst = 2;
constexpr float pcmScale = 32767.f;

using Frames = std::vector<StereoFrame>;

// The file and the page synchroniser; both released however loading ends.
struct OggInput {
    std::FILE* file;
    ogg_sync_state sync;

    explicit OggInput(std::FILE* f) : file(f) { ogg_sync_init(&sync); }
    ~OggInput() {
        ogg_sync_clear(&sync);
        std::fclose(file);
    }
    OggInput(const OggInput&) = delete;
    OggInput& operator=(const OggInput&) = delete;

    // Reads the next block into the synchroniser; the count of bytes read.
    int readBlock() {
        char* buffer = ogg_sync_buffer(&sync, readBlockBytes);
        const int bytes = static_cast<int>(std::fread(buffer, 1, readBlockBytes, file));
        ogg_sync_wrote(&sync, bytes);
        return bytes;
    }
};

// The decoder of one logical stream, cleared in the decoding example's order.
struct LogicalStream {
    ogg_stream_state stream;
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp{};

    explicit LogicalStream(int serial) {
        ogg_stream_init(&stream, serial);
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~LogicalStream() {
        vorbis_dsp_clear(&dsp);
        ogg_stream_clear(&stream);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    LogicalStream(const LogicalStream&) = delete;
    LogicalStream& operator=(const LogicalStream&) = delete;
};

enum class StreamOutcome { Decoded, EndOfFile, Failed };

void report(const char* message) { std::fputs(message, stderr); }

bool readFirstHeader(LogicalStream& s, ogg_page& page) {
    ogg_packet packet;
    if (ogg_stream_pagein(&s.stream, &page) < 0) {
        report("Error reading first page of Ogg bitstream data.\n");
        return false;
    }
    if (ogg_stream_packetout(&s.stream, &packet) != 1) {
        report("Error reading initial header packet.\n");
        return false;
    }
    if (vorbis_synthesis_headerin(&s.info, &s.comment, &packet) < 0) {
        report("This Ogg bitstream does not contain Vorbis audio data.\n");
        return false;
    }
    return true;
}

// Takes header packets from the pages already buffered; false when one is rejected.
bool takeBufferedHeaders(OggInput& in, LogicalStream& s, int& taken) {
    ogg_page page;
    ogg_packet packet;
    while (taken < headerPacketsAfterFirst) {
        const int result = ogg_sync_pageout(&in.sync, &page);
        if (result == 0) return true;
        if (result != 1) continue;
        ogg_stream_pagein(&s.stream, &page);
        while (taken < headerPacketsAfterFirst) {
            const int got = ogg_stream_packetout(&s.stream, &packet);
            if (got == 0) break;
            if (got < 0) {
                // A hole between the header pages: the decoding example gives up on the process.
                report("Corrupt secondary header.  Exiting.\n");
                sampleLoaderExit(1);
                return false;
            }
            if (vorbis_synthesis_headerin(&s.info, &s.comment, &packet) < 0) {
                report("Corrupt secondary header.  Exiting.\n");
                return false;
            }
            ++taken;
        }
    }
    return true;
}

bool readFurtherHeaders(OggInput& in, LogicalStream& s) {
    int taken = 0;
    while (taken < headerPacketsAfterFirst) {
        if (!takeBufferedHeaders(in, s, taken)) return false;
        // One more block is read even when the headers are complete, as the example does.
        if (in.readBlock() == 0 && taken < headerPacketsAfterFirst) {
            report("End of file before finding all Vorbis headers!\n");
            return false;
        }
    }
    return true;
}

void printStreamInfo(const LogicalStream& s) {
    for (int i = 0; i < s.comment.comments; ++i) std::fprintf(stderr, "%s\n", s.comment.user_comments[i]);
    std::fprintf(stderr, "\nBitstream is %d channel, %ldHz\n", s.info.channels, s.info.rate);
    std::fprintf(stderr, "Encoded by: %s\n\n", s.comment.vendor);
}

int16_t toPcm(float x, bool& clipped) {
    const float v = std::floor(x * pcmScale + .5f);
    if (v > 32767.f) {
        clipped = true;
        return 32767;
    }
    if (v < -32768.f) {
        clipped = true;
        return -32768;
    }
    return v == v ? static_cast<int16_t>(v) : 0;
}

// Channels 0 and 1 become left and right; a one-channel stream gives both lanes the same sample.
void convertChunk(const LogicalStream& s, float** pcm, int bout, Frames& frames) {
    const int channels = s.info.channels;
    int16_t buffer[conversionSamples];
    bool clipped = false;
    for (int c = 0; c < channels; ++c) {
        for (int j = 0; j < bout; ++j) buffer[j * channels + c] = toPcm(pcm[c][j], clipped);
    }
    if (clipped) std::fprintf(stderr, "Clipping in frame %ld\n", static_cast<long>(s.dsp.sequence));
    const int rightChannel = channels > 1 ? 1 : 0;
    for (int j = 0; j < bout; ++j) {
        frames.push_back({buffer[j * channels], buffer[j * channels + rightChannel]});
    }
}

void decodePacketsOfPage(LogicalStream& s, vorbis_block& block, Frames& frames) {
    const int convsize = conversionSamples / s.info.channels;
    ogg_packet packet;
    for (;;) {
        const int got = ogg_stream_packetout(&s.stream, &packet);
        if (got == 0) return;
        if (got < 0) continue;  // a missing packet is skipped
        if (vorbis_synthesis(&block, &packet) == 0) vorbis_synthesis_blockin(&s.dsp, &block);
        float** pcm = nullptr;
        int samples = 0;
        while ((samples = vorbis_synthesis_pcmout(&s.dsp, &pcm)) > 0) {
            const int bout = std::min(samples, convsize);
            convertChunk(s, pcm, bout, frames);
            vorbis_synthesis_read(&s.dsp, bout);
        }
    }
}

void decodeAudio(OggInput& in, LogicalStream& s, Frames& frames) {
    vorbis_block block;
    vorbis_block_init(&s.dsp, &block);
    ogg_page page;
    bool endOfStream = false;
    while (!endOfStream) {
        while (!endOfStream) {
            const int result = ogg_sync_pageout(&in.sync, &page);
            if (result == 0) break;
            if (result < 0) {
                report("Corrupt or missing data in bitstream; continuing...\n");
                continue;
            }
            ogg_stream_pagein(&s.stream, &page);
            decodePacketsOfPage(s, block, frames);
            if (ogg_page_eos(&page)) endOfStream = true;
        }
        if (!endOfStream && in.readBlock() == 0) endOfStream = true;
    }
    vorbis_block_clear(&block);
}

StreamOutcome decodeLogicalStream(OggInput& in, Frames& frames) {
    const int bytes = in.readBlock();
    ogg_page page;
    if (ogg_sync_pageout(&in.sync, &page) != 1) {
        if (bytes < readBlockBytes) return StreamOutcome::EndOfFile;
        report("Input does not appear to be an Ogg bitstream.\n");
        return StreamOutcome::Failed;
    }
    LogicalStream s(ogg_page_serialno(&page));
    if (!readFirstHeader(s, page) || !readFurtherHeaders(in, s)) return StreamOutcome::Failed;
    printStreamInfo(s);
    // The identification header guarantees at least one channel; the check keeps the chunk
    // arithmetic safe should a decoder ever let a stream of none through.
    if (s.info.channels >= 1 && vorbis_synthesis_init(&s.dsp, &s.info) == 0) decodeAudio(in, s, frames);
    return StreamOutcome::Decoded;
}

std::unique_ptr<StereoFrame[]> ownedCopy(const Frames& frames, unsigned* length) {
    *length = static_cast<unsigned>(frames.size());
    std::unique_ptr<StereoFrame[]> data(new StereoFrame[frames.size()]());
    std::copy(frames.begin(), frames.end(), data.get());
    return data;
}

}  // namespace

std::unique_ptr<StereoFrame[]> loadSampleFile(const char* path, unsigned* length) {
    *length = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "Cannot open sample %s: %s\n", path, std::strerror(errno));
        return nullptr;
    }
    OggInput in(file);
    Frames frames;
    for (;;) {
        // A chained file holds several logical streams, one after the other.
        const StreamOutcome outcome = decodeLogicalStream(in, frames);
        if (outcome == StreamOutcome::Failed) return nullptr;
        if (outcome == StreamOutcome::EndOfFile) break;
    }
    return ownedCopy(frames, length);
}

std::unique_ptr<StereoFrame[]> loadSample(const std::string& directory, const char* name, unsigned* length) {
    const std::string path = directory + "/" + name + ".ogg";
    return loadSampleFile(path.c_str(), length);
}

void loadSamples(const std::string& directory) {
    for (int k = 0; k < sampleCount; ++k) {
        unsigned length = 0;
        sampleData[k] = loadSample(directory, sampleNames[k], &length);
        sampleLength[k] = length;
    }
}

void freeSamples() {
    for (int k = 0; k < sampleCount; ++k) {
        sampleData[k].reset();
        sampleLength[k] = 0;
    }
}
