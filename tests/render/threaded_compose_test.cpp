#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/draw_piece.h"
#include "imaging/test_pictures.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "model/table.h"
#include "render/compose_frame.h"
#include "render/frame_threads.h"
#include "render/view.h"

namespace {

// Both images of a frame, for comparing whole frames.
std::vector<std::uint8_t> FrameBytes(const Canvas& canvas) {
    std::vector<std::uint8_t> bytes = CanvasBytes(canvas);
    const std::size_t displayBytes = static_cast<std::size_t>(canvas.DisplayWidth()) * canvas.DisplayHeight() * 3;
    bytes.insert(bytes.end(), canvas.display, canvas.display + displayBytes);
    return bytes;
}

// The frame drawn piece by piece through DrawPiece, which draws every row of the canvas at once.
std::vector<std::uint8_t> PieceByPieceFrame(const Group* held) {
    const auto grey = static_cast<std::uint8_t>(g_backgroundGrey);
    g_canvas->Fill(Colour{grey, grey, grey, 0});
    const auto draw = [](const Group& group, std::int32_t dx, std::int32_t dy, std::int16_t averaging) {
        for (ListItem* item = group.members.first; item != nullptr; item = item->next) {
            const Piece* piece = RecordOf<PieceLink>(item)->piece;
            DrawPiece(group.x + dx + piece->offsetX, group.y + dy + piece->offsetY, piece->homeX - g_margin,
                      piece->homeY - g_margin, piece->mask, averaging, g_maskSize, g_maskSize);
        }
    };
    for (ListItem* item = g_groups.first; item != nullptr; item = item->next) {
        if (RecordOf<Group>(item) != held) draw(*RecordOf<Group>(item), 0, 0, 1);
    }
    draw(*held, held->dragDX, held->dragDY, 0);
    g_canvas->UpdateDisplay();
    return FrameBytes(*g_canvas);
}

}  // namespace

// A frame is cut into bands of rows, one thread a band, and a drag frame redraws only the rows the
// held group left and enters; at any number of threads every byte of both images must be what
// drawing the pieces one after another over the whole canvas gives, for full frames and drag
// frames, shrunk (averaged) and enlarged (interpolated), at pixel scales whose blocks the bands
// must not split, on a client height no band count divides.
TEST(ThreadedCompose, EveryThreadCountGivesTheFrameOfOnePieceAfterAnother) {
    TestPicture colour;
    colour.MakeDecoded(150, 110, 4);
    for (std::size_t i = 0; i < colour.bytes.size(); ++i) colour.bytes[i] = static_cast<unsigned char>(i * 37 % 251);
    std::vector<unsigned char> samples(150 * 110 * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<unsigned char>(i * 13 % 256);
    TestPicture fits;
    fits.MakeRaster(ImageStorage::FitsFile, 16, 150, 110, 0, samples);
    const std::int32_t threadsBefore = g_frameThreads;
    for (TestPicture* picture : {&colour, &fits}) {
        for (const std::int16_t scale : {1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << (picture == &fits ? ", FITS" : ""));
            g_clientRect = PixelRect{0, 0, 61, 37};
            g_pixelScale = scale;
            Canvas canvas;
            g_canvas = &canvas;
            canvas.InitSize(61, 37);
            View view;
            g_view = &view;
            g_sourceImage = &picture->image;
            g_randomState = 7;
            g_cellSize = 16;
            ASSERT_TRUE(GeneratePuzzle());
            Group* held = RecordOf<Group>(g_groups.last);
            g_draggedGroup = held;
            for (const double zoom : {1.0, 0.2}) {
                view.Zoom(zoom);
                // A full frame, then drag frames that move the held group along and across rows.
                const std::int32_t moves[][2] = {{0, 0}, {9, 0}, {9, -25}, {-30, 40}};
                std::vector<std::uint8_t> expected[4];
                for (int m = 0; m < 4; ++m) {
                    held->dragDX = moves[m][0];
                    held->dragDY = moves[m][1];
                    expected[m] = PieceByPieceFrame(held);
                }
                for (const std::int32_t threads : {1, 2, 3, 8}) {
                    g_frameThreads = threads;
                    canvas.Fill(Colour());
                    for (int m = 0; m < 4; ++m) {
                        held->dragDX = moves[m][0];
                        held->dragDY = moves[m][1];
                        ComposeFrame(m == 0 ? 3 : 1);
                        EXPECT_EQ(FrameBytes(canvas), expected[m])
                            << threads << " threads, zoom " << zoom << ", frame " << m;
                    }
                }
            }
            ClearPuzzle();
            g_draggedGroup = nullptr;
            g_view = nullptr;
            g_canvas = nullptr;
        }
    }
    g_frameThreads = threadsBefore;
    g_sourceImage = nullptr;
    g_pixelScale = 1;
}
