// Element lines for tests: a line with some columns changed and its checksum
// (the last column) made right again, so that only the change is at fault.
#pragma once

#include <string>

namespace orvextest {

// text put into line from column first (counted from 1).
inline std::string changedElementLine(std::string line, int first, const std::string& text) {
    line.replace(std::size_t(first - 1), text.size(), text);
    int sum = 0;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] >= '0' && line[i] <= '9')
            sum += line[i] - '0';
        else if (line[i] == '-')
            ++sum;
    }
    line.back() = char('0' + sum % 10);
    return line;
}

} // namespace orvextest
