// Small helpers that build the control window's widget tree: every widget and
// layout gets its object name as it is made.
#pragma once

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QSizePolicy>
#include <QSpacerItem>
#include <QWidget>

namespace MainFormBuild {

template <class W, class... Args> W* make(const char* name, Args&&... args) {
    W* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QHBoxLayout* hbox(const char* name, int margin = 0, int spacing = 2) {
    auto* layout = make<QHBoxLayout>(name);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return layout;
}

inline QVBoxLayout* vbox(const char* name, int margin = 0, int spacing = 2) {
    auto* layout = make<QVBoxLayout>(name);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return layout;
}

inline QGridLayout* grid(const char* name) {
    auto* layout = make<QGridLayout>(name);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}

inline QSpacerItem* spacer(int w, int h, QSizePolicy::Policy horizontal,
                           QSizePolicy::Policy vertical) {
    return new QSpacerItem(w, h, horizontal, vertical);
}

inline void setPolicy(QWidget* widget, QSizePolicy::Policy horizontal, QSizePolicy::Policy vertical,
                      int horizontalStretch = 0) {
    QSizePolicy policy(horizontal, vertical);
    policy.setHorizontalStretch(horizontalStretch);
    widget->setSizePolicy(policy);
}

// A group box's frame: a column (margin 6, or 4 for the media group) holding
// one top-aligned row named after the group, which holds the group's layout.
inline QHBoxLayout* groupRow(QGroupBox* group, int margin = 6) {
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(2);
    auto* row = hbox((group->objectName() + "Layout").toLatin1().constData());
    row->setAlignment(Qt::AlignTop);
    column->addLayout(row);
    return row;
}

// A tab page with its row layout (margin 2, spacing 2).
inline QWidget* page(const char* name, const char* layoutName, QHBoxLayout** layout) {
    auto* widget = make<QWidget>(name);
    *layout = hbox(layoutName, 2, 2);
    widget->setLayout(*layout);
    return widget;
}

} // namespace MainFormBuild
