#include "model/table.h"

#include <cstdint>
#include <limits>

#include "loaders/source_image.h"
#include "model/geometry.h"
#include "model/group.h"
#include "model/random.h"
#include "render/view.h"

PixelRect g_clientRect;
std::int32_t g_tableWidth = 0;
std::int32_t g_tableHeight = 0;

// A table side truncated toward zero and kept within 32 bits: a picture of 2^31 − 1 pixels shown
// in a window one pixel wide asks for more.
static std::int32_t TableSide(double side) {
    if (!(side > 0.0)) return 0;
    if (side >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(side);
}

static bool LiesBeyondTable(const Group* group) {
    return static_cast<std::int64_t>(group->x) + g_pitch > g_tableWidth ||
           static_cast<std::int64_t>(group->y) + g_pitch > g_tableHeight;
}

void PlaceGroupAtRandom(Group* group) {
    group->x = RandomInRange(g_pitch, g_tableWidth - g_pitch);
    group->y = RandomInRange(g_pitch, g_tableHeight - g_pitch);
}

void FitTable() {
    const std::int64_t clientWidth = static_cast<std::int64_t>(g_clientRect.right) - g_clientRect.left;
    const std::int64_t clientHeight = static_cast<std::int64_t>(g_clientRect.bottom) - g_clientRect.top;
    if (clientWidth <= 0 || clientHeight <= 0) return;

    double factor = 1.0;
    if (g_sourceImage != nullptr && g_sourceImage->loaded != 0) {
        const double fx = static_cast<double>(g_sourceImage->width) / static_cast<double>(clientWidth);
        const double fy = static_cast<double>(g_sourceImage->height) / static_cast<double>(clientHeight);
        factor = fy > fx ? fy : fx;
    }
    g_tableWidth = TableSide(factor * 1.125 * static_cast<double>(clientWidth));
    g_tableHeight = TableSide(factor * 1.125 * static_cast<double>(clientHeight));
    if (g_view != nullptr) g_view->SetTableExtent(g_tableWidth, g_tableHeight);

    // Groups near or past the near edges are left alone; only the far edges move with the window.
    for (ListItem* it = g_groups.first; it != nullptr; it = it->next) {
        Group* group = RecordOf<Group>(it);
        if (LiesBeyondTable(group)) PlaceGroupAtRandom(group);
    }
}
