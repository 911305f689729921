#include "ui/picture_loading.h"

#include "loaders/image_loader.h"
#include "loaders/source_image.h"
#include "model/group.h"
#include "platform/message_box.h"
#include "shell/puzzle_keeping.h"
#include "shell/resource_ids.h"
#include "ui/cell_size_controls.h"

wchar_t g_imagePath[kPathCapacity] = {};

namespace {

bool g_loadingPicture = false;

bool LoadPicture(HWND dialog, bool pathBox) {
    StorePuzzleNow();
    ClearPuzzle();
    if (ReplacePicture(g_imagePath)) {
        if (pathBox) SetDlgItemTextW(dialog, IDC_PATH, g_imagePath);
        UpdateCellSizeControls(dialog);
        return true;
    }
    ShowMessage(dialog, L"Unable to load image", g_imagePath);
    return false;
}

}  // namespace

bool IsLoadingPicture() { return g_loadingPicture; }

bool LoadChosenPicture(HWND dialog, bool pathBox) {
    if (g_loadingPicture) return false;
    g_loadingPicture = true;
    const bool loaded = LoadPicture(dialog, pathBox);
    g_loadingPicture = false;
    return loaded;
}

void OnDialogButton(HWND dialog, int button) {
    if (button == IDOK) {
        StorePuzzleNow();
        ClearPuzzle();
        // A grid too large for its ids, or masks the memory cannot hold, leave no puzzle behind.
        if (g_sourceImage != nullptr && g_sourceImage->loaded != 0 && !CutOrContinuePuzzle(dialog)) {
            ShowMessage(dialog, L"Unable to cut the picture into pieces of this size", g_imagePath);
            return;
        }
    }
    EndDialog(dialog, button);
}
