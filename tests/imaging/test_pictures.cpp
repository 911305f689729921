#include "test_pictures.h"


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

void TestPicture::MakeRaster(ImageStorage storage, std::int32_t sampleFormat, std::int32_t width,
                             std::int32_t height, std::int32_t dataOffset, const std::vector<unsigned char>& file) {
    bytes = std::vector<unsigned char>(file);  // exactly as large as the file: no spare capacity
    raster.file.view = bytes.data();
    raster.file.size = bytes.size();
    raster.sampleFormat = sampleFormat;
    raster.width = image.width = width;
    raster.height = image.height = height;
    raster.channels = image.channels = 1;
    raster.dataOffset = dataOffset;
    image.storage = storage;
    image.data = &raster;
    image.loaded = 1;
}

std::string Rgb(const std::uint8_t* pixel) {
    return std::to_string(pixel[0]) + " " + std::to_string(pixel[1]) + " " + std::to_string(pixel[2]);
}

void SizeCanvas(Canvas* canvas, std::int32_t width, std::int32_t height) {
    canvas->pixelFormat = 1;
    canvas->Resize(width, height, 1);
}

std::string CanvasRgb(const Canvas& canvas, std::int32_t x, std::int32_t y) {
    return Rgb(canvas.pixels + (static_cast<std::size_t>(y) * canvas.width + x) * 3);
}

std::vector<unsigned char> CanvasBytes(const Canvas& canvas) {
    return std::vector<unsigned char>(canvas.pixels,
                                      canvas.pixels + static_cast<std::size_t>(canvas.width) * canvas.height * 3);
}
