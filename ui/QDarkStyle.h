// The dark widget style: the Windows style with a dark grey palette over a
// background picture, and push buttons, header sections, scroll-bar buttons
// and sliders, the menu bar frame, combo boxes and slider handles drawn as
// bevelled panels with a grey gradient. The palette the application had
// before comes back when the style is replaced.
#pragma once

#include <QPalette>
#include <QProxyStyle>

class QDarkStyle : public QProxyStyle {
public:
    // Over a new Windows style, which the proxy owns.
    QDarkStyle();
    ~QDarkStyle() override;

    void polish(QApplication* app) override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void unpolish(QApplication* app) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

    // The panel's two-pixel bevel: light lines top and left, dark lines
    // bottom and right.
    static void drawPanelFrame(QPainter* painter, int x, int y, int w, int h);
    // The panel's face inside its frame: four highlight lines and a grey
    // gradient, in rows (horizontal) or columns. A sunken panel is lighter and
    // runs the other way; a flat raised one is one even grey.
    static void drawPanelGradient(QPainter* painter, int x, int y, int w, int h, bool sunken,
                                  bool horizontal, bool flat);
    // Frame, then face.
    static void drawPanelButton(QPainter* painter, int x, int y, int w, int h, bool sunken,
                                bool horizontal, bool flat);

    // The background picture, 64 x 64 pixels.
    static QPixmap backgroundPicture();

private:
    void drawPushButtonBevel(const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const;
    void drawPushButtonLabel(const QStyleOption* option, QPainter* painter) const;
    void drawScrollBarButton(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const;

    QPalette savedPalette_;
};
