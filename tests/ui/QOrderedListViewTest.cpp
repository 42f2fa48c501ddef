#include <gtest/gtest.h>

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <functional>

#include "TreeShape.h"
#include "ui/OrderedTree.h"
#include "ui/QOrderedListView.h"

namespace {

// A list whose drags are played by the test instead of the toolkit's drag loop:
// `during` runs while the drag is on, as the user's moves and drop would.
class ScriptedList : public QOrderedListView {
public:
    std::function<void(QDrag*)> during;
    QByteArray payload;

protected:
    Qt::DropAction runDrag(QDrag* drag) override {
        payload = drag->mimeData()->data("text/uri-list");
        if (during)
            during(drag);
        return Qt::MoveAction;
    }
};

void sendDrag(QOrderedListView& list, QEvent::Type type, QPoint at, const QMimeData* data) {
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    if (type == QEvent::DragLeave) {
        QDragLeaveEvent e;
        QApplication::sendEvent(list.viewport(), &e);
    } else if (type == QEvent::Drop) {
        QDropEvent e(at, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &e);
    } else if (type == QEvent::DragEnter) {
        QDragEnterEvent e(at, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &e);
    } else {
        QDragMoveEvent e(at, actions, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &e);
    }
}

bool acceptsDrag(QOrderedListView& list, QEvent::Type type, QPoint at, const QMimeData* data) {
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    QDragMoveEvent e(at, actions, data, Qt::LeftButton, Qt::NoModifier, type);
    QApplication::sendEvent(list.viewport(), &e);
    return e.isAccepted();
}

void sendMouse(QOrderedListView& list, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, list.viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &e);
}

// A point in an item's row: `dx` right of where its text starts, `dy` below the row's top.
QPoint inRow(const QOrderedListView& list, const QTreeWidgetItem* item, int dx, int dy) {
    return QPoint(list.contentX(item) + dx, list.visualItemRect(item).top() + dy);
}

int rowHeight(const QOrderedListView& list, const QTreeWidgetItem* item) {
    return list.visualItemRect(item).height();
}

template <typename Item, typename Parent>
Item* add(Parent* parent, const char* name, QTreeWidgetItem* after) {
    auto* item = new Item(parent, after);
    item->setText(0, name);
    return item;
}

// Drags `item` by the mouse; `during` plays the rest of the drag.
void dragByMouse(ScriptedList& list, QTreeWidgetItem* item, std::function<void(QDrag*)> during) {
    list.during = std::move(during);
    const QPoint start = inRow(list, item, 10, 2);
    sendMouse(list, QEvent::MouseButtonPress, start);
    sendMouse(list, QEvent::MouseMove, start + QPoint(0, QApplication::startDragDistance() + 5));
}

class QOrderedListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(300, 400);
        list.show();
        uris.setData("text/uri-list", "file:///somewhere/else\r\n");
    }
    ScriptedList list;
    QMimeData uris;
};

} // namespace

TEST_F(QOrderedListViewTest, KeepsItsOwnOrderAndSharedIcons) {
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_FALSE(list.rootIsDecorated());
    EXPECT_TRUE(list.allColumnsShowFocus());
    EXPECT_TRUE(list.viewport()->acceptDrops());
    EXPECT_FALSE(list.dragEnabled()); // the list runs its own drags
    for (const QPixmap* icon : {QOrderedListView::folderClosedIcon(),
                                QOrderedListView::folderOpenIcon(), QOrderedListView::leafIcon()}) {
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->size(), QSize(16, 16));
        EXPECT_TRUE(icon->hasAlphaChannel());
    }
    EXPECT_NE(QOrderedListView::folderClosedIcon(), QOrderedListView::folderOpenIcon());

    auto* f = add<OrderedFolderItem>(&list, "f", nullptr);
    auto* x = add<OrderedListItem>(f, "x", nullptr);
    EXPECT_EQ(f->icon(), QOrderedListView::folderClosedIcon());
    EXPECT_EQ(x->icon(), nullptr);
    x->setIcon(QOrderedListView::leafIcon());
    EXPECT_FALSE(x->data(0, Qt::DecorationRole).isNull());
    EXPECT_TRUE(x->data(1, Qt::DecorationRole).isNull());
    // Opened by the program or by the user in the view, the icon follows.
    f->setOpen(true);
    EXPECT_TRUE(f->isExpanded());
    EXPECT_EQ(f->icon(), QOrderedListView::folderOpenIcon());
    list.collapseItem(f);
    EXPECT_EQ(f->icon(), QOrderedListView::folderClosedIcon());
}

