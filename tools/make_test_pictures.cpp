// Writes the test pattern as a PDS IMG file for every sample layout the game reads and as a FITS
// file for every BITPIX it accepts, into the folder given.
//
//   make_test_pictures FOLDER [WIDTH HEIGHT]     (512 × 384 when no size is given)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tools/test_pictures.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "make_test_pictures: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: make_test_pictures FOLDER [WIDTH HEIGHT]\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const long askedWidth = argc == 4 ? std::strtol(argv[2], nullptr, 10) : 512;
    const long askedHeight = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 384;
    if (askedWidth < 1 || askedHeight < 1 || askedWidth > 16384 || askedHeight > 16384) {
        std::fprintf(stderr, "make_test_pictures: the size must be 1 to 16384 each way\n");
        return 2;
    }
    const auto width = static_cast<std::int32_t>(askedWidth);
    const auto height = static_cast<std::int32_t>(askedHeight);
    bool written = true;
    for (const PdsSampleLayout& layout : PdsSampleLayouts()) {
        written &= WriteFile(folder + PdsPictureName(layout), MakePdsPicture(layout, width, height));
    }
    for (std::int32_t bitpix : FitsBitpixValues()) {
        written &= WriteFile(folder + FitsPictureName(bitpix), MakeFitsPicture(bitpix, width, height));
    }
    return written ? 0 : 1;
}
