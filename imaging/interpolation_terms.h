#pragma once

// The interpolation of many points between the same four pixels. Of
// ((a − b − c + d) fx + (c − a)) fy + ((b − a) fx + a) only fx and fy change from point to point:
// the four integer terms are made doubles once for all the points of a picture column, and each
// point then does the multiplications and additions alone, in the same order and each rounded
// alone, so that it gets exactly the bytes Interpolate gives. With the vectors of two doubles
// every x86-64 processor has, red and green are worked in one vector and blue and transparency in
// another; the plain path works one channel at a time.

#include <cstdint>

#include "imaging/colour.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TESSELON_VECTOR_TERMS 1
#else
#define TESSELON_VECTOR_TERMS 0
#endif

// Whether drawing takes the vector path; on by default where it exists, and the plain path may be
// chosen instead (the tests draw every frame both ways).
extern bool g_vectorInterpolation;

// Written and read whole vectors at a time: a vector read of doubles just written one by one
// waits until the writes have reached the cache.
struct InterpolationTerms {
    alignas(16) double cross[4];  // a − b − c + d of each channel, red first
    alignas(16) double up[4];     // c − a
    alignas(16) double across[4];  // b − a
    alignas(16) double base[4];    // a
};

#if TESSELON_VECTOR_TERMS
inline __m128i ChannelLanes(const Colour& colour) {
    return _mm_setr_epi32(colour.red, colour.green, colour.blue, colour.transparency);
}

// The terms of four pixels as vectors, red and green in the first of each pair: kept in registers
// rather than written out and read back.
struct VectorTerms {
    __m128d cross[2];
    __m128d up[2];
    __m128d across[2];
    __m128d base[2];
};

inline void SplitLanes(__m128i lanes, __m128d* pair) {
    pair[0] = _mm_cvtepi32_pd(lanes);
    pair[1] = _mm_cvtepi32_pd(_mm_srli_si128(lanes, 8));
}

// From the channel lanes of A, B to its right, C above A and D above B.
inline VectorTerms VectorTermsOf(__m128i la, __m128i lb, __m128i lc, __m128i ld) {
    VectorTerms terms;
    SplitLanes(_mm_add_epi32(_mm_sub_epi32(_mm_sub_epi32(la, lb), lc), ld), terms.cross);
    SplitLanes(_mm_sub_epi32(lc, la), terms.up);
    SplitLanes(_mm_sub_epi32(lb, la), terms.across);
    SplitLanes(la, terms.base);
    return terms;
}

inline void StorePair(double* terms, const __m128d* pair) {
    _mm_store_pd(terms, pair[0]);
    _mm_store_pd(terms + 2, pair[1]);
}
#endif

// `vector` is g_vectorInterpolation, read once for a whole row of points.
inline void TermsOf(const Colour& a, const Colour& b, const Colour& c, const Colour& d, bool vector,
                    InterpolationTerms* terms) {
#if TESSELON_VECTOR_TERMS
    if (vector) {
        const VectorTerms v = VectorTermsOf(ChannelLanes(a), ChannelLanes(b), ChannelLanes(c), ChannelLanes(d));
        StorePair(terms->cross, v.cross);
        StorePair(terms->up, v.up);
        StorePair(terms->across, v.across);
        StorePair(terms->base, v.base);
        return;
    }
#else
    static_cast<void>(vector);
#endif
    const std::uint8_t Colour::*channels[4] = {&Colour::red, &Colour::green, &Colour::blue, &Colour::transparency};
    for (int i = 0; i < 4; ++i) {
        const int pa = a.*channels[i], pb = b.*channels[i], pc = c.*channels[i], pd = d.*channels[i];
        terms->cross[i] = pa - pb - pc + pd;
        terms->up[i] = pc - pa;
        terms->across[i] = pb - pa;
        terms->base[i] = pa;
    }
}

inline std::uint8_t TermChannel(const InterpolationTerms& t, int i, double fx, double fy) {
    const double value = (t.cross[i] * fx + t.up[i]) * fy + (t.across[i] * fx + t.base[i]);
    return static_cast<std::uint8_t>(static_cast<std::int32_t>(value));
}

