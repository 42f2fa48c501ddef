// A tree list whose entries stay in the order the user gives them: it never
// sorts, new entries go next to the selected one, and entries are reordered by
// dragging them inside the list. During a drag a bar shows where the entry will
// land, a folder under the pointer is shaded when the entry would go into it,
// and a folder the pointer rests on opens by itself.
#pragma once

#include <QPoint>
#include <QTreeWidget>

#include "ui/OrderedFolderItem.h"
#include "ui/OrderedListItem.h"

class QDrag;
class QPixmap;
class QTimer;

class QOrderedListView : public QTreeWidget {
    Q_OBJECT

public:
    explicit QOrderedListView(QWidget* parent = nullptr, const char* name = nullptr);
    ~QOrderedListView() override;

    // A new leaf or folder: last child of a selected folder (which opens), right
    // after another selected entry, else after the last entry of the tree. The
    // new entry is not selected; the caller sets its texts.
    OrderedListItem* newItem();
    OrderedFolderItem* newFolder();

    // The icons shared by every ordered list (16 x 16), alive while the
    // application is.
    static const QPixmap* folderClosedIcon();
    static const QPixmap* folderOpenIcon();
    static const QPixmap* leafIcon();

    // The item under the pointer carrying the drop indicator during a drag.
    OrderedListItem* dropItem() const { return dropItem_; }
    bool autoOpenPending() const;
    // Where the text of an item starts, in viewport pixels.
    int contentX(const QTreeWidgetItem* item) const;

public slots:
    // Opens the folders along a path ("a/b/c") and makes its last entry current.
    void setDir(const QString& path);
    // Reports an entry's full name through folderSelected().
    void slotFolderSelected(QTreeWidgetItem* item);
    // Opens the folder the pointer has rested on during a drag.
    void openFolder();

signals:
    void folderSelected(const QString& name);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

    // Runs a drag started in this list to its end (the toolkit's drag loop).
    virtual Qt::DropAction runDrag(QDrag* drag);

private:
    OrderedListItem* orderedItemAt(const QPoint& pos) const;
    QTreeWidgetItem* selectedItem() const;
    void startDrag(OrderedListItem* item);
    QPixmap dragPixmap(const OrderedListItem* item) const;
    void clearDropItem();
    void setHighlight(OrderedListItem* item, bool on);
    void clearHighlight();
    void endDrag();
    void repaintRow(const QTreeWidgetItem* item);

    QTreeWidgetItem* oldCurrent_ = nullptr;
    OrderedListItem* dragItem_ = nullptr;
    OrderedListItem* dropItem_ = nullptr;
    OrderedListItem* highlightItem_ = nullptr;
    QTimer* autoOpenTimer_ = nullptr; // a child of the view
    QPoint pressPos_;
    bool mousePressed_ = false;
    bool lineShown_ = false;
};
