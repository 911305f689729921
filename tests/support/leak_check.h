#pragma once

// True when nothing allocated has become unreachable so far. Only the sanitized build can tell;
// elsewhere it answers true and the test rests on its other assertions.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
inline bool NothingLeaked() { return __lsan_do_recoverable_leak_check() == 0; }
#else
inline bool NothingLeaked() { return true; }
#endif
