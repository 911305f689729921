#include "loaders/image_loader.h"

#include <cstddef>
#include <cwchar>
#include <new>

#include "imaging/contrast_stretch.h"
#include "loaders/fits_header.h"
#include "loaders/pds_label.h"
#include "loaders/platform_decoder.h"
#include "loaders/raster_file.h"
#include "loaders/source_image.h"
#include "loaders/tiff_probe.h"
#include "platform/path.h"

namespace {

using RasterReader = bool (*)(RasterFile* raster, const wchar_t* path);

// Copies `path` into `copy`, bounded to its 260 characters, lower-cases the copy and returns its
// file name: the part after the last folder separator. Only ASCII letters change, which is all
// the name tests need, whatever the locale.
const wchar_t* LowerCaseFileName(const wchar_t* path, wchar_t (&copy)[kPathCapacity]) {
    std::size_t length = 0;
    std::size_t nameStart = 0;
    for (; length + 1 < static_cast<std::size_t>(kPathCapacity) && path[length] != L'\0'; ++length) {
        wchar_t c = path[length];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c == L'\\' || c == L'/') nameStart = length + 1;
        copy[length] = c;
    }
    copy[length] = L'\0';
    return copy + nameStart;
}

bool Contains(const wchar_t* text, const wchar_t* part) { return std::wcsstr(text, part) != nullptr; }

std::int16_t LoadRaster(SourceImage* image, ImageStorage storage, RasterReader read,
                        const wchar_t* path) {
    auto* raster = new (std::nothrow) RasterFile;
    image->storage = storage;
    image->data = raster;  // kept after a failure too: the caller's release closes the file
    image->loaded = static_cast<std::int16_t>(raster != nullptr && read(raster, path));
    if (image->loaded != 0) {
        image->width = raster->width;
        image->height = raster->height;
        image->channels = raster->channels;
        // Measured whether or not the stretch is on, so that turning it on costs nothing more.
        raster->stretch = MeasureSampleStretch(*image);
    }
    return image->loaded;
}

}  // namespace

std::int16_t LoadSourceImage(const wchar_t* path) {
    SourceImage* image = g_sourceImage;
    if (image == nullptr) return 0;
    FreeSourceImageData(image);
    wchar_t copy[kPathCapacity];
    const wchar_t* name = LowerCaseFileName(path, copy);
    if (Contains(name, L".tif") && ProbeTiffVersion(path) == 2) return 0;
    if (Contains(name, L".img")) return LoadRaster(image, ImageStorage::PdsFile, ParsePdsLabel, path);
    if (Contains(name, L".fit")) return LoadRaster(image, ImageStorage::FitsFile, ParseFitsHeader, path);
    image->loaded = static_cast<std::int16_t>(DecodeWithPlatform(image, path));
    return image->loaded;
}

bool ReplacePicture(const wchar_t* path) {
    ReleasePicture();
    g_sourceImage = new (std::nothrow) SourceImage;
    if (g_sourceImage != nullptr && LoadSourceImage(path) != 0) return true;
    ReleasePicture();
    return false;
}
