// Reads a screenshot and prints facts about it for the window tests:
//   png_probe size FILE            width height
//   png_probe max FILE             the largest red, green or blue value of any pixel
//   png_probe diff FILE1 FILE2     how many pixels differ
//   png_probe region FILE X0 Y0 X1 Y1   the largest channel value inside a pixel box (top-left origin)
//   png_probe dark FILE            the percentage of pixels no channel of which exceeds 24
//   png_probe paw FILE CX0 CY0 CX1 CY1   paw-coloured pixels in a box of canvas cells (y up, ends excluded)
//   png_probe cells FILE CX0 CY0 CX1 CY1  the box of canvas cells as rows of '#' (lit) and '.'
//                                  (near black), top row first; read at cell centres
//   png_probe offgrid FILE         pixels whose colour differs from the centre of the cell they
//                                  would lie in with the grid at rest
//   png_probe near FILE CX0 CY0 CX1 CY1 R G B   cells of the box whose centre lies within 40 of
//                                  that colour in every channel (a palette entry and its drift)
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

constexpr int canvasColumns = 160;
constexpr int canvasRows = 100;

// The cell whose resting quad holds the pixel's centre; the canvas's rows count upwards.
int cellColumn(const Image& img, int x) { return static_cast<int>((x + 0.5) * canvasColumns / img.width); }
int cellRow(const Image& img, int y) {
    return canvasRows - 1 - static_cast<int>((y + 0.5) * canvasRows / img.height);
}
// The pixel at the centre of cell (cx, cy) at rest.
const unsigned char* cellCentre(const Image& img, int cx, int cy) {
    int x = static_cast<int>((cx + 0.5) * img.width / canvasColumns);
    int y = static_cast<int>((canvasRows - 1 - cy + 0.5) * img.height / canvasRows);
    return img.pixel(x, y);
}

bool pawColoured(const unsigned char* p) { return p[0] >= 150 && p[1] >= 60 && p[1] <= 170 && p[2] <= 60; }

long countPaw(const Image& img, int cx0, int cy0, int cx1, int cy1) {
    long count = 0;
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            int cx = cellColumn(img, x), cy = cellRow(img, y);
            if (cx >= cx0 && cx < cx1 && cy >= cy0 && cy < cy1 && pawColoured(img.pixel(x, y))) ++count;
        }
    }
    return count;
}

constexpr int nearColour = 40;

long countNear(const Image& img, int cx0, int cy0, int cx1, int cy1, const int rgb[3]) {
    long count = 0;
    for (int cy = cy0; cy < cy1; ++cy) {
        for (int cx = cx0; cx < cx1; ++cx) {
            const unsigned char* p = cellCentre(img, cx, cy);
            bool near = true;
            for (int c = 0; c < 3; ++c) near = near && std::abs(p[c] - rgb[c]) <= nearColour;
            if (near) ++count;
        }
    }
    return count;
}

long countOffGrid(const Image& img) {
    long count = 0;
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            const unsigned char* centre = cellCentre(img, cellColumn(img, x), cellRow(img, y));
            if (!std::equal(centre, centre + 3, img.pixel(x, y))) ++count;
        }
    }
    return count;
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
    } else if (command == "paw" && argc == 7) {
        std::printf("%ld\n", countPaw(img, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                                      std::atoi(argv[6])));
    } else if (command == "cells" && argc == 7) {
        int cx0 = std::atoi(argv[3]), cy0 = std::atoi(argv[4]), cx1 = std::atoi(argv[5]),
            cy1 = std::atoi(argv[6]);
        for (int cy = cy1 - 1; cy >= cy0; --cy) {
            for (int cx = cx0; cx < cx1; ++cx) {
                const unsigned char* p = cellCentre(img, cx, cy);
                std::putchar(std::max({p[0], p[1], p[2]}) > nearBlack ? '#' : '.');
            }
            std::putchar('\n');
        }
    } else if (command == "near" && argc == 10) {
        const int rgb[3] = {std::atoi(argv[7]), std::atoi(argv[8]), std::atoi(argv[9])};
        std::printf("%ld\n", countNear(img, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                                       std::atoi(argv[6]), rgb));
    } else if (command == "offgrid") {
        std::printf("%ld\n", countOffGrid(img));
    } else if (command == "region" && argc == 7) {
        int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), x1 = std::atoi(argv[5]),
            y1 = std::atoi(argv[6]);
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
