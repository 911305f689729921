// Presentation lives with the Windows front end: the only drawing done through the platform.
#include <windows.h>

#include "render/canvas.h"

void Canvas::Present(void* deviceContext) {
    LockHold displayHold(&displayLock);
    // No composition since the last resize: nothing to show yet.
    if (display == nullptr) return;
    const int displayWidth = DisplayWidth();
    const int displayHeight = DisplayHeight();
    // A header and one colour-table entry, all zero but the fields set below.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[1];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = displayWidth;
    info.header.biHeight = displayHeight;  // positive: the first row in memory is the bottom row
    info.header.biPlanes = 1;
    info.header.biBitCount = 24;
    info.header.biCompression = BI_RGB;
    // The display image already has window resolution, so the copy is one to one; the columns
    // that pad a row to whole words fall beyond the client area and are clipped.
    StretchDIBits(static_cast<HDC>(deviceContext), 0, 0, displayWidth, displayHeight, 0, 0, displayWidth,
                  displayHeight, display, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}
