#include "ui/EngineAnswer.h"

#include "engine/CommandArgs.h"
#include "platform/NumericLocale.h"

namespace EngineAnswer {

int leadingInt(const std::string& text) {
    return CommandArgs::toInt(text);
}

std::vector<double> leadingReals(const std::string& text, std::size_t count) {
    std::vector<double> values(count, 0.0);
    const char* at = text.c_str();
    for (std::size_t i = 0; i < count; ++i) {
        const char* end = at;
        const double value = platform::parseDouble(at, &end);
        if (end == at)
            break;
        values[i] = value;
        at = end;
    }
    return values;
}

double leadingReal(const std::string& text) {
    return leadingReals(text, 1)[0];
}

std::string word(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace EngineAnswer
