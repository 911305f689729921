// Writes the pictures a new player can start a game from into the folder given, making the
// folder when it is missing: "Sample landscape.bmp", which the platform decodes, "Sample
// galaxy.fits" (FITS, BITPIX 16) and "Sample craters.img" (PDS, 8-bit), which the game reads
// itself, each cut into 192 pieces at the starting cell size; and "Sample colours.bmp", a small
// picture of 30 pieces for a short game.
//
//   make_sample_pictures FOLDER
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "tools/sample_colours.h"
#include "tools/sample_pictures.h"
#include "tools/tool_files.h"

namespace {

const char* const kTool = "make_sample_pictures";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_pictures FOLDER\n");
        return 2;
    }
    std::error_code ignored;  // a folder that cannot be made shows as a file that cannot be written
    std::filesystem::create_directories(argv[1], ignored);
    const std::string folder = std::string(argv[1]) + "/";
    bool written = WriteToolFile(kTool, folder + "Sample landscape.bmp", MakeSampleLandscapeBmp());
    written &= WriteToolFile(kTool, folder + "Sample galaxy.fits", MakeSampleGalaxyFits());
    written &= WriteToolFile(kTool, folder + "Sample craters.img", MakeSampleCratersImg());
    written &= WriteToolFile(kTool, folder + "Sample colours.bmp", MakeSampleColoursBmp());
    return written ? 0 : 1;
}
