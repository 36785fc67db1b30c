#include "page_checksums.h"

#include <ogg/ogg.h>

namespace {

constexpr char capturePattern[] = "OggS";
constexpr size_t pageHeaderBytes = 27;  // before the segment table
constexpr size_t segmentCountAt = 26;
constexpr size_t checksumAt = 22;
constexpr size_t checksumBytes = 4;

}  // namespace

bool repairPageChecksums(std::string& bytes) {
    bool changed = false;
    size_t at = bytes.find(capturePattern);
    while (at != std::string::npos && at + pageHeaderBytes <= bytes.size()) {
        auto* header = reinterpret_cast<unsigned char*>(&bytes[at]);
        const size_t segments = header[segmentCountAt];
        const size_t headerLength = pageHeaderBytes + segments;
        if (at + headerLength > bytes.size()) break;
        size_t bodyLength = 0;
        for (size_t i = 0; i < segments; ++i) bodyLength += header[pageHeaderBytes + i];
        if (at + headerLength + bodyLength > bytes.size()) break;
        const std::string before = bytes.substr(at + checksumAt, checksumBytes);
        ogg_page page{header, static_cast<long>(headerLength), header + headerLength,
                      static_cast<long>(bodyLength)};
        ogg_page_checksum_set(&page);
        changed = changed || bytes.compare(at + checksumAt, checksumBytes, before) != 0;
        at = bytes.find(capturePattern, at + headerLength + bodyLength);
    }
    return changed;
}
