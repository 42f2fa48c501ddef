#include <gtest/gtest.h>

#include <vector>

#include "engine/Base.h"
#include "engine/Interpreter.h"
#include "engine/LogMessage.h"
#include "support/TestEnv.h"

namespace {

// A command class registered by hand (no root needed): "Set <real>",
// "Quiet" (kept out of the log), "Fail", "Run <line>" (runs a line itself and
// then reads one more number of its own); queries "Value" and "Echo <words>".
class Probe : public Base {
public:
    Probe(Interpreter& interp, const char* name)
        : Base(name, nullptr), interp_(interp), name_(name) {
        interp.addClass(name, this, &Base::executeThunk, &Base::getValueThunk,
                        &Base::saveStatesThunk, &Base::saveOptionsThunk);
        for (const char* word : {"Set", "Quiet", "Fail", "Run"})
            interp.addCommand(name, word, false);
        interp.addCommand(name, "Secret", true);
    }
    const char* getName() const override { return name_; }
    int execute() override {
        const std::string& word = interp_.commandWord;
        ran.push_back(word);
        if (word == "Set") {
            interp_.args.readDouble(value);
            return 1;
        }
        if (word == "Quiet")
            return Base::NotLogged;
        if (word == "Run") {
            const std::string line = interp_.args.readRest();
            const int result = interp_.executeLine(line);
            interp_.args.readDouble(after);
            return result;
        }
        return 0;
    }
    std::string getValue() override {
        if (interp_.commandWord == "Value")
            return CommandArgs::formatReal(value);
        if (interp_.commandWord == "Echo") {
            CommandArgs text;
            for (std::string w = interp_.args.readWord(); !w.empty(); w = interp_.args.readWord())
                text.appendWord(w);
            return text.getText();
        }
        return Base::getValue();
    }
    std::string saveStates() override { return states; }
    std::string saveOptions() override { return options; }

    std::vector<std::string> ran;
    double value = 0.0;
    double after = 0.0;
    std::string states;
    std::string options;

private:
    Interpreter& interp_;
    const char* name_;
};

class InterpreterTest : public ::testing::Test {
protected:
    Interpreter interp;
    Probe a{interp, "Alpha"};
    Probe b{interp, "Beta"};
    LogCapture log;
};

} // namespace

