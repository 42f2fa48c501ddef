#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "engine/CommandArgs.h"

TEST(CommandArgs, ReadsTokensSeparatedByDelimiters) {
    CommandArgs args(" \t12abc;;x7 -3.5e1\r\nword");
    int i = -1;
    args.readInt(i);
    EXPECT_EQ(i, 12); // digits followed by letters: the digits' value, whole token consumed
    EXPECT_EQ(args.getPos(), 7u);
    args.readInt(i);
    EXPECT_EQ(i, 0); // letters read as 0
    double d = 0;
    args.readDouble(d);
    EXPECT_DOUBLE_EQ(d, -35.0);
    std::string w;
    args.readWord(w);
    EXPECT_EQ(w, "word");
    EXPECT_EQ(args.getPos(), args.getText().size());
}

TEST(CommandArgs, ReadsPastTheEndGiveZeroAndKeepThePosition) {
    CommandArgs args("Speed");
    std::string w;
    args.readWord(w);
    const std::size_t end = args.getPos();
    double d = 1.0;
    int i = 1;
    float f = 1.0f;
    args.readDouble(d).readInt(i).readFloat(f).readWord(w);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(w, "");
    EXPECT_EQ(args.getPos(), end);

    CommandArgs trailing("Speed ; \t");
    args.readWord(w);
    trailing.readWord(w);
    trailing.readInt(i);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(trailing.getPos(), trailing.getText().size());
}

TEST(CommandArgs, ReadWordLeavesThePositionOnTheDelimiter) {
    CommandArgs args(" ;\t;name;next");
    EXPECT_EQ(args.readWord(), "name");
    EXPECT_EQ(args.getPos(), 8u);
    EXPECT_EQ(args.getText()[args.getPos()], ';');
}

TEST(CommandArgs, ReadRestStopsAtLineEndsAndKeepsBlanks) {
    CommandArgs args("Cmd  two words ;more\r\nlast one ");
    args.readWord();
    EXPECT_EQ(args.readRest(), "two words ");
    EXPECT_EQ(args.getText()[args.getPos()], ';');
    EXPECT_EQ(args.readRest(), "more");
    EXPECT_EQ(args.readRest(), "last one ");
    EXPECT_EQ(args.getPos(), CommandArgs::Exhausted);
    EXPECT_TRUE(args.atLastCharacter());
    EXPECT_EQ(args.readRest(), "");
}

TEST(CommandArgs, AQuotedTextReadsBackWithItsBlanks) {
    CommandArgs args("Cmd " + CommandArgs::quotable("./my list.dcl") + ";next \"open\n\"");
    args.readWord();
    EXPECT_EQ(args.readQuotable(), "./my list.dcl");
    EXPECT_EQ(args.readWord(), "next");
    // Without its closing quote on the line, a word as it stands.
    EXPECT_EQ(args.readQuotable(), "\"open");
}

TEST(CommandArgs, SplitsClassWords) {
    CommandArgs args("..Timer.Speed 10");
    EXPECT_EQ(args.readClassWord(), "Timer");
    EXPECT_EQ(args.readWord(), "Speed");

    CommandArgs blank("My Class.Word");
    EXPECT_EQ(blank.readClassWord(), "My Class");

    CommandArgs noDot("  nothing here");
    EXPECT_EQ(noDot.readClassWord(), "");
    EXPECT_EQ(noDot.getPos(), noDot.getText().size());
}

TEST(CommandArgs, BuildsLinesAndNumberTexts) {
    CommandArgs text;
    text.appendWord("first");
    EXPECT_EQ(text.getText(), "first");
    text.appendWord("");
    EXPECT_EQ(text.getText(), "first ");

    CommandArgs numbers;
    numbers.appendDouble(30.0);
    EXPECT_EQ(numbers.getText(), " 30");
    numbers.appendFloat(0.5f).appendInt(-7).appendDouble(2678400.0).appendDouble(1e-5);
    EXPECT_EQ(numbers.getText(), " 30 0.5 -7 2.6784e+06 1e-05");

    CommandArgs lines;
    lines.beginCommand("Detail", "Draw").appendWord("Solid");
    lines.beginCommand("Detail", "AlphaBlend").appendInt(1);
    lines.append("\n").beginCommand("Detail", "TexDir").appendWord("");
    EXPECT_EQ(lines.getText(), "Detail.Draw Solid\nDetail.AlphaBlend 1\nDetail.TexDir ");
}

// Saved lines keep the six-digit text where it reads back exactly and take
// more digits where it does not, down to the float readFloat gives.
TEST(CommandArgs, ExactNumbersReadBackTheSameValue) {
    EXPECT_EQ(CommandArgs::exactReal(30.0), "30");
    EXPECT_EQ(CommandArgs::exactReal(100000.0), "100000");
    EXPECT_EQ(CommandArgs::exactReal(2678400.0), "2.6784e+06");
    EXPECT_EQ(CommandArgs::exactReal(1234567.0), "1234567");
    EXPECT_EQ(CommandArgs::exactReal(1e-5), "1e-05");
    EXPECT_EQ(CommandArgs::exactReal(139.6917), "139.6917");
    EXPECT_EQ(CommandArgs::exactReal(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(CommandArgs::exactFloat(0.1f), "0.1");
    EXPECT_EQ(CommandArgs::exactFloat(1.0f / 3.0f), "0.33333334");
    for (double value :
         {1.0 / 3.0, -2.0 / 7.0, 6.02214076e23, 1e-300, 123456.789012345, 4.9e-324, -0.0}) {
        CommandArgs line;
        line.appendExactDouble(value);
        double read = 1.0;
        line.readDouble(read);
        EXPECT_EQ(read, value) << line.getText();
        EXPECT_EQ(std::signbit(read), std::signbit(value)) << line.getText();
    }
    for (float value : {0.9f, 1.0f / 7.0f, 3.4e38f, 1e-45f}) {
        CommandArgs line;
        line.appendExactFloat(value);
        float read = 1.0f;
        line.readFloat(read);
        EXPECT_EQ(read, value) << line.getText();
    }
    CommandArgs line;
    line.beginCommand("Ssystem", "PlaceLon").appendExactDouble(139.6917);
    EXPECT_EQ(line.getText(), "Ssystem.PlaceLon 139.6917");
}

TEST(CommandArgs, NumbersIgnoreTheUserLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(CommandArgs::formatReal(0.25), " 0.25");
    EXPECT_DOUBLE_EQ(CommandArgs::toDouble("2.5e3x"), 2500.0);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!comma)
        GTEST_SKIP() << "no comma-decimal locale installed; checked in the C locale only";
}

TEST(CommandArgs, ConvertsLeadingNumbersAsTheCLibraryDoes) {
    EXPECT_EQ(CommandArgs::toInt("+42x"), 42);
    EXPECT_EQ(CommandArgs::toInt("-"), 0);
    EXPECT_EQ(CommandArgs::toInt("99999999999"), 2147483647);
    EXPECT_EQ(CommandArgs::toInt("-99999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(CommandArgs::toDouble(" -.5"), -0.5);
    EXPECT_DOUBLE_EQ(CommandArgs::toDouble("+3"), 3.0);
    EXPECT_EQ(CommandArgs::toDouble("abc"), 0.0);
    EXPECT_EQ(CommandArgs::toDouble("+-3"), 0.0);
    EXPECT_TRUE(std::isinf(CommandArgs::toDouble("1e999")));
    EXPECT_EQ(CommandArgs::toDouble("1e-999"), 0.0);
}
