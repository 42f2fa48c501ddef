#include "ui/QOrderedListView.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <algorithm>

#include "ui/FocusMark.h"
#include "ui/OrderedTree.h"

namespace {

// How long the pointer rests on a folder during a drag before it opens.
constexpr int kAutoOpenMs = 750;
// Gap between the tree's indentation and an item's text.
constexpr int kItemMargin = 1;
constexpr int kBarHeight = 3;
const char kUriListType[] = "text/uri-list";

template <typename Entry> Entry* newEntry(QTreeWidget* tree, QTreeWidgetItem* selected) {
    const OrderedTree::Place place = OrderedTree::newItemPlace(tree, selected);
    Entry* entry =
        place.parent ? new Entry(place.parent, place.after) : new Entry(tree, place.after);
    if (selected && OrderedTree::isFolder(selected))
        OrderedTree::setOpen(selected, true);
    return entry;
}

bool isMoveOrLink(const QDropEvent* e) {
    return e->proposedAction() == Qt::MoveAction || e->proposedAction() == Qt::LinkAction;
}

} // namespace

QOrderedListView::QOrderedListView(QWidget* parent, const char* name) : QTreeWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    autoOpenTimer_ = new QTimer(this);
    folderClosedIcon(); // makes the shared icons
    FocusMark::add(this);

    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { slotFolderSelected(item); });
    connect(autoOpenTimer_, &QTimer::timeout, this, &QOrderedListView::openFolder);
    // The user opens and closes folders in the view itself: their icons follow.
    const auto syncIcon = [](QTreeWidgetItem* item) {
        if (auto* folder = dynamic_cast<OrderedFolderItem*>(item))
            folder->syncIcon();
    };
    connect(this, &QTreeWidget::itemExpanded, this, syncIcon);
    connect(this, &QTreeWidget::itemCollapsed, this, syncIcon);

    // The list runs its own drags; the item view's are off.
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    setRootIsDecorated(false);
}

QOrderedListView::~QOrderedListView() {
    autoOpenTimer_->stop();
}

OrderedListItem* QOrderedListView::newItem() {
    return newEntry<OrderedListItem>(this, selectedItem());
}

OrderedFolderItem* QOrderedListView::newFolder() {
    return newEntry<OrderedFolderItem>(this, selectedItem());
}

bool QOrderedListView::autoOpenPending() const {
    return autoOpenTimer_->isActive();
}

int QOrderedListView::contentX(const QTreeWidgetItem* item) const {
    const int decorated = rootIsDecorated() ? 1 : 0;
    return header()->sectionViewportPosition(0) +
           (decorated + OrderedTree::depth(item)) * indentation() + kItemMargin;
}

QTreeWidgetItem* QOrderedListView::selectedItem() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

OrderedListItem* QOrderedListView::orderedItemAt(const QPoint& pos) const {
    return dynamic_cast<OrderedListItem*>(itemAt(pos));
}

void QOrderedListView::repaintRow(const QTreeWidgetItem* item) {
    const QRect row = visualItemRect(item);
    viewport()->update(QRect(0, row.top(), viewport()->width(), row.height()));
}

void QOrderedListView::setDir(const QString& path) {
    QTreeWidgetItemIterator it(this);
    if (*it)
        ++it;
    for (; *it; ++it)
        OrderedTree::setOpen(*it, false);

    QTreeWidgetItem* item = topLevelItem(0);
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        while (item && item->text(0) != part)
            item = itemBelow(item);
        if (!item)
            break;
        OrderedTree::setOpen(item, true);
    }
    if (item)
        setCurrentItem(item);
}

void QOrderedListView::slotFolderSelected(QTreeWidgetItem* item) {
    if (item)
        emit folderSelected(OrderedTree::fullName(item));
}

void QOrderedListView::openFolder() {
    autoOpenTimer_->stop();
    if (dropItem_ && !dropItem_->isExpanded() && dropItem_ != dragItem_) {
        OrderedTree::setOpen(dropItem_, true);
        repaintRow(dropItem_);
    }
}

void QOrderedListView::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentItem())
        slotFolderSelected(currentItem());
    QTreeWidget::keyPressEvent(e);
}

