// The sample pictures can be solved by looking, as the game shows them; a checkerboard cannot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/sample_pixel.h"
#include "loaders/image_loader.h"
#include "loaders/source_image.h"
#include "support/test_files.h"
#include "tools/cell_measure.h"
#include "tools/sample_pictures.h"

namespace {

constexpr std::int32_t kStartingCellSize = 64;

// The picture as the game's own reader and sampler show it, grey taken from the red channel.
ShownPicture ShownByTheGame(const std::string& name, const std::vector<unsigned char>& file) {
    g_sourceImage = new SourceImage;
    ShownPicture picture;
    if (LoadSourceImage(WriteTestFile(name, file).c_str()) == 1) {
        picture = {g_sourceImage->width, g_sourceImage->height, 1, {}};
        for (std::int32_t y = 0; y < picture.height; ++y) {
            for (std::int32_t x = 0; x < picture.width; ++x) {
                Colour colour;
                SamplePixel(*g_sourceImage, x, y, &colour);
                picture.levels.push_back(colour.red);
            }
        }
    }
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
    return picture;
}

ShownPicture Checkerboard(std::int32_t width, std::int32_t height, std::int32_t square) {
    ShownPicture picture{width, height, 1, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) picture.levels.push_back((x / square + y / square) % 2 == 0 ? 0 : 255);
    }
    return picture;
}

}  // namespace

TEST(SamplePictures, EverySampleAsShownIsSolvableByLookingInItsOneHundredAndNinetyTwoPieces) {
    const struct {
        const char* name;
        ShownPicture picture;
    } samples[] = {
        {"landscape", SampleLandscapePicture()},
        {"galaxy", ShownByTheGame("Sample galaxy.fits", MakeSampleGalaxyFits())},
        {"craters", ShownByTheGame("Sample craters.img", MakeSampleCratersImg())},
    };
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.name);
        const CellFigures figures = MeasureCells(sample.picture, kStartingCellSize);
        EXPECT_EQ(figures.cells, 16 * 12);  // 1600 / 95 columns, 1200 / 95 rows
        EXPECT_TRUE(SolvableByLooking(figures))
            << "flattest cell " << figures.flattestSpread << ", closest cells " << figures.closestDistance;
    }
}

// Levels beyond full scale would wrap round to black in the game; the galaxy needs no stretch to
// show, yet spans most of the 16-bit range.
TEST(SamplePictures, TheGalaxysSamplesSpanMostOfFullScaleWithoutPassingIt) {
    const std::vector<std::int16_t> samples = SampleGalaxySamples();
    const auto [least, most] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_GE(*least, 0);
    EXPECT_GE(*most - *least, 32767 / 2);
}

// Checkerboards of 1520 × 1140 hold the grid of 16 × 12 pitches of 95 exactly, from the corner.
// Squares of 95 make every cell one colour, flat; squares of 19 put 5 × 5 squares in every cell,
// 13 of one colour and 12 of the other, a spread of 255 × √(13/25 × 12/25) = 127.4, but every
// cell is one of only two, and each has twins at distance 0.
TEST(SamplePictures, ACheckerboardIsNotSolvableByLooking) {
    const struct {
        std::int32_t square;
        double flattestSpread;
    } boards[] = {{95, 0.0}, {19, 127.4}};
    for (const auto& board : boards) {
        SCOPED_TRACE(board.square);
        const CellFigures figures = MeasureCells(Checkerboard(1520, 1140, board.square), kStartingCellSize);
        EXPECT_EQ(figures.cells, 192);
        EXPECT_NEAR(figures.flattestSpread, board.flattestSpread, 0.05);
        EXPECT_EQ(figures.closestDistance, 0.0);
        EXPECT_FALSE(SolvableByLooking(figures));
    }
}
