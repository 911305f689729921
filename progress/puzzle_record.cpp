#include "progress/puzzle_record.h"

#include <cwchar>
#include <new>

bool AllocateRecord(PuzzleRecord* record, std::int32_t groupCount) {
    record->groupCount = 0;
    record->groups.reset(new (std::nothrow) GroupRecord[static_cast<std::size_t>(groupCount)]);
    record->members.reset(new (std::nothrow) std::int32_t[static_cast<std::size_t>(RecordedPieces(*record))]);
    if (record->groups == nullptr || record->members == nullptr) return false;
    record->groupCount = groupCount;
    return true;
}

void CopyOrigin(const PuzzleRecord& from, PuzzleRecord* to) {
    std::wmemcpy(to->picturePath, from.picturePath, kPathCapacity);
    to->picture = from.picture;
    to->cellSize = from.cellSize;
    to->seed = from.seed;
    to->rows = from.rows;
    to->columns = from.columns;
}

std::int64_t RecordedPieces(const PuzzleRecord& record) {
    return static_cast<std::int64_t>(record.rows) * record.columns;
}

std::int64_t JoinedPieces(const PuzzleRecord& record) {
    std::int64_t joined = 0;
    for (std::int32_t g = 0; g < record.groupCount; ++g) {
        if (record.groups[g].memberCount > 1) joined += record.groups[g].memberCount;
    }
    return joined;
}

bool RecordSolved(const PuzzleRecord& record) { return record.groupCount == 1 && RecordedPieces(record) > 1; }
