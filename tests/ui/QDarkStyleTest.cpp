// The dark style's pixels: bevel lines, the gradient and its line count, the
// default button's outline, the combo box button, and the palette it brings
// and gives back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <functional>
#include <memory>

#include "ui/QDarkStyle.h"

namespace {

const QRgb backdrop = qRgb(0, 0, 255);

QRgb grey(int value) {
    return qRgb(value, value, value);
}

// A w x h picture on a blue backdrop, painted by draw.
QImage paint(int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(backdrop);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// The colour of each row (or column) along the middle of the picture.
std::vector<QRgb> rows(const QImage& image) {
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        colours.push_back(image.pixel(image.width() / 2, y));
    return colours;
}

std::vector<QRgb> columns(const QImage& image) {
    std::vector<QRgb> colours;
    for (int x = 0; x < image.width(); ++x)
        colours.push_back(image.pixel(x, image.height() / 2));
    return colours;
}

QImage gradient(int w, int h, bool sunken, bool horizontal, bool flat) {
    return paint(w, h, [&](QPainter& p) {
        QDarkStyle::drawPanelGradient(&p, 0, 0, w, h, sunken, horizontal, flat);
    });
}

} // namespace

TEST(QDarkStyle, TheFrameDrawsItsFourLineColours) {
    const QImage image =
        paint(20, 10, [](QPainter& p) { QDarkStyle::drawPanelFrame(&p, 0, 0, 20, 10); });
    // Outer top-left 135, inner top-left 198, inner bottom-right 112, outer
    // bottom-right 86, each darkened by 200.
    EXPECT_EQ(image.pixel(0, 5), grey(67));
    EXPECT_EQ(image.pixel(0, 9), grey(67));
    EXPECT_EQ(image.pixel(18, 0), grey(67));
    EXPECT_EQ(image.pixel(1, 5), grey(99));
    EXPECT_EQ(image.pixel(17, 1), grey(99));
    EXPECT_EQ(image.pixel(10, 9), grey(43));
    EXPECT_EQ(image.pixel(19, 0), grey(43));
    EXPECT_EQ(image.pixel(10, 8), grey(56));
    EXPECT_EQ(image.pixel(18, 5), grey(56));
    // The inner bottom line runs over the inner left line's last pixel.
    EXPECT_EQ(image.pixel(1, 8), grey(56));
    EXPECT_EQ(image.pixel(18, 1), grey(56));
    EXPECT_EQ(image.pixel(5, 5), backdrop);
}

TEST(QDarkStyle, HeightNineHasOneGradientLineAndHeightEightNone) {
    // Two highlight lines, two sub-highlights, then the gradient from 92 to 68.
    const std::vector<QRgb> nine = rows(gradient(20, 9, false, true, false));
    const std::vector<QRgb> expectedNine = {backdrop, backdrop, grey(116), grey(116), grey(103),
                                            grey(95), grey(80), backdrop,  backdrop};
    EXPECT_EQ(nine, expectedNine);
    const std::vector<QRgb> eight = rows(gradient(20, 8, false, true, false));
    const std::vector<QRgb> expectedEight = {backdrop,  backdrop, grey(116), grey(116),
                                             grey(103), grey(95), backdrop,  backdrop};
    EXPECT_EQ(eight, expectedEight);
}

TEST(QDarkStyle, TheGradientRunsInWholeStepsAndTheOtherWayWhenSunken) {
    // Four lines from 92 to 68: steps of -24 * j / 3.
    const std::vector<QRgb> raised = rows(gradient(20, 12, false, true, false));
    const std::vector<QRgb> expectedRaised = {backdrop,  backdrop, grey(116), grey(116),
                                              grey(103), grey(95), grey(92),  grey(84),
                                              grey(76),  grey(68), backdrop,  backdrop};
    EXPECT_EQ(raised, expectedRaised);
    // Sunken: lightened colours, the gradient from bottom to top first, the
    // highlights after it.
    const std::vector<QRgb> sunken = rows(gradient(20, 12, true, true, false));
    const std::vector<QRgb> expectedSunken = {backdrop,  backdrop,  grey(102), grey(114),
                                              grey(126), grey(138), grey(142), grey(154),
                                              grey(174), grey(174), backdrop,  backdrop};
    EXPECT_EQ(sunken, expectedSunken);
    // Not horizontal: the same in columns.
    const std::vector<QRgb> upright = columns(gradient(12, 20, false, false, false));
    EXPECT_EQ(upright, expectedRaised);
}

TEST(QDarkStyle, AFlatRaisedPanelIsOneGreyAndThePenEndsWhite) {
    QPen pen;
    const QImage image = paint(20, 12, [&](QPainter& p) {
        QDarkStyle::drawPanelGradient(&p, 0, 0, 20, 12, false, true, true);
        pen = p.pen();
    });
    EXPECT_EQ(image.pixel(2, 2), grey(92));
    EXPECT_EQ(image.pixel(17, 9), grey(92));
    EXPECT_EQ(image.pixel(1, 1), backdrop);
    EXPECT_EQ(pen.color(), QColor(Qt::white));
}

TEST(QDarkStyle, TheDefaultButtonHasAWhiteOutlineTwoPixelsWide) {
    QDarkStyle style;
    auto bevel = [&](bool isDefault) {
        return paint(60, 24, [&](QPainter& p) {
            QStyleOptionButton option;
            option.rect = QRect(0, 0, 60, 24);
            option.state = QStyle::State_Enabled | QStyle::State_Raised;
            if (isDefault)
                option.features |= QStyleOptionButton::DefaultButton;
            style.drawControl(QStyle::CE_PushButtonBevel, &option, &p);
        });
    };
    const QImage outlined = bevel(true);
    for (const QPoint& at : {QPoint(0, 12), QPoint(1, 12), QPoint(30, 0), QPoint(30, 1),
                             QPoint(59, 12), QPoint(58, 12), QPoint(30, 23), QPoint(30, 22),
                             QPoint(0, 0), QPoint(1, 22), QPoint(58, 22)})
        EXPECT_EQ(outlined.pixel(at), qRgb(255, 255, 255)) << at.x() << "," << at.y();
    // Inside it the bevel, two pixels in.
    EXPECT_EQ(outlined.pixel(2, 12), grey(67));
    EXPECT_EQ(outlined.pixel(30, 4), grey(116));

    const QImage plain = bevel(false);
    EXPECT_EQ(plain.pixel(0, 12), grey(67));
    EXPECT_EQ(plain.pixel(30, 2), grey(116));
}

TEST(QDarkStyle, APushButtonsFaceIsTheGradient) {
    QDarkStyle style;
    QPushButton button("OK");
    button.setStyle(&style);
    button.resize(80, 30);
    QImage image(80, 30, QImage::Format_RGB32);
    image.fill(backdrop);
    button.render(&image);
    EXPECT_TRUE(button.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(image.pixel(40, 2), grey(116));
    EXPECT_EQ(image.pixel(1, 15), grey(99));
    EXPECT_EQ(image.pixel(79, 15), grey(43));
    button.setStyle(nullptr);
    EXPECT_FALSE(button.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(QDarkStyle, TheComboBoxButtonIsABevelAtItsRightEnd) {
    QDarkStyle style;
    const QImage image = paint(100, 22, [&](QPainter& p) {
        QStyleOptionComboBox option;
        option.rect = QRect(0, 0, 100, 22);
        option.state = QStyle::State_Enabled;
        option.palette = QPalette(QColor(64, 64, 64));
        style.drawComplexControl(QStyle::CC_ComboBox, &option, &p);
    });
    // The bevel at x + w - 18, 16 wide, two pixels below the top.
    EXPECT_EQ(image.pixel(82, 11), grey(67));
    EXPECT_EQ(image.pixel(97, 11), grey(43));
    EXPECT_EQ(image.pixel(85, 5), grey(116));
    // The field is the base colour of the palette (black).
    EXPECT_EQ(image.pixel(40, 11), qRgb(0, 0, 0));
    EXPECT_EQ(style.pixelMetric(QStyle::PM_MenuBarPanelWidth), 2);
}

TEST(QDarkStyle, ThePaletteIsDarkWhileTheStyleIsOnAndComesBackAfter) {
    QApplication::setStyle(QStyleFactory::create("Windows"));
    const QPalette before = QApplication::palette();

    QApplication::setStyle(new QDarkStyle);
    const QPalette dark = QApplication::palette();
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Window).rgb(), qRgb(64, 64, 64));
    EXPECT_FALSE(dark.brush(QPalette::Active, QPalette::Window).texture().isNull());
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Button).rgb(), qRgb(64, 64, 64));
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Light).rgb(), qRgb(96, 96, 96));
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Dark).rgb(), qRgb(32, 32, 32));
    // Mid is the toolkit's darkening of the button grey by 150 (42 or 43).
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Mid).rgb(),
              QColor(64, 64, 64).darker(150).rgb());
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::ButtonText), QColor(Qt::white));
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(dark.color(QPalette::Active, QPalette::Shadow), QColor(Qt::black));
    // The dark brush's picture is red darkened by 200, only while enabled.
    EXPECT_EQ(dark.brush(QPalette::Active, QPalette::Dark).texture().toImage().pixel(0, 0),
              qRgb(127, 0, 0));
    EXPECT_TRUE(dark.brush(QPalette::Disabled, QPalette::Dark).texture().isNull());
    EXPECT_EQ(dark.color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::darkGray));
    EXPECT_EQ(dark.color(QPalette::Disabled, QPalette::ButtonText), QColor(Qt::darkGray));
    EXPECT_EQ(dark.color(QPalette::Inactive, QPalette::Window),
              dark.color(QPalette::Active, QPalette::Window));

    QApplication::setStyle(QStyleFactory::create("Windows"));
    const QPalette after = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            EXPECT_EQ(after.brush(g, r), before.brush(g, r)) << group << " " << role;
        }
}

