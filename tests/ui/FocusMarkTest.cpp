// The keyboard focus shows on controls whose style draws no mark of their
// own: an empty list, a list whose current entry went away, and a colour
// swatch of the option dialog, in the Windows and the dark style. Each
// control's picture with the keyboard is compared with its picture without:
// the mark runs along the edge, and the inside stays as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "ui/OrvexOptionForm.h"
#include "ui/QDarkStyle.h"
#include "ui/QOrderedListView.h"

namespace {

// Pixels that differ between two pictures of one size, within `band` of the
// rectangle's edge and inside it.
struct Changes {
    int edge = 0;
    int inside = 0;
};

Changes changes(const QImage& before, const QImage& after, const QRect& area, int band) {
    Changes counted;
    const QRect inner = area.adjusted(band, band, -band, -band);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                ++(inner.contains(x, y) ? counted.inside : counted.edge);
    return counted;
}

class FocusMark : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        previousStyle_ = QApplication::style()->objectName();
        if (QByteArray(GetParam()) == "Dark")
            QApplication::setStyle(new QDarkStyle);
        else
            QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(GetParam())));
    }
    void TearDown() override { QApplication::setStyle(QStyleFactory::create(previousStyle_)); }

    // The control's pictures without and with the keyboard, which comes to it
    // as by Tab, in its window in front.
    // The mark is looked for over `surface`: the control or its viewport.
    void compare(QWidget* window, QWidget* control, QWidget* surface) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::qWait(20);
        const QRect area = surface == control ? control->rect() : surface->geometry();
        const QImage before = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus());
        QTest::qWait(20);
        const QImage after = control->grab().toImage();
        const Changes counted = changes(before, after, area, 3);
        EXPECT_GT(counted.edge, (area.width() + area.height()) / 2)
            << control->objectName().toStdString();
        EXPECT_EQ(counted.inside, 0) << control->objectName().toStdString();
    }

    QString previousStyle_;
};

TEST_P(FocusMark, EmptyListsShowTheFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* list = new QOrderedListView(&window, "list");
    layout->addWidget(edit);
    layout->addWidget(list);
    window.resize(200, 200);
    compare(&window, list, list->viewport());

    // A list whose current entry goes away while it has the keyboard, as the
    // bookmark editor's does when it opens, shows the mark again.
    auto* entry = new QTreeWidgetItem(list, QStringList{QStringLiteral("entry")});
    list->setCurrentItem(entry);
    QTest::qWait(20);
    const QImage withEntry = list->grab().toImage();
    delete entry;
    ASSERT_FALSE(list->currentIndex().isValid());
    QTest::qWait(20);
    const QRect area = list->viewport()->geometry();
    const Changes counted = changes(withEntry, list->grab().toImage(), area, 3);
    EXPECT_GT(counted.edge, (area.width() + area.height()) / 2);
}

TEST_P(FocusMark, ColourSwatchesShowTheFocus) {
    for (const char* name : {"lineOrbitColorButton", "fontPlanetColorButton"}) {
        OrvexOptionForm form;
        auto* swatch = form.findChild<QToolButton*>(name);
        ASSERT_NE(swatch, nullptr) << name;
        OrvexOptionForm::setButtonColor(swatch, QColor(200, 40, 40));
        for (int i = 0; i < form.tabWidget->count(); ++i)
            if (form.tabWidget->widget(i)->isAncestorOf(swatch))
                form.tabWidget->setCurrentIndex(i);
        compare(&form, swatch, swatch);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, FocusMark, ::testing::Values("Windows", "Dark"));

} // namespace
