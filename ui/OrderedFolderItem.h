// A folder entry of a QOrderedListView: shows an expand mark even when empty
// and an open or closed folder icon that follows its state.
#pragma once

#include "ui/OrderedListItem.h"

class OrderedFolderItem : public OrderedListItem {
public:
    explicit OrderedFolderItem(QTreeWidget* parent, QTreeWidgetItem* after = nullptr);
    explicit OrderedFolderItem(QTreeWidgetItem* parent, QTreeWidgetItem* after = nullptr);
    ~OrderedFolderItem() override;

    // Opens or closes the folder and switches its icon.
    void setOpen(bool open);
    // Brings the icon in line with the state the view shows (after the user
    // opened or closed the folder in the view).
    void syncIcon();

private:
    void init();
};
