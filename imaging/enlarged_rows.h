#pragma once

// An enlarged picture shares its pixels between neighbouring canvas rows: the sums of a column (see
// ColumnSums) serve every canvas row between the same two rows of pixels, and are kept from one
// canvas row to the next. Each four pixels read serve every column between them, and the right pair
// of one column's four is the left pair of the next one's. Every path below gives the bytes
// Interpolate gives.

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "imaging/colour.h"
#include "imaging/interpolation_terms.h"
#include "imaging/plot_pixel.h"
#include "imaging/sample_bilinear.h"
#include "imaging/wide_vectors.h"

// Columns a stretch of an enlarged drawing.
constexpr std::int32_t kEnlargedStretch = 256;

// The column sums of a stretch, each kept with the row of pixels below the points it was worked out
// for.
struct StretchSums {
    ColumnSums sums[kEnlargedStretch];
    std::int32_t rowOf[kEnlargedStretch];  // −1 until worked out
};

// The planned columns of one stretch and their sums; positions first … end − 1 of a stretch go to
// canvasColumns[at] of the canvas row.
struct EnlargedColumns {
    const BilinearColumn* columns;
    const std::int32_t* canvasColumns;
    StretchSums* sums;
};

#if TESSELON_VECTOR_TERMS

// The pixels of picture column x in the lower and upper rows; where no row lies above, the lower
// one serves for both, as in the interpolation's corners.
template <bool Checked, typename Reader>
void ColoursAt(const BilinearRow<Reader>& sampleRow, std::int32_t x, Colour* lower, Colour* upper) {
    *lower = Colour();
    *upper = Colour();
    sampleRow.lower.template Get<Checked>(x, lower);
    if (sampleRow.above)
        sampleRow.upper.template Get<Checked>(x, upper);
    else
        *upper = *lower;
}

struct PixelPair {
    __m128i lower;
    __m128i upper;
};

template <bool Checked, typename Reader>
PixelPair PixelPairAt(const BilinearRow<Reader>& sampleRow, std::int32_t x) {
    Colour lower, upper;
    ColoursAt<Checked>(sampleRow, x, &lower, &upper);
    return PixelPair{ChannelLanes(lower), ChannelLanes(upper)};
}

// Works out the sums of the columns at first … end − 1 that were worked out for other rows of
// pixels, or not yet.
template <bool Checked, typename Reader>
void RefreshSums(const BilinearRow<Reader>& sampleRow, const EnlargedColumns& stretch, std::int32_t first,
                 std::int32_t end) {
    StretchSums& sums = *stretch.sums;
    PixelPair right{};
    std::int32_t rightX = -1;  // the picture column `right` holds, −1 for none
    std::int32_t at = first;
    while (at < end) {
        if (sums.rowOf[at] == sampleRow.y0) {
            ++at;
            continue;
        }
        const BilinearColumn& column = stretch.columns[at];
        const PixelPair left = column.x0 == rightX ? right : PixelPairAt<Checked>(sampleRow, column.x0);
        right = column.right ? PixelPairAt<Checked>(sampleRow, column.x0 + 1) : left;
        rightX = column.right ? column.x0 + 1 : -1;
        const VectorTerms terms = VectorTermsOf(left.lower, right.lower, left.upper, right.upper);
        do {
            ColumnSumsOf(terms, stretch.columns[at].fx, &sums.sums[at]);
            sums.rowOf[at] = sampleRow.y0;
            ++at;
        } while (at < end && stretch.columns[at].x0 == column.x0);
    }
}

inline void WriteOpaque(std::uint8_t* pixel, std::uint32_t bytes) {
    pixel[0] = static_cast<std::uint8_t>(bytes);
    pixel[1] = static_cast<std::uint8_t>(bytes >> 8);
    pixel[2] = static_cast<std::uint8_t>(bytes >> 16);
}

// Draws positions first … end − 1 of the stretch into a canvas row of three bytes a pixel, where
// the picture has no transparency.
template <bool Checked, typename Reader>
void DrawOpaqueRow(const BilinearRow<Reader>& sampleRow, const EnlargedColumns& stretch, std::int32_t first,
                   std::int32_t end, std::uint8_t* row) {
    RefreshSums<Checked>(sampleRow, stretch, first, end);
    const __m128d fy = _mm_set1_pd(sampleRow.fy);
    for (std::int32_t at = first; at < end; ++at)
        WriteOpaque(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * 3,
                    InterpolateSums(stretch.sums->sums[at], fy));
}

// The same, blended into a canvas row of any pixel size.
template <bool Checked, typename Reader>
void DrawBlendedRow(const BilinearRow<Reader>& sampleRow, const EnlargedColumns& stretch, std::int32_t first,
                    std::int32_t end, std::uint8_t* row, std::size_t bytesPerPixel) {
    RefreshSums<Checked>(sampleRow, stretch, first, end);
    const __m128d fy = _mm_set1_pd(sampleRow.fy);
    for (std::int32_t at = first; at < end; ++at) {
        const std::uint32_t bytes = InterpolateSums(stretch.sums->sums[at], fy);
        Colour colour;
        colour.red = static_cast<std::uint8_t>(bytes);
        colour.green = static_cast<std::uint8_t>(bytes >> 8);
        colour.blue = static_cast<std::uint8_t>(bytes >> 16);
        colour.transparency = static_cast<std::uint8_t>(bytes >> 24);
        BlendColour(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * bytesPerPixel, colour);
    }
}

