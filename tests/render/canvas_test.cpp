#include "render/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "render/display_reduction.h"

namespace {

class CanvasTest : public testing::Test {
protected:
    void TearDown() override { g_pixelScale = 1; }
};

std::uint8_t* WorkingPixel(Canvas* canvas, int x, int y) { return canvas->pixels + (y * canvas->width + x) * 3; }

std::uint8_t* DisplayPixel(Canvas* canvas, int x, int y) {
    return canvas->display + (y * canvas->DisplayWidth() + x) * 3;
}

void SetWorkingPixel(Canvas* canvas, int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    std::uint8_t* p = WorkingPixel(canvas, x, y);
    p[0] = red;
    p[1] = green;
    p[2] = blue;
}

void ExpectDisplayPixel(Canvas* canvas, int x, int y, int blue, int green, int red) {
    const std::uint8_t* p = DisplayPixel(canvas, x, y);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{blue, green, red})) << "at " << x << ", " << y;
}

// The reduction written straight from its rule: the truncated mean of each block, blue first.
std::vector<std::uint8_t> ReferenceReduction(const std::vector<std::uint8_t>& pixels, int width, int scale,
                                             int displayWidth, int displayHeight) {
    std::vector<std::uint8_t> display(static_cast<std::size_t>(displayWidth) * displayHeight * 3);
    for (int i = 0; i < displayHeight; ++i) {
        for (int j = 0; j < displayWidth; ++j) {
            unsigned sums[3] = {0, 0, 0};
            for (int y = i * scale; y < (i + 1) * scale; ++y) {
                for (int x = j * scale; x < (j + 1) * scale; ++x) {
                    for (int c = 0; c < 3; ++c) sums[c] += pixels[(static_cast<std::size_t>(y) * width + x) * 3 + c];
                }
            }
            for (int c = 0; c < 3; ++c) {
                display[(static_cast<std::size_t>(i) * displayWidth + j) * 3 + 2 - c] =
                    static_cast<std::uint8_t>(sums[c] / (scale * scale));
            }
        }
    }
    return display;
}

}  // namespace

TEST_F(CanvasTest, SizingRoundsRowsToWholeWordsAndMultipliesByTheScale) {
    g_pixelScale = 2;
    Canvas canvas;
    canvas.InitSize(1001, 700);
    EXPECT_EQ(canvas.pixelFormat, 1);
    EXPECT_EQ(canvas.bytesPerPixel, 3);
    EXPECT_EQ(canvas.scale, 2);
    EXPECT_EQ(canvas.width, 2008);
    EXPECT_EQ(canvas.height, 1400);
    EXPECT_EQ(canvas.restPixels, nullptr);
    EXPECT_EQ(canvas.display, nullptr);
    canvas.UpdateDisplay();
    ASSERT_NE(canvas.display, nullptr);
    EXPECT_EQ(canvas.DisplayWidth(), 1004);  // display rows of 3012 bytes, a multiple of 4
    EXPECT_EQ(canvas.DisplayHeight(), 700);
    ExpectDisplayPixel(&canvas, 1003, 699, 0, 0, 0);  // a fresh working image is black

    EXPECT_TRUE(canvas.Resize(1004, 700, 1));
    EXPECT_EQ(canvas.width, 1004);
    EXPECT_EQ(canvas.height, 700);
    EXPECT_EQ(canvas.display, nullptr);  // rebuilt by the next display update, at the new size

    EXPECT_TRUE(canvas.Resize(1001, 3, 0));  // 0 keeps scale 1
    EXPECT_EQ(canvas.scale, 1);
    EXPECT_EQ(canvas.width, 1004);
    EXPECT_TRUE(canvas.Resize(1005, 3, 0));
    EXPECT_EQ(canvas.width, 1008);
    EXPECT_TRUE(canvas.Resize(1002, 3, 3));
    EXPECT_EQ(canvas.width, 3012);
    EXPECT_EQ(canvas.height, 9);
}