TEST_F(QOrderedListViewTest, NewEntriesGoNextToTheSelectionUnselected) {
    auto* a = list.newItem(); // empty list
    a->setText(0, "a");
    auto* f = list.newFolder();
    f->setText(0, "f");
    EXPECT_EQ(treeShape(list), "a f");

    list.setCurrentItem(f);
    list.newItem()->setText(0, "1");
    auto* two = list.newItem();
    two->setText(0, "2");
    EXPECT_EQ(treeShape(list), "a f[1 2]");
    EXPECT_TRUE(f->isExpanded());
    EXPECT_FALSE(two->isSelected());

    list.setCurrentItem(two);
    list.newFolder()->setText(0, "g");
    list.setCurrentItem(a);
    list.newItem()->setText(0, "b");
    EXPECT_EQ(treeShape(list), "a b f[1 2 g]");

    list.clearSelection();
    list.newItem()->setText(0, "z"); // after the last entry of the tree, inside f
    EXPECT_EQ(treeShape(list), "a b f[1 2 g z]");
}

TEST_F(QOrderedListViewTest, DoubleClickAndReturnReportFullNames) {
    auto* a = add<OrderedFolderItem>(&list, "A", nullptr);
    auto* b = add<OrderedListItem>(a, "B", nullptr);
    QSignalSpy selected(&list, &QOrderedListView::folderSelected);
    list.slotFolderSelected(b);
    list.slotFolderSelected(nullptr);
    list.setCurrentItem(a);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&list, &enter);
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected.at(0).at(0).toString(), "AB/");
    EXPECT_EQ(selected.at(1).at(0).toString(), "A");
}

TEST_F(QOrderedListViewTest, SetDirOpensThePathAndClosesTheRest) {
    auto* root = add<OrderedFolderItem>(&list, "root", nullptr);
    auto* usr = add<OrderedFolderItem>(root, "usr", nullptr);
    auto* home = add<OrderedFolderItem>(root, "home", usr);
    auto* u = add<OrderedFolderItem>(home, "u", nullptr);
    add<OrderedListItem>(u, "file", nullptr);
    auto* other = add<OrderedFolderItem>(&list, "other", root);
    add<OrderedListItem>(other, "x", nullptr);
    list.expandAll();

    list.setDir("/root/home//u");
    EXPECT_EQ(list.currentItem(), u);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(home->isExpanded());
    EXPECT_TRUE(u->isExpanded());
    EXPECT_FALSE(usr->isExpanded());
    EXPECT_FALSE(other->isExpanded());
    EXPECT_EQ(u->icon(), QOrderedListView::folderOpenIcon());
    EXPECT_EQ(other->icon(), QOrderedListView::folderClosedIcon());

    list.setCurrentItem(other);
    list.setDir("root/nowhere");
    EXPECT_EQ(list.currentItem(), other); // a part that matches nothing ends with no item
}

TEST_F(QOrderedListViewTest, DragMovesShowTheDropIndicator) {
    auto* a = add<OrderedListItem>(&list, "a", nullptr);
    auto* f = add<OrderedFolderItem>(&list, "f", a);
    auto* x = add<OrderedListItem>(f, "x", nullptr);
    auto* b = add<OrderedListItem>(&list, "b", f);
    const int h = rowHeight(list, a);

    sendDrag(list, QEvent::DragEnter, inRow(list, a, 5, 1), &uris);
    EXPECT_EQ(list.dropItem(), a);
    EXPECT_TRUE(list.autoOpenPending());

    // The upper three quarters of a folder's row drop into it: shaded, no bar.
    sendDrag(list, QEvent::DragMove, inRow(list, f, 5, 1), &uris);
    EXPECT_EQ(list.dropItem(), f);
    EXPECT_TRUE(f->isHighlighted());
    EXPECT_EQ(f->dropMode(), 0);
    EXPECT_TRUE(list.autoOpenPending());

    // Its lowest quarter shows the bar after it.
    sendDrag(list, QEvent::DragMove, inRow(list, f, 5, h - 1), &uris);
    EXPECT_FALSE(f->isHighlighted());
    EXPECT_EQ(f->dropMode(), 1);
    EXPECT_FALSE(list.autoOpenPending());

    sendDrag(list, QEvent::DragMove, inRow(list, b, 5, 1), &uris);
    EXPECT_EQ(f->dropMode(), 0);
    EXPECT_EQ(b->dropMode(), 1);

    // An open folder with children: the bar asks for its first child.
    f->setOpen(true);
    sendDrag(list, QEvent::DragMove, inRow(list, f, 5, h - 1), &uris);
    EXPECT_EQ(f->dropMode(), 2);
    // Left of the text of a last child: after its parent.
    sendDrag(list, QEvent::DragMove, inRow(list, x, -5, 1), &uris);
    EXPECT_EQ(x->dropMode(), -1);
    EXPECT_EQ(f->dropMode(), 0);

    // Below the last row: nothing to drop on.
    sendDrag(list, QEvent::DragMove, QPoint(5, 390), &uris);
    EXPECT_EQ(list.dropItem(), nullptr);
    EXPECT_EQ(x->dropMode(), 0);

    // Drags that carry no URIs are refused.
    QMimeData text;
    text.setText("plain");
    EXPECT_FALSE(acceptsDrag(list, QEvent::DragEnter, inRow(list, a, 5, 1), &text));
    EXPECT_TRUE(acceptsDrag(list, QEvent::DragEnter, inRow(list, a, 5, 1), &uris));
}

