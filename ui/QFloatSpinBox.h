// A spin box for a real number shown with a fixed number of decimals. It stays
// an integer spin box underneath: value, minimum and maximum are whole steps of
// one unit of the last decimal (0.01 with two decimals), so one arrow click
// moves the shown value by that unit and valueChanged(int) carries the steps.
#pragma once

#include <QSpinBox>

class QDoubleValidator;

class QFloatSpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit QFloatSpinBox(QWidget* parent = nullptr, const char* name = nullptr);
    ~QFloatSpinBox() override;

    // Sets the decimals (0 to 9) and the shown range; steps are the shown
    // values times 10^decimals.
    void setRange(float minimum, float maximum, int decimals);

    // setValue(int) stays the integer spin box's: it takes a step count.
    using QSpinBox::setValue;
    // Sets the shown value, cut (not rounded) to the decimals, clamped to the
    // range (a circular box brings it into the range instead).
    void setValue(float x);
    void setValue(double x) { setValue(static_cast<float>(x)); }
    // The shown value.
    float value() const;

    // Steps per shown unit: 10 to the power of the decimals.
    int scale() const { return scale_; }
    int decimals() const { return decimals_; }

    // A circular box holds an angle whose range is one whole turn, such as a
    // longitude from -180 to 180: a value outside the range is taken whole
    // turns into it, so 226.2 shows as the same meridian, -133.80, where a
    // clamped -180.00 would be another place.
    void setCircular(bool on) { circular_ = on; }
    bool isCircular() const { return circular_; }

    // The conversions the spin box runs for every display and typed entry.
    QString mapValueToText(int steps) const;
    int mapTextToValue(const QString& text) const;

protected:
    QString textFromValue(int steps) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
    // Turns a typed number outside the range into the nearest end, so that it is
    // clamped when the text is taken instead of being thrown away.
    void fixup(QString& text) const override;

private:
    int toSteps(float x) const;

    int scale_ = 1;
    int decimals_ = 0;
    bool circular_ = false;
    QDoubleValidator* validator_ = nullptr; // a child of the spin box
};
