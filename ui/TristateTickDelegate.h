#pragma once

#include <QStyledItemDelegate>

// Draws a tick in its middle state as a box holding a square, so that the
// three states read apart in every style: the item views of the toolkit's
// own styles draw it as the full tick on a slightly greyer box.
class TristateTickDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
