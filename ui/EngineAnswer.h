// Numbers read from the engine's query answers. Numbers come back behind one
// blank each (" %i", " %g"), words bare, and "Undefined" for a name the engine
// does not answer; a reader takes what it can from the start of the answer
// and leaves everything it could not read at 0.
#pragma once

#include <string>
#include <vector>

namespace EngineAnswer {

// The decimal integer at the start: leading blanks skipped, an optional sign,
// the digits up to the first other character (" 6.5" gives 6); 0 without
// digits. Values beyond an int are held at its ends.
int leadingInt(const std::string& text);

// The first count reals, "." decimals whatever the locale, each read after
// the one before; those the answer does not hold are 0.
std::vector<double> leadingReals(const std::string& text, std::size_t count);

// The first real, 0 when there is none.
double leadingReal(const std::string& text);

// The answer with its leading blanks skipped: a word as the engine writes a
// value (" UTC"), to be compared with the words a control offers.
std::string word(const std::string& text);

} // namespace EngineAnswer
