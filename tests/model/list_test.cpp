#include "model/list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Record {
    ListItem links;
    int value = 0;
};

// The values from first to last; both directions of the chain and the count must tell the same story.
std::vector<int> Values(const List& list) {
    std::vector<int> forward, backward;
    for (ListItem* it = list.first; it != nullptr; it = it->next) forward.push_back(RecordOf<Record>(it)->value);
    for (ListItem* it = list.last; it != nullptr; it = it->prev) backward.insert(backward.begin(), RecordOf<Record>(it)->value);
    EXPECT_EQ(backward, forward);
    EXPECT_EQ(list.count, static_cast<int>(forward.size()));
    return forward;
}

}  // namespace

// Pushing and clearing are walked through by every group and piece; inserting after an item only
// by the favourites, which never walk their list backwards.
TEST(List, InsertedItemsAreLinkedBothWaysAndAnItemUnlinkedTwiceLeavesTheListAlone) {
    List list;
    Record r[3] = {{{}, 1}, {{}, 2}, {{}, 3}};
    PushBack(&list, &r[0].links);
    InsertAfter(&r[0].links, &r[2].links);  // after the last: becomes the last
    InsertAfter(&r[0].links, &r[1].links);  // between two
    EXPECT_EQ(Values(list), std::vector({1, 2, 3}));
    // Unlinked once more, an item that is in no list leaves the list alone.
    Unlink(&r[1].links);
    Unlink(&r[1].links);
    EXPECT_EQ(Values(list), std::vector({1, 3}));
}
