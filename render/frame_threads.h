#pragma once

#include <cstdint>

// How many threads draw a frame, the calling thread included; 1 draws it on the calling thread
// alone. Starts at the machine's cores, at most 8: beyond that a frame gains little and the
// bands grow thin. Read at every frame, so it may be changed between frames.
extern std::int32_t g_frameThreads;

// One piece of a frame's work: band `band` of `context`.
using BandWork = void (*)(void* context, std::int32_t band);

// Runs work(context, band) for every band from 0 to bandCount − 1, spread over the calling thread
// and up to g_frameThreads − 1 helper threads, and returns when every band is done. Bands are
// taken in no fixed order, so no band may depend on another. Helpers are started at the first
// frame that wants them and then wait for the next; where one cannot be started the frame is
// drawn by those that could, down to the calling thread alone.
void RunBands(BandWork work, void* context, std::int32_t bandCount);
