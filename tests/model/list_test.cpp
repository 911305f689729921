#include "model/list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Record {
    ListItem links;
    int value = 0;
};

std::vector<int> Values(const List& list) {
    std::vector<int> values;
    for (ListItem* it = list.first; it != nullptr; it = it->next) values.push_back(RecordOf<Record>(it)->value);
    return values;
}

std::vector<int> ValuesBackwards(const List& list) {
    std::vector<int> values;
    for (ListItem* it = list.last; it != nullptr; it = it->prev) values.insert(values.begin(), RecordOf<Record>(it)->value);
    return values;
}

// Both directions of the chain, and the count, must tell the same story.
void ExpectList(const List& list, const std::vector<int>& values) {
    EXPECT_EQ(Values(list), values);
    EXPECT_EQ(ValuesBackwards(list), values);
    EXPECT_EQ(list.count, static_cast<int>(values.size()));
    for (ListItem* it = list.first; it != nullptr; it = it->next) EXPECT_EQ(it->owner, &list);
}

}  // namespace

TEST(List, PushBackAndPushFrontKeepOrderAndCount) {
    List list;
    Record a{{}, 1}, b{{}, 2}, c{{}, 3};
    PushBack(&list, &b.links);
    PushFront(&list, &a.links);
    PushBack(&list, &c.links);
    ExpectList(list, {1, 2, 3});
    EXPECT_EQ(list.first->prev, nullptr);
    EXPECT_EQ(list.last->next, nullptr);
}

TEST(List, UnlinkMendsTheChainWhereverTheItemSits) {
    List list;
    Record items[5] = {{{}, 1}, {{}, 2}, {{}, 3}, {{}, 4}, {{}, 5}};
    for (Record& item : items) PushBack(&list, &item.links);

    Unlink(&items[2].links);  // middle
    ExpectList(list, {1, 2, 4, 5});
    Unlink(&items[0].links);  // first
    ExpectList(list, {2, 4, 5});
    Unlink(&items[4].links);  // last
    ExpectList(list, {2, 4});
    for (int i : {0, 2, 4}) {
        EXPECT_EQ(items[i].links.next, nullptr);
        EXPECT_EQ(items[i].links.prev, nullptr);
        EXPECT_EQ(items[i].links.owner, nullptr);
    }
}

TEST(List, UnlinkOfTheOnlyItemEmptiesTheList) {
    List list;
    Record only{{}, 7};
    PushBack(&list, &only.links);
    Unlink(&only.links);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.count, 0);
}

TEST(List, UnlinkOfAnUnownedItemChangesNothing) {
    List list;
    Record listed{{}, 1}, loose{{}, 2};
    PushBack(&list, &listed.links);
    Unlink(&loose.links);
    Unlink(&loose.links);
    ExpectList(list, {1});
}

TEST(List, ItemsMoveBetweenLists) {
    List from, to;
    Record a{{}, 1}, b{{}, 2};
    PushBack(&from, &a.links);
    PushBack(&from, &b.links);
    Unlink(&a.links);
    PushBack(&to, &a.links);
    ExpectList(from, {2});
    ExpectList(to, {1});
}

TEST(List, ClearFreesEveryItemAsItsKind) {
    // The leak checker of the sanitized build fails the run if any record survives.
    List list;
    for (int i = 0; i < 4; ++i) PushBack(&list, &(new Record{{}, i})->links);
    Clear<Record>(&list);
    ExpectList(list, {});
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(TakeFirst(&list), nullptr);
}

TEST(List, InsertAfterLinksInTheMiddleAndAtTheEnd) {
    List list;
    Record a{{}, 1}, b{{}, 2}, c{{}, 3}, d{{}, 4};
    PushBack(&list, &a.links);
    InsertAfter(&a.links, &c.links);  // after the last: becomes the last
    ExpectList(list, {1, 3});
    InsertAfter(&a.links, &b.links);  // between two
    ExpectList(list, {1, 2, 3});
    InsertAfter(&c.links, &d.links);
    ExpectList(list, {1, 2, 3, 4});
    EXPECT_EQ(list.last->next, nullptr);
}
