#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "model/table.h"

// An 800 × 600 window, cell size 64 (pitch 95, tolerance 23, reach 118), a known seed and, on
// request, a picture of a given size (generation reads nothing else of it).
class PuzzleTest : public testing::Test {
protected:
    void SetUp() override {
        g_clientRect = {0, 0, 800, 600};
        g_randomState = 2024;
        g_cellSize = 64;
        FixGridGeometry();
    }

    void TearDown() override {
        ClearPuzzle();
        g_sourceImage = nullptr;
    }

    void UsePicture(std::int32_t width, std::int32_t height) {
        picture_.width = width;
        picture_.height = height;
        picture_.loaded = 1;
        g_sourceImage = &picture_;
    }

    SourceImage picture_;
};

// The records of a list in order: groups in drawing order, or a group's pieces.
template <typename Record>
std::vector<Record*> Members(const List& list) {
    std::vector<Record*> records;
    for (ListItem* it = list.first; it != nullptr; it = it->next) records.push_back(RecordOf<Record>(it));
    return records;
}

inline std::vector<Group*> Groups() { return Members<Group>(g_groups); }

inline std::vector<Piece*> Pieces(const Group* group) {
    std::vector<Piece*> pieces;
    for (PieceLink* link : Members<PieceLink>(group->members)) pieces.push_back(link->piece);
    return pieces;
}

// The generator's state `steps` draws after `state`.
inline std::uint64_t StateAfter(std::uint64_t state, int steps) {
    const std::uint64_t saved = std::exchange(g_randomState, state);
    for (int i = 0; i < steps; ++i) NextRandom();
    return std::exchange(g_randomState, saved);
}

// A hand-made piece of row r, column k away from the border of a grid of up to 999 columns, at
// the given offset inside its group.
inline Piece* GridPiece(std::int32_t r, std::int32_t k, std::int32_t offsetX = 0, std::int32_t offsetY = 0) {
    const std::int32_t id = 1000 * r + k;
    return new Piece{{}, id, id + 1, id + 1000, id - 1, id - 1000, 0, 0, offsetX, offsetY};
}

// A group at (x, y) holding the pieces, put on top of the drawing order.
inline Group* NewGroup(std::int32_t x, std::int32_t y, const std::vector<Piece*>& pieces) {
    Group* group = new Group;
    group->x = x;
    group->y = y;
    for (Piece* piece : pieces) PushBack(&group->members, &(new PieceLink{{}, piece})->links);
    PushBack(&g_groups, &group->links);
    return group;
}

inline std::pair<std::int32_t, std::int32_t> TablePosition(const Group* group, const Piece* piece) {
    return {group->x + piece->offsetX, group->y + piece->offsetY};
}
