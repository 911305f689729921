#include "loaders/source_image.h"

#include "loaders/raster_file.h"

SourceImage* g_sourceImage = nullptr;

std::int64_t DecodedRowStride(std::int32_t channels, std::int32_t width) {
    return (static_cast<std::int64_t>(channels) * width + 3) / 4 * 4;
}

void FreeSourceImageData(SourceImage* image) {
    switch (image->storage) {
    case ImageStorage::Decoded:
        delete[] static_cast<unsigned char*>(image->data);
        break;
    case ImageStorage::FitsFile:
    case ImageStorage::PdsFile: {
        auto* raster = static_cast<RasterFile*>(image->data);
        if (raster != nullptr) {
            CloseRasterFile(raster);
            delete raster;
        }
        break;
    }
    }
    image->data = nullptr;
    image->loaded = 0;
}

void ReleaseSourceImage(SourceImage* image) {
    FreeSourceImageData(image);
    Unlink(&image->links);
}

void ReleasePicture() {
    if (g_sourceImage == nullptr) return;
    ReleaseSourceImage(g_sourceImage);
    delete g_sourceImage;
    g_sourceImage = nullptr;
}
