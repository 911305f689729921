// The contrast stretch. MeasureStretch: the range of a FITS picture of 32-bit reals measured as
// at load, for a picture of 512 × 512 (1 MB, every sample read), 4096 × 4096 (64 MB) and
// 36000 × 36000 (5.2 GB, a sparse file, so that it costs no disk); goal under 50 ms at every size.
// DrawPicture: a 4000 × 3000 FITS picture of BITPIX 16, −32 or −64 drawn whole onto a 1920 ×
// 1080 canvas, averaged (as at home view) and interpolated at its own size (as zoomed in), with
// the stretch off and on; goal: on at most 10% slower than off.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/contrast_stretch.h"
#include "imaging/draw_scaled_image.h"
#include "loaders/image_loader.h"
#include "loaders/source_image.h"
#include "render/canvas.h"

namespace {

std::string Card(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

std::string Header(std::int32_t bitpix, std::int64_t width, std::int64_t height) {
    std::string header = Card("SIMPLE  = T") + Card("BITPIX  = " + std::to_string(bitpix)) + Card("NAXIS   = 2") +
                         Card("NAXIS1  = " + std::to_string(width)) + Card("NAXIS2  = " + std::to_string(height)) +
                         Card("END");
    header.resize(2880, ' ');
    return header;
}

// A faint sky with noise and a few bright stars, in the big-endian bytes of the sample type.
void AppendSample(std::vector<char>* data, std::int32_t bitpix, std::uint32_t* state) {
    *state = *state * 1664525u + 1013904223u;
    const double sky = 100.0 + (*state >> 24) / 16.0;
    const double value = (*state & 0xFFF) == 0 ? 30000.0 : sky;
    std::uint64_t bits = 0;
    if (bitpix == 16) {
        bits = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
    } else if (bitpix == -32) {
        const float single = static_cast<float>(value);
        std::uint32_t word;
        std::memcpy(&word, &single, sizeof word);
        bits = word;
    } else {
        std::memcpy(&bits, &value, sizeof bits);
    }
    const int bytes = (bitpix < 0 ? -bitpix : bitpix) / 8;
    for (int i = bytes - 1; i >= 0; --i) data->push_back(static_cast<char>(bits >> (8 * i)));
}

// A FITS file written once for the run and loaded as the game loads it; a sparse file holds only
// its header and the last sample, the rest reads as zeros.
SourceImage* LoadedPicture(std::int32_t bitpix, std::int64_t width, std::int64_t height, bool sparse) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tesselon-stretch-" + std::to_string(bitpix) + "-" + std::to_string(width) + ".fits");
    const std::int64_t bytes = width * height * ((bitpix < 0 ? -bitpix : bitpix) / 8);
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) != static_cast<std::uintmax_t>(2880 + bytes)) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::string header = Header(bitpix, width, height);
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        if (sparse) {
            out.seekp(2880 + bytes - 1);
            out.put('\0');
        } else {
            std::vector<char> data;
            std::uint32_t state = 7;
            for (std::int64_t i = 0; i < width * height; ++i) AppendSample(&data, bitpix, &state);
            out.write(data.data(), static_cast<std::streamsize>(data.size()));
        }
    }
    g_sourceImage = new SourceImage;
    if (LoadSourceImage(path.wstring().c_str()) == 0) std::abort();
    SourceImage* image = g_sourceImage;
    g_sourceImage = nullptr;
    return image;
}

void MeasureStretch(benchmark::State& state) {
    const std::int64_t side = state.range(0);
    SourceImage* image = LoadedPicture(-32, side, side, side > 10000);
    for (auto _ : state) {
        SampleStretch* stretch = MeasureSampleStretch(*image);
        benchmark::DoNotOptimize(stretch);
        FreeSampleStretch(stretch);
    }
    ReleaseSourceImage(image);
    delete image;
}

void DrawPicture(benchmark::State& state) {
    static SourceImage* pictures[3] = {LoadedPicture(16, 4000, 3000, false), LoadedPicture(-32, 4000, 3000, false),
                                       LoadedPicture(-64, 4000, 3000, false)};
    const SourceImage* image = pictures[state.range(0)];
    const bool averaged = state.range(1) != 0;
    g_contrastStretch = static_cast<std::int16_t>(state.range(2));
    Canvas canvas;
    canvas.InitSize(1920, 1080);
    const double scale = averaged ? 1080.0 / 3000 : 1.0;
    for (auto _ : state) {
        DrawScaledImage(&canvas, image, 0, 0, 4000, 3000, nullptr, 1, 960, 540, 4000 * scale, 3000 * scale);
        benchmark::ClobberMemory();
    }
    g_contrastStretch = 0;
}

}  // namespace

BENCHMARK(MeasureStretch)->ArgName("side")->Arg(512)->Arg(4096)->Arg(36000)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawPicture)
    ->ArgNames({"bitpix16/-32/-64", "averaged", "stretch"})
    ->ArgsProduct({{0, 1, 2}, {1, 0}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
