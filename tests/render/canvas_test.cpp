#include "render/canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/test_pictures.h"

namespace {

// "blue green red" of the display pixel at column x, row y (from the bottom).
std::string DisplayBgr(const Canvas& canvas, int x, int y) {
    return Rgb(canvas.display + (static_cast<std::size_t>(y) * canvas.DisplayWidth() + x) * 3);
}

// Every operation a frame uses; each must be safe, doing nothing, on a canvas without an image.
void UseEveryOperation(Canvas* canvas) {
    canvas->Fill(Colour{1, 2, 3, 0});
    canvas->SaveRest();
    canvas->RestoreRest();
    canvas->UpdateDisplay();
}

}  // namespace

// 1004 pixels of 3 bytes make rows of 3012 bytes, whole 4-byte words; the scale lies in 1 … 9.
TEST(CanvasTest, SizingWidensRowsToWholeWordsAndClampsTheScale) {
    const struct { std::int16_t pixelScale; int clientWidth, scale, width, displayWidth; } cases[] = {
        {2, 1001, 2, 2008, 1004}, {0, 4, 1, 4, 4}, {12, 4, 9, 36, 4}, {1, 1005, 1, 1008, 1008}};
    for (const auto& c : cases) {
        g_pixelScale = c.pixelScale;
        Canvas canvas;
        canvas.InitSize(c.clientWidth, 700);
        EXPECT_EQ(std::vector({int{canvas.scale}, canvas.width, canvas.height, canvas.DisplayWidth(), canvas.DisplayHeight()}),
                  std::vector({c.scale, c.width, 700 * c.scale, c.displayWidth, 700})) << c.clientWidth;
        canvas.UpdateDisplay();
        EXPECT_EQ(DisplayBgr(canvas, c.displayWidth - 1, 699), "0 0 0");  // a new image is black
        // A scale of 0 keeps the current one; later sizings clamp too.
        EXPECT_TRUE(canvas.Resize(1002, 3, 0));
        EXPECT_EQ(canvas.width, 1004 * c.scale);
        EXPECT_TRUE(canvas.Resize(4, 2, 20));
        EXPECT_EQ(canvas.width, 36);
    }
    g_pixelScale = 1;
}

// 36,000 × 21,600 pixels of 3 bytes are 2,332,800,000 bytes, past 2^31 − 1.
TEST(CanvasTest, EveryResizeDropsTheImagesAndAnOversizedOneLeavesNoneUntilASizeThatFits) {
    Canvas canvas;
    SizeCanvas(&canvas, 4, 2);
    UseEveryOperation(&canvas);
    EXPECT_TRUE(canvas.Resize(8, 2, 0));
    canvas.RestoreRest();
    canvas.UpdateDisplay();
    EXPECT_EQ(DisplayBgr(canvas, 7, 1), "0 0 0");  // black, not the smaller snapshot
    EXPECT_FALSE(canvas.Resize(4000, 2400, 9));
    UseEveryOperation(&canvas);
    EXPECT_TRUE(canvas.pixels == nullptr && canvas.restPixels == nullptr && canvas.display == nullptr);
    EXPECT_FALSE(canvas.Resize(INT32_MAX, INT32_MAX, 9));  // products past even 64 bits are not wrapped
    EXPECT_TRUE(canvas.Resize(8, 2, 1));
    UseEveryOperation(&canvas);
    EXPECT_EQ(DisplayBgr(canvas, 7, 1), "3 2 1");

    Canvas minimised, negative, unformatted;
    SizeCanvas(&minimised, 0, 0);
    SizeCanvas(&negative, -7, -3);
    EXPECT_TRUE(unformatted.Resize(4, 4, 1));  // never sized, so without a pixel format or image
    for (Canvas* empty : {&minimised, &negative, &unformatted}) UseEveryOperation(empty);
    EXPECT_EQ(minimised.width + minimised.height + negative.width + negative.height, 0);
    EXPECT_EQ(unformatted.display, nullptr);
}

// At every scale s, display pixel (2, 1) of a 4 × 2 display covers working columns 2s … 3s − 1
// and rows s … 2s − 1. Its block gets one red of 1 (a mean of 1 / s², truncated), one green of
// 20 + s² − 1 (a mean just short of 21) and, in its far corner, one blue of 30 + s² (a mean of 31).
TEST(CanvasTest, ReductionTruncatesEachBlocksMeanBlueFirstWithRowsFromTheBottom) {
    for (std::int16_t s = 1; s <= 9; ++s) {
        Canvas canvas;
        canvas.pixelFormat = 1;
        ASSERT_TRUE(canvas.Resize(4, 2, s));
        canvas.Fill(Colour{0, 20, 30, 0});
        std::uint8_t* nearCorner = canvas.pixels + (static_cast<std::size_t>(s) * canvas.width + 2 * s) * 3;
        nearCorner[0] = 1;
        nearCorner[1] = static_cast<std::uint8_t>(20 + s * s - 1);
        canvas.pixels[((2 * s - 1) * canvas.width + 3 * s - 1) * 3 + 2] = static_cast<std::uint8_t>(30 + s * s);
        canvas.UpdateDisplay();
        for (int at = 0; at < 8; ++at)
            EXPECT_EQ(DisplayBgr(canvas, at % 4, at / 4), (at == 6 ? "31 20 " : "30 20 ") + std::string(at == 6 && s == 1 ? "1" : "0")) << "scale " << s << ", pixel " << at;
    }
}
