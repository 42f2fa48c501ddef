#include "platform/NumericLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace platform {

void resetNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

bool numericLocaleIsC() {
    char text[16];
    std::snprintf(text, sizeof text, "%g", 0.5);
    return std::strcmp(text, "0.5") == 0;
}

namespace {

// One C locale object for the life of the program; strtod_l and strtof_l never
// consult the global locale.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

} // namespace

double parseDouble(const char* text, const char** end) {
    char* stop = nullptr;
    const double value = strtod_l(text, &stop, cLocale());
    if (end)
        *end = stop;
    return value;
}

float parseFloat(const char* text, const char** end) {
    char* stop = nullptr;
    const float value = strtof_l(text, &stop, cLocale());
    if (end)
        *end = stop;
    return value;
}

} // namespace platform
