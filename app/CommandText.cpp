#include "app/CommandText.h"

#include <charconv>

#include "app/EngineLink.h"
#include "engine/CommandArgs.h"
#include "engine/RealToInt.h"

namespace CommandText {

std::string fixed2(double value) {
    // to_chars rounds exactly as printf's "%.2f" does, without the C locale.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

std::string integer(int value) {
    return std::to_string(value);
}

int readInt(const std::string& answer) {
    return CommandArgs::toInt(answer);
}

double readReal(const std::string& answer) {
    return CommandArgs::toDouble(answer);
}

int readTruncated(const std::string& answer) {
    return truncToInt(readReal(answer));
}

std::vector<int> readInts(const std::string& answer) {
    std::vector<int> numbers;
    std::size_t pos = 0;
    while ((pos = answer.find_first_not_of(' ', pos)) != std::string::npos) {
        const std::size_t end = answer.find(' ', pos);
        numbers.push_back(readInt(answer.substr(pos, end - pos)));
        pos = end;
    }
    return numbers;
}

bool readSwitch(const std::string& answer) {
    return readInt(answer) == 1;
}

QStringList readList(const std::string& answer) {
    return EngineLink::fromEngineText(answer).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace CommandText
