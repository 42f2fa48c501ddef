#include "engine/CommandArgs.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "platform/NumericLocale.h"

namespace {

bool isArgumentDelimiter(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n' || c == ';';
}

// White space as the C library's number conversions skip it.
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

void CommandArgs::setText(std::string text) {
    text_ = std::move(text);
    pos_ = 0;
}

bool CommandArgs::nextToken(std::size_t& begin, std::size_t& end) {
    if (pos_ >= text_.size())
        return false;
    begin = pos_;
    while (begin < text_.size() && isArgumentDelimiter(text_[begin]))
        ++begin;
    if (begin == text_.size()) {
        pos_ = text_.size();
        return false;
    }
    end = begin;
    while (end < text_.size() && !isArgumentDelimiter(text_[end]))
        ++end;
    pos_ = end;
    return true;
}

CommandArgs& CommandArgs::readInt(int& value) {
    std::size_t begin, end;
    value = nextToken(begin, end) ? toInt(text_.substr(begin, end - begin)) : 0;
    return *this;
}

CommandArgs& CommandArgs::readDouble(double& value) {
    std::size_t begin, end;
    value = nextToken(begin, end) ? toDouble(text_.substr(begin, end - begin)) : 0.0;
    return *this;
}

CommandArgs& CommandArgs::readFloat(float& value) {
    double d;
    readDouble(d);
    value = static_cast<float>(d);
    return *this;
}

CommandArgs& CommandArgs::readWord(std::string& word) {
    std::size_t begin, end;
    if (nextToken(begin, end))
        word.assign(text_, begin, end - begin);
    else
        word.clear();
    return *this;
}

std::string CommandArgs::readWord() {
    std::string word;
    readWord(word);
    return word;
}

std::string CommandArgs::readQuotable() {
    std::size_t begin, end;
    if (!nextToken(begin, end))
        return {};
    if (text_[begin] == '"') {
        std::size_t close = begin + 1;
        while (close < text_.size() && text_[close] != '"' && text_[close] != '\r' &&
               text_[close] != '\n')
            ++close;
        if (close < text_.size() && text_[close] == '"') {
            pos_ = close + 1;
            return text_.substr(begin + 1, close - begin - 1);
        }
    }
    // Without a closing quote, the word as it stands.
    return text_.substr(begin, end - begin);
}

std::string CommandArgs::quotable(const std::string& text) {
    const bool plain = !text.empty() && std::none_of(text.begin(), text.end(), isArgumentDelimiter);
    return plain ? text : '"' + text + '"';
}

std::string CommandArgs::readRest() {
    if (pos_ >= text_.size())
        return {};
    std::size_t begin = pos_;
    while (begin < text_.size() && isArgumentDelimiter(text_[begin]))
        ++begin;
    if (begin == text_.size()) {
        pos_ = text_.size();
        return {};
    }
    std::size_t end = begin;
    while (end < text_.size() && !isLineEnd(text_[end]))
        ++end;
    pos_ = end < text_.size() ? end : Exhausted;
    return text_.substr(begin, end - begin);
}

std::string CommandArgs::readClassWord() {
    if (pos_ >= text_.size())
        return {};
    std::size_t begin = pos_;
    while (begin < text_.size() && (isArgumentDelimiter(text_[begin]) || text_[begin] == '.'))
        ++begin;
    const std::size_t dot = text_.find('.', begin);
    if (dot == std::string::npos) {
        pos_ = text_.size();
        return {};
    }
    pos_ = dot + 1;
    return text_.substr(begin, dot - begin);
}

CommandArgs& CommandArgs::beginCommand(const std::string& classWord,
                                       const std::string& commandWord) {
    if (!text_.empty() && text_.back() != '\n')
        text_ += '\n';
    text_ += classWord;
    text_ += '.';
    text_ += commandWord;
    return *this;
}

CommandArgs& CommandArgs::appendWord(const std::string& word) {
    if (text_.empty())
        text_ = word;
    else
        (text_ += ' ') += word;
    return *this;
}

CommandArgs& CommandArgs::appendInt(int value) {
    text_ += formatInt(value);
    return *this;
}

CommandArgs& CommandArgs::appendDouble(double value) {
    text_ += formatReal(value);
    return *this;
}

CommandArgs& CommandArgs::appendFloat(float value) {
    return appendDouble(static_cast<double>(value));
}

CommandArgs& CommandArgs::appendExactDouble(double value) {
    (text_ += ' ') += exactReal(value);
    return *this;
}

CommandArgs& CommandArgs::appendExactDoubles(const double* values, int count) {
    for (int i = 0; i < count; ++i)
        appendExactDouble(values[i]);
    return *this;
}

CommandArgs& CommandArgs::appendExactFloat(float value) {
    (text_ += ' ') += exactFloat(value);
    return *this;
}

CommandArgs& CommandArgs::append(const std::string& text) {
    text_ += text;
    return *this;
}

std::string CommandArgs::formatReal(double value) {
    // to_chars follows the C locale's "%.6g" whatever locale is set.
    char buffer[64];
    buffer[0] = ' ';
    char* end =
        std::to_chars(buffer + 1, buffer + sizeof buffer, value, std::chars_format::general, 6).ptr;
    return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

namespace {

// The "%.<digits>g" text of value, in the C locale's form.
std::string generalText(double value, int digits) {
    char buffer[64];
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits)
            .ptr;
    return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

// The fewest digits from six up whose text reads back as the value; six
// keep the usual text for every value it already holds exactly.
template <typename ReadsBack> std::string shortestText(double value, ReadsBack readsBack) {
    std::string text;
    for (int digits = 6; digits <= 17; ++digits) {
        text = generalText(value, digits);
        if (std::isnan(value) || readsBack(CommandArgs::toDouble(text)))
            break;
    }
    return text;
}

} // namespace

std::string CommandArgs::exactReal(double value) {
    return shortestText(value, [value](double read) { return read == value; });
}

std::string CommandArgs::exactFloat(float value) {
    return shortestText(static_cast<double>(value),
                        [value](double read) { return static_cast<float>(read) == value; });
}

std::string CommandArgs::formatInt(int value) {
    return ' ' + std::to_string(value);
}

int CommandArgs::toInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturate, keep reading digits
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double CommandArgs::toDouble(const std::string& text) {
    return platform::parseDouble(text.c_str());
}
