#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/contrast_stretch.h"
#include "imaging/interpolation_terms.h"
#include "imaging/wide_vectors.h"
#include "imaging/test_pictures.h"
#include "loaders/image_loader.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/joining.h"
#include "model/random.h"
#include "model/table.h"
#include "render/compose_frame.h"
#include "render/frame_threads.h"
#include "render/view.h"
#include "support/test_files.h"
#include "tools/test_pictures.h"

// Frames as the game drew them before their drawing was made faster: every byte of the working
// and display images must stay what it was. The hashes were taken from frames that were looked at
// (a grey pattern of squares and ramps in a frame, the decoded pictures' colour gradients); they
// are never to be taken again without looking.

namespace {

// FNV-1a, 64 bits.
std::uint64_t Hashed(std::uint64_t hash, const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
    return hash;
}

std::uint64_t FrameHash(std::uint64_t hash, const Canvas& canvas) {
    hash = Hashed(hash, canvas.pixels, canvas.WorkingBytes(0, canvas.height));
    return Hashed(hash, canvas.display, static_cast<std::size_t>(canvas.DisplayWidth()) * canvas.DisplayHeight() * 3);
}

std::size_t GroupCount() {
    std::size_t count = 0;
    for (ListItem* g = g_groups.first; g != nullptr; g = g->next) ++count;
    return count;
}

Group* GroupHolding(std::int32_t id, const Piece** piece) {
    for (ListItem* g = g_groups.first; g != nullptr; g = g->next) {
        for (ListItem* it = RecordOf<Group>(g)->members.first; it != nullptr; it = it->next) {
            *piece = RecordOf<PieceLink>(it)->piece;
            if ((*piece)->id == id) return RecordOf<Group>(g);
        }
    }
    return nullptr;
}

// Drops the held group two units right and one up of where it belongs beside its neighbour, as
// the player's drop does: it joins and sinks to the bottom.
void DropBesideNeighbour(Group* held) {
    const Piece* piece = RecordOf<PieceLink>(held->members.first)->piece;
    const Piece* neighbour = nullptr;
    const Group* resting = GroupHolding(piece->rightId != 0 ? piece->rightId : piece->leftId, &neighbour);
    ASSERT_NE(resting, nullptr);
    held->x = resting->x + neighbour->offsetX - piece->offsetX + piece->homeX - neighbour->homeX + 2;
    held->y = resting->y + neighbour->offsetY - piece->offsetY + piece->homeY - neighbour->homeY + 1;
    held->dragDX = held->dragDY = 0;
    const std::size_t before = GroupCount();
    JoinAllDropped();
    EXPECT_EQ(GroupCount(), before - 1);
    const Group* placed = g_draggedGroup;
    g_draggedGroup = nullptr;
    NoteGroupPlaced(placed);
}

// Six by five pieces of cell size 16 (pitch 23), whose margins reach past every edge of the
// picture, where interpolation repeats the edge pixels.
constexpr std::int32_t kWidth = 138;
constexpr std::int32_t kHeight = 115;

// The picture shown at these many picture pixels a working pixel: enlarged, about its size,
// either side of the step beyond which resting groups are averaged, and shrunk to footprints of
// two and of five samples a side.
constexpr double kSteps[] = {0.45, 1.0, 1.07, 1.14, 2.3, 5.2};

// Every frame of one game on one picture at one scale, hashed in turn: for every step a full
// frame and drag frames that move the held group along and across rows, then a drop that joins,
// whose frame redraws only what the drop changed.
// The client area is 61 × 37: no band count of several threads divides its height.
std::uint64_t GameHash(const SourceImage& image, std::int16_t scale, std::int32_t threads) {
    g_frameThreads = threads;
    // One thread interpolates by the plain path, two by the vectors of two doubles where there are
    // any, three by the widest vectors the processor has.
    g_vectorInterpolation = threads > 1 && TESSELON_VECTOR_TERMS;
    g_wideInterpolation = threads > 2 && HasWideVectors();
    g_clientRect = PixelRect{0, 0, 61, 37};
    g_pixelScale = scale;
    Canvas canvas;
    canvas.InitSize(61, 37);
    g_canvas = &canvas;
    View view;
    g_view = &view;
    g_sourceImage = const_cast<SourceImage*>(&image);
    g_randomState = 7;
    g_cellSize = 16;
    std::uint64_t hash = 0xCBF29CE484222325ull;
    if (!GeneratePuzzle()) return 0;
    Group* held = g_draggedGroup = RecordOf<Group>(g_groups.last);
    for (const double step : kSteps) {
        view.Home();
        view.Zoom(step / view.toTable[0][0]);
        const std::int32_t moves[][2] = {{0, 0}, {9, 0}, {9, -25}, {-30, 40}};
        for (int m = 0; m < 4; ++m) {
            held->dragDX = moves[m][0];
            held->dragDY = moves[m][1];
            ComposeFrame(m == 0 ? kDraggedGroupMoved | kRestingGroupsChanged : kDraggedGroupMoved);
            hash = FrameHash(hash, canvas);
        }
    }
    DropBesideNeighbour(held);
    ComposeFrame(kGroupsPlaced);
    hash = FrameHash(hash, canvas);
    ClearPuzzle();
    g_view = nullptr;
    g_canvas = nullptr;
    return hash;
}

// A decoded picture of colour gradients; with four channels its transparency rises along both axes.
void MakeGradients(TestPicture* picture, std::int32_t channels) {
    picture->MakeDecoded(kWidth, kHeight, channels);
    for (std::int32_t y = 0; y < kHeight; ++y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
            for (std::int32_t c = 0; c < channels; ++c)
                picture->Byte(x, y, c) = static_cast<unsigned char>(c == 3 ? (x + y) * 2 : x * (c + 1) + y * (3 - c) * 2);
        }
    }
}

