#pragma once

#include <cstdint>

// What a frame must redraw, as bits of the flags given to ComposeFrame.
constexpr std::int32_t kDraggedGroupMoved = 1;
constexpr std::int32_t kRestingGroupsChanged = 2;
// Changes nothing here; the window procedure erases the window when it sees it.
constexpr std::int32_t kSizeChanged = 4;

// The grey of the table: the low byte is the level. Stepped with the space bar.
extern std::int16_t g_backgroundGrey;

// Builds the next frame in g_canvas and reduces it into the display image. With the resting
// groups changed, every group but the held one is drawn on the background, bottom group first,
// and the result is kept as the rest image; with only the held group moved, the frame starts
// from that rest image instead. The held group is then drawn on top of everything. Without a
// loaded picture the frame is the background alone.
void ComposeFrame(std::int32_t flags);
