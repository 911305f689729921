#pragma once

#include "model/group.h"

// Merges the held group g_draggedGroup into the top-most other group it fits (see FindFit),
// moving the held pieces by the fit's correction, frees the emptied held group, recentres the
// survivor and makes it the held group; returns the survivor. Returns null and changes nothing
// when no group fits or none is held. One call makes one merge: a drop that closes seams with
// several groups needs one call per group.
Group* JoinDropped();

// Every merge of one drop: each join makes the survivor the held group, which then tries the rest,
// and each survivor sinks beneath the loose pieces.
void JoinAllDropped();
