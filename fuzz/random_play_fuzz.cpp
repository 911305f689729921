// Random play as a property: the bytes choose a small puzzle and then a sequence of grabs, moves,
// drops, view keys, stores and restores. After every step each piece lies in exactly one group,
// every group's member list agrees with its count and owner, and a restore of what was just stored
// gives back exactly that state. Leaks are the sanitizer's to find.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "loaders/source_image.h"
#include "model/generation.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/joining.h"
#include "model/picking.h"
#include "model/piece_id.h"
#include "model/random.h"
#include "model/table.h"
#include "progress/progress_file.h"
#include "progress/puzzle_arrangement.h"
#include "render/canvas.h"
#include "render/compose_frame.h"
#include "render/view.h"

namespace {

struct Bytes {
    const std::uint8_t* at;
    const std::uint8_t* end;
    int Next() { return at < end ? *at++ : -1; }
};

void Check(bool holds) {
    if (!holds) std::abort();
}

// Every piece in exactly one group through one link; lists agree with their counts and owners.
void CheckPuzzle(std::int64_t pieces) {
    std::vector<std::int32_t> ids;
    std::int32_t groups = 0;
    for (ListItem* g = g_groups.first; g != nullptr; g = g->next, ++groups) {
        Check(g->owner == &g_groups && (g->next == nullptr || g->next->prev == g));
        const Group* group = RecordOf<Group>(g);
        std::int32_t members = 0;
        for (ListItem* m = group->members.first; m != nullptr; m = m->next, ++members) {
            Check(m->owner == &group->members);
            ids.push_back(RecordOf<PieceLink>(m)->piece->id);
        }
        Check(members == group->members.count && members > 0);
    }
    Check(groups == g_groups.count && static_cast<std::int64_t>(ids.size()) == pieces);
    std::vector<bool> seen(static_cast<std::size_t>(pieces));
    const std::int32_t columns = PlaceGrid(g_sourceImage->width, g_sourceImage->height, g_pitch).columns;
    const std::int64_t stride = IdStride(columns);
    for (const std::int32_t id : ids) {
        const auto index = static_cast<std::size_t>((id / stride - 1) * columns + id % stride - 1);
        Check(index < seen.size() && !seen[index]);
        seen[index] = true;
    }
}

bool SameRecord(const PuzzleRecord& a, const PuzzleRecord& b) {
    return a.groupCount == b.groupCount && a.tableWidth == b.tableWidth && a.tableHeight == b.tableHeight &&
           std::memcmp(a.view, b.view, sizeof(a.view)) == 0 && a.backgroundGrey == b.backgroundGrey && a.contrastStretch == b.contrastStretch &&
           std::memcmp(a.groups.get(), b.groups.get(), sizeof(GroupRecord) * static_cast<std::size_t>(a.groupCount)) == 0 &&
           std::memcmp(a.members.get(), b.members.get(), sizeof(std::int32_t) * static_cast<std::size_t>(RecordedPieces(a))) == 0;
}

const std::wstring& StorePath() {
    static const std::wstring path = L"/tmp/tesselon-random-play-" + std::to_wstring(getpid()) + L".txt";
    return path;
}

void StoreAndRestore(const PuzzleRecord& origin) {
    PuzzleRecord stored;
    CopyOrigin(origin, &stored);
    std::wcscpy(stored.picturePath, L"random play");
    Check(CapturePuzzle(&stored) && WriteProgressFile(StorePath().c_str(), stored));
    PuzzleRecord read;
    Check(ReadProgressFile(StorePath().c_str(), &read) && RestorePuzzle(read));
    PuzzleRecord again;
    again.rows = origin.rows;
    again.columns = origin.columns;
    Check(CapturePuzzle(&again) && SameRecord(stored, again));
}

// A point on or a little around the table, from one byte each way.
std::int32_t Around(int byte, std::int32_t side) { return static_cast<std::int32_t>((byte - 32) * static_cast<std::int64_t>(side) / 192); }

void Step(int op, Bytes* bytes, const PuzzleRecord& origin) {
    const int a = bytes->Next() & 255;
    const int b = bytes->Next() & 255;
    switch (op % 6) {
    case 0:
        g_draggedGroup = PickGroup(Around(a, g_tableWidth), Around(b, g_tableHeight));
        if (g_draggedGroup != nullptr) RaiseGroup(g_draggedGroup);
        break;
    case 1:
        if (g_draggedGroup != nullptr) {
            g_draggedGroup->x = Around(a, g_tableWidth);
            g_draggedGroup->y = Around(b, g_tableHeight);
        }
        break;
    case 2:
        JoinAllDropped();
        g_draggedGroup = nullptr;
        break;
    case 3: {
        const double pans[4][2] = {{-0.125, 0}, {0, 0.125}, {0.125, 0}, {0, -0.125}};
        if (a % 4 == 0) g_view->Zoom(b % 2 == 0 ? 1.25 : 0.8);
        if (a % 4 == 1) g_view->Home();
        if (a % 4 >= 2) g_view->Pan(pans[b % 4][0], pans[b % 4][1]);
        break;
    }
    case 4:
        g_backgroundGrey = static_cast<std::int16_t>((g_backgroundGrey + 64) & 255);
        break;
    default:
        g_draggedGroup = nullptr;
        StoreAndRestore(origin);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes{data, data + size};
    SourceImage picture;
    // Cell size 8 (pitch 11): up to 6 × 6 pieces.
    picture.width = 11 + (bytes.Next() & 255) % 6 * 11;
    picture.height = 11 + (bytes.Next() & 255) % 6 * 11;
    picture.loaded = 1;
    g_sourceImage = &picture;
    g_cellSize = 8;
    g_clientRect = {0, 0, 64, 48};
    Canvas canvas;
    canvas.InitSize(64, 48);
    g_canvas = &canvas;
    g_view = new View;
    PuzzleRecord origin;
    origin.cellSize = 8;
    origin.seed = g_randomState = static_cast<std::uint64_t>(bytes.Next());
    Check(GeneratePuzzle());
    const GridPlacement grid = PlaceGrid(picture.width, picture.height, g_pitch);
    origin.columns = grid.columns;
    origin.rows = grid.rows;
    for (int op = bytes.Next(); op >= 0; op = bytes.Next()) {
        Step(op, &bytes, origin);
        CheckPuzzle(RecordedPieces(origin));
    }
    ClearPuzzle();
    delete g_view;
    g_view = nullptr;
    g_canvas = nullptr;
    g_sourceImage = nullptr;
    return 0;
}
