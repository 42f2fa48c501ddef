// The command interpreter: the registry of command classes and their command
// words, the splitting and running of command lines, the log of the lines that
// ran, value queries, the gathering of state and option lines, the command-help
// file and the listings the windows show.
//
// A line holds commands "Class.Command arguments" one after another; the class
// reads its arguments from `args` and whatever it leaves unread is where the
// next class word is looked for.
#pragma once

#include <string>
#include <vector>

#include "engine/CommandArgs.h"

class Base;

class Interpreter {
public:
    using ExecuteFunction = int (*)(Base*);
    using TextFunction = std::string (*)(Base*);

    Interpreter() = default;
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Registration (Base does the first, each command class the second). A
    // command of a class that is not registered is dropped. Names are compared
    // exactly; the first registration of a name is the one found.
    void addClass(const std::string& name, Base* object, ExecuteFunction execute,
                  TextFunction getValue, TextFunction saveStates, TextFunction saveOptions);
    void addCommand(const std::string& classWord, const std::string& commandWord, bool hidden);

    // Runs every command of the line: 1 when all ran (or there was nothing to
    // run), 0 at the first command that failed; the commands before it stay
    // done. Each command that ran and logs appends the whole line to the log.
    int executeLine(const std::string& line);
    // Value text of "Class.Command [words]": the class's answer, "Undefined"
    // for an unknown class, "" when the class word begins with "#".
    std::string getValue(const std::string& query);
    // Every class's state (option) text, each followed by "\n", in registry order.
    std::string saveStateAll();
    std::string saveOptionsAll();
    // Attaches help texts and listing flags from the command-help file. A file
    // that does not open changes nothing.
    void readHelpFile(const std::string& path);

    void clearLog();
    std::string getLog() const { return log.getText(); }
    int setRecording(int on) { return recording_ = on; }
    int isRecording() const { return recording_; }

    // Listings for the windows, in registration order. Indices out of range
    // give 0, "" or false.
    int getClassCount() const;
    std::string getClassName(int classIndex) const;
    int getCommandCount(int classIndex) const;
    std::string getCommandName(int classIndex, int commandIndex) const;
    bool isCommandListed(int classIndex, int commandIndex) const;
    std::string getCommandHelp(int classIndex, int commandIndex) const;

    // The command being run or queried. A class's execute and getValue compare
    // commandWord with their words and read their arguments from args. A line
    // run from inside a command (a scenario, a condition branch) gets its own
    // copy of these, and the outer command's are back when it returns.
    std::string classWord;
    std::string commandWord;
    CommandArgs args;
    // Text of the lines that ran; the scenario recorder reads it, and a class
    // that records lines itself appends them with log.beginCommand(...).
    CommandArgs log;

private:
    struct CommandRecord {
        std::string name;
        std::string help;
        bool listed = true;
    };
    struct ClassEntry {
        std::string name;
        Base* object = nullptr; // not owned
        ExecuteFunction execute = nullptr;
        TextFunction getValue = nullptr;
        TextFunction saveStates = nullptr;
        TextFunction saveOptions = nullptr;
        std::vector<CommandRecord> commands;
    };
    class RunScope;

    ClassEntry* findClass(const std::string& name);
    const CommandRecord* findRecord(int classIndex, int commandIndex) const;
    void appendToLog(const std::string& line);
    std::string gather(TextFunction ClassEntry::*operation);

    std::vector<ClassEntry> registry_;
    int recording_ = 0;
};

// Modifier keys as the key map combines them (16 Shift, 17 Ctrl): 1 while the
// key is held down.
int isCtrlDown();
int isShiftDown();
