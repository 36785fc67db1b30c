#include "app/platform/data_files.h"

#include <sys/stat.h>
#include <unistd.h>

#ifndef TANDREL_DATA_DIR
#define TANDREL_DATA_DIR "/usr/local/share/tandrel"
#endif
#ifndef TANDREL_DATA_FROM_BIN
#define TANDREL_DATA_FROM_BIN "../share/tandrel"
#endif

namespace {

const char* const samplesSubdirectory = "dat/samples";

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string executableDirectory() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    std::string exe(path, static_cast<size_t>(length));
    return exe.substr(0, exe.find_last_of('/'));
}

}  // namespace

std::string firstExistingDirectory(const std::vector<std::string>& candidates) {
    for (const std::string& candidate : candidates) {
        if (isDirectory(candidate)) return candidate;
    }
    return candidates.back();
}

std::string sampleDirectory() {
    std::vector<std::string> candidates = {samplesSubdirectory};
    std::string exe = executableDirectory();
    if (!exe.empty()) {
        candidates.push_back(exe + "/" + samplesSubdirectory);
        candidates.push_back(exe + "/" + TANDREL_DATA_FROM_BIN + "/samples");
    }
    candidates.push_back(std::string(TANDREL_DATA_DIR) + "/samples");
    return firstExistingDirectory(candidates);
}
