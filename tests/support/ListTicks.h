// Where a list view draws an item's tick, as the user sees it and clicks it.
#pragma once

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

namespace orvextest {

inline QRect tickRect(QTreeWidget& list, QTreeWidgetItem* item) {
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.rect = list.visualItemRect(item);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    return list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list);
}

} // namespace orvextest
