#include "render/byte_shuffle_rows.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <tmmintrin.h>
#define TESSELON_SHUFFLES 1
// Only these functions use the instructions, and only once HasByteShuffles has found them.
#define TESSELON_SHUFFLING __attribute__((target("ssse3")))
bool HasByteShuffles() { return __builtin_cpu_supports("ssse3"); }
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <intrin.h>
#define TESSELON_SHUFFLES 1
#define TESSELON_SHUFFLING
// Bit 9 of the feature flags in ECX of leaf 1.
bool HasByteShuffles() {
    int registers[4];
    __cpuid(registers, 1);
    return (registers[2] & (1 << 9)) != 0;
}
#else
#define TESSELON_SHUFFLES 0
bool HasByteShuffles() { return false; }
#endif

#if TESSELON_SHUFFLES

namespace {

// Four pixels come from 16 bytes read and go out as 16 bytes written, of which 12 are theirs; the
// next step overwrites the other 4. A step is taken while two more pixels follow it, which covers
// the 4 bytes beyond it, so the last few pixels of a row are left to the plain loop.
constexpr std::int32_t kPixelsAStep = 4;
constexpr std::int32_t kPixelsToSpare = 2;

TESSELON_SHUFFLING __m128i Load(const std::uint8_t* bytes) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}

TESSELON_SHUFFLING void Store(std::uint8_t* bytes, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
}

// Asks for the bytes a kilobyte ahead of a working row: on its own the processor fetched the
// two rows too late, and the reduction waited for memory and then for arithmetic instead of
// doing both at once (a quarter of its time at scale 2). The address is formed as an integer
// because it may lie past the image, where a prefetch is harmless but a pointer is not allowed.
constexpr std::uintptr_t kFetchAhead = 1024;

TESSELON_SHUFFLING void FetchAhead(const std::uint8_t* bytes) {
    _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<std::uintptr_t>(bytes) + kFetchAhead), _MM_HINT_T0);
}

// The channel sums of two display pixels from the 12 bytes of four working pixels in a row, blue
// first: the two bytes of a channel are brought side by side and added as a pair.
TESSELON_SHUFFLING __m128i PairSums(const std::uint8_t* bytes) {
    const __m128i sideBySide = _mm_setr_epi8(2, 5, 1, 4, 0, 3, 8, 11, 7, 10, 6, 9, -1, -1, -1, -1);
    return _mm_maddubs_epi16(_mm_shuffle_epi8(Load(bytes), sideBySide), _mm_set1_epi8(1));
}

}  // namespace

TESSELON_SHUFFLING std::int32_t ReverseShuffled(const std::uint8_t* pixels, std::int32_t count,
                                                std::uint8_t* display) {
    const __m128i reversed = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, -1, -1, -1, -1);
    std::int32_t done = 0;
    for (; done + kPixelsAStep + kPixelsToSpare <= count; done += kPixelsAStep) {
        Store(display + done * 3, _mm_shuffle_epi8(Load(pixels + done * 3), reversed));
    }
    return done;
}

// Four display pixels a step from 24 bytes of each working row: 12 at a time, read as 16.
TESSELON_SHUFFLING std::int32_t ReducePairShuffled(const std::uint8_t* pixels, std::size_t rowBytes,
                                                   std::int32_t displayWidth, std::uint8_t* display) {
    const __m128i gapless = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, -1, -1, -1, -1);
    const std::uint8_t* above = pixels + rowBytes;
    std::int32_t done = 0;
    for (; done + kPixelsAStep + kPixelsToSpare <= displayWidth; done += kPixelsAStep) {
        const std::size_t at = static_cast<std::size_t>(done) * 6;
        FetchAhead(pixels + at);
        FetchAhead(above + at);
        const __m128i first = _mm_add_epi16(PairSums(pixels + at), PairSums(above + at));
        const __m128i second = _mm_add_epi16(PairSums(pixels + at + 12), PairSums(above + at + 12));
        const __m128i means = _mm_packus_epi16(_mm_srli_epi16(first, 2), _mm_srli_epi16(second, 2));
        Store(display + done * 3, _mm_shuffle_epi8(means, gapless));
    }
    return done;
}

#else

std::int32_t ReverseShuffled(const std::uint8_t*, std::int32_t, std::uint8_t*) { return 0; }

std::int32_t ReducePairShuffled(const std::uint8_t*, std::size_t, std::int32_t, std::uint8_t*) { return 0; }

#endif
