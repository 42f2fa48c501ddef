#include "ui/QDarkStyle.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

QColor grey(int value) {
    return QColor(value, value, value);
}

// Darkening by 200 and lightening by 150 as whole grey levels, the fraction
// dropped at each step (the toolkit's own operations keep more precision).
int darkened(int value) {
    return value * 100 / 200;
}

int lightened(int value) {
    return qMin(255, value * 150 / 100);
}

// The bevel's four line colours, darkened for the dark palette.
struct FrameColours {
    QColor outerTopLeft = grey(darkened(135));
    QColor innerTopLeft = grey(darkened(198));
    QColor innerBottomRight = grey(darkened(112));
    QColor outerBottomRight = grey(darkened(86));
};

// The face colours of a raised panel (darkened) or a sunken one (darkened,
// then lightened again, so that a pressed button reads lighter).
struct FaceColours {
    explicit FaceColours(bool sunken)
        : highlight(shade(232, sunken)), subHighlight1(shade(206, sunken)),
          subHighlight2(shade(191, sunken)), gradientTop(shade(185, sunken)),
          gradientBottom(shade(137, sunken)) {}

    static QColor shade(int value, bool sunken) {
        return grey(sunken ? lightened(darkened(value)) : darkened(value));
    }

    QColor highlight;
    QColor subHighlight1;
    QColor subHighlight2;
    QColor gradientTop;
    QColor gradientBottom;
};

const FrameColours& frameColours() {
    static const FrameColours colours;
    return colours;
}

const FaceColours& faceColours(bool sunken) {
    static const FaceColours raised(false);
    static const FaceColours pressed(true);
    return sunken ? pressed : raised;
}

// One colour of the gradient: hue, saturation and value each interpolated in
// whole numbers, truncated toward zero.
QColor gradientLine(const QColor& from, const QColor& to, int line, int lines) {
    int h0, s0, v0, h1, s1, v1;
    from.getHsv(&h0, &s0, &v0);
    to.getHsv(&h1, &s1, &v1);
    if (lines == 1)
        return QColor::fromHsv((h0 + h1) / 2, (s0 + s1) / 2, (v0 + v1) / 2);
    const int last = lines - 1;
    return QColor::fromHsv(h0 + ((h1 - h0) * line) / last, s0 + ((s1 - s0) * line) / last,
                           v0 + ((v1 - v0) * line) / last);
}

QPixmap filledPixmap(const QColor& colour) {
    QPixmap pixmap(1, 1);
    pixmap.fill(colour);
    return pixmap;
}

const QColor buttonColour(64, 64, 64);

// A push button whose face the style paints entirely. A command link button
// paints only parts of its face and keeps its background.
bool isPaintedPushButton(const QWidget* widget) {
    return widget->inherits("QPushButton") && !widget->inherits("QCommandLinkButton");
}

} // namespace

QDarkStyle::QDarkStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

QDarkStyle::~QDarkStyle() = default;

QPixmap QDarkStyle::backgroundPicture() {
    // A fine grain over the button grey with a faint diagonal weave; it tiles
    // without seams because both repeat within 64 pixels.
    QImage image(64, 64, QImage::Format_RGB32);
    quint32 seed = 0x2545f491u;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = int((seed >> 24) % 7u) - 3;
            const int weave = (x + y) % 8 == 0 ? 4 : 0;
            const int value = buttonColour.red() + grain + weave;
            image.setPixel(x, y, qRgb(value, value, value));
        }
    }
    return QPixmap::fromImage(image);
}

