#include "ui/OrderedFolderItem.h"

#include "ui/QOrderedListView.h"

OrderedFolderItem::OrderedFolderItem(QTreeWidget* parent, QTreeWidgetItem* after)
    : OrderedListItem(parent, after) {
    init();
}

OrderedFolderItem::OrderedFolderItem(QTreeWidgetItem* parent, QTreeWidgetItem* after)
    : OrderedListItem(parent, after) {
    init();
}

OrderedFolderItem::~OrderedFolderItem() = default;

void OrderedFolderItem::init() {
    setFolder();
    setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    setIcon(QOrderedListView::folderClosedIcon());
}

void OrderedFolderItem::setOpen(bool open) {
    setIcon(open ? QOrderedListView::folderOpenIcon() : QOrderedListView::folderClosedIcon());
    setExpanded(open);
}

void OrderedFolderItem::syncIcon() {
    const QPixmap* icon =
        isExpanded() ? QOrderedListView::folderOpenIcon() : QOrderedListView::folderClosedIcon();
    if (this->icon() != icon)
        setIcon(icon);
}
