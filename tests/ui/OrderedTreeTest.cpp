#include <gtest/gtest.h>

#include <QTreeWidget>

#include "TreeShape.h"
#include "ui/OrderedFolderItem.h"
#include "ui/OrderedTree.h"
#include "ui/QOrderedListView.h"

namespace {

using Place = OrderedTree::Place;

OrderedListItem* leaf(QTreeWidget* tree, const char* name, QTreeWidgetItem* after) {
    auto* item = new OrderedListItem(tree, after);
    item->setText(0, name);
    return item;
}

OrderedListItem* leaf(QTreeWidgetItem* parent, const char* name, QTreeWidgetItem* after) {
    auto* item = new OrderedListItem(parent, after);
    item->setText(0, name);
    return item;
}

template <typename Parent>
OrderedFolderItem* folder(Parent* parent, const char* name, QTreeWidgetItem* after) {
    auto* item = new OrderedFolderItem(parent, after);
    item->setText(0, name);
    return item;
}

bool samePlace(const Place& a, const Place& b) {
    return a.parent == b.parent && a.after == b.after;
}

// A: { B: { C: { D } }, E }, then F, and a flat tail G H.
struct Nested {
    QTreeWidget tree;
    OrderedFolderItem* a = folder(&tree, "A", nullptr);
    OrderedFolderItem* b = folder(a, "B", nullptr);
    OrderedFolderItem* c = folder(b, "C", nullptr);
    OrderedListItem* d = leaf(c, "D", nullptr);
    OrderedListItem* e = leaf(a, "E", b);
    OrderedListItem* f = leaf(&tree, "F", a);
    OrderedListItem* g = leaf(&tree, "G", f);
    OrderedListItem* h = leaf(&tree, "H", g);
};

} // namespace

TEST(OrderedTree, ItemsGoFirstOrRightAfterTheirPredecessor) {
    QTreeWidget tree;
    auto* x = leaf(&tree, "x", nullptr);
    leaf(&tree, "y", nullptr); // no predecessor: at the top
    leaf(&tree, "z", x);
    auto* f = folder(&tree, "f", nullptr);
    leaf(f, "2", nullptr);
    leaf(f, "1", nullptr);
    EXPECT_EQ(treeShape(tree), "f[1 2] y x z");
    EXPECT_TRUE(f->isFolder());
    EXPECT_FALSE(x->isFolder());
    EXPECT_EQ(f->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
}

TEST(OrderedTree, NamesAndPathsPutTheTopLevelTextInFront) {
    Nested n;
    EXPECT_EQ(OrderedTree::fullName(n.a), "A");
    EXPECT_EQ(OrderedTree::fullName(n.b), "AB/");
    EXPECT_EQ(OrderedTree::fullName(n.d), "AB/C/D/");
    EXPECT_EQ(OrderedTree::path(n.a), "A");
    EXPECT_EQ(OrderedTree::path(n.b), "AB");
    EXPECT_EQ(OrderedTree::path(n.d), "AB/C/D");
    EXPECT_EQ(OrderedTree::depth(n.d), 3);
    EXPECT_TRUE(OrderedTree::isInside(n.d, n.a));
    EXPECT_TRUE(OrderedTree::isInside(n.a, n.a));
    EXPECT_FALSE(OrderedTree::isInside(n.a, n.d));
    EXPECT_FALSE(OrderedTree::isInside(n.f, n.a));
}

TEST(OrderedTree, NewEntriesGoNextToTheSelection) {
    Nested n;
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&n.tree, n.a), {n.a, n.e})); // last child
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&n.tree, n.e), {n.a, n.e}));
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&n.tree, n.g), {nullptr, n.g}));
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&n.tree, nullptr), {nullptr, n.h}));

    auto* empty = folder(&n.tree, "empty", n.h);
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&n.tree, empty), {empty, nullptr}));
    // With nothing selected: after the last entry of the whole tree, even inside a folder.
    auto* last = leaf(empty, "last", nullptr);
    EXPECT_EQ(OrderedTree::lastItem(&n.tree), last);
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&n.tree, nullptr), {empty, last}));

    QTreeWidget none;
    EXPECT_TRUE(samePlace(OrderedTree::newItemPlace(&none, nullptr), {nullptr, nullptr}));
}

TEST(OrderedTree, FolderZoneIsAllButTheLowestQuarter) {
    EXPECT_TRUE(OrderedTree::inFolderZone(0, 0, 20));
    EXPECT_TRUE(OrderedTree::inFolderZone(14, 0, 20));
    EXPECT_FALSE(OrderedTree::inFolderZone(15, 0, 20));
    EXPECT_FALSE(OrderedTree::inFolderZone(19, 0, 20));
    EXPECT_TRUE(OrderedTree::inFolderZone(113, 100, 18)); // bottom 117, quarter 4
    EXPECT_FALSE(OrderedTree::inFolderZone(114, 100, 18));
}

