// Writes the test pattern as a PDS IMG file for every sample layout the game reads and as a FITS
// file for every BITPIX it accepts, into the folder given.
//
//   make_test_pictures FOLDER [WIDTH HEIGHT]     (512 × 384 when no size is given)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/test_pictures.h"
#include "tools/tool_files.h"

namespace {

const char* const kTool = "make_test_pictures";

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
        written &= WriteToolFile(kTool, folder + PdsPictureName(layout), MakePdsPicture(layout, width, height));
    }
    for (std::int32_t bitpix : FitsBitpixValues()) {
        written &= WriteToolFile(kTool, folder + FitsPictureName(bitpix), MakeFitsPicture(bitpix, width, height));
    }
    return written ? 0 : 1;
}
