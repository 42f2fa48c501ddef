#include "platform/NumericLocale.h"

#include <clocale>
#include <cstdio>
#include <cstring>

namespace platform {

void resetNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

bool numericLocaleIsC() {
    char text[16];
    std::snprintf(text, sizeof text, "%g", 0.5);
    return std::strcmp(text, "0.5") == 0;
}

} // namespace platform
