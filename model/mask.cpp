#include "model/mask.h"

#include <algorithm>
#include <new>

#include "model/geometry.h"

SeamTable g_seams;

bool MakeSeamTable(std::int32_t rows, std::int32_t columns, std::int64_t idStride) {
    FreeSeamTable();
    const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    g_seams.knobs = new (std::nothrow) SeamKnob[cells * 2]();
    if (g_seams.knobs == nullptr) return false;
    g_seams.rows = rows;
    g_seams.columns = columns;
    g_seams.idStride = idStride;
    return true;
}

void FreeSeamTable() {
    delete[] g_seams.knobs;
    g_seams = SeamTable();
}

SeamKnob* RightSeam(std::int32_t row, std::int32_t column) {
    return g_seams.knobs + (static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(g_seams.columns) +
                            static_cast<std::size_t>(column - 1)) * 2;
}

SeamKnob* SeamBelow(std::int32_t row, std::int32_t column) { return RightSeam(row, column) + 1; }

namespace {

// The side of a seam's first piece (left or upper) and of its second.
MaskSide FirstSide(const SeamKnob& knob) {
    return MaskSide{knob.onSecond != 0 ? SideCut::Socket : SideCut::Knob, knob.start, knob.length};
}

MaskSide SecondSide(const SeamKnob& knob) {
    return MaskSide{knob.onSecond != 0 ? SideCut::Knob : SideCut::Socket, knob.start, knob.length};
}

bool Along(const MaskSide& side, std::int32_t line) { return line >= side.start && line < side.start + side.length; }

// Where the set part of a row ends on one side: the strip lies beyond `cut` lines, a socket
// `socket` lines, and a knob or an edge reaches the border.
std::int32_t RowBound(const MaskSide& side, std::int32_t row, std::int32_t border, std::int32_t cut,
                      std::int32_t socket) {
    if (side.cut == SideCut::Edge || (side.cut == SideCut::Knob && Along(side, row))) return border;
    return side.cut == SideCut::Socket && Along(side, row) ? socket : cut;
}

}  // namespace

MaskShape ShapeOf(const Piece& piece) {
    MaskShape shape{g_maskSize, g_margin / 2, {}};
    const std::int64_t stride = g_seams.idStride;
    if (g_seams.knobs == nullptr || stride == 0) return shape;
    const auto row = static_cast<std::int32_t>(piece.id / stride);
    const auto column = static_cast<std::int32_t>(piece.id % stride);
    if (row < 1 || row > g_seams.rows || column < 1 || column > g_seams.columns) return shape;
    if (column > 1) shape.sides[0] = SecondSide(*RightSeam(row, column - 1));
    if (column < g_seams.columns) shape.sides[1] = FirstSide(*RightSeam(row, column));
    if (row > 1) shape.sides[2] = SecondSide(*SeamBelow(row - 1, column));
    if (row < g_seams.rows) shape.sides[3] = FirstSide(*SeamBelow(row, column));
    return shape;
}

std::int32_t MaskRowRuns(const MaskShape& shape, std::int32_t row, MaskRun runs[2]) {
    const std::int32_t s = shape.size;
    const std::int32_t h = shape.strip;
    const MaskSide& low = shape.sides[2];
    const MaskSide& high = shape.sides[3];
    // Within a cut strip of rows only that side's knob is set.
    const MaskSide* strip = low.cut != SideCut::Edge && row < h        ? &low
                            : high.cut != SideCut::Edge && row >= s - h ? &high
                                                                        : nullptr;
    if (strip != nullptr) {
        if (strip->cut != SideCut::Knob || strip->length <= 0) return 0;
        runs[0] = MaskRun{strip->start, strip->start + strip->length};
        return 1;
    }
    const MaskRun whole{RowBound(shape.sides[0], row, 0, h, 2 * h - 1), RowBound(shape.sides[1], row, s, s - h, s - 2 * h + 1)};
    if (whole.first >= whole.end) return 0;
    // A socket of a side of rows cuts the row's one run in two.
    const MaskSide* socket = low.cut == SideCut::Socket && row >= h && row < 2 * h - 1               ? &low
                             : high.cut == SideCut::Socket && row >= s - 2 * h + 1 && row < s - h ? &high
                                                                                                  : nullptr;
    std::int32_t count = 0;
    const MaskRun left{whole.first, socket != nullptr ? std::min(whole.end, socket->start) : whole.end};
    if (left.first < left.end) runs[count++] = left;
    if (socket != nullptr) {
        const MaskRun right{std::max(whole.first, socket->start + socket->length), whole.end};
        if (right.first < right.end) runs[count++] = right;
    }
    return count;
}

std::int64_t MaskMemory() {
    return static_cast<std::int64_t>(g_seams.rows) * g_seams.columns * 2 * static_cast<std::int64_t>(sizeof(SeamKnob));
}