// Mouse: a press on an entry (not on its branch mark) may start a drag once the
// pointer has moved far enough.

void QOrderedListView::mousePressEvent(QMouseEvent* e) {
    QTreeWidget::mousePressEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    QTreeWidgetItem* item = itemAt(e->pos());
    if (!item)
        return;
    const int x = e->pos().x();
    if (x >= header()->sectionViewportPosition(0) && x <= contentX(item))
        return; // the branch area opens and closes
    pressPos_ = e->pos();
    mousePressed_ = true;
}

// The item view still sees the release, which ends its own press handling.
void QOrderedListView::mouseReleaseEvent(QMouseEvent* e) {
    mousePressed_ = false;
    clearDropItem();
    QTreeWidget::mouseReleaseEvent(e);
}

void QOrderedListView::mouseMoveEvent(QMouseEvent* e) {
    if (!mousePressed_) {
        // With a button held the item view would drag the selection along.
        if (e->buttons() == Qt::NoButton)
            QTreeWidget::mouseMoveEvent(e);
        return;
    }
    if ((e->pos() - pressPos_).manhattanLength() <= QApplication::startDragDistance())
        return;
    mousePressed_ = false;
    if (OrderedListItem* item = orderedItemAt(pressPos_))
        startDrag(item);
}

void QOrderedListView::startDrag(OrderedListItem* item) {
    if (dragItem_)
        dragItem_->setDragged(false);
    dragItem_ = item;
    item->setDragged(true);
    OrderedTree::setOpen(item, false);

    auto* data = new QMimeData;
    data->setData(kUriListType,
                  QUrl::toPercentEncoding(OrderedTree::path(item), "/") + QByteArray("\r\n"));
    auto* drag = new QDrag(viewport());
    drag->setMimeData(data);
    drag->setPixmap(dragPixmap(item));
    drag->setHotSpot(QPoint(-14, 0));

    if (QTreeWidgetItem* selected = selectedItem())
        selected->setSelected(false);
    runDrag(drag);

    // A drop in this list has already moved the entry; a drag that ended
    // elsewhere or was cancelled must not leave it marked (or remembered).
    if (dragItem_) {
        dragItem_->setDragged(false);
        dragItem_ = nullptr;
    }
    setState(NoState);
}

Qt::DropAction QOrderedListView::runDrag(QDrag* drag) {
    return drag->exec(Qt::MoveAction);
}

