#include "model/group.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/leak_check.h"

namespace {

Piece* NewPiece(int id, int offsetX, int offsetY) {
    Piece* piece = new Piece;
    piece->mask = new unsigned char[9]();
    piece->id = id;
    piece->offsetX = offsetX;
    piece->offsetY = offsetY;
    return piece;
}

Group* NewGroup(int x, int y, const std::vector<std::pair<int, int>>& offsets) {
    Group* group = new Group;
    group->x = x;
    group->y = y;
    int id = 1001;
    for (auto [ox, oy] : offsets) {
        PieceLink* link = new PieceLink;
        link->piece = NewPiece(id++, ox, oy);
        PushBack(&group->members, &link->links);
    }
    PushBack(&g_groups, &group->links);
    return group;
}

std::vector<std::pair<int, int>> TablePositions(Group* group) {
    std::vector<std::pair<int, int>> positions;
    for (ListItem* it = group->members.first; it != nullptr; it = it->next) {
        const Piece* piece = RecordOf<PieceLink>(it)->piece;
        positions.emplace_back(group->x + piece->offsetX, group->y + piece->offsetY);
    }
    return positions;
}

std::vector<Group*> DrawingOrder() {
    std::vector<Group*> order;
    for (ListItem* it = g_groups.first; it != nullptr; it = it->next) order.push_back(RecordOf<Group>(it));
    return order;
}

class Groups : public testing::Test {
protected:
    void TearDown() override { ClearPuzzle(); }
};

}  // namespace

TEST_F(Groups, RecentreTruncatesTheMeanTowardZeroAndKeepsPiecesInPlace) {
    Group* group = NewGroup(100, 50, {{-3, 0}, {0, 0}});
    const auto before = TablePositions(group);
    RecentreGroup(group);
    EXPECT_EQ(group->x, 99);  // -3 / 2 is -1, not -2
    EXPECT_EQ(group->y, 50);
    EXPECT_EQ(RecordOf<PieceLink>(group->members.first)->piece->offsetX, -2);
    EXPECT_EQ(RecordOf<PieceLink>(group->members.last)->piece->offsetX, 1);
    EXPECT_EQ(TablePositions(group), before);
}

TEST_F(Groups, RecentreLeavesCentredAndEmptyGroupsAlone) {
    Group* centred = NewGroup(10, 20, {{-64, 5}, {64, -5}, {1, 1}});  // means 1/3 truncate to 0
    RecentreGroup(centred);
    EXPECT_EQ(centred->x, 10);
    EXPECT_EQ(centred->y, 20);
    EXPECT_EQ(RecordOf<PieceLink>(centred->members.last)->piece->offsetX, 1);

    Group* empty = NewGroup(3, 4, {});
    RecentreGroup(empty);
    EXPECT_EQ(empty->x, 3);
    EXPECT_EQ(empty->y, 4);
}

TEST_F(Groups, RecentreOfAHugeGroupDoesNotOverflow) {
    std::vector<std::pair<int, int>> offsets(3000, {1'000'000, -1'000'000});
    Group* group = NewGroup(0, 0, offsets);
    RecentreGroup(group);
    EXPECT_EQ(group->x, 1'000'000);
    EXPECT_EQ(group->y, -1'000'000);
    EXPECT_EQ(RecordOf<PieceLink>(group->members.first)->piece->offsetX, 0);
}

TEST_F(Groups, RaiseAndLowerMoveAGroupToEitherEndOfTheDrawingOrder) {
    Group* a = NewGroup(0, 0, {{0, 0}});
    Group* b = NewGroup(0, 0, {{0, 0}});
    Group* c = NewGroup(0, 0, {{0, 0}});
    RaiseGroup(a);
    EXPECT_EQ(DrawingOrder(), (std::vector<Group*>{b, c, a}));
    LowerGroup(c);
    EXPECT_EQ(DrawingOrder(), (std::vector<Group*>{c, b, a}));
    RaiseGroup(a);
    EXPECT_EQ(DrawingOrder(), (std::vector<Group*>{c, b, a}));
    EXPECT_EQ(g_groups.count, 3);
}

TEST_F(Groups, DestroyGroupFreesItsLinksButNotItsPieces) {
    Group* doomed = NewGroup(0, 0, {{0, 0}, {64, 0}});
    Group* survivor = NewGroup(0, 0, {{0, 0}});
    std::vector<Piece*> pieces;
    for (ListItem* it = doomed->members.first; it != nullptr; it = it->next) pieces.push_back(RecordOf<PieceLink>(it)->piece);

    // Joining moves pieces into the survivor under new links before destroying the old group.
    for (Piece* piece : pieces) {
        PieceLink* link = new PieceLink;
        link->piece = piece;
        PushBack(&survivor->members, &link->links);
    }
    DestroyGroup(doomed);
    delete doomed;
    EXPECT_EQ(DrawingOrder(), (std::vector<Group*>{survivor}));
    EXPECT_EQ(survivor->members.count, 3);
    EXPECT_EQ(pieces[1]->offsetX, 64);  // still alive: the sanitized build would flag a use after free
}

TEST_F(Groups, ClearPuzzleFreesEverythingAndForgetsTheHeldGroup) {
    NewGroup(0, 0, {{0, 0}, {1, 1}});
    g_draggedGroup = NewGroup(5, 5, {{0, 0}});
    NewGroup(9, 9, {{0, 0}, {2, 2}, {3, 3}});
    ClearPuzzle();
    EXPECT_EQ(g_groups.count, 0);
    EXPECT_EQ(g_groups.first, nullptr);
    EXPECT_EQ(g_groups.last, nullptr);
    EXPECT_EQ(g_draggedGroup, nullptr);
    EXPECT_TRUE(NothingLeaked());
    ClearPuzzle();  // clearing an empty puzzle is harmless
    EXPECT_EQ(g_groups.count, 0);
}
