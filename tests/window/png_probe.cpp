// Reads a screenshot and prints facts about it for the window tests:
//   png_probe size FILE            width height
//   png_probe max FILE             the largest red, green or blue value of any pixel
//   png_probe diff FILE1 FILE2     how many pixels differ
//   png_probe region FILE X0 Y0 X1 Y1   the largest channel value inside a pixel box (top-left origin)
//   png_probe dark FILE            the percentage of pixels no channel of which exceeds 24
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr unsigned char nearBlack = 24;  // palette entry 0 lies within 0.08 of black

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // top row first
    const unsigned char* pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Image load(const char* path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        std::fprintf(stderr, "png_probe: cannot read %s: %s\n", path, image.message);
        std::exit(2);
    }
    image.format = PNG_FORMAT_RGBA;
    Image out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        std::fprintf(stderr, "png_probe: cannot decode %s: %s\n", path, image.message);
        std::exit(2);
    }
    return out;
}

int maxChannel(const Image& img, int x0, int y0, int x1, int y1) {
    int best = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* p = img.pixel(x, y);
            best = std::max({best, int(p[0]), int(p[1]), int(p[2])});
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_probe size|max|diff|region FILE ...\n");
        return 2;
    }
    std::string command = argv[1];
    Image img = load(argv[2]);
    if (command == "size") {
        std::printf("%d %d\n", img.width, img.height);
    } else if (command == "max") {
        std::printf("%d\n", maxChannel(img, 0, 0, img.width, img.height));
    } else if (command == "dark") {
        long dark = 0;
        for (size_t i = 0; i < img.rgba.size(); i += 4) {
            if (std::max({img.rgba[i], img.rgba[i + 1], img.rgba[i + 2]}) <= nearBlack) ++dark;
        }
        std::printf("%ld\n", dark * 100 / (static_cast<long>(img.width) * img.height));
    } else if (command == "region" && argc == 7) {
        int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), x1 = std::atoi(argv[5]), y1 = std::atoi(argv[6]);
        std::printf("%d\n", maxChannel(img, x0, y0, x1, y1));
    } else if (command == "diff" && argc == 4) {
        Image other = load(argv[3]);
        if (other.width != img.width || other.height != img.height) {
            std::printf("size\n");
            return 1;
        }
        long differing = 0;
        for (size_t i = 0; i < img.rgba.size(); i += 4) {
            if (!std::equal(&img.rgba[i], &img.rgba[i] + 3, &other.rgba[i])) ++differing;
        }
        std::printf("%ld\n", differing);
    } else {
        std::fprintf(stderr, "png_probe: unknown command %s\n", command.c_str());
        return 2;
    }
    return 0;
}
