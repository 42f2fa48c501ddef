#include "ui/OrderedTree.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <algorithm>
#include <utility>
#include <vector>

#include "ui/OrderedFolderItem.h"

int OrderedTree::depth(const QTreeWidgetItem* item) {
    int d = 0;
    for (const QTreeWidgetItem* p = item ? item->parent() : nullptr; p; p = p->parent())
        ++d;
    return d;
}

bool OrderedTree::isInside(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* p = item; p; p = p->parent())
        if (p == ancestor)
            return true;
    return false;
}

bool OrderedTree::isFolder(const QTreeWidgetItem* item) {
    const auto* ordered = dynamic_cast<const OrderedListItem*>(item);
    return ordered && ordered->isFolder();
}

bool OrderedTree::isLastChild(const QTreeWidgetItem* item) {
    const QTreeWidgetItem* parent = item->parent();
    return parent &&
           parent->indexOfChild(const_cast<QTreeWidgetItem*>(item)) == parent->childCount() - 1;
}

QTreeWidgetItem* OrderedTree::lastItem(const QTreeWidget* tree) {
    const int count = tree->topLevelItemCount();
    QTreeWidgetItem* item = count > 0 ? tree->topLevelItem(count - 1) : nullptr;
    while (item && item->childCount() > 0)
        item = item->child(item->childCount() - 1);
    return item;
}

QString OrderedTree::fullName(const QTreeWidgetItem* item) {
    if (!item->parent())
        return item->text(0);
    return fullName(item->parent()) + item->text(0) + QLatin1Char('/');
}

QString OrderedTree::path(const QTreeWidgetItem* item) {
    const QTreeWidgetItem* parent = item->parent();
    if (!parent)
        return item->text(0);
    const QString separator = parent->parent() ? QStringLiteral("/") : QString();
    return path(parent) + separator + item->text(0);
}

OrderedTree::Place OrderedTree::newItemPlace(const QTreeWidget* tree, QTreeWidgetItem* selected) {
    if (selected && isFolder(selected)) {
        const int count = selected->childCount();
        return {selected, count > 0 ? selected->child(count - 1) : nullptr};
    }
    if (selected)
        return {selected->parent(), selected};
    QTreeWidgetItem* last = lastItem(tree);
    return {last ? last->parent() : nullptr, last};
}

bool OrderedTree::inFolderZone(int pointerY, int rowTop, int rowHeight) {
    const int rowBottom = rowTop + rowHeight - 1;
    return pointerY <= rowBottom - rowHeight / 4;
}

int OrderedTree::barDropMode(const QTreeWidgetItem* item, bool open, int pointerX, int contentX,
                             int treeStep) {
    if (open && item->childCount() > 0)
        return 2;
    if (!isLastChild(item) || pointerX >= contentX)
        return 1;
    // Less than one step left of the text means after the parent (-1), each
    // further step one ancestor more.
    const int wanted = treeStep > 0 ? (pointerX - contentX) / treeStep - 1 : -1;
    int reach = 1;
    for (const QTreeWidgetItem* a = item->parent(); a->parent() && isLastChild(a); a = a->parent())
        ++reach;
    return std::max(wanted, -reach);
}

OrderedTree::Place OrderedTree::dropPlace(QTreeWidgetItem* target, int dropMode) {
    if (dropMode == 0 && isFolder(target)) {
        const int count = target->childCount();
        return {target, count > 0 ? target->child(count - 1) : nullptr};
    }
    if (dropMode == 2)
        return {target, nullptr};
    QTreeWidgetItem* after = target;
    for (int k = dropMode; k < 0 && after->parent(); ++k)
        after = after->parent();
    return {after->parent(), after};
}

void OrderedTree::insertItem(QTreeWidget* tree, QTreeWidgetItem* item, const Place& place) {
    if (place.parent) {
        const int index = place.after ? place.parent->indexOfChild(place.after) + 1 : 0;
        place.parent->insertChild(index, item);
    } else if (tree) {
        const int index = place.after ? tree->indexOfTopLevelItem(place.after) + 1 : 0;
        tree->insertTopLevelItem(index, item);
    }
}

namespace {

// Open entries of a subtree, which the view forgets when the subtree leaves it.
void collectOpen(QTreeWidgetItem* item, std::vector<QTreeWidgetItem*>& open) {
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (child->isExpanded())
            open.push_back(child);
        collectOpen(child, open);
    }
}

void syncFolderIcons(QTreeWidgetItem* item) {
    if (auto* folder = dynamic_cast<OrderedFolderItem*>(item))
        folder->syncIcon();
    for (int i = 0; i < item->childCount(); ++i)
        syncFolderIcons(item->child(i));
}

} // namespace

bool OrderedTree::moveItem(QTreeWidget* tree, QTreeWidgetItem* item, const Place& place) {
    if (place.parent && isInside(place.parent, item))
        return false;
    if (place.after == item)
        return true; // already there
    const bool open = item->isExpanded();
    std::vector<QTreeWidgetItem*> openChildren;
    collectOpen(item, openChildren);

    if (QTreeWidgetItem* parent = item->parent())
        parent->removeChild(item);
    else if (tree)
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(item));
    insertItem(tree, item, place);

    item->setExpanded(open);
    for (QTreeWidgetItem* child : openChildren)
        child->setExpanded(true);
    syncFolderIcons(item);
    return true;
}

void OrderedTree::setOpen(QTreeWidgetItem* item, bool open) {
    if (auto* folder = dynamic_cast<OrderedFolderItem*>(item))
        folder->setOpen(open);
    else
        item->setExpanded(open);
}