TEST(QDarkStyle, RadioButtonsAndCheckBoxesStandOutFromTheWindow) {
    QApplication::setStyle(new QDarkStyle);
    for (bool checked : {false, true}) {
        QRadioButton radio("UTC");
        QCheckBox check("FPS");
        for (QAbstractButton* button :
             {static_cast<QAbstractButton*>(&radio), static_cast<QAbstractButton*>(&check)}) {
            button->setChecked(checked);
            button->resize(button->sizeHint());
            const QImage image = button->grab().toImage();
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect indicator = button->style()->subElementRect(
                qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonIndicator
                                                    : QStyle::SE_CheckBoxIndicator,
                &option, button);
            int light = 0;
            int dark = 0;
            for (int y = indicator.top(); y <= indicator.bottom(); ++y)
                for (int x = indicator.left(); x <= indicator.right(); ++x) {
                    const int l = QColor(image.pixel(x, y)).lightness();
                    light += l > 180;
                    dark += l < 30;
                }
            const int area = indicator.width() * indicator.height();
            // A light field against the window's grey of 64 ...
            EXPECT_GT(light, area / 4) << button->text().toStdString() << checked;
            // ... with a dark mark when it is on.
            if (checked)
                EXPECT_GT(dark, 3) << button->text().toStdString();
        }
    }
    QApplication::setStyle(QStyleFactory::create("Windows"));
}
