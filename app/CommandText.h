// Numbers and lists as the control windows exchange them with the engine.
// Command lines carry numbers in the command language's own form ("."
// decimals whatever the user's locale); answers are read the way the C
// library reads a leading number, so " 2.6784e+06" is a real, "12abc" is 12
// and "Undefined" or an empty answer is 0.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

namespace CommandText {

// "%.2f": a latitude or longitude with the two decimals its spin box shows.
std::string fixed2(double value);
// "%i".
std::string integer(int value);

// The integer at the start of an answer, leading white space skipped.
int readInt(const std::string& answer);
// The real at the start of an answer, leading white space skipped.
double readReal(const std::string& answer);
// A real answer cut toward zero to an int (saturating): a speed such as
// " 1e+06" stays a million instead of reading as 1.
int readTruncated(const std::string& answer);
// Every integer of a blank-separated answer, in order.
std::vector<int> readInts(const std::string& answer);
// A switch is on only when its answer reads as exactly the integer 1.
bool readSwitch(const std::string& answer);
// A list answer as window text (the default codec), split at blanks, empty
// pieces dropped: names never contain blanks.
QStringList readList(const std::string& answer);

} // namespace CommandText