void QDarkStyle::polish(QApplication* app) {
    savedPalette_ = QApplication::palette();
    QProxyStyle::polish(app);

    const QPixmap buttonPixmap = filledPixmap(buttonColour);
    const QPixmap background = backgroundPicture();
    const QPixmap darkPixmap = filledPixmap(QColor(Qt::red).darker(200));
    const QPixmap& lightPixmap = background;
    const QPixmap& midPixmap = background;

    // The toolkit derives white text on black from this dark button grey.
    const QPalette base(buttonColour);
    QPalette dark = base;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
        const bool active = group == QPalette::Active;
        dark.setBrush(group, QPalette::WindowText, base.brush(group, QPalette::WindowText));
        dark.setBrush(group, QPalette::Button,
                      QBrush(base.color(group, QPalette::Button), buttonPixmap));
        dark.setBrush(group, QPalette::Light,
                      QBrush(base.color(group, QPalette::Light), lightPixmap));
        dark.setBrush(group, QPalette::Dark,
                      active ? QBrush(base.color(group, QPalette::Dark), darkPixmap)
                             : QBrush(base.color(group, QPalette::Dark)));
        dark.setBrush(group, QPalette::Mid, QBrush(base.color(group, QPalette::Mid), midPixmap));
        dark.setBrush(group, QPalette::Text, QBrush(Qt::white));
        dark.setBrush(group, QPalette::BrightText, QBrush(Qt::white));
        dark.setBrush(group, QPalette::Base, base.brush(group, QPalette::Base));
        dark.setBrush(group, QPalette::Window, QBrush(buttonColour, background));
        // Links light enough to read on the black base and on the grey window.
        dark.setBrush(group, QPalette::Link, QBrush(QColor(128, 192, 255)));
        dark.setBrush(group, QPalette::LinkVisited, QBrush(QColor(208, 160, 255)));
    }
    dark.setBrush(QPalette::Active, QPalette::ButtonText, QBrush(Qt::white));
    dark.setBrush(QPalette::Active, QPalette::Shadow, QBrush(Qt::black));
    // Dimmed text in dark grey: the toolkit's own choice for this button grey
    // is too close to it to be read.
    dark.setBrush(QPalette::Disabled, QPalette::WindowText, QBrush(Qt::darkGray));
    dark.setBrush(QPalette::Disabled, QPalette::ButtonText, QBrush(Qt::darkGray));
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = static_cast<QPalette::ColorRole>(role);
        dark.setBrush(QPalette::Inactive, r, dark.brush(QPalette::Active, r));
    }
    QApplication::setPalette(dark);
}

void QDarkStyle::unpolish(QApplication* app) {
    QApplication::setPalette(savedPalette_);
    QProxyStyle::unpolish(app);
}

// Children that do not fill their own background show the window's picture,
// so it lines up across neighbouring widgets by itself.
void QDarkStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (isPaintedPushButton(widget))
        widget->setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void QDarkStyle::unpolish(QWidget* widget) {
    if (isPaintedPushButton(widget))
        widget->setAttribute(Qt::WA_OpaquePaintEvent, false);
    QProxyStyle::unpolish(widget);
}

void QDarkStyle::drawPanelFrame(QPainter* painter, int x, int y, int w, int h) {
    const FrameColours& c = frameColours();
    const int x2 = x + w - 1;
    const int y2 = y + h - 1;
    painter->setPen(c.outerTopLeft);
    painter->drawLine(x, y2, x, y);
    painter->drawLine(x, y, x2 - 1, y);
    painter->setPen(c.innerTopLeft);
    painter->drawLine(x + 1, y2 - 1, x + 1, y + 1);
    painter->drawLine(x + 1, y + 1, x2 - 2, y + 1);
    painter->setPen(c.outerBottomRight);
    painter->drawLine(x + 1, y2, x2, y2);
    painter->drawLine(x2, y2, x2, y);
    painter->setPen(c.innerBottomRight);
    painter->drawLine(x + 1, y2 - 1, x2 - 1, y2 - 1);
    painter->drawLine(x2 - 1, y2 - 1, x2 - 1, y + 1);
}

void QDarkStyle::drawPanelGradient(QPainter* painter, int x, int y, int w, int h, bool sunken,
                                   bool horizontal, bool flat) {
    const FaceColours& c = faceColours(sunken);
    if (flat && !sunken) {
        painter->fillRect(x + 2, y + 2, w - 4, h - 4, c.gradientTop);
        painter->setPen(Qt::white);
        return;
    }

    // Rows from the top (horizontal) or columns from the left, inside the frame.
    const int x1 = x + 2;
    const int y1 = y + 2;
    const int x2 = x + w - 1 - (horizontal ? 2 : 0);
    const int y2 = y + h - 1 - (horizontal ? 0 : 2);
    int i = 0;
    auto line = [&](const QColor& colour) {
        painter->setPen(colour);
        if (horizontal)
            painter->drawLine(x1, y1 + i, x2, y1 + i);
        else
            painter->drawLine(x1 + i, y1, x1 + i, y2);
        ++i;
    };

    if (!sunken) {
        line(c.highlight);
        line(c.highlight);
        line(c.subHighlight1);
        line(c.subHighlight2);
    }
    // The highlights and the frame take eight of the lines.
    const int lines = (horizontal ? h : w) - 8;
    const QColor& from = sunken ? c.gradientBottom : c.gradientTop;
    const QColor& to = sunken ? c.gradientTop : c.gradientBottom;
    for (int j = 0; j < lines; ++j)
        line(gradientLine(from, to, j, lines));
    if (sunken) {
        line(c.subHighlight2);
        line(c.subHighlight1);
        line(c.highlight);
        line(c.highlight);
    }
    painter->setPen(Qt::white);
}

