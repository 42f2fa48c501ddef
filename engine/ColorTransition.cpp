#include "engine/ColorTransition.h"

bool operator==(const ColorRgba& a, const ColorRgba& b) {
    return a.v[0] == b.v[0] && a.v[1] == b.v[1] && a.v[2] == b.v[2] && a.v[3] == b.v[3];
}

ColorRgba operator+(const ColorRgba& a, const ColorRgba& b) {
    ColorRgba c;
    for (int i = 0; i < 4; ++i)
        c.v[i] = a.v[i] + b.v[i];
    return c;
}

ColorRgba operator-(const ColorRgba& a, const ColorRgba& b) {
    ColorRgba c;
    for (int i = 0; i < 4; ++i)
        c.v[i] = a.v[i] - b.v[i];
    return c;
}

ColorRgba operator*(const ColorRgba& c, double s) {
    ColorRgba p;
    for (int i = 0; i < 4; ++i)
        p.v[i] = c.v[i] * s;
    return p;
}

ColorRgba ColorTransition::fromArray(const double* rgba) {
    ColorRgba c;
    for (int i = 0; i < 4; ++i)
        c.v[i] = rgba[i];
    return c;
}

void ColorTransition::set(const double* rgba) {
    LinearTransition::set(fromArray(rgba));
}

void ColorTransition::set(double r, double g, double b, double a) {
    const double rgba[4] = {r, g, b, a};
    set(rgba);
}

void ColorTransition::startTo(const double* rgba, int frames) {
    LinearTransition::startTo(fromArray(rgba), frames);
}

const double* ColorTransition::getValue() const {
    if (!isRunning())
        return end_.v;
    // Each transition blends into a buffer of its own, so reading two colours
    // one after the other does not overwrite the first.
    blend_ = currentValue();
    return blend_.v;
}
