#include "imaging/rows_from_sums.h"

#if TESSELON_VECTOR_TERMS && defined(__GNUC__)
#include <immintrin.h>
#define TESSELON_WIDE_VECTORS 1
// Only this function uses the instructions, and only once HasWideVectors has found them (the
// check includes the system's saving of the wide registers). It may run before the runtime's own
// constructors, which is why it reads the processor's features itself first.
#define TESSELON_WIDE __attribute__((target("avx")))
bool HasWideVectors() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}
#elif TESSELON_VECTOR_TERMS && defined(_MSC_VER)
#include <immintrin.h>
#include <intrin.h>
#define TESSELON_WIDE_VECTORS 1
#define TESSELON_WIDE
// AVX (bit 28 of ECX of leaf 1) with OSXSAVE (bit 27), and the system saving both halves of the
// wide registers (bits 1 and 2 of XCR0).
bool HasWideVectors() {
    int registers[4];
    __cpuid(registers, 1);
    const int wanted = (1 << 27) | (1 << 28);
    return (registers[2] & wanted) == wanted && (_xgetbv(0) & 6) == 6;
}
#else
#define TESSELON_WIDE_VECTORS 0
bool HasWideVectors() { return false; }
#endif

bool g_wideInterpolation = HasWideVectors();

#if TESSELON_VECTOR_TERMS

namespace {

void WriteOpaque(std::uint8_t* pixel, std::uint32_t bytes) {
    pixel[0] = static_cast<std::uint8_t>(bytes);
    pixel[1] = static_cast<std::uint8_t>(bytes >> 8);
    pixel[2] = static_cast<std::uint8_t>(bytes >> 16);
}

#if TESSELON_WIDE_VECTORS
// The four channels of a pixel in one vector, each truncated and cut to its low eight bits as
// InterpolateSums does.
TESSELON_WIDE void DrawRowWide(const ColumnSums* sums, const std::int32_t* canvasColumns, std::int32_t first,
                               std::int32_t end, double fy, std::uint8_t* row) {
    const __m256d y = _mm256_set1_pd(fy);
    const __m128i lowByte = _mm_set1_epi32(0xFF);
    for (std::int32_t at = first; at < end; ++at) {
        const __m256d value =
            _mm256_add_pd(_mm256_mul_pd(_mm256_loadu_pd(sums[at].slope), y), _mm256_loadu_pd(sums[at].level));
        const __m128i lanes = _mm_and_si128(_mm256_cvttpd_epi32(value), lowByte);
        const __m128i words = _mm_packs_epi32(lanes, lanes);
        WriteOpaque(row + static_cast<std::size_t>(canvasColumns[at]) * 3,
                    static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words))));
    }
}
#endif

}  // namespace

void DrawRowFromSums(const ColumnSums* sums, const std::int32_t* canvasColumns, std::int32_t first, std::int32_t end,
                     double fy, std::uint8_t* row) {
#if TESSELON_WIDE_VECTORS
    if (g_wideInterpolation) {
        DrawRowWide(sums, canvasColumns, first, end, fy, row);
        return;
    }
#endif
    const __m128d y = _mm_set1_pd(fy);
    for (std::int32_t at = first; at < end; ++at)
        WriteOpaque(row + static_cast<std::size_t>(canvasColumns[at]) * 3, InterpolateSums(sums[at], y));
}

#endif
