#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>

#include "ui/QFloatSpinBox.h"

namespace {

// The integer spin box underneath: the step count.
int steps(const QFloatSpinBox& box) {
    return box.QSpinBox::value();
}

// Replaces the editor's text by typing, so the validator sees every key.
void type(QFloatSpinBox& box, const QString& text) {
    box.selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&box, &press);
    }
}

void finishEditing(QFloatSpinBox& box) {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
}

} // namespace

TEST(QFloatSpinBox, TwoDecimalsKeepStepsOfOneHundredth) {
    QFloatSpinBox box;
    box.setRange(-90, 90, 2);
    EXPECT_EQ(box.scale(), 100);
    EXPECT_EQ(box.minimum(), -9000);
    EXPECT_EQ(box.maximum(), 9000);
    EXPECT_EQ(box.singleStep(), 1);
    EXPECT_EQ(box.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    box.setValue(-90.0f);
    EXPECT_EQ(box.text(), "-90.00");
    box.setValue(90.0f);
    EXPECT_EQ(box.text(), "90.00");
    box.stepBy(-1);
    EXPECT_EQ(box.text(), "89.99");
    box.setValue(1000.0f); // clamped to the range
    EXPECT_EQ(box.text(), "90.00");
    box.setValue(-1000.0);
    EXPECT_EQ(box.text(), "-90.00");
}

TEST(QFloatSpinBox, ValuesAreCutToTheDecimalsNotRounded) {
    QFloatSpinBox box;
    box.setRange(-1000, 1000, 2);
    struct Case {
        float value;
        int steps;
        const char* text;
    };
    const Case cases[] = {
        {0.29f, 29, "0.29"},         {-0.29f, -29, "-0.29"}, {12.345f, 1234, "12.34"},
        {-12.345f, -1234, "-12.34"}, {0.0f, 0, "0.00"},      {35.68f, 3568, "35.68"},
        {-1.0f, -100, "-1.00"},
    };
    for (const Case& c : cases) {
        box.setValue(c.value);
        EXPECT_EQ(steps(box), c.steps) << c.value;
        EXPECT_EQ(box.text(), c.text) << c.value;
    }
    box.setValue(35.68f);
    EXPECT_FLOAT_EQ(box.value(), 35.68f);
}

TEST(QFloatSpinBox, StepCountsShowTheirSignBelowOne) {
    QFloatSpinBox box;
    box.setRange(-1000, 1000, 2);
    const std::pair<int, const char*> cases[] = {
        {-5, "-0.05"}, {-100, "-1.00"}, {5, "0.05"}, {-99, "-0.99"}, {-101, "-1.01"}, {0, "0.00"},
    };
    for (const auto& [count, text] : cases) {
        box.setValue(count); // the integer overload takes steps
        EXPECT_EQ(box.text(), text) << count;
    }
}

TEST(QFloatSpinBox, TypedTextBecomesSteps) {
    QFloatSpinBox box;
    box.setRange(-90, 90, 2);
    QSignalSpy changed(&box, qOverload<int>(&QSpinBox::valueChanged));
    type(box, "1.13");
    finishEditing(box);
    EXPECT_EQ(steps(box), 113);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().at(0).toInt(), 113);

    // The validator refuses a third decimal and letters.
    type(box, "2.345");
    EXPECT_EQ(box.text(), "2.34");
    type(box, "x");
    EXPECT_EQ(box.text(), "2.34");

    // A number beyond the range is clamped when the text is taken.
    type(box, "-95");
    finishEditing(box);
    EXPECT_EQ(steps(box), -9000);
    EXPECT_EQ(box.text(), "-90.00");

    EXPECT_EQ(box.mapTextToValue("not a number"), 0);
    EXPECT_EQ(box.mapTextToValue("-0.29"), -29);
}

TEST(QFloatSpinBox, ZeroDecimalsShowPlainIntegers) {
    QFloatSpinBox box;
    EXPECT_EQ(box.scale(), 1);
    box.setRange(-1000, 1000, 0);
    EXPECT_EQ(box.scale(), 1);
    box.setValue(-250.0f);
    EXPECT_EQ(box.text(), "-250");
    EXPECT_EQ(steps(box), -250);
    box.setValue(7);
    EXPECT_EQ(box.text(), "7");
    EXPECT_FLOAT_EQ(box.value(), 7.0f);

    QFloatSpinBox tenths;
    tenths.setRange(0, 2, 1);
    tenths.setValue(0.3f);
    EXPECT_EQ(tenths.text(), "0.3");
    EXPECT_EQ(steps(tenths), 3);
}

TEST(QFloatSpinBox, BadDecimalsAndHugeValuesStayDefined) {
    QFloatSpinBox box;
    box.setRange(0, 10, -2); // a negative count would divide by zero: taken as none
    EXPECT_EQ(box.scale(), 1);
    box.setValue(4.0f);
    EXPECT_EQ(box.text(), "4");

    box.setRange(-3e9f, 3e9f, 2); // steps beyond an int are cut to the int range
    EXPECT_EQ(box.minimum(), INT_MIN);
    EXPECT_EQ(box.maximum(), INT_MAX);
    box.setValue(1e30f);
    EXPECT_EQ(steps(box), INT_MAX);
    box.setValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(steps(box), 0);
}

TEST(QFloatSpinBox, ACircularBoxTakesAnAngleWholeTurnsIntoItsRange) {
    QFloatSpinBox box;
    box.setRange(-180, 180, 2);
    box.setWrapping(true);
    box.setCircular(true);
    box.setValue(226.2);
    EXPECT_EQ(box.text(), "-133.80");
    box.stepBy(1);
    EXPECT_EQ(box.text(), "-133.79");
    box.setValue(-200.5f);
    EXPECT_EQ(box.text(), "159.50");
    box.setValue(900.0f);
    EXPECT_EQ(box.text(), "-180.00");
    box.setValue(139.69);
    EXPECT_EQ(box.text(), "139.69");
    // A typed meridian beyond the range, too.
    type(box, "-400.25");
    finishEditing(box);
    EXPECT_EQ(box.text(), "-40.25");
}
