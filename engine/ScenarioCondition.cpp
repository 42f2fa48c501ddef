#include "engine/ScenarioCondition.h"

#include "engine/CommandArgs.h"

namespace {

struct OperatorText {
    const char* text;
    ScenarioCondition::Operator op;
};

constexpr OperatorText operators[] = {
    {">=", ScenarioCondition::Operator::GreaterEqual},
    {"<=", ScenarioCondition::Operator::LessEqual},
    {">", ScenarioCondition::Operator::Greater},
    {"<", ScenarioCondition::Operator::Less},
    {"!=", ScenarioCondition::Operator::NotEqual},
    {"=", ScenarioCondition::Operator::Equal},
};

} // namespace

std::string_view ScenarioCondition::trim(std::string_view text) {
    const auto isTrimmed = [](char c) { return c == ' ' || c == '\n'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool ScenarioCondition::parse(std::string_view line) {
    if (line.empty() || line[0] != '?')
        return false;
    const std::size_t secondMark = line.find('?', 1);
    if (secondMark == std::string_view::npos)
        return false;
    const std::string_view condition = line.substr(1, secondMark - 1);
    std::size_t at = std::string::npos;
    std::size_t length = 0;
    for (const OperatorText& candidate : operators) {
        at = condition.find(candidate.text);
        if (at != std::string::npos) {
            op = candidate.op;
            length = std::char_traits<char>::length(candidate.text);
            break;
        }
    }
    if (at == std::string::npos)
        return false;
    const std::size_t colon = line.find(':', secondMark + 1);
    if (colon == std::string_view::npos)
        return false;
    query = condition.substr(0, at);
    value = condition.substr(at + length);
    first = line.substr(secondMark + 1, colon - secondMark - 1);
    second = line.substr(colon + 1);
    return true;
}

bool ScenarioCondition::holds(const std::string& answer) const {
    const std::string_view trimmed = trim(answer);
    if (op == Operator::Equal)
        return trimmed == value;
    if (op == Operator::NotEqual)
        return trimmed != value;
    const double left = CommandArgs::toDouble(std::string(trimmed));
    const double right = CommandArgs::toDouble(value);
    switch (op) {
    case Operator::GreaterEqual:
        return left >= right;
    case Operator::LessEqual:
        return left <= right;
    case Operator::Greater:
        return left > right;
    case Operator::Less:
        return left < right;
    default:
        return false;
    }
}
