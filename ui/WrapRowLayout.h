#pragma once

#include <QLayout>
#include <QList>

// A row of controls that goes on in further rows where its space is
// narrower than the row. Each control takes its minimum width (no more than
// the space), the controls that expand share what is left of their row, and
// each row is as high as its highest control, as a horizontal box would make
// it. At the one row's minimum width the controls lie as in a horizontal box,
// spacers included.
//
// The height follows the width last laid out: parents whose height is their
// size hint (a group box of fixed height) then grow by the rows it wraps to.
class WrapRowLayout : public QLayout {
public:
    explicit WrapRowLayout(QWidget* parent = nullptr);
    ~WrapRowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    int heightForWidth(int width) const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (or only measures when `place` is false);
    // returns the height they take.
    int arrange(const QRect& rect, bool place) const;
    // The width an item takes in a row of `room` pixels.
    static int itemWidth(QLayoutItem* item, int room);
    // The one-row size: every item at its hint, or at its minimum.
    QSize oneRow(bool minimum) const;

    QList<QLayoutItem*> items_;
    int laidOutWidth_ = -1;
};
