// An RGBA colour of four doubles that moves linearly, channel by channel, to
// its target.
#pragma once

#include "engine/LinearTransition.h"

struct ColorRgba {
    double v[4] = {0.0, 0.0, 0.0, 0.0};
};

bool operator==(const ColorRgba& a, const ColorRgba& b);
ColorRgba operator+(const ColorRgba& a, const ColorRgba& b);
ColorRgba operator-(const ColorRgba& a, const ColorRgba& b);
ColorRgba operator*(const ColorRgba& c, double s);

class ColorTransition : public LinearTransition<ColorRgba> {
public:
    void set(const double* rgba);
    void set(double r, double g, double b, double a);
    void startTo(const double* rgba, int frames);
    // The four channels now: the end colour when idle, else this transition's
    // own buffer, valid until its next getValue.
    const double* getValue() const;

private:
    static ColorRgba fromArray(const double* rgba);

    mutable ColorRgba blend_;
};
