#include "ui/WrapRowLayout.h"

#include <QWidget>
#include <algorithm>

WrapRowLayout::WrapRowLayout(QWidget* parent) : QLayout(parent) {}

WrapRowLayout::~WrapRowLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void WrapRowLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

int WrapRowLayout::count() const {
    return items_.size();
}

QLayoutItem* WrapRowLayout::itemAt(int index) const {
    return items_.value(index);
}

QLayoutItem* WrapRowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

Qt::Orientations WrapRowLayout::expandingDirections() const {
    Qt::Orientations directions;
    for (QLayoutItem* item : items_)
        directions |= item->expandingDirections();
    return directions;
}

QSize WrapRowLayout::oneRow(bool minimum) const {
    int width = 0;
    int height = 0;
    bool anyShown = false;
    for (QLayoutItem* item : items_) {
        const QSize size = minimum ? item->minimumSize() : item->sizeHint();
        if (!item->isEmpty()) {
            if (anyShown)
                width += spacing();
            anyShown = true;
        }
        width += size.width();
        height = std::max(height, size.height());
    }
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

// Wide, the layout asks for what one row needs, so a window of its own keeps
// every control in one row; narrower, it wraps, and its height is that of
// the rows at the width it was given last.
QSize WrapRowLayout::sizeHint() const {
    QSize hint = oneRow(false);
    if (laidOutWidth_ > 0)
        hint.setHeight(heightForWidth(laidOutWidth_));
    return hint;
}

QSize WrapRowLayout::minimumSize() const {
    QSize minimum = oneRow(true);
    if (laidOutWidth_ > 0)
        minimum.setHeight(heightForWidth(laidOutWidth_));
    return minimum;
}

int WrapRowLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

void WrapRowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const int before = laidOutWidth_ > 0 ? heightForWidth(laidOutWidth_) : -1;
    laidOutWidth_ = rect.width();
    arrange(rect, true);
    // More or fewer rows: the parent's height must follow.
    if (heightForWidth(laidOutWidth_) != before)
        QLayout::invalidate();
}

int WrapRowLayout::itemWidth(QLayoutItem* item, int room) {
    return std::min({item->minimumSize().width(), item->maximumSize().width(), room});
}

int WrapRowLayout::arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int room = std::max(area.width(), 1);
    int top = area.top();
    int first = 0;
    bool anyRow = false;
    while (first < items_.size()) {
        // The items of this row: those that fit beside each other. An empty
        // item (a spacer, a hidden control) takes no spacing and starts no row.
        QList<int> widths;
        int used = 0;
        bool anyShown = false;
        int last = first;
        for (; last < items_.size(); ++last) {
            QLayoutItem* item = items_[last];
            const int gap = anyShown && !item->isEmpty() ? spacing() : 0;
            const int width = itemWidth(item, room);
            if (anyShown && !item->isEmpty() && used + gap + width > room)
                break;
            if (!anyShown && item->isEmpty()) {
                widths.append(0);
                continue;
            }
            used += gap + width;
            widths.append(width);
            anyShown = anyShown || !item->isEmpty();
        }
        // What the row leaves goes to its expanding items, share and share alike.
        int expanding = 0;
        for (int i = first; i < last; ++i)
            if (!items_[i]->isEmpty() && items_[i]->expandingDirections() & Qt::Horizontal)
                ++expanding;
        int left = room - used;
        for (int i = first; i < last && expanding > 0 && left > 0; ++i)
            if (!items_[i]->isEmpty() && items_[i]->expandingDirections() & Qt::Horizontal) {
                const int share = left / expanding--;
                widths[i - first] += share;
                left -= share;
            }
        int height = 0;
        for (int i = first; i < last; ++i) {
            QLayoutItem* item = items_[i];
            if (item->isEmpty())
                continue;
            height = std::max(height, item->sizeHint().height());
            if (item->hasHeightForWidth())
                height = std::max(height, item->heightForWidth(widths[i - first]));
        }
        if (anyShown) {
            if (anyRow)
                top += spacing();
            anyRow = true;
        }
        if (place) {
            int x = area.left();
            bool shown = false;
            for (int i = first; i < last; ++i) {
                QLayoutItem* item = items_[i];
                if (shown && !item->isEmpty())
                    x += spacing();
                item->setGeometry(QRect(x, top, widths[i - first], height));
                x += widths[i - first];
                shown = shown || !item->isEmpty();
            }
        }
        top += height;
        first = last;
    }
    const QMargins m = contentsMargins();
    return top - area.top() + m.top() + m.bottom();
}
