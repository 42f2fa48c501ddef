// An entry of a QOrderedListView: a leaf, or (as OrderedFolderItem) a folder.
// Besides its texts it carries what the view shows during a drag: the drop bar
// below it, the dragged and the drop-target shading, and an icon in column 0.
#pragma once

#include <QTreeWidgetItem>

class QPixmap;

class OrderedListItem : public QTreeWidgetItem {
public:
    // Placed as the first entry of the parent, or right after `after`.
    explicit OrderedListItem(QTreeWidget* parent, QTreeWidgetItem* after = nullptr);
    explicit OrderedListItem(QTreeWidgetItem* parent, QTreeWidgetItem* after = nullptr);
    ~OrderedListItem() override;

    // The drop bar this item shows: 0 none; 1 the entry lands right after this
    // item; 2 it becomes this item's first child; -k it lands right after this
    // item's k-th ancestor.
    int dropMode() const { return dropMode_; }
    void setDropMode(int mode);
    bool isDragged() const { return dragged_; }
    void setDragged(bool dragged);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool isFolder() const { return folder_; }

    // One of the view's shared icons (not owned), or none.
    const QPixmap* icon() const { return icon_; }
    void setIcon(const QPixmap* icon);

    QVariant data(int column, int role) const override;

protected:
    void setFolder() { folder_ = true; }

private:
    int dropMode_ = 0;
    bool dragged_ = false;
    bool highlighted_ = false;
    bool folder_ = false;
    const QPixmap* icon_ = nullptr;
};
