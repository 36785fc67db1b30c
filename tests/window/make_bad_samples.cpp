// Writes Ogg Vorbis files the game does not expect, for the window tests of bad sample files:
//   make_bad_samples DIRECTORY
// mono.ogg (one channel), rate22050.ogg (another sample rate) and rejected_header.ogg (a comment
// header that is not one, its page checksum still right, so that only the decoder notices).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <ogg/ogg.h>

#include "tools/ogg_encoder.h"

namespace {

constexpr long gameRate = 44100;
constexpr long otherRate = 22050;
constexpr double toneSeconds = 0.5;
constexpr double toneHz = 440.0;
constexpr float toneLevel = 0.4f;
constexpr int commentPage = 1;  // the identification header is alone on page 0
constexpr unsigned char notAHeaderType = 0x07;

std::string tone(int channels, long rate) {
    const long frames = static_cast<long>(toneSeconds * rate);
    std::vector<float> interleaved;
    for (long j = 0; j < frames; ++j) {
        const float v = toneLevel * static_cast<float>(std::sin(2 * M_PI * toneHz * j / rate));
        interleaved.insert(interleaved.end(), static_cast<size_t>(channels), v);
    }
    VorbisStreamSettings settings;
    settings.channels = channels;
    settings.rate = rate;
    settings.comments = {"TITLE=bad sample test"};
    return encodeVorbisStream(interleaved, settings);
}

// The stream again, page by page, each page changed by `change` and its checksum set to match.
std::string rewritePages(const std::string& bytes, const std::function<void(int, ogg_page&)>& change) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    std::string out;
    ogg_page page;
    for (int index = 0; ogg_sync_pageout(&sync, &page) == 1; ++index) {
        change(index, page);
        ogg_page_checksum_set(&page);
        out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }
    ogg_sync_clear(&sync);
    return out;
}

std::string withRejectedCommentHeader(const std::string& bytes) {
    return rewritePages(bytes, [](int index, ogg_page& page) {
        if (index == commentPage) page.body[0] = notAHeaderType;
    });
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_bad_samples DIRECTORY\n", stderr);
        return 2;
    }
    const std::string directory = argv[1];
    const std::vector<std::pair<std::string, std::string>> files = {
        {"mono.ogg", tone(1, gameRate)},
        {"rate22050.ogg", tone(2, otherRate)},
        {"rejected_header.ogg", withRejectedCommentHeader(tone(2, gameRate))},
    };
    for (const auto& [name, bytes] : files) {
        if (!writeFile(directory + "/" + name, bytes)) {
            std::fprintf(stderr, "make_bad_samples: cannot write %s/%s\n", directory.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
