// The decoder of the Windows build: the Windows Imaging Component reads the file, and its one
// frame is converted to 8-bit grey, blue-green-red or blue-green-red-alpha rows and copied once,
// straight into the record's buffer. Files with more than one frame (an animated GIF, a
// multi-page TIFF) are refused. COM must already be initialised on the calling thread.
#include "loaders/platform_decoder.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "loaders/guid.h"

namespace {

using Microsoft::WRL::ComPtr;

// The identifiers are written out rather than taken from the SDK: newer SDKs make
// CLSID_WICImagingFactory name the Windows 8 factory, which Windows 7 does not have.
const Guid kImagingFactoryClass = {0xCACAF262, 0x9370, 0x4615, {0xA1, 0x3B, 0x9F, 0x55, 0x39, 0xDA, 0x4C, 0x0A}};
const Guid kImagingFactoryInterface = {0xEC5EC8A9, 0xC395, 0x4314, {0x9C, 0x77, 0x54, 0xD7, 0xA9, 0x35, 0xFF, 0x70}};
const Guid kGrey8 = {0x6FDDC324, 0x4E03, 0x4BFE, {0xB1, 0x85, 0x3D, 0x77, 0x76, 0x8D, 0xC9, 0x08}};
const Guid kGrey16 = {0x6FDDC324, 0x4E03, 0x4BFE, {0xB1, 0x85, 0x3D, 0x77, 0x76, 0x8D, 0xC9, 0x0B}};
const Guid kBgr24 = {0x6FDDC324, 0x4E03, 0x4BFE, {0xB1, 0x85, 0x3D, 0x77, 0x76, 0x8D, 0xC9, 0x0C}};
const Guid kBgra32 = {0x6FDDC324, 0x4E03, 0x4BFE, {0xB1, 0x85, 0x3D, 0x77, 0x76, 0x8D, 0xC9, 0x0F}};
const Guid kRgba32 = {0xF5C7AD2D, 0x6A8D, 0x43DD, {0xA7, 0xA8, 0xA2, 0x99, 0x35, 0x26, 0x1A, 0xE9}};

static_assert(sizeof(GUID) == sizeof(Guid), "a Guid and a GUID have the same 16 bytes");

GUID PlatformGuid(const Guid& guid) {
    GUID platform;
    std::memcpy(&platform, &guid, sizeof platform);
    return platform;
}

Guid OwnGuid(const GUID& platform) {
    Guid guid;
    std::memcpy(&guid, &platform, sizeof guid);
    return guid;
}

struct Layout {
    std::int32_t channels;
    Guid target;
};

// Grey stays grey and alpha is kept; everything else (palettes, 48-bit colour, CMYK and the
// rest) becomes blue, green, red.
Layout LayoutFor(const Guid& format) {
    if (IsSameGuid(format, kGrey8) || IsSameGuid(format, kGrey16)) return {1, kGrey8};
    if (IsSameGuid(format, kBgra32) || IsSameGuid(format, kRgba32)) return {4, kBgra32};
    return {3, kBgr24};
}

// The file's only frame converted to its layout, or null. The frame, the decoder and the factory
// are released on return, in that order; the converted source keeps whatever it still needs.
ComPtr<IWICBitmapSource> ConvertedFrame(const wchar_t* path, std::int32_t* channels) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    HRESULT result = CoCreateInstance(PlatformGuid(kImagingFactoryClass), nullptr, CLSCTX_INPROC_SERVER,
                                      PlatformGuid(kImagingFactoryInterface),
                                      reinterpret_cast<void**>(factory.GetAddressOf()));
    if (SUCCEEDED(result)) {
        result = factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnLoad,
                                                    decoder.GetAddressOf());
    }
    UINT frameCount = 0;
    if (SUCCEEDED(result)) result = decoder->GetFrameCount(&frameCount);
    if (SUCCEEDED(result) && frameCount != 1) result = E_FAIL;
    if (SUCCEEDED(result)) result = decoder->GetFrame(0, frame.GetAddressOf());
    WICPixelFormatGUID format = {};
    if (SUCCEEDED(result)) result = frame->GetPixelFormat(&format);
    if (SUCCEEDED(result)) {
        const Layout layout = LayoutFor(OwnGuid(format));
        *channels = layout.channels;
        result = WICConvertBitmapSource(PlatformGuid(layout.target), frame.Get(), converted.GetAddressOf());
    }
    if (FAILED(result)) converted.Reset();
    return converted;
}

}  // namespace

bool DecodeWithPlatform(SourceImage* image, const wchar_t* path) {
    std::int32_t channels = 0;
    const ComPtr<IWICBitmapSource> source = ConvertedFrame(path, &channels);
    if (!source) return false;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) return false;
    // CopyPixels takes the buffer's size as a 32-bit UINT and the record keeps the row stride in
    // an int32; holding the whole buffer below 2^31 bytes keeps both exact, and is tested by
    // division so that the product itself cannot overflow.
    constexpr std::int64_t kMaxBytes = INT32_MAX;
    if (width > static_cast<UINT>(kMaxBytes)) return false;
    const std::int64_t rowStride = DecodedRowStride(channels, static_cast<std::int32_t>(width));
    if (rowStride > kMaxBytes / height) return false;
    const std::int64_t size = rowStride * height;
    auto* pixels = new (std::nothrow) unsigned char[static_cast<std::size_t>(size)];
    if (pixels == nullptr) return false;
    image->width = static_cast<std::int32_t>(width);
    image->height = static_cast<std::int32_t>(height);
    image->rowStride = static_cast<std::int32_t>(rowStride);
    image->channels = channels;
    image->storage = ImageStorage::Decoded;
    image->data = pixels;
    image->loaded = 1;
    // A failed copy leaves the buffer in the record: the caller's release frees it.
    if (FAILED(source->CopyPixels(nullptr, static_cast<UINT>(rowStride), static_cast<UINT>(size), pixels))) {
        image->loaded = 0;
    }
    return image->loaded != 0;
}
