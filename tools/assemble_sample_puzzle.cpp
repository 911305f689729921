// Puts part of a stored puzzle together, as a player partway through it would have: the pieces of
// one quarter of the grid joined into one group, lying where the finished picture puts them on the
// table and sunk beneath the loose pieces, which stay where the cut scattered them. The README's
// screenshot shows the sample landscape so, resumed by the game.
//
//   assemble_sample_puzzle PUZZLE_FILE PICTURE_WIDTH PICTURE_HEIGHT
//
// Only the picture's size is needed: the cut is made again from the stored generator state.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "loaders/source_image.h"
#include "model/group.h"
#include "model/joining.h"
#include "model/piece_id.h"
#include "model/table.h"
#include "progress/progress_file.h"
#include "progress/puzzle_arrangement.h"
#include "render/canvas.h"
#include "render/view.h"

namespace {

Piece* FindPiece(std::int32_t id, Group** owner) {
    for (ListItem* g = g_groups.first; g != nullptr; g = g->next) {
        for (ListItem* m = RecordOf<Group>(g)->members.first; m != nullptr; m = m->next) {
            Piece* piece = RecordOf<PieceLink>(m)->piece;
            if (piece->id != id) continue;
            *owner = RecordOf<Group>(g);
            return piece;
        }
    }
    return nullptr;
}

// Drops the group of piece `id` exactly beside piece `neighbour`, where they fit, as a player's
// drop there would: it joins, and the survivor sinks.
void JoinBeside(std::int32_t id, std::int32_t neighbour) {
    Group* moved = nullptr;
    Group* resting = nullptr;
    const Piece* piece = FindPiece(id, &moved);
    const Piece* beside = FindPiece(neighbour, &resting);
    moved->x = resting->x + beside->offsetX + (piece->homeX - beside->homeX) - piece->offsetX;
    moved->y = resting->y + beside->offsetY + (piece->homeY - beside->homeY) - piece->offsetY;
    g_draggedGroup = moved;
    JoinAllDropped();
    g_draggedGroup = nullptr;
}

// The lower-left quarter of the grid, joined row by row, then laid where the picture, centred on
// the table, puts it.
void AssembleQuarter(const PuzzleRecord& record, const SourceImage& picture) {
    const std::int64_t stride = IdStride(record.columns);
    for (std::int32_t row = 1; row <= (record.rows + 1) / 2; ++row) {
        for (std::int32_t column = 1; column <= (record.columns + 1) / 2; ++column) {
            const std::int32_t id = PieceId(row, column, stride);
            if (column > 1) JoinBeside(id, PieceId(row, column - 1, stride));
            else if (row > 1) JoinBeside(id, PieceId(row - 1, column, stride));
        }
    }
    Group* group = nullptr;
    const Piece* corner = FindPiece(PieceId(1, 1, stride), &group);
    group->x = corner->homeX + (g_tableWidth - picture.width) / 2 - corner->offsetX;
    group->y = corner->homeY + (g_tableHeight - picture.height) / 2 - corner->offsetY;
    LowerGroup(group);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: assemble_sample_puzzle PUZZLE_FILE PICTURE_WIDTH PICTURE_HEIGHT\n");
        return 2;
    }
    const std::wstring path = std::filesystem::path(argv[1]).wstring();
    SourceImage picture;
    picture.width = std::atoi(argv[2]);
    picture.height = std::atoi(argv[3]);
    picture.loaded = 1;
    g_sourceImage = &picture;
    Canvas canvas;
    canvas.InitSize(1024, 768);
    g_canvas = &canvas;
    View view;
    g_view = &view;
    PuzzleRecord record;
    bool done = ReadProgressFile(path.c_str(), &record) && RestorePuzzle(record);
    if (done) {
        AssembleQuarter(record, picture);
        done = CapturePuzzle(&record) && WriteProgressFile(path.c_str(), record);
    }
    ClearPuzzle();
    g_view = nullptr;
    g_canvas = nullptr;
    g_sourceImage = nullptr;
    if (!done) std::fprintf(stderr, "assemble_sample_puzzle: %s is not a puzzle of a %s x %s picture\n", argv[1], argv[2], argv[3]);
    return done ? 0 : 1;
}
