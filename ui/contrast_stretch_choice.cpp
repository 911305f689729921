#include "ui/contrast_stretch_choice.h"

#include <cstdio>

#include "imaging/contrast_stretch.h"
#include "platform/open_file.h"
#include "platform/path.h"
#include "platform/replace_file.h"

namespace {

// Empty while no file is named: nothing is then read or written.
wchar_t g_choicePath[kPathCapacity] = {};

bool NameChoiceFile(const wchar_t* folder) { return NameInFolder(g_choicePath, folder, L"Contrast stretch.txt"); }

bool PutChoice(std::FILE* file, const void*) { return std::fputc(g_contrastStretch != 0 ? '1' : '0', file) != EOF; }

}  // namespace

void LoadContrastStretchChoice(const wchar_t* folder) {
    g_contrastStretch = 0;
    if (!NameChoiceFile(folder)) return;
    std::FILE* file = OpenFileByPath(g_choicePath, "rb");
    if (file == nullptr) return;
    g_contrastStretch = std::fgetc(file) == '1' ? 1 : 0;
    std::fclose(file);
}

bool ToggleContrastStretch() {
    g_contrastStretch = g_contrastStretch != 0 ? 0 : 1;
    return RewriteFile(g_choicePath, PutChoice, nullptr);
}