#if TESSELON_VECTOR_TERMS
// Channels i and i + 1, truncated to 32 bits in the two low lanes.
inline __m128i TermLanes(const InterpolationTerms& t, int i, __m128d fx, __m128d fy) {
    const __m128d value = _mm_add_pd(_mm_mul_pd(_mm_add_pd(_mm_mul_pd(_mm_load_pd(t.cross + i), fx), _mm_load_pd(t.up + i)), fy),
                                     _mm_add_pd(_mm_mul_pd(_mm_load_pd(t.across + i), fx), _mm_load_pd(t.base + i)));
    return _mm_cvttpd_epi32(value);
}
#endif

// The interpolated colour at fractions fx, fy, of `channels` as InterpolateColours takes them,
// into a colour that starts opaque black.
inline void InterpolateTerms(const InterpolationTerms& t, double fx, double fy, std::int32_t channels, bool vector,
                             Colour* colour) {
    *colour = Colour();
#if TESSELON_VECTOR_TERMS
    if (vector && channels > 1) {
        const __m128d x = _mm_set1_pd(fx);
        const __m128d y = _mm_set1_pd(fy);
        const __m128i low = TermLanes(t, 0, x, y);
        const __m128i high = TermLanes(t, 2, x, y);
        colour->red = static_cast<std::uint8_t>(_mm_cvtsi128_si32(low));
        colour->green = static_cast<std::uint8_t>(_mm_cvtsi128_si32(_mm_srli_si128(low, 4)));
        colour->blue = static_cast<std::uint8_t>(_mm_cvtsi128_si32(high));
        if (channels >= 4) colour->transparency = static_cast<std::uint8_t>(_mm_cvtsi128_si32(_mm_srli_si128(high, 4)));
        return;
    }
#else
    static_cast<void>(vector);
#endif
    colour->red = TermChannel(t, 0, fx, fy);
    if (channels <= 1) {
        colour->green = colour->blue = colour->red;
        return;
    }
    colour->green = TermChannel(t, 1, fx, fy);
    colour->blue = TermChannel(t, 2, fx, fy);
    if (channels >= 4) colour->transparency = TermChannel(t, 3, fx, fy);
}

// Between the same two picture rows only fy changes from point to point of one column: the
// column's two sums, cross fx + up (how the value rises with fy) and across fx + base (its value
// at fy = 0), serve every such point, which then multiplies and adds once a channel. Each sum is
// rounded as the whole expression rounds it, so the bytes are those Interpolate gives.
struct ColumnSums {
    alignas(32) double slope[4];
    alignas(32) double level[4];
};

#if TESSELON_VECTOR_TERMS
inline void ColumnSumsOf(const VectorTerms& t, double fx, ColumnSums* sums) {
    const __m128d x = _mm_set1_pd(fx);
    _mm_store_pd(sums->slope, _mm_add_pd(_mm_mul_pd(t.cross[0], x), t.up[0]));
    _mm_store_pd(sums->slope + 2, _mm_add_pd(_mm_mul_pd(t.cross[1], x), t.up[1]));
    _mm_store_pd(sums->level, _mm_add_pd(_mm_mul_pd(t.across[0], x), t.base[0]));
    _mm_store_pd(sums->level + 2, _mm_add_pd(_mm_mul_pd(t.across[1], x), t.base[1]));
}

// The four channels at fy, red in the lowest byte, each truncated and then cut to its low eight
// bits as the conversion to a byte cuts it (the mask keeps the packing below from saturating).
inline std::uint32_t InterpolateSums(const ColumnSums& s, __m128d fy) {
    const __m128i low = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(_mm_load_pd(s.slope), fy), _mm_load_pd(s.level)));
    const __m128i high =
        _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(_mm_load_pd(s.slope + 2), fy), _mm_load_pd(s.level + 2)));
    const __m128i lanes = _mm_and_si128(_mm_unpacklo_epi64(low, high), _mm_set1_epi32(0xFF));
    const __m128i words = _mm_packs_epi32(lanes, lanes);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}
#endif
