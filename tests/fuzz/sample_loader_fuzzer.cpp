// libFuzzer target: any bytes as a sample file for loadSampleFile(). Each input is loaded as it
// is and, when its page checksums do not hold, once more with them repaired, so that mutations
// also reach the Vorbis headers and the decoding loop. Run with -close_fd_mask=2: the loader's
// diagnostics are expected, and libFuzzer keeps its own output and the sanitizers' reports.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "audio/sample_loader.h"
#include "page_checksums.h"

namespace {

std::string inputPath;
// Every frame a load reports is read into it, so AddressSanitizer sees a length beyond the array.
volatile int16_t lastFrameRead;

// The deliberate exit on a hole between the header pages is an outcome, not a finding: the load
// just fails and the fuzzer goes on with the next input.
void keepRunning(int) {}

void removeInputFile() { unlink(inputPath.c_str()); }

void writeInputFile(const std::string& bytes) {
    std::FILE* file = std::fopen(inputPath.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// A failed load reports no frames; a successful one owns every frame it reports.
void loadAndCheck(const std::string& bytes) {
    writeInputFile(bytes);
    unsigned length = ~0u;
    const std::unique_ptr<StereoFrame[]> frames = loadSampleFile(inputPath.c_str(), &length);
    if (!frames && length != 0) __builtin_trap();
    for (unsigned i = 0; frames && i < length; ++i) {
        lastFrameRead = static_cast<int16_t>(frames[i].left + frames[i].right);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* directory = std::getenv("TMPDIR");
    std::string pattern = std::string(directory ? directory : "/tmp") + "/tandrel_fuzz_XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    close(fd);
    inputPath = pattern;
    std::atexit(removeInputFile);
    sampleLoaderExit = keepRunning;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    loadAndCheck(bytes);
    if (repairPageChecksums(bytes)) loadAndCheck(bytes);
    return 0;
}
