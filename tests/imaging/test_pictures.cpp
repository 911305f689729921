#include "test_pictures.h"

#include "support/test_files.h"

TestPicture::~TestPicture() { UnmapFile(&raster.file); }

void TestPicture::MakeDecoded(std::int32_t width, std::int32_t height, std::int32_t channels) {
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.rowStride = static_cast<std::int32_t>(DecodedRowStride(channels, width));
    image.storage = ImageStorage::Decoded;
    bytes.assign(static_cast<std::size_t>(image.rowStride) * static_cast<std::size_t>(height), 0);
    image.data = bytes.data();
    image.loaded = 1;
}

unsigned char& TestPicture::Byte(std::int32_t x, std::int32_t y, std::int32_t channel) {
    const std::int32_t bufferRow = image.height - 1 - y;
    return bytes[static_cast<std::size_t>(bufferRow * image.rowStride + x * image.channels + channel)];
}

bool TestPicture::MakeRaster(ImageStorage storage, std::int32_t sampleFormat, std::int32_t width,
                             std::int32_t height, std::int32_t dataOffset, const std::vector<unsigned char>& file,
                             const std::string& name) {
    if (!MapFile(WriteTestFile(name, file).c_str(), &raster.file)) return false;
    raster.sampleFormat = sampleFormat;
    raster.width = width;
    raster.height = height;
    raster.channels = 1;
    raster.dataOffset = dataOffset;
    image.width = width;
    image.height = height;
    image.channels = 1;
    image.storage = storage;
    image.data = &raster;
    image.loaded = 1;
    return true;
}

std::vector<unsigned char> Bytes(std::initializer_list<int> values) {
    return std::vector<unsigned char>(values.begin(), values.end());
}

std::string Channels(const Colour& colour) {
    return std::to_string(colour.red) + " " + std::to_string(colour.green) + " " + std::to_string(colour.blue) + " " +
           std::to_string(colour.transparency);
}

std::string Grey(int level) {
    const std::string text = std::to_string(level);
    return text + " " + text + " " + text + " 0";
}

void SizeCanvas(Canvas* canvas, std::int32_t width, std::int32_t height) {
    canvas->pixelFormat = 1;
    canvas->Resize(width, height, 1);
}

std::string CanvasRgb(const Canvas& canvas, std::int32_t x, std::int32_t y) {
    const unsigned char* pixel = canvas.pixels + (static_cast<std::size_t>(y) * canvas.width + x) * 3;
    return std::to_string(pixel[0]) + " " + std::to_string(pixel[1]) + " " + std::to_string(pixel[2]);
}

std::vector<unsigned char> CanvasBytes(const Canvas& canvas) {
    return std::vector<unsigned char>(canvas.pixels,
                                      canvas.pixels + static_cast<std::size_t>(canvas.width) * canvas.height * 3);
}
