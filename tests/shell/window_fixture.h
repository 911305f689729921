#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "loaders/image_loader.h"
#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"
#include "shell/start_up.h"
#include "support/test_files.h"
#include "tools/test_pictures.h"

// The real main window with a client area of 640 × 480 and a 640 × 480 FITS picture loaded: the
// table is then 720 × 540 table units, shown at 1.125 units a pixel when the view is home.
class MainWindowTest : public testing::Test {
protected:
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 480;

    void SetUp() override {
        g_pixelScale = 1;
        g_backgroundGrey = 128;
        g_cellSize = 64;
        g_randomState = 7;
        RegisterMainWindowClass(GetModuleHandleW(nullptr));
        LoadPicture(640, 480);
        ASSERT_NE(CreateMainWindow(), nullptr);
        window = g_mainWindow;
        SetClientSize(kClientWidth, kClientHeight);
        ShowWindow(window, SW_SHOWNORMAL);
        RECT client;
        GetClientRect(window, &client);
        ASSERT_EQ(client.right, kClientWidth);
        ASSERT_EQ(client.bottom, kClientHeight);
    }

    void TearDown() override {
        DestroyWindow(window);
        // The destroyed window posted the quit message; a later modal loop must not see it.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        EXPECT_EQ(g_canvas, nullptr);
        EXPECT_EQ(g_view, nullptr);
        EXPECT_EQ(g_groups.count, 0);
        ReleaseAtExit();
    }

    static void LoadPicture(std::int32_t width, std::int32_t height) {
        const std::wstring path = WriteTestFile("window.fits", MakeFitsPicture(8, width, height));
        g_sourceImage = new SourceImage;
        ASSERT_EQ(LoadSourceImage(path.c_str()), 1);
    }

    void SetClientSize(int width, int height) {
        RECT frame = {0, 0, width, height};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(window, message, wParam, lParam);
    }

    HWND window = nullptr;
};