// The grey levels of picture column x in the lower and upper rows, as ColoursAt gives them.
template <bool Checked, typename Reader>
void GreysAt(const BilinearRow<Reader>& sampleRow, std::int32_t x, std::int32_t* lower, std::int32_t* upper) {
    *lower = sampleRow.lower.template Grey<Checked>(x);
    *upper = sampleRow.above ? sampleRow.upper.template Grey<Checked>(x) : *lower;
}

inline void WriteGrey(std::uint8_t* pixel, double value) {
    pixel[0] = pixel[1] = pixel[2] = static_cast<std::uint8_t>(static_cast<std::int32_t>(value));
}

// A picture read as grey levels has one channel and no transparency: it is interpolated once, as
// InterpolateTerms does, its sums are the first of each column's, and the level goes to all three
// bytes of the pixel.
template <bool Checked, typename Reader>
void DrawGreyRow(const BilinearRow<Reader>& sampleRow, const EnlargedColumns& stretch, std::int32_t first,
                 std::int32_t end, std::uint8_t* row) {
    StretchSums& sums = *stretch.sums;
    const std::int32_t y0 = sampleRow.y0;
    const double fy = sampleRow.fy;
    std::int32_t rightLower = 0, rightUpper = 0;
    std::int32_t rightX = -1;  // the picture column of the right pair, −1 for none
    for (std::int32_t at = first; at < end;) {
        if (sums.rowOf[at] == y0) {
            WriteGrey(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * 3,
                      sums.sums[at].slope[0] * fy + sums.sums[at].level[0]);
            ++at;
            continue;
        }
        const BilinearColumn& column = stretch.columns[at];
        std::int32_t a = rightLower, c = rightUpper;
        if (column.x0 != rightX) GreysAt<Checked>(sampleRow, column.x0, &a, &c);
        if (column.right) {
            GreysAt<Checked>(sampleRow, column.x0 + 1, &rightLower, &rightUpper);
            rightX = column.x0 + 1;
        } else {
            rightLower = a;
            rightUpper = c;
            rightX = -1;
        }
        const double cross = a - rightLower - c + rightUpper, up = c - a, across = rightLower - a, base = a;
        do {
            const double fx = stretch.columns[at].fx;
            const double slope = cross * fx + up, level = across * fx + base;
            sums.sums[at].slope[0] = slope;
            sums.sums[at].level[0] = level;
            sums.rowOf[at] = y0;
            WriteGrey(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * 3, slope * fy + level);
            ++at;
        } while (at < end && stretch.columns[at].x0 == column.x0);
    }
}

#if TESSELON_WIDE_VECTORS
static_assert(sizeof(Colour) == 4, "a colour's four channels are read as one word, red first");

// A colour's four channels, red first, as 32-bit lanes.
TESSELON_WIDE inline __m128i WideLanes(const Colour& colour) {
    std::int32_t word;
    std::memcpy(&word, &colour, sizeof word);
    return _mm_cvtepu8_epi32(_mm_cvtsi32_si128(word));
}

// A pixel of three bytes read as a word, its channels put in lanes, red first, and the fourth byte
// (the next pixel's) dropped for an opaque transparency.
TESSELON_WIDE inline __m128i WordLanes(std::uint32_t word) {
    const __m128i order = _mm_setr_epi8(2, -1, -1, -1, 1, -1, -1, -1, 0, -1, -1, -1, -1, -1, -1, -1);
    return _mm_shuffle_epi8(_mm_cvtsi32_si128(static_cast<std::int32_t>(word)), order);
}

// Whether a row of pixels can be read a word a pixel (see DecodedReader::Row::Word).
template <typename Row, typename = void>
struct ReadsWords : std::false_type {};
template <typename Row>
struct ReadsWords<Row, std::void_t<decltype(Row::kWords)>> : std::bool_constant<Row::kWords> {};

// The lanes of picture column x in the lower and upper rows, as ColoursAt gives them.
template <bool Checked, typename Reader>
TESSELON_WIDE void WideLanesAt(const BilinearRow<Reader>& sampleRow, std::int32_t x, __m128i* lower, __m128i* upper) {
    using Row = typename BilinearRow<Reader>::Line;
    if constexpr (!Checked && ReadsWords<Row>::value) {
        *lower = WordLanes(sampleRow.lower.Word(x));
        *upper = sampleRow.above ? WordLanes(sampleRow.upper.Word(x)) : *lower;
    } else {
        Colour lowerColour, upperColour;
        ColoursAt<Checked>(sampleRow, x, &lowerColour, &upperColour);
        *lower = WideLanes(lowerColour);
        *upper = WideLanes(upperColour);
    }
}