TEST_F(CanvasTest, CreationClampsThePixelScaleToOneThroughNine) {
    g_pixelScale = 0;
    Canvas low;
    low.InitSize(4, 2);
    EXPECT_EQ(low.scale, 1);
    EXPECT_EQ(low.width, 4);

    g_pixelScale = 12;
    Canvas high;
    high.InitSize(4, 2);
    EXPECT_EQ(high.scale, 9);
    EXPECT_EQ(high.width, 36);
    EXPECT_EQ(high.height, 18);

    // A scale that would overflow the reduction's 16-bit sums is clamped on later sizings too.
    EXPECT_TRUE(high.Resize(4, 2, 20));
    EXPECT_EQ(high.scale, 9);
}

TEST_F(CanvasTest, OversizedImagesAreRefusedLeavingACanvasThatIgnoresEveryOperation) {
    Canvas canvas;
    canvas.InitSize(4, 2);
    canvas.SaveRest();
    canvas.UpdateDisplay();
    ASSERT_NE(canvas.restPixels, nullptr);
    ASSERT_NE(canvas.display, nullptr);

    // 36,000 × 21,600 pixels of 3 bytes: 2,332,800,000 bytes, past 2^31 − 1.
    EXPECT_FALSE(canvas.Resize(4000, 2400, 9));
    EXPECT_EQ(canvas.width, 36000);
    EXPECT_EQ(canvas.height, 21600);
    EXPECT_EQ(canvas.pixels, nullptr);
    EXPECT_EQ(canvas.restPixels, nullptr);
    EXPECT_EQ(canvas.display, nullptr);
    canvas.Fill(Colour{1, 2, 3, 0});
    canvas.SaveRest();
    canvas.RestoreRest();
    canvas.UpdateDisplay();
    EXPECT_EQ(canvas.restPixels, nullptr);
    EXPECT_EQ(canvas.display, nullptr);

    // Sizes whose products pass even 64 bits are refused the same way, not wrapped around.
    EXPECT_FALSE(canvas.Resize(INT32_MAX, INT32_MAX, 9));
    EXPECT_EQ(canvas.pixels, nullptr);

    EXPECT_TRUE(canvas.Resize(8, 2, 1));
    canvas.Fill(Colour{1, 2, 3, 0});
    canvas.UpdateDisplay();
    ASSERT_NE(canvas.display, nullptr);
    ExpectDisplayPixel(&canvas, 7, 1, 3, 2, 1);
}

TEST_F(CanvasTest, CanvasesWithoutPixelsTouchNothing) {
    Canvas minimised;
    minimised.InitSize(0, 0);
    EXPECT_EQ(minimised.width, 0);
    EXPECT_EQ(minimised.height, 0);
    minimised.Fill(Colour{9, 9, 9, 0});
    minimised.SaveRest();
    minimised.RestoreRest();
    minimised.UpdateDisplay();

    Canvas negative;
    negative.InitSize(-7, -3);
    EXPECT_EQ(negative.width, 0);
    EXPECT_EQ(negative.height, 0);
    negative.Fill(Colour{9, 9, 9, 0});
    negative.UpdateDisplay();

    // Never sized, so without a pixel format.
    Canvas unformatted;
    EXPECT_TRUE(unformatted.Resize(4, 4, 1));
    EXPECT_EQ(unformatted.pixels, nullptr);
    unformatted.Fill(Colour{9, 9, 9, 0});
    unformatted.SaveRest();
    unformatted.UpdateDisplay();
    EXPECT_EQ(unformatted.display, nullptr);
}

