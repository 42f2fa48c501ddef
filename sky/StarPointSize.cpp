#include "sky/StarPointSize.h"

#include <cmath>

float starPointSize(float magnitude) {
    const float smallest = 1.1f;
    const double base = 1.0 - magnitude * 0.0625;
    if (!(base > 0.0))
        return smallest;
    const double size = 4.0 * std::pow(base, 2.5);
    return size > smallest ? static_cast<float>(size) : smallest;
}
