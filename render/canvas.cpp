#include "render/canvas.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "render/display_reduction.h"

Canvas* g_canvas = nullptr;
std::int16_t g_pixelScale = 1;

namespace {

// The working image is handed to code that indexes it with 32-bit signed offsets.
constexpr std::int64_t kMaxImageBytes = 2147483647;
constexpr unsigned long kLockSpinCount = 8192;

// Supersampling beyond 9 × 9 would overflow the 16-bit channel sums of the reduction.
std::int16_t ClampScale(std::int32_t scale) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(scale, 1, 9));
}

// Widens the client area until a row of pixels fills whole 4-byte words, so that the display
// image's rows need no padding.
std::int64_t AlignedClientWidth(std::int64_t clientWidth, std::int64_t bytesPerPixel) {
    while (bytesPerPixel < 4 && clientWidth * bytesPerPixel % 4 != 0) ++clientWidth;
    return clientWidth;
}

bool ExceedsImageLimit(std::int64_t rowBytes, std::int64_t rows) {
    return rowBytes > kMaxImageBytes || rows > kMaxImageBytes ||
           (rowBytes != 0 && rows > kMaxImageBytes / rowBytes);
}

}  // namespace

Canvas::Canvas() {
    InitLock(&renderLock, kLockSpinCount);
    InitLock(&displayLock, kLockSpinCount);
}

Canvas::~Canvas() {
    delete[] pixels;
    delete[] restPixels;
    delete[] display;
    DeleteLock(&displayLock);
    DeleteLock(&renderLock);
    Unlink(&links);
}

std::int32_t Canvas::DisplayWidth() const { return width / scale; }

std::int32_t Canvas::DisplayHeight() const { return height / scale; }

void Canvas::InitSize(std::int32_t clientWidth, std::int32_t clientHeight) {
    pixelFormat = 1;
    Resize(clientWidth, clientHeight, ClampScale(g_pixelScale));
}

bool Canvas::Resize(std::int32_t clientWidth, std::int32_t clientHeight, std::int16_t requestedScale) {
    LockHold render(&renderLock);
    {
        LockHold displayHold(&displayLock);
        delete[] pixels;
        delete[] restPixels;
        delete[] display;
        pixels = restPixels = display = nullptr;
    }
    bytesPerPixel = pixelFormat == 1 ? 3 : 0;
    if (requestedScale != 0) scale = ClampScale(requestedScale);

    // In 64 bits: a large client area times the scale passes the 32-bit range. A negative client
    // size has no pixels.
    const std::int64_t newWidth = AlignedClientWidth(std::max(clientWidth, 0), bytesPerPixel) * scale;
    const std::int64_t newHeight = static_cast<std::int64_t>(std::max(clientHeight, 0)) * scale;
    const bool representable = newWidth <= INT32_MAX && newHeight <= INT32_MAX;
    width = representable ? static_cast<std::int32_t>(newWidth) : 0;
    height = representable ? static_cast<std::int32_t>(newHeight) : 0;
    if (!representable || ExceedsImageLimit(newWidth * bytesPerPixel, newHeight)) return false;

    if (bytesPerPixel == 0) return true;
    // Zero-initialised: a new working image is black.
    pixels = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(newWidth * bytesPerPixel * newHeight)]();
    return pixels != nullptr;
}

void Canvas::Fill(Colour colour) {
    LockHold render(&renderLock);
    if (pixels == nullptr || width == 0 || height == 0) return;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (std::size_t at = 0; at < rowBytes; at += 3) {
        pixels[at] = colour.red;
        pixels[at + 1] = colour.green;
        pixels[at + 2] = colour.blue;
    }
    for (std::int32_t row = 1; row < height; ++row) std::memcpy(pixels + row * rowBytes, pixels, rowBytes);
}

void Canvas::SaveRest() {
    LockHold render(&renderLock);
    LockHold displayHold(&displayLock);
    if (pixels == nullptr) return;
    const std::size_t bytes = static_cast<std::size_t>(width) * height * bytesPerPixel;
    // Resize drops the snapshot, so one that exists already has the working image's size.
    if (restPixels == nullptr) restPixels = new (std::nothrow) std::uint8_t[bytes];
    if (restPixels == nullptr) return;
    std::memcpy(restPixels, pixels, bytes);
}

void Canvas::RestoreRest() {
    LockHold render(&renderLock);
    LockHold displayHold(&displayLock);
    if (pixels == nullptr || restPixels == nullptr) return;
    std::memcpy(pixels, restPixels, static_cast<std::size_t>(width) * height * bytesPerPixel);
}

void Canvas::UpdateDisplay() {
    LockHold render(&renderLock);
    LockHold displayHold(&displayLock);
    if (pixels == nullptr) return;
    const std::int32_t displayWidth = DisplayWidth();
    const std::int32_t displayHeight = DisplayHeight();
    if (display == nullptr) {
        display = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(displayWidth) * displayHeight * 4];
    }
    if (display == nullptr) return;
    ReduceToDisplay(pixels, width, scale, displayWidth, displayHeight, display);
}
