// The decoder of a build without the platform's imaging component: every everyday picture is
// refused, cleanly and silently, and only the FITS and PDS readers load anything.
#include "loaders/platform_decoder.h"

bool DecodeWithPlatform(SourceImage*, const wchar_t*) { return false; }
