// The engine reads and writes numbers with "." decimals whatever the user's
// locale: command lines, scenarios and data files are shared between machines.
#pragma once

namespace platform {

// Puts LC_NUMERIC back to "C". Qt switches the C library to the user's locale
// when the application object is created, so call this right after it.
void resetNumericLocale();

// True when the C library currently formats 0.5 as "0.5".
bool numericLocaleIsC();

// strtod with "." decimals whatever the current locale: the longest number at
// the start of text (after leading white space), 0.0 when there is none. When
// end is given it receives the position after the number (text when none).
double parseDouble(const char* text, const char** end = nullptr);

// The same for a float (strtof).
float parseFloat(const char* text, const char** end = nullptr);

} // namespace platform
