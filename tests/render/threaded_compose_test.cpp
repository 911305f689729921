#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/test_pictures.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "model/table.h"
#include "render/compose_frame.h"
#include "render/frame_threads.h"
#include "render/view.h"

// A frame is cut into bands of rows, one thread a band, and a drag frame redraws only the rows the
// held group left and enters; at any number of threads every byte of both images must be what a
// full frame drawn in one band over the whole canvas gives, for full frames and drag frames,
// shrunk (averaged over several samples or one) and enlarged (interpolated), at pixel scales
// whose blocks the bands must not split, on a client height no band count divides. The 16-bit FITS
// file ends inside a row, past which drawing must check every sample it reads; the 64-bit one is
// read by every thread at once.
TEST(ThreadedCompose, EveryThreadCountGivesTheFrameOfOneBand) {
    TestPicture colour, fits, reals;
    colour.MakeDecoded(150, 110, 4);
    for (std::size_t i = 0; i < colour.bytes.size(); ++i) colour.bytes[i] = static_cast<unsigned char>(i * 37 % 251);
    std::vector<unsigned char> samples(150 * 100 * 2 + 75);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<unsigned char>(i * 13 % 256);
    fits.MakeRaster(ImageStorage::FitsFile, 16, 150, 110, 0, samples);
    // Doubles from 2^-16 to just under 2: every grey level, and some wrapping past full scale.
    samples.resize(150 * 110 * 8);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = i % 8 == 0 ? 0x3F : static_cast<unsigned char>(i * 13 % 256);
    reals.MakeRaster(ImageStorage::FitsFile, -64, 150, 110, 0, samples);
    const std::int32_t threadsBefore = g_frameThreads;
    for (TestPicture* picture : {&colour, &fits, &reals}) {
        for (const std::int16_t scale : {1, 2, 3}) {
            g_clientRect = PixelRect{0, 0, 61, 37};
            g_pixelScale = scale;
            Canvas canvas;
            canvas.InitSize(61, 37);
            View view;
            g_canvas = &canvas;
            g_view = &view;
            g_sourceImage = &picture->image;
            g_randomState = 7;
            g_cellSize = 16;
            ASSERT_TRUE(GeneratePuzzle());
            Group* held = g_draggedGroup = RecordOf<Group>(g_groups.last);
            for (const double zoom : {1.0, 0.2}) {
                view.Zoom(zoom);
                // A full frame, then drag frames that move the held group along and across rows.
                const std::int32_t moves[][2] = {{0, 0}, {9, 0}, {9, -25}, {-30, 40}};
                const auto frame = [&](int m, std::int32_t threads, std::int32_t flags) {
                    held->dragDX = moves[m][0];
                    held->dragDY = moves[m][1];
                    g_frameThreads = threads;
                    ComposeFrame(flags);
                    std::vector<std::uint8_t> bytes = CanvasBytes(canvas);  // both images
                    const std::size_t displayBytes = canvas.DisplayWidth() * canvas.DisplayHeight() * 3;
                    bytes.insert(bytes.end(), canvas.display, canvas.display + displayBytes);
                    return bytes;
                };
                std::vector<std::uint8_t> expected[4];
                for (int m = 0; m < 4; ++m) expected[m] = frame(m, 1, 3);
                for (const std::int32_t threads : {1, 2, 3, 8}) {
                    canvas.Fill(Colour());
                    for (int m = 0; m < 4; ++m) {
                        EXPECT_EQ(frame(m, threads, m == 0 ? 3 : 1), expected[m])
                            << "scale " << scale << ", " << threads << " threads, zoom " << zoom << ", frame " << m;
                    }
                }
            }
            ClearPuzzle();
        }
    }
    g_frameThreads = threadsBefore;
    g_draggedGroup = nullptr;
    g_view = nullptr;
    g_canvas = nullptr;
    g_sourceImage = nullptr;
    g_pixelScale = 1;
}
