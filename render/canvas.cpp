#include "render/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

// Resize drops the rest and display images, so any that exist already have the working image's size.
std::uint8_t* NewImage(std::size_t bytes) { return new (std::nothrow) std::uint8_t[bytes]; }

// The rest image is read again only where a drag frame restores rows, long after it is saved:
// its bytes are written around the cache, which then keeps the working rows the frame goes on
// to reduce, and no time goes on reading the old rest image in before overwriting it.
void CopyPast(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes) {
#if defined(__SSE2__) || defined(_M_X64)
    const std::size_t head = std::min(bytes, (16 - reinterpret_cast<std::uintptr_t>(to) % 16) % 16);
    std::memcpy(to, from, head);
    std::size_t at = head;
    for (; at + 16 <= bytes; at += 16)
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + at), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at)));
    _mm_sfence();
    std::memcpy(to + at, from + at, bytes - at);
#else
    std::memcpy(to, from, bytes);
#endif
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
    changedRows = RowBand{0, height};
    if (!representable || ExceedsImageLimit(newWidth * bytesPerPixel, newHeight)) return false;

    if (bytesPerPixel == 0) return true;
    // Zero-initialised: a new working image is black.
    pixels = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(newWidth * bytesPerPixel * newHeight)]();
    return pixels != nullptr;
}

void Canvas::Fill(Colour colour) {
    LockHold render(&renderLock);
    changedRows = RowBand{0, height};
    if (pixels != nullptr) FillRows(colour, RowBand{0, height});
}

void Canvas::SaveRest() {
    LockHold render(&renderLock);
    LockHold displayHold(&displayLock);
    changedRows = RowBand{0, height};
    if (pixels == nullptr) return;
    if (restPixels == nullptr) restPixels = NewImage(WorkingBytes(0, height));
    SaveRestRows(RowBand{0, height});
}

void Canvas::RestoreRest() {
    LockHold render(&renderLock);
    LockHold displayHold(&displayLock);
    changedRows = RowBand{0, height};
    if (pixels != nullptr) RestoreRestRows(RowBand{0, height});
}

void Canvas::UpdateDisplay() {
    LockHold render(&renderLock);
    LockHold displayHold(&displayLock);
    changedRows = RowBand{0, height};
    if (PrepareFrame(false)) ReduceRows(RowBand{0, height});
}

bool Canvas::PrepareFrame(bool savesRest) {
    if (pixels == nullptr) return false;
    if (savesRest && restPixels == nullptr) restPixels = NewImage(WorkingBytes(0, height));
    if (display == nullptr) display = NewImage(static_cast<std::size_t>(DisplayWidth()) * DisplayHeight() * 4);
    return true;
}

void Canvas::FillRows(Colour colour, RowBand rows) {
    if (rows.first >= rows.end || width == 0) return;
    std::uint8_t* first = pixels + WorkingBytes(0, rows.first);
    const std::size_t rowBytes = WorkingBytes(0, 1);
    for (std::size_t at = 0; at < rowBytes; at += 3) {
        first[at] = colour.red;
        first[at + 1] = colour.green;
        first[at + 2] = colour.blue;
    }
    for (std::int32_t row = 1; row < rows.end - rows.first; ++row) std::memcpy(first + row * rowBytes, first, rowBytes);
}

void Canvas::FillArea(Colour colour, CanvasArea area) {
    if (area.firstColumn >= area.endColumn) return;
    for (std::int32_t row = area.rows.first; row < area.rows.end; ++row) {
        std::uint8_t* pixel = pixels + WorkingBytes(0, row) + static_cast<std::size_t>(area.firstColumn) * 3;
        for (std::int32_t x = area.firstColumn; x < area.endColumn; ++x, pixel += 3) {
            pixel[0] = colour.red;
            pixel[1] = colour.green;
            pixel[2] = colour.blue;
        }
    }
}

void Canvas::SaveRestRows(RowBand rows) {
    if (restPixels == nullptr || rows.first >= rows.end) return;
    const std::size_t start = WorkingBytes(0, rows.first);
    CopyPast(restPixels + start, pixels + start, WorkingBytes(rows.first, rows.end));
}

void Canvas::RestoreRestRows(RowBand rows) {
    if (restPixels == nullptr || rows.first >= rows.end) return;
    const std::size_t start = WorkingBytes(0, rows.first);
    std::memcpy(pixels + start, restPixels + start, WorkingBytes(rows.first, rows.end));
}

void Canvas::ReduceRows(RowBand rows) {
    if (display == nullptr || rows.first >= rows.end) return;
    const std::int32_t displayWidth = DisplayWidth();
    const std::int32_t firstDisplayRow = rows.first / scale;
    ReduceToDisplay(pixels + WorkingBytes(0, rows.first), width, scale, displayWidth,
                    rows.end / scale - firstDisplayRow,
                    display + static_cast<std::size_t>(firstDisplayRow) * displayWidth * 3);
}

std::size_t Canvas::WorkingBytes(std::int32_t firstRow, std::int32_t endRow) const {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(endRow - firstRow) *
           static_cast<std::size_t>(bytesPerPixel);
}
