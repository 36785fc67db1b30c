#include "tools/ogg_encoder.h"

#include <algorithm>
#include <stdexcept>

#include <vorbis/vorbisenc.h>

namespace {

constexpr long framesPerWrite = 1024;

void appendPage(const ogg_page& page, std::string& out) {
    out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
}

struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    std::string out;

    explicit Encoder(const VorbisStreamSettings& s) {
        vorbis_info_init(&info);
        if (vorbis_encode_init_vbr(&info, s.channels, s.rate, s.quality) != 0) {
            vorbis_info_clear(&info);
            throw std::runtime_error("libvorbis refused the encoder settings");
        }
        vorbis_comment_init(&comment);
        for (const std::string& c : s.comments) vorbis_comment_add(&comment, c.c_str());
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, s.serial);
    }
    ~Encoder() {
        ogg_stream_clear(&stream);
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // The three headers, the identification header alone on the first page.
    void writeHeaders() {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream, &identification);
        ogg_stream_packetin(&stream, &comments);
        ogg_stream_packetin(&stream, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0) appendPage(page, out);
    }

    void drain() {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) appendPage(page, out);
            }
        }
    }

    void writeFrames(const float* interleaved, long frames, int channels) {
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(frames));
        for (long j = 0; j < frames; ++j) {
            for (int c = 0; c < channels; ++c) buffer[c][j] = interleaved[j * channels + c];
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(frames));
        drain();
    }

    void finish() {
        vorbis_analysis_wrote(&dsp, 0);
        drain();
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0) appendPage(page, out);
    }
};

}  // namespace

std::string encodeVorbisStream(const std::vector<float>& interleaved, const VorbisStreamSettings& settings) {
    Encoder encoder(settings);
    encoder.writeHeaders();
    const long total = static_cast<long>(interleaved.size()) / settings.channels;
    for (long done = 0; done < total; done += framesPerWrite) {
        const long frames = std::min(framesPerWrite, total - done);
        encoder.writeFrames(interleaved.data() + done * settings.channels, frames, settings.channels);
    }
    encoder.finish();
    return encoder.out;
}
