#include "imaging/wide_vectors.h"

#if TESSELON_WIDE_VECTORS && defined(__GNUC__)
// This may run before the runtime's own constructors, which is why it reads the processor's
// features itself first. The check includes the system's saving of the wide registers.
bool HasWideVectors() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}
#elif TESSELON_WIDE_VECTORS && defined(_MSC_VER)
#include <intrin.h>
// AVX (bit 28 of ECX of leaf 1) with OSXSAVE (bit 27), and the system saving both halves of the
// wide registers (bits 1 and 2 of XCR0).
bool HasWideVectors() {
    int registers[4];
    __cpuid(registers, 1);
    const int wanted = (1 << 27) | (1 << 28);
    return (registers[2] & wanted) == wanted && (_xgetbv(0) & 6) == 6;
}
#else
bool HasWideVectors() { return false; }
#endif

bool g_wideInterpolation = HasWideVectors();
