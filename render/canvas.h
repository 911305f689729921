#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/colour.h"
#include "model/list.h"
#include "platform/critical_section.h"

// Working rows first … end − 1: the part of the canvas one thread of a frame draws into, or the
// rows a frame changed. Empty when first ≥ end.
struct RowBand {
    std::int32_t first;
    std::int32_t end;
};

// Working columns firstColumn … endColumn − 1 of `rows`: what one drawing covers, or the part of
// the canvas a frame redraws. Empty when either range is.
struct CanvasArea {
    RowBand rows;
    std::int32_t firstColumn;
    std::int32_t endColumn;
};

// The software frame buffer. Pieces are painted into the working image `pixels` (red, green,
// blue), which is `scale` times the client area in each direction; `UpdateDisplay` reduces it
// into `display` (blue, green, red), laid out as the pixel rows of a 24-bit bottom-up bitmap.
// Rows count from the bottom of the window in every image, without padding.
//
// A canvas without a working image (a size that was refused or memory that could not be had)
// is safe to use: every operation then does nothing until the next successful Resize. Whoever
// writes pixels directly checks `pixels` for null under `renderLock`.
struct Canvas {
    ListItem links;  // never linked
    std::uint8_t* pixels = nullptr;      // owned; pixel (x, y) starts at byte (y × width + x) × 3
    std::uint8_t* restPixels = nullptr;  // owned; the working image with every resting group
    std::uint8_t* display = nullptr;     // owned; display width × display height × 4 bytes
    CriticalSection renderLock;          // guards pixels, restPixels and the sizes
    CriticalSection displayLock;         // guards display, and every image freed or replaced
    std::int32_t width = 0;              // working pixels
    std::int32_t height = 0;
    std::int16_t scale = 1;  // 1 to 9 working pixels per window pixel, in each direction
    std::int16_t bytesPerPixel = 0;
    std::int32_t pixelFormat = 0;  // 0 until the first sizing, then 1: 8-bit red, green, blue
    // Outside these rows the working image equals the rest image and the display image is its
    // reduction, so that a drag frame need restore and reduce no others. Only composition
    // narrows them; every other operation that writes an image widens them to all rows.
    RowBand changedRows{0, 0};

    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Sizes the canvas for the first time, at the window-wide pixel scale.
    void InitSize(std::int32_t clientWidth, std::int32_t clientHeight);
    // Rebuilds a black working image for a client area; a scale of 0 keeps the current one.
    // False when the image would exceed 2^31 − 1 bytes or memory is short: no images are left.
    bool Resize(std::int32_t clientWidth, std::int32_t clientHeight, std::int16_t requestedScale);
    void Fill(Colour colour);
    void SaveRest();
    void RestoreRest();
    void UpdateDisplay();
    // For a frame drawn in bands of rows by several threads at once, the caller holding both locks
    // for the whole frame. PrepareFrame makes the images the frame writes (the rest image only
    // when it `savesRest`), false without a working image; the row operations then do for the
    // rows of one band what Fill, SaveRest, RestoreRest and UpdateDisplay do for all. The rows
    // ReduceRows is given start and end on whole blocks of `scale` rows.
    bool PrepareFrame(bool savesRest);
    void FillRows(Colour colour, RowBand rows);
    void FillArea(Colour colour, CanvasArea area);
    void SaveRestRows(RowBand rows);
    void RestoreRestRows(RowBand rows);
    void ReduceRows(RowBand rows);
    // Copies the display image into a window's device context (an HDC); lives with the Windows
    // front end so that this header stays free of windows.h.
    void Present(void* deviceContext);

    // The display image's size: the client area with its width rounded up to whole 4-byte rows.
    std::int32_t DisplayWidth() const;
    std::int32_t DisplayHeight() const;
    // The bytes of working rows firstRow … endRow − 1.
    std::size_t WorkingBytes(std::int32_t firstRow, std::int32_t endRow) const;
};

extern Canvas* g_canvas;
// The supersampling factor chosen with the keys "1" and "2"; read when the canvas is first sized.
extern std::int16_t g_pixelScale;
