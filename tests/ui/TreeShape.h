// A tree's entries as one line of text, for comparing orders in tests: names in
// order, children in brackets ("a f[1 2] b").
#pragma once

#include <QStringList>
#include <QTreeWidget>

inline QString treeShape(const QTreeWidgetItem* item) {
    QString text = item->text(0);
    if (item->childCount() == 0)
        return text;
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i)
        children << treeShape(item->child(i));
    return text + "[" + children.join(' ') + "]";
}

inline QString treeShape(const QTreeWidget& tree) {
    QStringList items;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        items << treeShape(tree.topLevelItem(i));
    return items.join(' ');
}