TEST_F(CanvasTest, FillWritesRedFirstAndTheDisplayTurnsItBlueFirst) {
    Canvas canvas;
    canvas.InitSize(4, 3);
    canvas.Fill(Colour{10, 20, 30, 255});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint8_t* p = WorkingPixel(&canvas, x, y);
            EXPECT_EQ(p[0], 10);
            EXPECT_EQ(p[1], 20);
            EXPECT_EQ(p[2], 30);
        }
    }
    // Rows count from the bottom in both images: working (1, 2) becomes display (1, 2).
    SetWorkingPixel(&canvas, 1, 2, 200, 100, 50);
    canvas.UpdateDisplay();
    ExpectDisplayPixel(&canvas, 0, 0, 30, 20, 10);
    ExpectDisplayPixel(&canvas, 1, 2, 50, 100, 200);
    ExpectDisplayPixel(&canvas, 2, 1, 30, 20, 10);
}

TEST_F(CanvasTest, ReductionDropsTheFractionOfEachBlocksMean) {
    g_pixelScale = 2;
    Canvas canvas;
    canvas.InitSize(4, 2);  // working 8 × 4, display 4 × 2
    // Display pixel (0, 0): reds 0, 0, 0, 1; blues 10, 11, 12, 13.
    SetWorkingPixel(&canvas, 0, 0, 0, 255, 10);
    SetWorkingPixel(&canvas, 1, 0, 0, 255, 11);
    SetWorkingPixel(&canvas, 0, 1, 0, 255, 12);
    SetWorkingPixel(&canvas, 1, 1, 1, 255, 13);
    // Display pixel (1, 1) covers working columns 2-3 and rows 2-3.
    SetWorkingPixel(&canvas, 3, 2, 255, 255, 255);
    SetWorkingPixel(&canvas, 2, 3, 255, 4, 0);
    canvas.UpdateDisplay();
    ExpectDisplayPixel(&canvas, 0, 0, 11, 255, 0);
    ExpectDisplayPixel(&canvas, 1, 1, 63, 64, 127);
    ExpectDisplayPixel(&canvas, 1, 0, 0, 0, 0);
    ExpectDisplayPixel(&canvas, 0, 1, 0, 0, 0);
}

TEST_F(CanvasTest, EveryScaleReducesExactlyLikeTheBlockMeanRule) {
    std::mt19937 random(7);
    for (int scale = 1; scale <= 9; ++scale) {
        const int displayWidth = 12;
        const int displayHeight = 5;
        const int width = displayWidth * scale;
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * displayHeight * scale * 3);
        for (std::uint8_t& byte : pixels) byte = static_cast<std::uint8_t>(random() % 2 == 0 ? 255 : random());
        std::vector<std::uint8_t> display(static_cast<std::size_t>(displayWidth) * displayHeight * 3);
        ReduceToDisplay(pixels.data(), width, scale, displayWidth, displayHeight, display.data());
        EXPECT_EQ(display, ReferenceReduction(pixels, width, scale, displayWidth, displayHeight)) << "scale " << scale;
    }
}

TEST_F(CanvasTest, RestoreBringsBackTheLastSnapshotUntilTheNextResize) {
    Canvas canvas;
    canvas.InitSize(4, 2);
    canvas.RestoreRest();  // no snapshot yet: nothing changes
    EXPECT_EQ(WorkingPixel(&canvas, 0, 0)[0], 0);

    canvas.Fill(Colour{50, 60, 70, 0});
    canvas.SaveRest();
    SetWorkingPixel(&canvas, 3, 1, 1, 2, 3);
    canvas.RestoreRest();
    EXPECT_EQ(WorkingPixel(&canvas, 3, 1)[0], 50);

    canvas.Fill(Colour{80, 90, 100, 0});
    canvas.SaveRest();  // replaces the earlier snapshot
    SetWorkingPixel(&canvas, 0, 0, 1, 2, 3);
    canvas.RestoreRest();
    EXPECT_EQ(WorkingPixel(&canvas, 0, 0)[0], 80);

    // A resize drops the snapshot: restoring then leaves the new black image alone.
    EXPECT_TRUE(canvas.Resize(8, 4, 0));
    canvas.RestoreRest();
    EXPECT_EQ(WorkingPixel(&canvas, 7, 3)[0], 0);
}