TEST_F(QOrderedListViewTest, RestingOnAFolderOpensIt) {
    auto* f = add<OrderedFolderItem>(&list, "f", nullptr);
    add<OrderedListItem>(f, "x", nullptr);
    sendDrag(list, QEvent::DragEnter, inRow(list, f, 5, 1), &uris);
    sendDrag(list, QEvent::DragMove, inRow(list, f, 5, 1), &uris);
    ASSERT_TRUE(list.autoOpenPending());
    list.openFolder(); // what the 750 ms timer runs
    EXPECT_TRUE(f->isExpanded());
    EXPECT_EQ(f->icon(), QOrderedListView::folderOpenIcon());
    EXPECT_FALSE(list.autoOpenPending());
}

TEST_F(QOrderedListViewTest, LeavingRestoresTheCurrentEntry) {
    auto* a = add<OrderedListItem>(&list, "a", nullptr);
    auto* f = add<OrderedFolderItem>(&list, "f", a);
    list.setCurrentItem(a);
    sendDrag(list, QEvent::DragEnter, inRow(list, f, 5, 1), &uris);
    sendDrag(list, QEvent::DragMove, inRow(list, f, 5, 1), &uris);
    list.clearSelection();
    list.setCurrentItem(f);
    sendDrag(list, QEvent::DragLeave, QPoint(), &uris);
    EXPECT_EQ(list.currentItem(), a);
    EXPECT_TRUE(a->isSelected());
    EXPECT_EQ(list.dropItem(), nullptr);
    EXPECT_FALSE(f->isHighlighted());
}

TEST_F(QOrderedListViewTest, DraggingAnEntryMovesItWhereTheBarShows) {
    auto* a = add<OrderedListItem>(&list, "a", nullptr);
    auto* b = add<OrderedListItem>(&list, "b", a);
    auto* c = add<OrderedListItem>(&list, "c", b);
    add<OrderedListItem>(&list, "d", c);
    list.setCurrentItem(b);

    dragByMouse(list, a, [&](QDrag* drag) {
        EXPECT_TRUE(a->isDragged());
        EXPECT_FALSE(b->isSelected()); // the selection goes while dragging
        sendDrag(list, QEvent::DragEnter, inRow(list, a, 5, 5), drag->mimeData());
        sendDrag(list, QEvent::DragMove, inRow(list, c, 5, 5), drag->mimeData());
        sendDrag(list, QEvent::Drop, inRow(list, c, 5, 5), drag->mimeData());
    });
    EXPECT_EQ(list.payload, "a\r\n");
    EXPECT_EQ(treeShape(list), "b c a d");
    EXPECT_TRUE(a->isSelected());
    EXPECT_FALSE(a->isDragged());
    EXPECT_EQ(c->dropMode(), 0);
}