void QDarkStyle::drawPanelButton(QPainter* painter, int x, int y, int w, int h, bool sunken,
                                 bool horizontal, bool flat) {
    drawPanelFrame(painter, x, y, w, h);
    drawPanelGradient(painter, x, y, w, h, sunken, horizontal, flat);
}

void QDarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const QRect& r = option->rect;
    switch (element) {
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel:
        drawPanelButton(painter, r.x(), r.y(), r.width(), r.height(),
                        option->state & (State_Sunken | State_On), true,
                        !(option->state & State_Raised));
        return;
    case PE_PanelMenuBar:
        drawPanelFrame(painter, r.x(), r.y(), r.width(), r.height());
        return;
    case PE_IndicatorRadioButton:
    case PE_IndicatorCheckBox: {
        // The dark palette's bevel colours are the window's own picture, and
        // its base is black: an indicator drawn with them vanishes. It gets
        // the light colours of a classic indicator instead.
        QStyleOption light(*option);
        const bool enabled = option->state & State_Enabled;
        light.palette.setColor(QPalette::Base,
                               enabled ? QColor(224, 224, 224) : QColor(128, 128, 128));
        light.palette.setColor(QPalette::Button, QColor(160, 160, 160));
        light.palette.setColor(QPalette::Text, Qt::black);
        light.palette.setColor(QPalette::Light, Qt::white);
        light.palette.setColor(QPalette::Midlight, QColor(200, 200, 200));
        light.palette.setColor(QPalette::Mid, QColor(140, 140, 140));
        light.palette.setColor(QPalette::Dark, QColor(110, 110, 110));
        light.palette.setColor(QPalette::Shadow, Qt::black);
        QProxyStyle::drawPrimitive(element, &light, painter, widget);
        return;
    }
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void QDarkStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    switch (element) {
    case CE_PushButtonBevel:
        drawPushButtonBevel(option, painter, widget);
        return;
    case CE_PushButtonLabel:
        if (qstyleoption_cast<const QStyleOptionButton*>(option)) {
            drawPushButtonLabel(option, painter);
            return;
        }
        break;
    case CE_HeaderSection: {
        // A pressed section is drawn raised: the header shows where it is
        // pressed by its sort mark, not by its face.
        QStyleOption section(*option);
        if (section.state & State_Sunken) {
            section.state &= ~State_Sunken;
            section.state |= State_Raised;
        }
        proxy()->drawPrimitive(PE_PanelButtonCommand, &section, painter, widget);
        return;
    }
    case CE_ScrollBarAddLine:
    case CE_ScrollBarSubLine:
    case CE_ScrollBarSlider:
        drawScrollBarButton(element, option, painter, widget);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void QDarkStyle::drawPushButtonBevel(const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    QRect r = option->rect;
    painter->setPen(option->palette.color(QPalette::WindowText));
    painter->setBrush(Qt::NoBrush);
    if (button && (button->features & QStyleOptionButton::DefaultButton)) {
        // Outer and inner rectangle in one line: a white outline two pixels wide.
        const int x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
        QPolygon outline;
        outline << QPoint(x1, y2) << QPoint(x1, y1) << QPoint(x2, y1) << QPoint(x2, y2)
                << QPoint(x1 + 1, y2) << QPoint(x1 + 1, y1 + 1) << QPoint(x2 - 1, y1 + 1)
                << QPoint(x2 - 1, y2 - 1) << QPoint(x1 + 2, y2 - 1);
        painter->setPen(Qt::white);
        painter->drawPolyline(outline);
        r.adjust(2, 2, -2, -2);
    }

    QStyleOption face(*option);
    face.rect = r;
    proxy()->drawPrimitive(PE_PanelButtonCommand, &face, painter, widget);

    if (button && (button->features & QStyleOptionButton::HasMenu)) {
        // A square a third of the button's height at its right end.
        const int side = qMax(r.height() / 3, 5);
        QStyleOption arrow(*option);
        arrow.rect = QRect(r.right() - side - 3, r.center().y() - side / 2, side, side);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    }
    painter->setBrush(Qt::NoBrush);
}

void QDarkStyle::drawPushButtonLabel(const QStyleOption* option, QPainter* painter) const {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    const QRect& r = option->rect;
    const bool pressed = option->state & (State_On | State_Sunken);
    const bool enabled = option->state & State_Enabled;

    int dx = 0;
    int dy = 0;
    if (button->features & QStyleOptionButton::HasMenu)
        dx += (r.bottom() - r.top()) / 3;
    if (pressed) {
        dx -= 1;
        dy -= 1;
    }
    painter->translate(dx, dy);

    QRect textRect = r.adjusted(2, 2, -2, -2);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (!button->icon.isNull()) {
        const QPixmap pixmap =
            button->icon.pixmap(button->iconSize, enabled ? QIcon::Normal : QIcon::Disabled,
                                (option->state & State_On) ? QIcon::On : QIcon::Off);
        const int pixmapWidth = qRound(pixmap.width() / pixmap.devicePixelRatioF());
        if (button->text.isEmpty()) {
            proxy()->drawItemPixmap(painter, textRect, Qt::AlignCenter, pixmap);
        } else {
            const int spacing = 4;
            const int textWidth = option->fontMetrics.horizontalAdvance(button->text);
            const int left = textRect.center().x() - (pixmapWidth + spacing + textWidth) / 2;
            proxy()->drawItemPixmap(painter,
                                    QRect(left, textRect.top(), pixmapWidth, textRect.height()),
                                    Qt::AlignCenter, pixmap);
            textRect.setLeft(left + pixmapWidth + spacing);
            textRect.setWidth(textWidth + 1);
        }
    }
    if (!button->text.isEmpty())
        proxy()->drawItemText(painter, textRect, flags, option->palette, enabled, button->text,
                              pressed ? QPalette::BrightText : QPalette::ButtonText);
    painter->translate(-dx, -dy);
}

void QDarkStyle::drawScrollBarButton(ControlElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    const QRect& r = option->rect;
    const bool horizontalBar = option->state & State_Horizontal;
    if (element == CE_ScrollBarSlider) {
        drawPanelButton(painter, r.x(), r.y(), r.width(), r.height(), false, horizontalBar, false);
        return;
    }
    // The buttons' gradient runs across the bar.
    drawPanelButton(painter, r.x(), r.y(), r.width(), r.height(), option->state & State_Sunken,
                    !horizontalBar, false);
    PrimitiveElement arrow;
    if (element == CE_ScrollBarAddLine)
        arrow = horizontalBar ? PE_IndicatorArrowRight : PE_IndicatorArrowDown;
    else
        arrow = horizontalBar ? PE_IndicatorArrowLeft : PE_IndicatorArrowUp;
    QStyleOption arrowOption(*option);
    arrowOption.state &= ~State_Sunken;
    proxy()->drawPrimitive(arrow, &arrowOption, painter, widget);
}

void QDarkStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
    const QRect& r = option->rect;
    if (control == CC_ComboBox) {
        const bool enabled = option->state & State_Enabled;
        const QBrush fill = option->palette.brush(enabled ? QPalette::Base : QPalette::Window);
        qDrawWinPanel(painter, r, option->palette, true, &fill);
        drawPanelButton(painter, r.x() + r.width() - 18, r.y() + 2, 16, r.height() - 4,
                        option->state & State_Sunken, true, false);
        QStyleOption arrow(*option);
        arrow.rect = QRect(r.x() + r.width() - 16, r.y() + 4, 12, r.height() - 8);
        arrow.state &= ~State_Sunken;
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
        return;
    }
    if (control == CC_Slider) {
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            // The Windows groove, with the tick marks that belong to it.
            QStyleOptionSlider groove(*slider);
            groove.subControls = slider->subControls & (SC_SliderGroove | SC_SliderTickmarks);
            if (groove.subControls)
                QProxyStyle::drawComplexControl(control, &groove, painter, widget);
            if (slider->subControls & SC_SliderHandle) {
                const QRect handle =
                    proxy()->subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
                if (handle.isValid())
                    drawPanelButton(painter, handle.x(), handle.y(), handle.width(),
                                    handle.height(), false, slider->orientation == Qt::Horizontal,
                                    false);
            }
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int QDarkStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                            const QWidget* widget) const {
    if (metric == PM_MenuBarPanelWidth)
        return 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
