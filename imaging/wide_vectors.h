#pragma once

// The four-double vectors of AVX, which not every x86-64 processor has. A function that uses them
// is marked TESSELON_WIDE and is called only where HasWideVectors has found them; beside each such
// function stays a plain one that gives the same bytes.

#include "imaging/interpolation_terms.h"

#if TESSELON_VECTOR_TERMS && (defined(__GNUC__) || defined(_MSC_VER))
#include <immintrin.h>
#define TESSELON_WIDE_VECTORS 1
#if defined(__GNUC__)
#define TESSELON_WIDE __attribute__((target("avx")))
#else
#define TESSELON_WIDE
#endif
#else
#define TESSELON_WIDE_VECTORS 0
#endif

// Whether this processor (and its system) has the four-double vectors.
bool HasWideVectors();

// Whether drawing uses them; on by default where they exist. The tests draw every frame both ways.
extern bool g_wideInterpolation;
