// Any bytes stand for a file of a puzzle in progress. The reader either refuses them whole or
// gives a record whose every member id names one piece of its grid exactly once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "progress/progress_file.h"
#include "progress/puzzle_arrangement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PuzzleRecord record;
    if (ParseProgress(reinterpret_cast<const char*>(data), size, &record) && !MembersValid(record)) std::abort();
    return 0;
}