struct GoldenCase {
    std::string picture;
    std::uint64_t hashes[3];  // at scales 1, 2 and 3
};

const GoldenCase kGolden[] = {
    {"decoded 1", {0x7B02E58A4F0848EDull, 0x4DC4F78A8316733Cull, 0x4D5BC4BD694878BAull}},
    {"decoded 3", {0x04D9D99CAAFA59BDull, 0x0DB7A55DAC6A30C6ull, 0x5E42C692E1B2B778ull}},
    {"decoded 4", {0x7948E63D292B8049ull, 0x77644F5592A1F57Aull, 0xAED85DC7129113A6ull}},
    {"pattern_unsigned_integer_8.img", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_msb_unsigned_integer_16.img", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_lsb_unsigned_integer_16.img", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_msb_integer_16.img", {0xEFB61254B0FFE03Dull, 0x65C9568C5EBB63B0ull, 0x8A847DC9E611CEBBull}},
    {"pattern_lsb_integer_16.img", {0xEFB61254B0FFE03Dull, 0x65C9568C5EBB63B0ull, 0x8A847DC9E611CEBBull}},
    {"pattern_msb_integer_32.img", {0xEFB61254B0FFE03Dull, 0x65C9568C5EBB63B0ull, 0x8A847DC9E611CEBBull}},
    {"pattern_lsb_integer_32.img", {0xEFB61254B0FFE03Dull, 0x65C9568C5EBB63B0ull, 0x8A847DC9E611CEBBull}},
    {"pattern_ieee_real_32.img", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_pc_real_32.img", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_bitpix_8.fits", {0x15A579D7A9714E45ull, 0xD67569C5699B6184ull, 0x062ECCFC0DC39C0Dull}},
    {"pattern_bitpix_16.fits", {0x33089928EE311BC9ull, 0x340B6DDC970C49B1ull, 0xDC999DB39EE0D7AFull}},
    {"pattern_bitpix_32.fits", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_bitpix_minus_32.fits", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"pattern_bitpix_minus_64.fits", {0xAB124C077ED9D201ull, 0x21B0092A5CD0CB0Full, 0x28765AA44A1F8AA7ull}},
    {"stretched pattern_bitpix_minus_32.fits", {0xB20EC8A6279AED29ull, 0xA6004496029D9ED4ull, 0x845887B05C788766ull}},
};

}  // namespace

TEST(GoldenFrames, EveryPictureKindScaleAndThreadCountDrawsTheRecordedFrames) {
    const std::int32_t threadsBefore = g_frameThreads;
    std::vector<std::pair<std::string, std::function<void(SourceImage*)>>> pictures;
    for (const std::int32_t channels : {1, 3, 4}) {
        pictures.emplace_back("decoded " + std::to_string(channels), [channels](SourceImage* image) {
            static TestPicture decoded;
            MakeGradients(&decoded, channels);
            *image = decoded.image;
        });
    }
    const auto loaded = [](const std::string& name, const std::vector<unsigned char>& bytes) {
        return [name, bytes](SourceImage* image) {
            g_sourceImage = image;
            ASSERT_NE(LoadSourceImage(WriteTestFile(name, bytes).c_str()), 0) << name;
        };
    };
    for (const PdsSampleLayout& layout : PdsSampleLayouts())
        pictures.emplace_back(PdsPictureName(layout), loaded(PdsPictureName(layout), MakePdsPicture(layout, kWidth, kHeight)));
    for (const std::int32_t bitpix : FitsBitpixValues())
        pictures.emplace_back(FitsPictureName(bitpix), loaded(FitsPictureName(bitpix), MakeFitsPicture(bitpix, kWidth, kHeight)));
    pictures.emplace_back("stretched " + FitsPictureName(-32), pictures.back().second);

    ASSERT_EQ(pictures.size(), std::size(kGolden));
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        SourceImage image;
        pictures[p].second(&image);
        const bool stretched = pictures[p].first.rfind("stretched", 0) == 0;
        g_contrastStretch = stretched ? 1 : 0;
        EXPECT_EQ(pictures[p].first, kGolden[p].picture);
        for (std::int16_t scale = 1; scale <= 3; ++scale) {
            for (const std::int32_t threads : {1, 2, 3}) {
                EXPECT_EQ(GameHash(image, scale, threads), kGolden[p].hashes[scale - 1])
                    << pictures[p].first << ", scale " << scale << ", " << threads << " threads";
            }
        }
        g_contrastStretch = 0;
        if (image.storage != ImageStorage::Decoded) FreeSourceImageData(&image);
    }
    g_frameThreads = threadsBefore;
    g_vectorInterpolation = TESSELON_VECTOR_TERMS;
    g_wideInterpolation = HasWideVectors();
    g_sourceImage = nullptr;
    g_draggedGroup = nullptr;
    g_pixelScale = 1;
}

