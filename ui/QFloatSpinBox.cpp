#include "ui/QFloatSpinBox.h"

#include <QDoubleValidator>
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/RealToInt.h"

namespace {

// 10^9 is the largest power of ten an int holds.
constexpr int kMaxDecimals = 9;

} // namespace

QFloatSpinBox::QFloatSpinBox(QWidget* parent, const char* name) : QSpinBox(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setAlignment(Qt::AlignRight);
}

QFloatSpinBox::~QFloatSpinBox() = default;

void QFloatSpinBox::setRange(float minimum, float maximum, int decimals) {
    decimals_ = std::clamp(decimals, 0, kMaxDecimals);
    scale_ = 1;
    for (int i = 0; i < decimals_; ++i)
        scale_ *= 10;

    delete validator_;
    validator_ = new QDoubleValidator(minimum, maximum, decimals_, this);
    validator_->setNotation(QDoubleValidator::StandardNotation);
    validator_->setLocale(QLocale::c());

    QSpinBox::setRange(truncToInt(static_cast<double>(minimum) * scale_),
                       truncToInt(static_cast<double>(maximum) * scale_));
}

// A float such as 0.29 lies a hair below the decimal it stands for; a tenth of a
// step is added away from zero so that it is not cut to 0.28, while anything
// finer than the last decimal is still cut off. A circular box turns the
// whole steps into its range, so the shown decimals stay exact.
int QFloatSpinBox::toSteps(float x) const {
    const double nudge = 0.1 / scale_;
    const double shifted = x >= 0 ? x + nudge : x - nudge;
    double steps = std::trunc(shifted * scale_);
    const double low = minimum();
    const double turn = double(maximum()) - low;
    if (circular_ && turn > 0 && (steps < low || steps > maximum())) {
        steps = low + std::fmod(steps - low, turn);
        if (steps < low)
            steps += turn;
    }
    return truncToInt(steps);
}

void QFloatSpinBox::setValue(float x) {
    QSpinBox::setValue(toSteps(x));
}

float QFloatSpinBox::value() const {
    const int steps = QSpinBox::value();
    if (scale_ == 0)
        return static_cast<float>(steps);
    return static_cast<float>(static_cast<double>(steps) / scale_);
}

QString QFloatSpinBox::mapValueToText(int steps) const {
    if (scale_ == 1)
        return QString::asprintf("%i", steps);
    const int whole = steps / scale_;
    const int fraction = std::abs(steps % scale_);
    // Between -1 and 0 the whole part is 0, which carries no sign.
    const char* sign = steps < 0 && whole == 0 ? "-" : "";
    return QString::asprintf("%s%i.%0*i", sign, whole, decimals_, fraction);
}

int QFloatSpinBox::mapTextToValue(const QString& text) const {
    bool ok = false;
    const float x = text.toFloat(&ok);
    return ok ? toSteps(x) : 0;
}

QString QFloatSpinBox::textFromValue(int steps) const {
    return mapValueToText(steps);
}

int QFloatSpinBox::valueFromText(const QString& text) const {
    return mapTextToValue(text);
}

QValidator::State QFloatSpinBox::validate(QString& text, int& pos) const {
    if (!validator_)
        return QSpinBox::validate(text, pos);
    return validator_->validate(text, pos);
}

void QFloatSpinBox::fixup(QString& text) const {
    bool ok = false;
    const float x = text.toFloat(&ok);
    if (!ok)
        return;
    const int steps = std::clamp(toSteps(x), minimum(), maximum());
    text = mapValueToText(steps);
}
