#include "ui/OrderedListItem.h"

#include <QPixmap>
#include <QTreeWidget>

#include "ui/OrderedTree.h"

OrderedListItem::OrderedListItem(QTreeWidget* parent, QTreeWidgetItem* after) {
    OrderedTree::insertItem(parent, this, {nullptr, after});
}

OrderedListItem::OrderedListItem(QTreeWidgetItem* parent, QTreeWidgetItem* after) {
    OrderedTree::insertItem(nullptr, this, {parent, after});
}

OrderedListItem::~OrderedListItem() = default;

void OrderedListItem::setDropMode(int mode) {
    if (dropMode_ == mode)
        return;
    dropMode_ = mode;
    emitDataChanged();
}

void OrderedListItem::setDragged(bool dragged) {
    dragged_ = dragged;
    emitDataChanged();
}

void OrderedListItem::setHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    emitDataChanged();
}

void OrderedListItem::setIcon(const QPixmap* icon) {
    icon_ = icon;
    emitDataChanged();
}

QVariant OrderedListItem::data(int column, int role) const {
    if (role == Qt::DecorationRole) {
        if (column == 0 && icon_)
            return *icon_;
        return QVariant();
    }
    return QTreeWidgetItem::data(column, role);
}