TEST(OrderedTree, BarModesFollowThePointerAlongChainsOfLastChildren) {
    Nested n;
    const int text = 100, step = 20;
    // A flat list, or any entry that is not a last child: right after it.
    for (int x : {0, 50, 99, 150}) {
        EXPECT_EQ(OrderedTree::barDropMode(n.g, false, x, text, step), 1) << x;
        EXPECT_EQ(OrderedTree::barDropMode(n.b, false, x, text, step), 1) << x;
    }
    // An open entry with children: its first child; closed, or open and empty: after it.
    EXPECT_EQ(OrderedTree::barDropMode(n.a, true, 150, text, step), 2);
    EXPECT_EQ(OrderedTree::barDropMode(n.a, false, 150, text, step), 1);
    EXPECT_EQ(OrderedTree::barDropMode(n.d, true, 150, text, step), 1);

    // Left of D's text: one ancestor per tree step, as far as the chain of last
    // children goes (C is B's last child, but E follows B in A).
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 100, text, step), 1);
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 99, text, step), -1);
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 81, text, step), -1);
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 80, text, step), -2);
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 0, text, step), -2); // B is not last in A

    // Once E goes, B is A's last child and the chain reaches A (top level).
    delete n.e;
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 60, text, step), -3);
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 0, text, step), -3);
    // A tree step of 0 takes the pointer as one level up.
    EXPECT_EQ(OrderedTree::barDropMode(n.d, false, 0, text, 0), -1);
}

TEST(OrderedTree, DropPlacesFollowTheModes) {
    Nested n;
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.a, 0), {n.a, n.e})); // end of folder
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.c, 0), {n.c, n.d}));
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.g, 1), {nullptr, n.g})); // after, top level
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.e, 1), {n.a, n.e}));
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.a, 2), {n.a, nullptr})); // first child
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.d, -1), {n.b, n.c}));    // after the parent
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.d, -3), {nullptr, n.a}));
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.d, -9), {nullptr, n.a})); // no further up
    // A leaf never takes children: mode 0 on it means right after it.
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(n.g, 0), {nullptr, n.g}));
    auto* empty = folder(&n.tree, "empty", n.h);
    EXPECT_TRUE(samePlace(OrderedTree::dropPlace(empty, 0), {empty, nullptr}));
}

TEST(OrderedTree, MovesReorderAFlatList) {
    QTreeWidget tree;
    auto* a = leaf(&tree, "a", nullptr);
    auto* b = leaf(&tree, "b", a);
    auto* c = leaf(&tree, "c", b);
    leaf(&tree, "d", c);
    EXPECT_TRUE(OrderedTree::moveItem(&tree, a, OrderedTree::dropPlace(c, 1)));
    EXPECT_EQ(treeShape(tree), "b c a d");
    // To the top: onto the first row, then the first row below the entry.
    auto* d = tree.topLevelItem(3);
    EXPECT_TRUE(OrderedTree::moveItem(&tree, d, OrderedTree::dropPlace(b, 1)));
    EXPECT_EQ(treeShape(tree), "b d c a");
    EXPECT_TRUE(OrderedTree::moveItem(&tree, b, OrderedTree::dropPlace(d, 1)));
    EXPECT_EQ(treeShape(tree), "d b c a");
    // Onto itself or right after itself: stays.
    EXPECT_TRUE(OrderedTree::moveItem(&tree, c, OrderedTree::dropPlace(c, 1)));
    EXPECT_EQ(treeShape(tree), "d b c a");
}

TEST(OrderedTree, MovesBetweenLevelsKeepSubtreesAndTheirOpenFolders) {
    Nested n;
    n.tree.expandAll();
    n.c->setOpen(false);
    ASSERT_TRUE(n.b->isExpanded());

    // G into folder A (its end), then H as A's first child.
    EXPECT_TRUE(OrderedTree::moveItem(&n.tree, n.g, OrderedTree::dropPlace(n.a, 0)));
    EXPECT_TRUE(OrderedTree::moveItem(&n.tree, n.h, OrderedTree::dropPlace(n.a, 2)));
    EXPECT_EQ(treeShape(n.tree), "A[H B[C[D]] E G] F");
    // D after its second ancestor B, inside A.
    EXPECT_TRUE(OrderedTree::moveItem(&n.tree, n.d, OrderedTree::dropPlace(n.d, -2)));
    EXPECT_EQ(treeShape(n.tree), "A[H B[C] D E G] F");

    // Folder A with everything in it to the end of the top level.
    EXPECT_TRUE(OrderedTree::moveItem(&n.tree, n.a, OrderedTree::dropPlace(n.f, 1)));
    EXPECT_EQ(treeShape(n.tree), "F A[H B[C] D E G]");
    EXPECT_TRUE(n.a->isExpanded());
    EXPECT_TRUE(n.b->isExpanded());
    EXPECT_FALSE(n.c->isExpanded());
    EXPECT_EQ(n.b->icon(), QOrderedListView::folderOpenIcon());
    EXPECT_EQ(n.c->icon(), QOrderedListView::folderClosedIcon());

    // Never into itself.
    EXPECT_FALSE(OrderedTree::moveItem(&n.tree, n.a, OrderedTree::dropPlace(n.b, 2)));
    EXPECT_FALSE(OrderedTree::moveItem(&n.tree, n.a, OrderedTree::dropPlace(n.a, 0)));
    EXPECT_EQ(treeShape(n.tree), "F A[H B[C] D E G]");
}
