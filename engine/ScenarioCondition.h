// A condition line of a scenario: "?query OP value?first branch:second branch".
// The runner asks the query, compares its answer with the value and goes on
// with one of the two branches (a scenario file or another scenario line).
#pragma once

#include <string>
#include <string_view>

class ScenarioCondition {
public:
    // Splits a trimmed line that begins with "?". False when the line has no
    // second "?", no operator or no ":" after the second "?". The branches
    // are views into the line, which must outlive them: a chain of
    // conditions is followed in place, never copied level by level.
    bool parse(std::string_view line);

    // True when the query's answer satisfies the condition. The answer is
    // trimmed of blanks and line feeds; "=" and "!=" compare texts exactly,
    // the others compare the leading numbers of both texts.
    bool holds(const std::string& answer) const;
    // The branch to go on with for that answer.
    std::string_view branchFor(const std::string& answer) const {
        return holds(answer) ? first : second;
    }

    // Removes blanks and line feeds at both ends.
    static std::string_view trim(std::string_view text);

    // The operators in the order they are searched for: the first one of this
    // list that occurs anywhere in the condition is used, at its first
    // occurrence (so ">" wins over "=" in "a=b>c").
    enum class Operator { GreaterEqual, LessEqual, Greater, Less, NotEqual, Equal };

    std::string query;
    Operator op = Operator::Equal;
    // Taken as written after the operator, blanks included.
    std::string value;
    std::string_view first;
    // Everything after the first ":" (it may hold further ":").
    std::string_view second;
};
