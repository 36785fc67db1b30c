#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include "graphics/video.h"

namespace {

struct PngFile {
    std::string path;
    FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string error;  // why libpng stopped, in the caller's one line
    bool complete = false;
    ~PngFile() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
        if (!file) return;
        std::fclose(file);
        // A half-written picture is not left behind under the screenshot's name.
        if (!complete) std::remove(path.c_str());
    }
};

// libpng's own handlers print on stderr; the caller reports a failure in a line of its own.
void keepError(png_structp png, png_const_charp message) {
    PngFile& out = *static_cast<PngFile*>(png_get_error_ptr(png));
    if (out.error.empty()) out.error = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// As libpng's own writer, but a short write keeps the system's reason (a full disk, say).
void writeData(png_structp png, png_bytep data, size_t length) {
    PngFile& out = *static_cast<PngFile*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, out.file) != length) {
        out.error = std::strerror(errno);
        png_error(png, "write failed");
    }
}

void flushData(png_structp png) { std::fflush(static_cast<PngFile*>(png_get_io_ptr(png))->file); }

}  // namespace

bool writePng(const std::string& path, int width, int height, const unsigned char* rgbaTopFirst,
              std::string& error) {
    PngFile out;
    out.path = path;
    out.file = std::fopen(path.c_str(), "wb");
    if (!out.file) {
        error = std::strerror(errno);
        return false;
    }
    out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &out, keepError, ignoreWarning);
    if (out.png) out.info = png_create_info_struct(out.png);
    if (!out.info) {
        error = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(out.png))) {
        error = out.error;
        return false;
    }
    png_set_write_fn(out.png, &out, writeData, flushData);
    png_set_IHDR(out.png, out.info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(out.png, out.info);
    for (int row = 0; row < height; ++row) {
        png_write_row(out.png, rgbaTopFirst + static_cast<size_t>(row) * width * 4);
    }
    png_write_end(out.png, nullptr);
    if (std::fflush(out.file) != 0) {
        error = std::strerror(errno);
        return false;
    }
    out.complete = true;
    return true;
}

// A directory in the way holds no earlier picture: writing there fails and is reported.
bool fileExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}
