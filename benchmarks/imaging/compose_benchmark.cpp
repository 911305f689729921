// Real frames of a 4000 × 3000 picture cut at cell size 64 (1302 pieces) on a 1920 × 1080 and
// a 3840 × 2160 client area at home view, at pixel scales 1 and 2: a full frame (flags 3) and a
// drag frame (flags 1, one held group of 20 pieces), for a decoded colour picture and for a
// 16-bit FITS file read in place, on one thread and on as many as the machine gives frames
// (threads:0); a copy of the working image is the yardstick. Targets against the copy at the
// same size and scale: a drag frame at scale 2 within 3 × the copy; a full frame at scale 1
// within 150 × the copy on one thread, and close to 1/N of that on N threads. RenderLockPair
// prices one entry and exit of the canvas's render lock: a frame holds it once, because a full
// frame writes 1.28 million pixels at scale 1 and 5.06 million at scale 2 (1920 × 1080), and a
// pair for each cost about a third of the frame. DropFrame prices a drop's frame against the
// picture's size, 12 to 108 megapixels, drawn alone and as the full frame it once was.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "loaders/mapped_file.h"
#include "loaders/raster_file.h"
#include "loaders/source_image.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "model/table.h"
#include "platform/critical_section.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/frame_threads.h"
#include "render/view.h"