TEST_F(InterpreterTest, EmptyCommentAndDotlessLinesSucceedWithoutRunning) {
    EXPECT_EQ(interp.executeLine(""), 1);
    EXPECT_EQ(interp.executeLine("#Alpha.Set 5"), 1);
    EXPECT_EQ(interp.executeLine("no dot here"), 1);
    EXPECT_EQ(interp.executeLine("\n"), 1);
    EXPECT_TRUE(a.ran.empty());
    EXPECT_EQ(interp.getLog(), "");
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(InterpreterTest, SplitsClassWordsAtTheDot) {
    EXPECT_EQ(interp.executeLine(".Alpha.Set 10"), 1); // leading dots skipped
    EXPECT_EQ(a.value, 10.0);
    EXPECT_EQ(interp.executeLine("Al pha.Set 3"), 0); // a blank stays in the class word
    EXPECT_TRUE(log.contains("Undefined Class : Al pha"));
    EXPECT_EQ(a.value, 10.0);
}

TEST_F(InterpreterTest, TheLastCharacterIsNeverReadAsACommand) {
    EXPECT_EQ(interp.executeLine("Alpha.Set 1;"), 1);
    EXPECT_EQ(interp.executeLine("Alpha.Set 2\n"), 1);
    EXPECT_EQ(a.ran.size(), 2u);
    EXPECT_EQ(interp.executeLine("A"), 1);
    EXPECT_EQ(a.ran.size(), 2u);
}

TEST_F(InterpreterTest, ResultCodesDecideLoggingAndContinuation) {
    EXPECT_EQ(interp.executeLine("Alpha.Set 1; Beta.Set 2"), 1);
    EXPECT_EQ(b.value, 2.0);
    // A line that ran is logged once, however many of its commands ran.
    EXPECT_EQ(interp.getLog(), "Alpha.Set 1; Beta.Set 2");

    interp.clearLog();
    EXPECT_EQ(interp.executeLine("Alpha.Quiet; Beta.Set 4"), 1);
    EXPECT_EQ(b.value, 4.0);
    EXPECT_EQ(interp.getLog(), "Alpha.Quiet; Beta.Set 4"); // once, for Beta only

    interp.clearLog();
    EXPECT_EQ(interp.executeLine("Alpha.Quiet"), 1);
    EXPECT_EQ(interp.getLog(), "");

    EXPECT_EQ(interp.executeLine("Alpha.Fail; Beta.Set 9"), 0);
    EXPECT_EQ(b.value, 4.0);
    EXPECT_TRUE(log.contains("Command Error : Alpha.Fail"));

    EXPECT_EQ(interp.executeLine("Gamma.Set 1; Beta.Set 9"), 0);
    EXPECT_EQ(b.value, 4.0);
    EXPECT_TRUE(log.contains("Undefined Class : Gamma"));

    EXPECT_EQ(interp.executeLine("Beta.Set 5; Gamma.Set 1"), 0);
    EXPECT_EQ(b.value, 5.0);
    EXPECT_EQ(interp.getLog(), "Beta.Set 5; Gamma.Set 1");
}

TEST_F(InterpreterTest, ALongLineOfManyCommandsIsLoggedOnce) {
    // Logged once per command, the log grew with the square of the line.
    std::string line;
    for (int i = 0; i < 2000; ++i)
        line += "Beta.Set 3;";
    EXPECT_EQ(interp.executeLine(line), 1);
    EXPECT_EQ(b.value, 3.0);
    EXPECT_EQ(interp.getLog(), line);
}

TEST_F(InterpreterTest, LogEntriesAreSeparatedByOneLineFeed) {
    interp.executeLine("Alpha.Set 1\n");
    interp.executeLine("Alpha.Set 2");
    EXPECT_EQ(interp.getLog(), "Alpha.Set 1\nAlpha.Set 2");
    interp.clearLog();
    EXPECT_EQ(interp.getLog(), "");
    EXPECT_EQ(interp.log.getPos(), 0u);
}

TEST_F(InterpreterTest, ClassesWithoutAnExecuteFunctionFail) {
    Probe c(interp, "Null");
    interp.addClass("Hollow", &c, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(interp.executeLine("Hollow.Set 1"), 0);
    EXPECT_TRUE(log.contains("Command function undefined for Hollow."));
    EXPECT_EQ(interp.getValue("Hollow.Value"), "Undefined");
}

TEST_F(InterpreterTest, NestedRunsKeepTheOuterCommandsArguments) {
    // Run reads "Beta.Set 7", runs it, then reads 42 from its own arguments.
    EXPECT_EQ(interp.executeLine("Alpha.Run Beta.Set 7; 42; Alpha.Set 8"), 1);
    EXPECT_EQ(b.value, 7.0);
    EXPECT_EQ(a.after, 42.0);
    EXPECT_EQ(a.value, 8.0); // the command behind the nested run still ran
    EXPECT_EQ(interp.getLog(), "Beta.Set 7\nAlpha.Run Beta.Set 7; 42; Alpha.Set 8");
    EXPECT_EQ(interp.classWord, "");

    // A failing inner line fails the outer command, which stops the outer line.
    EXPECT_EQ(interp.executeLine("Alpha.Run Gamma.Set 1; 5; Alpha.Set 9"), 0);
    EXPECT_EQ(a.value, 8.0);
    EXPECT_TRUE(log.contains("Command Error : Alpha.Run"));
}

TEST_F(InterpreterTest, AnswersQueries) {
    interp.executeLine("Beta.Set 2.5");
    EXPECT_EQ(interp.getValue("Beta.Value"), " 2.5");
    EXPECT_EQ(interp.getValue("Alpha.Echo one two  three"), "one two three");
    EXPECT_EQ(interp.getValue("Alpha.Nothing"), "Undefined");
    EXPECT_EQ(interp.getValue("Gamma.Value"), "Undefined");
    EXPECT_EQ(interp.getValue(""), "Undefined");
    EXPECT_EQ(interp.getValue("#Beta.Value"), "");
}

TEST_F(InterpreterTest, GathersStateAndOptionLinesInRegistryOrder) {
    EXPECT_EQ(interp.saveStateAll(), "");
    a.states = "Alpha.Set 1";
    b.states = "Beta.Set 2\nBeta.Set 3";
    b.options = "Beta.Quiet";
    EXPECT_EQ(interp.saveStateAll(), "Alpha.Set 1\nBeta.Set 2\nBeta.Set 3\n");
    EXPECT_EQ(interp.saveOptionsAll(), "Beta.Quiet\n");
}

TEST_F(InterpreterTest, ListsClassesAndCommands) {
    ASSERT_EQ(interp.getClassCount(), 2);
    EXPECT_EQ(interp.getClassName(1), "Beta");
    ASSERT_EQ(interp.getCommandCount(0), 5);
    EXPECT_EQ(interp.getCommandName(0, 3), "Run");
    EXPECT_TRUE(interp.isCommandListed(0, 3));
    EXPECT_FALSE(interp.isCommandListed(0, 4)); // registered hidden
    EXPECT_EQ(interp.getCommandHelp(0, 0), "");
    // Out of range: neutral answers.
    EXPECT_EQ(interp.getClassName(2), "");
    EXPECT_EQ(interp.getCommandCount(-1), 0);
    EXPECT_EQ(interp.getCommandName(0, 5), "");
    EXPECT_FALSE(interp.isCommandListed(7, 0));

    interp.addCommand("Gamma", "Set", false); // before its class: dropped
    interp.addClass("Gamma", &a, &Base::executeThunk, nullptr, nullptr, nullptr);
    EXPECT_EQ(interp.getCommandCount(2), 0);
}

TEST_F(InterpreterTest, FirstRegistrationOfANameWins) {
    Probe again(interp, "Alpha");
    interp.executeLine("Alpha.Set 6");
    EXPECT_EQ(a.value, 6.0);
    EXPECT_EQ(again.value, 0.0);
}

TEST_F(InterpreterTest, RecordingFlagIsOnlyStored) {
    EXPECT_EQ(interp.isRecording(), 0);
    EXPECT_EQ(interp.setRecording(1), 1);
    interp.executeLine("Alpha.Set 1");
    EXPECT_EQ(interp.isRecording(), 1);
    EXPECT_EQ(interp.getLog(), "Alpha.Set 1");
}

TEST_F(InterpreterTest, ReadsTheCommandHelpFile) {
    orvextest::TempDir dir;
    const std::string path = dir.file("argshelp.def");
    {
        FILE* f = std::fopen(path.c_str(), "w");
        ASSERT_TRUE(f);
        std::fputs("# comment line Alpha.Set\n"
                   "Alpha.Set \t Sets the value; in frames\n"
                   "#Alpha.Run\tRuns a line\r\n"
                   "Beta.Secret shown after all\n"
                   "Alpha.Quiet\n"
                   "Delta.Nope unknown\n"
                   "#Alpha.Missing also unknown\n"
                   "plain words without a dot\n",
                   f);
        std::fprintf(f, "Alpha.%s long\n", std::string(100000, 'L').c_str());
        std::fclose(f);
    }
    testing::internal::CaptureStdout();
    interp.readHelpFile(path);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(interp.getCommandHelp(0, 0), "Sets the value; in frames");
    EXPECT_TRUE(interp.isCommandListed(0, 0));
    EXPECT_EQ(interp.getCommandHelp(0, 3), "Runs a line");
    EXPECT_FALSE(interp.isCommandListed(0, 3));
    EXPECT_EQ(interp.getCommandHelp(1, 4), "shown after all");
    EXPECT_TRUE(interp.isCommandListed(1, 4));
    EXPECT_EQ(interp.getCommandHelp(0, 1), ""); // named without a text
    EXPECT_NE(printed.find("    Delta.Nope undefined.\n"), std::string::npos);
    EXPECT_NE(printed.find("    #Alpha.Missing undefined.\n"), std::string::npos);
    EXPECT_EQ(printed.find("plain"), std::string::npos);

    log.clear();
    interp.readHelpFile(dir.file("missing.def")); // nothing changes
    EXPECT_EQ(interp.getCommandHelp(0, 0), "Sets the value; in frames");
    EXPECT_TRUE(log.messages().empty());
    interp.readHelpFile(dir.path()); // nor does a folder, which is told
    EXPECT_TRUE(log.contains(dir.path() + ": Is a directory"));
}
