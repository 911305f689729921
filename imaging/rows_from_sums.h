#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/interpolation_terms.h"

// Opaque pixels of one canvas row interpolated from their columns' sums (see ColumnSums): the
// point at position `at` of a stretch, for at = first … end − 1, is written to column
// canvasColumns[at] of `row`, three bytes a pixel. With the four-double vectors of AVX the four
// channels of a pixel are one multiplication and one addition; otherwise two of each. Both give
// the bytes Interpolate gives.

// Whether this processor (and its system) has the four-double vectors.
bool HasWideVectors();

// Whether drawing uses them; on by default where they exist. The tests draw every frame both ways.
extern bool g_wideInterpolation;

#if TESSELON_VECTOR_TERMS
void DrawRowFromSums(const ColumnSums* sums, const std::int32_t* canvasColumns, std::int32_t first, std::int32_t end,
                     double fy, std::uint8_t* row);
#endif