TEST_F(QOrderedListViewTest, DraggingIntoFoldersAndOutOfThem) {
    auto* f = add<OrderedFolderItem>(&list, "f", nullptr);
    auto* g = add<OrderedFolderItem>(f, "g", nullptr);
    auto* x = add<OrderedListItem>(g, "x", nullptr);
    auto* y = add<OrderedListItem>(&list, "y", f);
    list.setRootIsDecorated(true);
    list.expandAll();

    // y onto the upper part of g's row: the end of g.
    dragByMouse(list, y, [&](QDrag* drag) {
        sendDrag(list, QEvent::DragEnter, inRow(list, y, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::DragMove, inRow(list, g, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::Drop, inRow(list, g, 5, 1), drag->mimeData());
    });
    EXPECT_EQ(treeShape(list), "f[g[x y]]");
    EXPECT_EQ(list.payload, "y\r\n");

    // x onto y's row, more than two tree steps left of its text: after f.
    const int step = list.indentation();
    dragByMouse(list, x, [&](QDrag* drag) {
        const QPoint at = inRow(list, y, -2 * step - 5, 1);
        sendDrag(list, QEvent::DragEnter, at, drag->mimeData());
        sendDrag(list, QEvent::DragMove, at, drag->mimeData());
        EXPECT_EQ(y->dropMode(), -2);
        sendDrag(list, QEvent::Drop, at, drag->mimeData());
    });
    EXPECT_EQ(treeShape(list), "f[g[y]] x");
    EXPECT_EQ(list.payload, "fg/x\r\n");

    // Dropped on its own row an entry stays; a folder dropped on its own
    // child moves nothing, and the dragged folder is not opened by resting.
    dragByMouse(list, y, [&](QDrag* drag) {
        const QPoint at = inRow(list, y, -2 * step - 5, 1);
        sendDrag(list, QEvent::DragEnter, at, drag->mimeData());
        sendDrag(list, QEvent::DragMove, at, drag->mimeData());
        sendDrag(list, QEvent::Drop, at, drag->mimeData());
    });
    EXPECT_EQ(treeShape(list), "f[g[y]] x");
    dragByMouse(list, f, [&](QDrag* drag) {
        EXPECT_FALSE(f->isExpanded()); // closed while it is dragged
        sendDrag(list, QEvent::DragEnter, inRow(list, f, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::DragMove, inRow(list, f, 5, 1), drag->mimeData());
        list.openFolder();
        EXPECT_FALSE(f->isExpanded());
        f->setOpen(true);
        sendDrag(list, QEvent::DragMove, inRow(list, y, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::Drop, inRow(list, y, 5, 1), drag->mimeData());
    });
    EXPECT_EQ(treeShape(list), "f[g[y]] x");
    EXPECT_FALSE(f->isDragged());
}

TEST_F(QOrderedListViewTest, DragsEndingElsewhereLeaveNothingBehind) {
    auto* a = add<OrderedListItem>(&list, "a", nullptr);
    auto* f = add<OrderedFolderItem>(&list, "f", a);
    dragByMouse(list, a, [&](QDrag* drag) {
        sendDrag(list, QEvent::DragEnter, inRow(list, f, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::DragMove, inRow(list, f, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::DragLeave, QPoint(), drag->mimeData());
    });
    EXPECT_FALSE(a->isDragged());
    EXPECT_FALSE(f->isHighlighted());
    // The folder that was shaded can go; the next drag must not touch it.
    delete f;
    dragByMouse(list, a, [&](QDrag* drag) {
        sendDrag(list, QEvent::DragEnter, inRow(list, a, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::DragMove, inRow(list, a, 5, 1), drag->mimeData());
        sendDrag(list, QEvent::Drop, inRow(list, a, 5, 1), drag->mimeData());
    });
    EXPECT_EQ(treeShape(list), "a");

    // A URI drag from outside is taken and changes nothing; no item, refused.
    auto* b = add<OrderedListItem>(&list, "b", a);
    sendDrag(list, QEvent::DragEnter, inRow(list, b, 5, 1), &uris);
    sendDrag(list, QEvent::DragMove, inRow(list, a, 5, 1), &uris);
    EXPECT_TRUE(acceptsDrag(list, QEvent::Drop, inRow(list, a, 5, 1), &uris));
    sendDrag(list, QEvent::DragEnter, QPoint(5, 390), &uris);
    sendDrag(list, QEvent::DragMove, QPoint(5, 390), &uris);
    EXPECT_FALSE(acceptsDrag(list, QEvent::Drop, QPoint(5, 390), &uris));
    EXPECT_EQ(treeShape(list), "a b");
    EXPECT_EQ(a->dropMode(), 0);
}

TEST(QOrderedListView, ToolkitDragLoopEndsCleanly) {
    // The real drag loop (which the offscreen platform ends at once).
    QOrderedListView list;
    list.resize(300, 200);
    list.show();
    auto* a = add<OrderedListItem>(&list, "a", nullptr);
    add<OrderedListItem>(&list, "b", a);
    const QPoint start(list.contentX(a) + 10, list.visualItemRect(a).top() + 2);
    sendMouse(list, QEvent::MouseButtonPress, start);
    sendMouse(list, QEvent::MouseMove, start + QPoint(0, QApplication::startDragDistance() + 5));
    EXPECT_FALSE(a->isDragged());
    EXPECT_EQ(treeShape(list), "a b");

    // A press on the branch mark starts no drag.
    list.setRootIsDecorated(true);
    const QPoint branch(2, list.visualItemRect(a).top() + 2);
    sendMouse(list, QEvent::MouseButtonPress, branch);
    sendMouse(list, QEvent::MouseMove, branch + QPoint(0, 30));
    sendMouse(list, QEvent::MouseButtonRelease, branch + QPoint(0, 30));
    EXPECT_EQ(treeShape(list), "a b");
}