namespace {

constexpr std::int32_t kPictureWidth = 4000;
constexpr std::int32_t kPictureHeight = 3000;

enum PictureKind : std::int64_t { kDecoded = 0, kFits16 = 1 };

// Smooth gradients with some noise, so that neither sampler meets a flat picture.
std::uint8_t Texture(std::int32_t x, std::int32_t y, std::int32_t channel, std::uint32_t* state) {
    *state = *state * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>((x / 16 + y / 12 + channel * 85 + static_cast<std::int32_t>(*state >> 28)) & 0xFF);
}

// A decoded colour picture of the texture; the caller frees its data and the record.
SourceImage* NewDecodedPicture(std::int32_t width, std::int32_t height) {
    auto* picture = new SourceImage;
    picture->width = width;
    picture->height = height;
    picture->channels = 3;
    picture->rowStride = static_cast<std::int32_t>(DecodedRowStride(3, width));
    picture->storage = ImageStorage::Decoded;
    auto* bytes = new unsigned char[static_cast<std::size_t>(picture->rowStride) * height];
    std::uint32_t state = 1;
    for (std::int32_t row = 0; row < height; ++row) {
        for (std::int32_t x = 0; x < width; ++x) {
            for (std::int32_t c = 0; c < 3; ++c)
                bytes[static_cast<std::size_t>(row) * picture->rowStride + x * 3 + c] = Texture(x, row, c, &state);
        }
    }
    picture->data = bytes;
    picture->loaded = 1;
    return picture;
}

SourceImage* DecodedPicture() {
    static SourceImage* image = NewDecodedPicture(kPictureWidth, kPictureHeight);
    return image;
}

std::string Card(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

// A FITS file written for the run and mapped as the FITS reader leaves it.
SourceImage* FitsPicture() {
    static SourceImage* image = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "tesselon-compose-benchmark.fits";
        {
            std::string header = Card("SIMPLE  =                    T") + Card("BITPIX  =                   16") +
                                 Card("NAXIS   =                    2") + Card("NAXIS1  =                 4000") +
                                 Card("NAXIS2  =                 3000") + Card("END");
            header.resize(2880, ' ');
            std::vector<unsigned char> data(static_cast<std::size_t>(kPictureWidth) * kPictureHeight * 2);
            std::uint32_t state = 2;
            for (std::int32_t y = 0; y < kPictureHeight; ++y) {
                for (std::int32_t x = 0; x < kPictureWidth; ++x) {
                    const std::size_t at = (static_cast<std::size_t>(y) * kPictureWidth + x) * 2;
                    data[at] = static_cast<unsigned char>(Texture(x, y, 0, &state) >> 1);  // 0 … 127: no wrap
                    data[at + 1] = Texture(x, y, 1, &state);
                }
            }
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(header.data(), static_cast<std::streamsize>(header.size()));
            out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        }
        auto* raster = new RasterFile;
        if (!MapFile(path.wstring().c_str(), &raster->file)) std::abort();
        raster->dataOffset = 2880;
        raster->sampleFormat = 16;
        raster->width = kPictureWidth;
        raster->height = kPictureHeight;
        raster->channels = 1;
        auto* picture = new SourceImage;
        picture->width = kPictureWidth;
        picture->height = kPictureHeight;
        picture->channels = 1;
        picture->storage = ImageStorage::FitsFile;
        picture->data = raster;
        picture->loaded = 1;
        return picture;
    }();
    return image;
}

// Gathers the pieces of the first 5 columns of the first 4 rows into one group, assembled as
// they belong, in the middle of the table, raised and held.
Group* HoldTwentyPieces() {
    std::int32_t firstHomeX = INT32_MAX;
    std::int32_t firstHomeY = INT32_MAX;
    for (ListItem* it = g_groups.first; it != nullptr; it = it->next) {
        const Piece* piece = RecordOf<PieceLink>(RecordOf<Group>(it)->members.first)->piece;
        firstHomeX = std::min(firstHomeX, piece->homeX);
        firstHomeY = std::min(firstHomeY, piece->homeY);
    }
    Group* held = nullptr;
    for (ListItem* it = g_groups.first; it != nullptr;) {
        Group* group = RecordOf<Group>(it);
        it = it->next;
        PieceLink* link = RecordOf<PieceLink>(group->members.first);
        const Piece* piece = link->piece;
        if ((piece->homeX - firstHomeX) / g_pitch >= 5 || (piece->homeY - firstHomeY) / g_pitch >= 4) continue;
        link->piece->offsetX = piece->homeX - firstHomeX;
        link->piece->offsetY = piece->homeY - firstHomeY;
        if (held == nullptr) {
            held = group;
            continue;
        }
        Unlink(&link->links);
        PushBack(&held->members, &link->links);
        DestroyGroup(group);
        delete group;
    }
    held->x = g_tableWidth / 2;
    held->y = g_tableHeight / 2;
    RaiseGroup(held);
    g_draggedGroup = held;
    return held;
}

// The thread count frames start with; a scene asking for 0 threads gets it.
std::int32_t MachineFrameThreads() {
    static const std::int32_t threads = g_frameThreads;
    return threads;
}

// The window of the given client height (1080 or 2160, 16:9), the canvas at the pixel scale, the
// picture and its puzzle, as after a Load Image, drawn on the given number of threads.
struct Scene {
    Scene(PictureKind kind, std::int16_t scale, std::int64_t clientHeight = 1080, std::int64_t threads = 0,
          std::int32_t cellSize = 64) {
        const auto height = static_cast<std::int32_t>(clientHeight);
        const std::int32_t width = height * 16 / 9;
        const std::int32_t machine = MachineFrameThreads();
        g_frameThreads = threads == 0 ? machine : static_cast<std::int32_t>(threads);
        g_clientRect = PixelRect{0, 0, width, height};
        g_pixelScale = scale;
        g_canvas = new Canvas;
        g_canvas->InitSize(width, height);
        g_view = new View;
        g_sourceImage = kind == kDecoded ? DecodedPicture() : FitsPicture();
        g_randomState = 20240601;
        g_cellSize = cellSize;
        GeneratePuzzle();
        held = HoldTwentyPieces();
        ComposeFrame(3);
    }
    ~Scene() {
        ClearPuzzle();
        g_draggedGroup = nullptr;
        g_sourceImage = nullptr;
        delete g_view;
        g_view = nullptr;
        delete g_canvas;
        g_canvas = nullptr;
    }
    Group* held;
};

Scene SceneOf(const benchmark::State& state) {
    return Scene(static_cast<PictureKind>(state.range(0)), static_cast<std::int16_t>(state.range(1)), state.range(2),
                 state.range(3));
}

void FullFrame(benchmark::State& state) {
    Scene scene = SceneOf(state);
    for (auto _ : state) {
        ComposeFrame(3);
        benchmark::ClobberMemory();
    }
    state.counters["pieces"] = static_cast<double>(g_groups.count - 1 + scene.held->members.count);
    state.counters["threads"] = g_frameThreads;
}

// The picture cut at cell size 8 (98,736 pieces) on all cores: what a frame costs besides its
// pixels, for every piece on the table.
void FullFrameManyPieces(benchmark::State& state) {
    Scene scene(kDecoded, static_cast<std::int16_t>(state.range(0)), state.range(1), 0, 8);
    for (auto _ : state) {
        ComposeFrame(3);
        benchmark::ClobberMemory();
    }
}

// The held group moves back and forth by one table unit, a drag frame each time.
void TimeDragFrames(benchmark::State& state, Group* held) {
    std::int32_t step = 1;
    for (auto _ : state) {
        held->dragDX += step;
        step = -step;
        ComposeFrame(1);
        benchmark::ClobberMemory();
    }
    state.counters["threads"] = g_frameThreads;
}

void DragFrame(benchmark::State& state) {
    Scene scene = SceneOf(state);
    TimeDragFrames(state, scene.held);
}

// Zoomed in 64 times from home, the held group covers the whole window and a drag frame redraws
// every pixel of it, which the threads share.
void DragFrameZoomedIn(benchmark::State& state) {
    Scene scene = SceneOf(state);
    g_view->Zoom(1.0 / 64);
    ComposeFrame(3);
    TimeDragFrames(state, scene.held);
}

// A drop at home view on a 1920 × 1080 window at scale 1, all cores, of a picture of 4:3 and
// range(0) megapixels cut at cell size 64: the held group of twenty pieces is dragged one frame
// and dropped where it lies. range(1) 0 draws the drop as a full frame, as drops once were; 1 as
// the drop's own frame. Only the drop's frame is timed; the full frame of the next grab is not.
void DropFrame(benchmark::State& state) {
    const auto megapixels = static_cast<std::int32_t>(state.range(0));
    std::int32_t width = 4000;
    while (static_cast<std::int64_t>(width + 4) * (width + 4) * 3 / 4 <= megapixels * std::int64_t{1000000}) width += 4;
    SourceImage* picture = NewDecodedPicture(width, width * 3 / 4);
    {
        Scene scene(kDecoded, 1);
        g_sourceImage = picture;
        GeneratePuzzle();
        Group* held = HoldTwentyPieces();
        std::int32_t step = 1;
        for (auto _ : state) {
            state.PauseTiming();
            g_draggedGroup = held;
            ComposeFrame(kDraggedGroupMoved | kRestingGroupsChanged);
            held->dragDX += step;
            step = -step;
            ComposeFrame(kDraggedGroupMoved);
            held->x += held->dragDX;
            held->dragDX = 0;
            g_draggedGroup = nullptr;
            NoteGroupPlaced(held);
            state.ResumeTiming();
            ComposeFrame(state.range(1) == 1 ? kGroupsPlaced : kDraggedGroupMoved | kRestingGroupsChanged);
            benchmark::ClobberMemory();
        }
        state.counters["megapixels"] = static_cast<double>(picture->width) * picture->height / 1e6;
        state.counters["pieces"] = static_cast<double>(g_groups.count - 1 + held->members.count);
    }
    delete[] static_cast<unsigned char*>(picture->data);
    delete picture;
}

void WorkingImageCopy(benchmark::State& state) {
    Scene scene(kDecoded, static_cast<std::int16_t>(state.range(0)), state.range(1));
    const std::size_t bytes = static_cast<std::size_t>(g_canvas->width) * g_canvas->height * 3;
    std::vector<std::uint8_t> target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), g_canvas->pixels, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void RenderLockPair(benchmark::State& state) {
    Scene scene(kDecoded, 1);
    for (auto _ : state) {
        EnterLock(&g_canvas->renderLock);
        LeaveLock(&g_canvas->renderLock);
    }
}

}  // namespace

BENCHMARK(FullFrame)
    ->ArgNames({"fits", "scale", "client", "threads"})
    ->ArgsProduct({{kDecoded, kFits16}, {1, 2}, {1080, 2160}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FullFrameManyPieces)
    ->ArgNames({"scale", "client"})
    ->ArgsProduct({{1, 2}, {1080, 2160}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DragFrame)
    ->ArgNames({"fits", "scale", "client", "threads"})
    ->ArgsProduct({{kDecoded, kFits16}, {1, 2}, {1080, 2160}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DragFrameZoomedIn)
    ->ArgNames({"fits", "scale", "client", "threads"})
    ->ArgsProduct({{kDecoded}, {1, 2}, {1080}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(DropFrame)
    ->ArgNames({"megapixels", "own"})
    ->ArgsProduct({{12, 48, 108}, {0, 1}})
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorkingImageCopy)
    ->ArgNames({"scale", "client"})
    ->ArgsProduct({{1, 2}, {1080, 2160}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RenderLockPair)->Unit(benchmark::kNanosecond);
