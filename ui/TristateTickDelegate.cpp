#include "ui/TristateTickDelegate.h"

#include <QApplication>
#include <QPainter>

void TristateTickDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The style draws the middle state as an empty box; paint adds the square.
    // Clicks still turn the state the model holds.
    if (option->checkState == Qt::PartiallyChecked)
        option->checkState = Qt::Unchecked;
}

void TristateTickDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.data(Qt::CheckStateRole).toInt() != Qt::PartiallyChecked)
        return;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, widget);
    // The colour the style gives a tick: the selection's text colour only
    // where the selection also covers the box.
    const bool onSelection = item.showDecorationSelected && (item.state & QStyle::State_Selected);
    const QColor colour =
        item.palette.color(onSelection ? QPalette::HighlightedText : QPalette::Text);
    const int inset = (box.width() + 2) / 4;
    painter->fillRect(box.adjusted(inset, inset, -inset, -inset), colour);
}
