#pragma once

#include <cstdint>

// What a frame must redraw, as bits of the flags given to ComposeFrame.
constexpr std::int32_t kDraggedGroupMoved = 1;
constexpr std::int32_t kRestingGroupsChanged = 2;
// Changes nothing here; the window procedure erases the window when it sees it.
constexpr std::int32_t kSizeChanged = 4;
// A drop, with any joins: only where the held group was last drawn and where the group it became
// lies now (see NoteGroupPlaced) are drawn again, which gives the full frame's every byte. Where
// the last frame cannot be built on (another view, picture or grey, a canvas written since) it is
// a full frame.
constexpr std::int32_t kGroupsPlaced = 8;

struct Group;

// The grey of the table: the low byte is the level. Stepped with the space bar.
extern std::int16_t g_backgroundGrey;

// Builds the next frame in g_canvas and reduces it into the display image. With the resting
// groups changed, every group but the held one is drawn on the background, bottom group first,
// and the result is kept as the rest image; with only the held group moved, the frame starts
// from that rest image instead. The held group is then drawn on top of everything. Without a
// loaded picture the frame is the background alone.
void ComposeFrame(std::int32_t flags);

// Called once a drop has placed the held group, and before its frame, with the group it became
// (the survivor of its joins) and no group held any longer.
void NoteGroupPlaced(const Group* placed);
