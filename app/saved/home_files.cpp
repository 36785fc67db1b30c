#include "app/saved/home_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const programDirectory = "/tandrel/";
constexpr int badFileLimit = 1000;      // PATH.bad to PATH.bad.999; more is a loop gone wrong
constexpr mode_t directoryMode = 0700;  // as the XDG base directory rules ask of new ones
constexpr mode_t fileMode = 0666;       // less the umask, as any new file

std::string xdgFilePath(const char* variable, const char* underHome, const std::string& name) {
    const char* base = std::getenv(variable);
    // The rules say a relative path is invalid and is to be ignored.
    if (base && base[0] == '/') return base + (programDirectory + name);
    const char* home = std::getenv("HOME");
    if (home && home[0]) return home + (underHome + (programDirectory + name));
    return "";
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool failed(std::string& reason, int error) {
    reason = std::strerror(error);
    return false;
}

bool makeParentDirectories(const std::string& path, std::string& reason) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string directory = path.substr(0, slash);
        if (mkdir(directory.c_str(), directoryMode) == 0 || errno == EEXIST) continue;
        const int error = errno;
        if (!isDirectory(directory)) return failed(reason, error);
    }
    return true;
}

// A name no other writer, in this process or another, is using at the same moment.
int createTemporary(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> serial{0};
    for (;;) {
        temporary = path + "." + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".tmp";
        int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, fileMode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string configFilePath(const std::string& name) {
    return xdgFilePath("XDG_CONFIG_HOME", "/.config", name);
}

std::string stateFilePath(const std::string& name) {
    return xdgFilePath("XDG_STATE_HOME", "/.local/state", name);
}

FileRead readTextFile(const std::string& path, std::string& bytes, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errno == ENOENT || errno == ENOTDIR) return FileRead::Missing;
        failed(reason, errno);
        return FileRead::Failed;
    }
    bytes.clear();
    char block[4096];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, n);
    const bool readError = std::ferror(file);
    const int error = errno;
    std::fclose(file);
    if (!readError) return FileRead::Read;
    failed(reason, error);
    return FileRead::Failed;
}

// fsync before the rename: otherwise a crash of the system soon after may leave the new name on
// an empty file.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& reason) {
    if (!makeParentDirectories(path, reason)) return false;
    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) return failed(reason, errno);
    bool done = writeAll(fd, bytes) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    if (done) error = errno;
    unlink(temporary.c_str());
    return failed(reason, error);
}

// A hard link takes the new name only if nobody has it, which a rename cannot promise.
bool moveAside(const std::string& path, std::string& movedTo, std::string& reason) {
    for (int n = 0; n < badFileLimit; ++n) {
        movedTo = path + ".bad" + (n ? "." + std::to_string(n) : "");
        if (link(path.c_str(), movedTo.c_str()) == 0) {
            unlink(path.c_str());
            return true;
        }
        if (errno != EEXIST) return failed(reason, errno);
    }
    reason = "every name up to " + movedTo + " is taken";
    return false;
}
