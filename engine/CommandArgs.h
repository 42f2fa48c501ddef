// The text of a command line with a read position. Command classes read the
// arguments of the command being run through it, and build value texts and
// saved command lines with its appenders.
#pragma once

#include <cstddef>
#include <string>

class CommandArgs {
public:
    // Read position of a text that has been read to its end.
    static constexpr std::size_t Exhausted = std::string::npos;

    CommandArgs() = default;
    explicit CommandArgs(std::string text) : text_(std::move(text)) {}

    // Replaces the text and restarts reading at its first character.
    void setText(std::string text);
    const std::string& getText() const { return text_; }
    bool empty() const { return text_.empty(); }
    std::size_t getPos() const { return pos_; }
    void setPos(std::size_t pos) { pos_ = pos; }
    // True when nothing but possibly the last character is left unread. Lines
    // and scenarios stop here, so one trailing separator is never taken for a
    // command.
    bool atLastCharacter() const { return text_.empty() || pos_ >= text_.size() - 1; }

    // Token readers. Tokens are separated by blank, tab, CR, LF and ";". With
    // no token left they give 0, 0.0 or "" and leave the position where it is;
    // otherwise the position moves onto the delimiter behind the token.
    CommandArgs& readInt(int& value);
    CommandArgs& readDouble(double& value);
    CommandArgs& readFloat(float& value);
    CommandArgs& readWord(std::string& word);
    std::string readWord();
    // A word, or a text in double quotes up to the closing one on its line,
    // blanks included and the quotes dropped: a file name with blanks.
    std::string readQuotable();
    // text as readQuotable reads it back: in double quotes when it holds a delimiter.
    static std::string quotable(const std::string& text);
    // The rest of the current command: from the next non-delimiter up to the
    // first CR, LF or ";" (blanks inside and at the end kept). Arguments that
    // hold blanks, such as file names, are read this way.
    std::string readRest();
    // The class word of a command line: leading delimiters and dots skipped,
    // then everything up to the next "." (blanks included); the position moves
    // behind the dot. Without a dot the text is used up and the word is empty.
    std::string readClassWord();

    // Writers for value texts and saved lines.
    // Starts a new command line: "\n" when the text does not already end a
    // line, then class word, "." and command word.
    CommandArgs& beginCommand(const std::string& classWord, const std::string& commandWord);
    // The word alone on an empty text, else a blank and the word.
    CommandArgs& appendWord(const std::string& word);
    CommandArgs& appendInt(int value);       // " %i"
    CommandArgs& appendDouble(double value); // " %g"
    CommandArgs& appendFloat(float value);   // " %g"
    // Saved lines: the " %g" text when it reads back as the same value, else
    // as many digits as that takes, so that saving and reading back changes
    // nothing. A float is written as it reads back through readFloat.
    CommandArgs& appendExactDouble(double value);
    CommandArgs& appendExactFloat(float value);
    // appendExactDouble for each of count values (a colour, a pair).
    CommandArgs& appendExactDoubles(const double* values, int count);
    // Appends raw text.
    CommandArgs& append(const std::string& text);

    // Number texts in the command language's own form, whatever the user's
    // locale: " %g" (six significant digits) and " %i".
    static std::string formatReal(double value);
    static std::string formatInt(int value);
    // The number of appendExactDouble and appendExactFloat without the blank.
    static std::string exactReal(double value);
    static std::string exactFloat(float value);
    // The leading decimal number of a text, as atoi and atof read it in the C
    // locale (no number gives 0).
    static int toInt(const std::string& text);
    static double toDouble(const std::string& text);

private:
    // Moves to the next token and returns its end, or false when none is left.
    bool nextToken(std::size_t& begin, std::size_t& end);

    std::string text_;
    std::size_t pos_ = 0;
};
