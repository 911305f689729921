#pragma once

#include <windows.h>

#include <cstdint>

// 1 between the start and the end of an interactive sizing or moving of the window: size messages
// wait for the end, so the canvas is rebuilt once.
extern std::int16_t g_inSizeMove;

// The procedure of the one main window: every message is handed to a named function.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The end of every action that changes the picture on screen: composes a frame with `flags`,
// invalidates the client area (erasing it when the size changed) and lets the default procedure
// finish the message.
LRESULT Redraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::int32_t flags);