// A drop's frame against a full frame of the same table: both images and the rest image the same
// byte for byte, with the joined group sunk under a group laid over its neighbour, at scale 2 on
// several threads. With the grey changed since the last frame the drop's frame must be a full one.
TEST(GoldenFrames, ADropsFrameIsTheFullFrameOfTheTableAfterIt) {
    TestPicture picture;
    MakeGradients(&picture, 3);
    const std::int32_t threadsBefore = g_frameThreads;
    for (const bool greyChanged : {false, true}) {
        g_frameThreads = 3;
        g_clientRect = PixelRect{0, 0, 61, 37};
        g_pixelScale = 2;
        Canvas canvas;
        canvas.InitSize(61, 37);
        g_canvas = &canvas;
        View view;
        g_view = &view;
        g_sourceImage = &picture.image;
        g_randomState = 7;
        g_cellSize = 16;
        ASSERT_TRUE(GeneratePuzzle());
        Group* held = g_draggedGroup = RecordOf<Group>(g_groups.last);
        const Piece* neighbour = nullptr;
        const Piece* piece = RecordOf<PieceLink>(held->members.first)->piece;
        const Group* resting = GroupHolding(piece->rightId != 0 ? piece->rightId : piece->leftId, &neighbour);
        Group* over = RecordOf<Group>(g_groups.first);
        over->x = resting->x + 5;
        over->y = resting->y - 3;
        ComposeFrame(kDraggedGroupMoved | kRestingGroupsChanged);
        held->dragDX = 30;
        ComposeFrame(kDraggedGroupMoved);
        DropBesideNeighbour(held);
        g_backgroundGrey = greyChanged ? 90 : 128;
        ComposeFrame(kGroupsPlaced);
        const auto images = [&canvas] {
            std::vector<std::uint8_t> bytes = CanvasBytes(canvas);
            bytes.insert(bytes.end(), canvas.restPixels, canvas.restPixels + canvas.WorkingBytes(0, canvas.height));
            bytes.insert(bytes.end(), canvas.display, canvas.display + canvas.DisplayWidth() * canvas.DisplayHeight() * 3);
            return bytes;
        };
        const std::vector<std::uint8_t> dropped = images();
        ComposeFrame(kDraggedGroupMoved | kRestingGroupsChanged);
        EXPECT_TRUE(dropped == images()) << (greyChanged ? "grey changed" : "same grey");
        ClearPuzzle();
        g_view = nullptr;
        g_canvas = nullptr;
    }
    g_backgroundGrey = 128;
    g_frameThreads = threadsBefore;
    g_sourceImage = nullptr;
    g_pixelScale = 1;
}
