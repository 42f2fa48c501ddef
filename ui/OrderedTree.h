// The rules of an ordered list's tree, free of events and painting: where a new
// entry goes, which drop bar a pointer position asks for, where a drop lands,
// and moving an entry there. Top-level entries have no parent item; a
// QTreeWidget stands for the top level.
#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

class OrderedTree {
public:
    // A place in the tree: under `parent` (none: the top level), right after
    // `after` (none: as the first entry).
    struct Place {
        QTreeWidgetItem* parent = nullptr;
        QTreeWidgetItem* after = nullptr;
    };

    static int depth(const QTreeWidgetItem* item);
    // True when item is ancestor itself or lies inside it.
    static bool isInside(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor);
    static bool isFolder(const QTreeWidgetItem* item);
    // True when a parented item is the last child of its parent.
    static bool isLastChild(const QTreeWidgetItem* item);
    // The last entry of the whole tree, however deep (open or not).
    static QTreeWidgetItem* lastItem(const QTreeWidget* tree);

    // The name a double click reports: a top-level entry's text; below it the
    // parent's name, the text and "/" (so child B of A gives "AB/").
    static QString fullName(const QTreeWidgetItem* item);
    // A dragged entry's path: the texts from the top joined by "/", the top-level
    // text put directly in front (child B of A gives "AB", its child C "AB/C").
    static QString path(const QTreeWidgetItem* item);

    // Where newItem/newFolder put an entry, given the selected item (or none):
    // last child of a selected folder, right after any other selected item, else
    // right after the last entry of the tree.
    static Place newItemPlace(const QTreeWidget* tree, QTreeWidgetItem* selected);

    // The zone of a folder's row that drops into the folder: all of the row but
    // its lowest quarter.
    static bool inFolderZone(int pointerY, int rowTop, int rowHeight);
    // The bar a pointer at pointerX over `item` asks for (1, 2 or -k), with
    // contentX where the item's text starts and treeStep the indentation: after
    // the item; as the first child of an open item with children; or, left of
    // the text of a last child, after an ancestor, one per tree step, as far as
    // the chain of last children reaches.
    static int barDropMode(const QTreeWidgetItem* item, bool open, int pointerX, int contentX,
                           int treeStep);
    // Where an entry dropped on `target` with its drop mode lands (0: at the end
    // of the target, which then is a folder).
    static Place dropPlace(QTreeWidgetItem* target, int dropMode);

    // Inserts a free item (no parent, not in the tree) at the place.
    static void insertItem(QTreeWidget* tree, QTreeWidgetItem* item, const Place& place);
    // Moves item (with its children, keeping which of them are open) to the
    // place. A place inside the item itself moves nothing; returns false then.
    static bool moveItem(QTreeWidget* tree, QTreeWidgetItem* item, const Place& place);
    // Opens or closes an entry; a folder switches its icon as well.
    static void setOpen(QTreeWidgetItem* item, bool open);
};
