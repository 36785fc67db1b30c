#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "graphics/video.h"

namespace {

struct PngFile {
    FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngFile() {
        if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
        if (file) std::fclose(file);
    }
};

}  // namespace

bool writePng(const std::string& path, int width, int height, const unsigned char* rgbaTopFirst,
              std::string& error) {
    PngFile out;
    out.file = std::fopen(path.c_str(), "wb");
    if (!out.file) {
        error = std::strerror(errno);
        return false;
    }
    out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (out.png) out.info = png_create_info_struct(out.png);
    if (!out.info) {
        error = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(out.png))) {
        error = "write failed";
        return false;
    }
    png_init_io(out.png, out.file);
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
    return true;
}
