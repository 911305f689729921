#include "ui/contrast_stretch_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/contrast_stretch.h"
#include "support/test_files.h"

using Names = std::vector<std::string>;

// The choice survives a restart in its own file, rewritten whole with no temporary left behind;
// a file that says anything but "1", and a missing file, leave the stretch off.
TEST(ContrastStretchChoice, AToggleIsRememberedByTheNextStart) {
    const std::wstring folder = MakeTestFolder("stretch");
    LoadContrastStretchChoice(folder.c_str());
    EXPECT_EQ(g_contrastStretch, 0);
    EXPECT_TRUE(ToggleContrastStretch());
    g_contrastStretch = 0;
    LoadContrastStretchChoice(folder.c_str());
    EXPECT_EQ(g_contrastStretch, 1);
    EXPECT_EQ(TestFolderContents("stretch"), Names{"Contrast stretch.txt"});
    EXPECT_TRUE(ToggleContrastStretch());
    LoadContrastStretchChoice(folder.c_str());
    EXPECT_EQ(g_contrastStretch, 0);
    WriteTestFile("stretch/Contrast stretch.txt", std::string("on"));
    LoadContrastStretchChoice(folder.c_str());
    EXPECT_EQ(g_contrastStretch, 0);
    LoadContrastStretchChoice(L"");
}
