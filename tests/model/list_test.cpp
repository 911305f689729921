#include "model/list.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/leak_check.h"

namespace {

struct Record {
    ListItem links;
    int value = 0;
};

// Both directions of the chain and the count must tell the same story.
void ExpectList(const List& list, const std::vector<int>& values) {
    std::vector<int> forward;
    std::vector<int> backward;
    for (ListItem* it = list.first; it != nullptr; it = it->next) forward.push_back(RecordOf<Record>(it)->value);
    for (ListItem* it = list.last; it != nullptr; it = it->prev) backward.insert(backward.begin(), RecordOf<Record>(it)->value);
    EXPECT_EQ(forward, values);
    EXPECT_EQ(backward, values);
    EXPECT_EQ(list.count, static_cast<int>(values.size()));
}

}  // namespace

TEST(List, TheChainAndCountStayWholeThroughEveryLinkUnlinkAndClear) {
    List list;
    Record r[6] = {{{}, 0}, {{}, 1}, {{}, 2}, {{}, 3}, {{}, 4}, {{}, 5}};
    PushBack(&list, &r[2].links);
    PushFront(&list, &r[1].links);
    InsertAfter(&r[2].links, &r[4].links);  // after the last: becomes the last
    InsertAfter(&r[2].links, &r[3].links);  // between two
    PushBack(&list, &r[5].links);
    ExpectList(list, {1, 2, 3, 4, 5});
    Unlink(&r[3].links);  // middle
    Unlink(&r[1].links);  // first
    Unlink(&r[5].links);  // last
    ExpectList(list, {2, 4});
    // Items in no list, whether never linked or already unlinked, are left alone.
    for (int i : {0, 1, 3, 5}) Unlink(&r[i].links);
    ExpectList(list, {2, 4});
    EXPECT_TRUE(r[3].links.next == nullptr && r[3].links.prev == nullptr && r[3].links.owner == nullptr);
    EXPECT_EQ(TakeFirst(&list), &r[2].links);
    Unlink(&r[4].links);  // the only item
    ExpectList(list, {});
    EXPECT_EQ(TakeFirst(&list), nullptr);

    for (int i = 0; i < 4; ++i) PushBack(&list, &(new Record{{}, i})->links);
    Clear<Record>(&list);
    ExpectList(list, {});
    EXPECT_TRUE(NothingLeaked());
}