QPixmap QOrderedListView::dragPixmap(const OrderedListItem* item) const {
    const QPixmap* icon = item->icon();
    const int iconWidth = icon ? icon->width() : 0;
    const QFontMetrics metrics(font());
    const int height = std::max(metrics.height(), iconWidth);
    QPixmap pixmap(256, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(iconWidth + 2, height - metrics.descent(), item->text(0));
    if (icon)
        painter.drawPixmap(0, 0, *icon);
    return pixmap;
}

// Drag and drop. The drop handler of the list a drag ends on makes the move;
// a URI drag that did not start here is accepted and changes nothing.

void QOrderedListView::dragEnterEvent(QDragEnterEvent* e) {
    if (!e->mimeData()->hasFormat(kUriListType)) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    oldCurrent_ = currentItem();
    if (OrderedListItem* item = orderedItemAt(e->pos())) {
        clearDropItem();
        dropItem_ = item;
        autoOpenTimer_->start(kAutoOpenMs);
    }
}

void QOrderedListView::dragMoveEvent(QDragMoveEvent* e) {
    if (!e->mimeData()->hasFormat(kUriListType)) {
        e->ignore();
        return;
    }
    const QPoint p = e->pos();
    const QRect area = viewport()->rect();
    if (hasAutoScroll() &&
        (p.y() < area.top() + autoScrollMargin() || p.y() > area.bottom() - autoScrollMargin()))
        startAutoScroll();
    if (dropItem_)
        dropItem_->setDropMode(0);

    OrderedListItem* item = orderedItemAt(p);
    if (!item) {
        e->acceptProposedAction();
        autoOpenTimer_->stop();
        clearDropItem();
        lineShown_ = false;
        return;
    }

    const QRect row = visualItemRect(item);
    if (item->isFolder() && OrderedTree::inFolderZone(p.y(), row.top(), row.height())) {
        setHighlight(item, true);
        e->accept();
        if (item != dropItem_ || lineShown_) {
            autoOpenTimer_->stop();
            clearDropItem();
            dropItem_ = item;
            autoOpenTimer_->start(kAutoOpenMs);
        }
        if (isMoveOrLink(e))
            e->acceptProposedAction();
        lineShown_ = false;
        return;
    }

    setHighlight(item, false);
    e->accept();
    autoOpenTimer_->stop();
    if (dropItem_ && dropItem_ != item)
        repaintRow(dropItem_);
    dropItem_ = item;
    item->setDropMode(
        OrderedTree::barDropMode(item, item->isExpanded(), p.x(), contentX(item), indentation()));
    repaintRow(item);
    lineShown_ = true;
}

void QOrderedListView::dragLeaveEvent(QDragLeaveEvent*) {
    autoOpenTimer_->stop();
    clearDropItem();
    clearHighlight();
    if (oldCurrent_) {
        setCurrentItem(oldCurrent_);
        oldCurrent_->setSelected(true);
    }
    oldCurrent_ = nullptr;
}

void QOrderedListView::dropEvent(QDropEvent* e) {
    autoOpenTimer_->stop();
    const bool uris = e->mimeData()->hasFormat(kUriListType);
    if (!uris || !orderedItemAt(e->pos())) {
        e->ignore();
    } else {
        e->accept();
        if (isMoveOrLink(e))
            e->acceptProposedAction();
        if (dragItem_ && dropItem_ && !OrderedTree::isInside(dropItem_, dragItem_)) {
            const OrderedTree::Place place =
                OrderedTree::dropPlace(dropItem_, dropItem_->dropMode());
            clearHighlight();
            if (OrderedTree::moveItem(this, dragItem_, place)) {
                setCurrentItem(dragItem_);
                dragItem_->setSelected(true);
            }
        }
    }
    endDrag();
}

void QOrderedListView::endDrag() {
    clearDropItem();
    clearHighlight();
    if (dragItem_) {
        dragItem_->setDragged(false);
        dragItem_ = nullptr;
    }
    oldCurrent_ = nullptr;
}

void QOrderedListView::clearDropItem() {
    if (dropItem_) {
        dropItem_->setDropMode(0);
        repaintRow(dropItem_);
    }
    dropItem_ = nullptr;
}

// Only one folder is shaded at a time; the last item touched is remembered so
// that its shading can be taken off again.
void QOrderedListView::setHighlight(OrderedListItem* item, bool on) {
    if (highlightItem_ && highlightItem_ != item)
        highlightItem_->setHighlighted(false);
    highlightItem_ = item;
    if (item->isHighlighted() != on)
        item->setHighlighted(on);
}

// Forgotten after every drag, so that no pointer outlives an entry the dialogs
// delete between drags.
void QOrderedListView::clearHighlight() {
    if (highlightItem_)
        highlightItem_->setHighlighted(false);
    highlightItem_ = nullptr;
}

void QOrderedListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem rowOption(option);
    rowOption.state &= ~QStyle::State_HasFocus; // no focus rectangle
    const auto* item = dynamic_cast<const OrderedListItem*>(itemFromIndex(index));
    if (item && (item->isDragged() || item->isHighlighted()))
        painter->fillRect(
            option.rect, palette().color(item->isDragged() ? QPalette::Midlight : QPalette::Light));
    QTreeWidget::drawRow(painter, rowOption, index);
    if (!item || item->dropMode() == 0)
        return;

    // The bar starts where an entry at the landing level has its text.
    const int mode = item->dropMode();
    const int level = std::max(0, OrderedTree::depth(item) + (mode == 2 ? 1 : mode < 0 ? mode : 0));
    const int decorated = rootIsDecorated() ? 1 : 0;
    const int x = header()->sectionViewportPosition(0) + (decorated + level) * indentation();
    const QRect bar(x, option.rect.bottom() - kBarHeight + 1, option.rect.right() - x + 1,
                    kBarHeight);
    painter->fillRect(bar, palette().color(QPalette::Highlight));
}
