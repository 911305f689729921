#include "ui/cell_size_controls.h"

#include <string>

#include "loaders/source_image.h"
#include "model/geometry.h"
#include "shell/resource_ids.h"
#include "ui/cell_size_rule.h"

namespace {

void ShowPieceCount(HWND dialog) {
    const std::int64_t count = PieceCount(g_sourceImage->width, g_sourceImage->height, g_cellSize);
    SetDlgItemTextW(dialog, IDC_PIECES, (std::to_wstring(count) + L" Pieces").c_str());
}

// A scroll bar's thumb stops a page short of its maximum: the range runs a page − 1 beyond the
// largest cell size, so that the thumb reaches it, and stays there when a click's SB_ENDSCROLL
// takes the thumb's place.
int RangeEndFor(const CellSizeRange& range) { return range.maximum + range.page - 1; }

int LargestPosition(const SCROLLINFO& bar) { return bar.nMax - static_cast<int>(bar.nPage) + 1; }

int NewPosition(const SCROLLINFO& bar, int code) {
    const int page = static_cast<int>(bar.nPage);
    switch (code) {
    case SB_LINELEFT:  // line steps are left for the scroll bar to hold in range
        return bar.nPos - 1;
    case SB_LINERIGHT:
        return bar.nPos + 1;
    case SB_PAGELEFT:
        return bar.nPos - page < bar.nMin ? bar.nMin : bar.nPos - page;
    case SB_PAGERIGHT:
        return bar.nPos + page > LargestPosition(bar) ? LargestPosition(bar) : bar.nPos + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return bar.nTrackPos;
    default:
        return bar.nPos;
    }
}

}  // namespace

void UpdateCellSizeControls(HWND dialog) {
    SCROLLINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (g_sourceImage != nullptr) {
        const CellSizeRange range = CellSizeRangeFor(g_sourceImage->width, g_sourceImage->height);
        g_cellSize = ClampCellSize(g_cellSize, range);
        bar.nMin = range.minimum;
        bar.nMax = RangeEndFor(range);
        bar.nPage = static_cast<UINT>(range.page);
        bar.nPos = g_cellSize;
    }
    SetScrollInfo(GetDlgItem(dialog, IDC_CELL_SIZE), SB_CTL, &bar, TRUE);
    if (g_sourceImage != nullptr) {
        ShowPieceCount(dialog);
    } else {
        SetDlgItemTextW(dialog, IDC_PIECES, L"");
    }
}

void OnCellSizeScroll(HWND dialog, WPARAM wParam) {
    if (g_sourceImage == nullptr) return;
    HWND scrollBar = GetDlgItem(dialog, IDC_CELL_SIZE);
    SCROLLINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(scrollBar, SB_CTL, &bar);
    bar.nPos = NewPosition(bar, LOWORD(wParam));
    bar.fMask = SIF_POS;
    // The cell size is where the scroll bar holds the thumb: a line step past either end stays there.
    const int kept = SetScrollInfo(scrollBar, SB_CTL, &bar, TRUE);
    g_cellSize = kept < kSmallestCellSize ? kSmallestCellSize : kept;
    ShowPieceCount(dialog);
}