// The terms of VectorTerms, a channel a lane, from the lanes of A, B to its right, C above A and D
// above B.
struct WideTerms {
    __m256d cross;
    __m256d up;
    __m256d across;
    __m256d base;
};

TESSELON_WIDE inline WideTerms WideTermsOf(__m128i a, __m128i b, __m128i c, __m128i d) {
    return WideTerms{_mm256_cvtepi32_pd(_mm_add_epi32(_mm_sub_epi32(_mm_sub_epi32(a, b), c), d)),
                     _mm256_cvtepi32_pd(_mm_sub_epi32(c, a)), _mm256_cvtepi32_pd(_mm_sub_epi32(b, a)),
                     _mm256_cvtepi32_pd(a)};
}

// The four channels at fy, red in the lowest byte, each truncated and then cut to its low eight
// bits as InterpolateSums does.
TESSELON_WIDE inline std::uint32_t WidePixel(__m256d slope, __m256d level, __m256d fy) {
    const __m128i lanes = _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(slope, fy), level));
    const __m128i lowBytes = _mm_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi8(lanes, lowBytes)));
}

// DrawOpaqueRow with the four channels of a pixel in one vector; a column's sums are worked out,
// kept and drawn from in one step.
template <bool Checked, typename Reader>
TESSELON_WIDE void DrawOpaqueRowWide(const BilinearRow<Reader>& sampleRow, const EnlargedColumns& stretch,
                                     std::int32_t first, std::int32_t end, std::uint8_t* row) {
    StretchSums& sums = *stretch.sums;
    const std::int32_t y0 = sampleRow.y0;
    const __m256d fy = _mm256_set1_pd(sampleRow.fy);
    __m128i rightLower = _mm_setzero_si128(), rightUpper = rightLower;
    std::int32_t rightX = -1;  // the picture column of the right pair, −1 for none
    for (std::int32_t at = first; at < end;) {
        if (sums.rowOf[at] == y0) {
            WriteOpaque(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * 3,
                        WidePixel(_mm256_load_pd(sums.sums[at].slope), _mm256_load_pd(sums.sums[at].level), fy));
            ++at;
            continue;
        }
        const BilinearColumn& column = stretch.columns[at];
        __m128i a = rightLower, c = rightUpper;
        if (column.x0 != rightX) WideLanesAt<Checked>(sampleRow, column.x0, &a, &c);
        if (column.right) {
            WideLanesAt<Checked>(sampleRow, column.x0 + 1, &rightLower, &rightUpper);
            rightX = column.x0 + 1;
        } else {
            rightLower = a;
            rightUpper = c;
            rightX = -1;
        }
        const WideTerms terms = WideTermsOf(a, rightLower, c, rightUpper);
        do {
            const __m256d x = _mm256_set1_pd(stretch.columns[at].fx);
            const __m256d slope = _mm256_add_pd(_mm256_mul_pd(terms.cross, x), terms.up);
            const __m256d level = _mm256_add_pd(_mm256_mul_pd(terms.across, x), terms.base);
            _mm256_store_pd(sums.sums[at].slope, slope);
            _mm256_store_pd(sums.sums[at].level, level);
            sums.rowOf[at] = y0;
            WriteOpaque(row + static_cast<std::size_t>(stretch.canvasColumns[at]) * 3, WidePixel(slope, level, fy));
            ++at;
        } while (at < end && stretch.columns[at].x0 == column.x0);
    }
}
#endif

// Draws positions first … end − 1 of the stretch, of a picture of `channels`, into canvas row `row`.
template <typename Reader>
void DrawEnlargedRow(const BilinearRow<Reader>& sampleRow, const EnlargedColumns& stretch, std::int32_t first,
                     std::int32_t end, std::int32_t channels, std::uint8_t* row, std::size_t bytesPerPixel) {
    constexpr bool kChecked = true;
    if constexpr (BilinearRow<Reader>::Line::kGrey) {
        if (bytesPerPixel == 3) {
            if (sampleRow.whole)
                DrawGreyRow<!kChecked>(sampleRow, stretch, first, end, row);
            else
                DrawGreyRow<kChecked>(sampleRow, stretch, first, end, row);
            return;
        }
    }
    if (channels >= 4 || bytesPerPixel != 3) {
        if (sampleRow.whole)
            DrawBlendedRow<!kChecked>(sampleRow, stretch, first, end, row, bytesPerPixel);
        else
            DrawBlendedRow<kChecked>(sampleRow, stretch, first, end, row, bytesPerPixel);
        return;
    }
#if TESSELON_WIDE_VECTORS
    if (g_wideInterpolation) {
        if (sampleRow.whole)
            DrawOpaqueRowWide<!kChecked>(sampleRow, stretch, first, end, row);
        else
            DrawOpaqueRowWide<kChecked>(sampleRow, stretch, first, end, row);
        return;
    }
#endif
    if (sampleRow.whole)
        DrawOpaqueRow<!kChecked>(sampleRow, stretch, first, end, row);
    else
        DrawOpaqueRow<kChecked>(sampleRow, stretch, first, end, row);
}

#endif
