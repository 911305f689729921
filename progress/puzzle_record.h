#pragma once

#include <cstdint>
#include <memory>

#include "platform/file_identity.h"
#include "platform/path.h"

// One group as it lies on the table. Every member sits at (x + homeX + shiftX, y + homeY +
// shiftY): joins align pieces exactly one pitch apart, as their homes are, so a whole group shares
// one shift from its members' homes.
struct GroupRecord {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t shiftX = 0;
    std::int32_t shiftY = 0;
    std::int32_t memberCount = 0;
};

// A puzzle in progress as a plain value: where it was cut from, and how it lies now. The cut is
// reproducible from the picture, the cell size and the generator's state before it, so the masks
// are not kept.
struct PuzzleRecord {
    wchar_t picturePath[kPathCapacity] = {};
    FileIdentity picture;
    std::int32_t cellSize = 0;
    std::uint64_t seed = 0;  // g_randomState before the cut
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::int32_t tableWidth = 0;
    std::int32_t tableHeight = 0;
    double view[2][3] = {};  // the view's toTable rows; the third is always (0, 0, 1)
    std::int16_t backgroundGrey = 128;
    std::int16_t pixelScale = 1;
    std::int16_t contrastStretch = 0;
    std::int64_t playedMs = 0;
    std::int32_t groupCount = 0;
    std::unique_ptr<GroupRecord[]> groups;  // drawing order, bottom first
    std::unique_ptr<std::int32_t[]> members;  // rows × columns piece ids, group after group
};

// The most pieces a record may hold; beyond it a file is taken as absurd rather than allocated.
constexpr std::int64_t kMostRecordedPieces = 1 << 24;

// Makes room for `groupCount` groups and rows × columns member ids; false when memory is short.
bool AllocateRecord(PuzzleRecord* record, std::int32_t groupCount);

// What the puzzle was cut from (picture, identity, cell size, seed, grid), without how it lies now.
void CopyOrigin(const PuzzleRecord& from, PuzzleRecord* to);

std::int64_t RecordedPieces(const PuzzleRecord& record);

// Pieces that lie in a group with at least one other piece: how far the puzzle has come.
std::int64_t JoinedPieces(const PuzzleRecord& record);

// One group holding every piece of a puzzle of more than one piece.
bool RecordSolved(const PuzzleRecord& record);
