// Writes the three sample pictures a new player can start a game from into the folder given,
// making the folder when it is missing: "Sample colours.bmp", which the platform decodes, and the
// test pattern as "Sample.img" (PDS, 8-bit) and "Sample.fits" (FITS, BITPIX 16), which the game
// reads itself.
//
//   make_sample_pictures FOLDER
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/sample_colours.h"
#include "tools/test_pictures.h"
#include "tools/tool_files.h"

namespace {

const char* const kTool = "make_sample_pictures";
constexpr std::int32_t kPatternWidth = 512;
constexpr std::int32_t kPatternHeight = 384;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_pictures FOLDER\n");
        return 2;
    }
    std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be written
    std::filesystem::create_directories(argv[1], ignored);
    const std::string folder = std::string(argv[1]) + "/";
    const PdsSampleLayout& eightBit = PdsSampleLayouts().front();
    bool written = WriteToolFile(kTool, folder + "Sample colours.bmp", MakeSampleColoursBmp());
    written &= WriteToolFile(kTool, folder + "Sample.img", MakePdsPicture(eightBit, kPatternWidth, kPatternHeight));
    written &= WriteToolFile(kTool, folder + "Sample.fits", MakeFitsPicture(16, kPatternWidth, kPatternHeight));
    return written ? 0 : 1;
}
