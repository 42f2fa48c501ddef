#include "engine/Interpreter.h"

#include <cstdio>
#include <utility>

#include "engine/Base.h"
#include "engine/HelpFile.h"
#include "engine/LogMessage.h"
#include "platform/InputState.h"

// Gives a run (a line or a query) its own class word, command word and
// arguments, and puts the outer run's back when it ends. A command that runs
// lines itself (a scenario, a condition branch, a key binding) therefore
// continues with its own arguments afterwards, and the commands behind it on
// the outer line still run.
class Interpreter::RunScope {
public:
    RunScope(Interpreter& interp, const std::string& text)
        : interp_(interp), classWord_(std::move(interp.classWord)),
          commandWord_(std::move(interp.commandWord)), args_(std::move(interp.args)) {
        interp_.classWord.clear();
        interp_.commandWord.clear();
        interp_.args.setText(text);
    }
    ~RunScope() {
        interp_.classWord = std::move(classWord_);
        interp_.commandWord = std::move(commandWord_);
        interp_.args = std::move(args_);
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    Interpreter& interp_;
    std::string classWord_;
    std::string commandWord_;
    CommandArgs args_;
};

void Interpreter::addClass(const std::string& name, Base* object, ExecuteFunction execute,
                           TextFunction getValue, TextFunction saveStates,
                           TextFunction saveOptions) {
    registry_.push_back(ClassEntry{name, object, execute, getValue, saveStates, saveOptions, {}});
}

void Interpreter::addCommand(const std::string& classWord, const std::string& commandWord,
                             bool hidden) {
    if (ClassEntry* entry = findClass(classWord))
        entry->commands.push_back(CommandRecord{commandWord, std::string(), !hidden});
}

Interpreter::ClassEntry* Interpreter::findClass(const std::string& name) {
    for (ClassEntry& entry : registry_)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

int Interpreter::executeLine(const std::string& line) {
    if (line.empty())
        return 1;
    RunScope scope(*this, line);
    // The log holds the lines that ran, each once however many of its
    // commands ran: a line of many commands must not cost its length times
    // their number.
    bool logged = false;
    for (;;) {
        if (args.atLastCharacter())
            return 1;
        classWord = args.readClassWord();
        commandWord = args.readWord();
        if (classWord.empty() || classWord[0] == '#')
            return 1;
        const ClassEntry* entry = findClass(classWord);
        if (!entry) {
            logMessage("Undefined Class : %s", classWord.c_str());
            return 0;
        }
        if (!entry->execute) {
            logMessage("Command function undefined for %s.", classWord.c_str());
            return 0;
        }
        // The entry may move if the command registers a class; call through copies.
        const ExecuteFunction execute = entry->execute;
        Base* const object = entry->object;
        const int result = execute(object);
        if (result == 0) {
            logMessage("Command Error : %s.%s", classWord.c_str(), commandWord.c_str());
            return 0;
        }
        if (result != Base::NotLogged && !logged) {
            appendToLog(line);
            logged = true;
        }
    }
}

void Interpreter::appendToLog(const std::string& line) {
    if (!log.empty() && log.getText().back() != '\n')
        log.append("\n");
    log.append(line);
}

std::string Interpreter::getValue(const std::string& query) {
    RunScope scope(*this, query);
    classWord = args.readClassWord();
    commandWord = args.readWord();
    if (!classWord.empty() && classWord[0] == '#')
        return {};
    const ClassEntry* entry = findClass(classWord);
    if (!entry || !entry->getValue)
        return "Undefined";
    const TextFunction getValue = entry->getValue;
    return getValue(entry->object);
}

std::string Interpreter::gather(TextFunction ClassEntry::*operation) {
    std::string all;
    // By index: a class's text operation cannot invalidate the walk.
    for (std::size_t i = 0; i < registry_.size(); ++i) {
        const TextFunction function = registry_[i].*operation;
        if (!function)
            continue;
        const std::string text = function(registry_[i].object);
        if (!text.empty()) {
            all += text;
            all += '\n';
        }
    }
    return all;
}

std::string Interpreter::saveStateAll() {
    return gather(&ClassEntry::saveStates);
}

std::string Interpreter::saveOptionsAll() {
    return gather(&ClassEntry::saveOptions);
}

void Interpreter::clearLog() {
    log.setText(std::string());
}

int Interpreter::getClassCount() const {
    return static_cast<int>(registry_.size());
}

std::string Interpreter::getClassName(int classIndex) const {
    if (classIndex < 0 || classIndex >= getClassCount())
        return {};
    return registry_[static_cast<std::size_t>(classIndex)].name;
}

int Interpreter::getCommandCount(int classIndex) const {
    if (classIndex < 0 || classIndex >= getClassCount())
        return 0;
    return static_cast<int>(registry_[static_cast<std::size_t>(classIndex)].commands.size());
}

const Interpreter::CommandRecord* Interpreter::findRecord(int classIndex, int commandIndex) const {
    if (commandIndex < 0 || commandIndex >= getCommandCount(classIndex))
        return nullptr;
    return &registry_[static_cast<std::size_t>(classIndex)]
                .commands[static_cast<std::size_t>(commandIndex)];
}

std::string Interpreter::getCommandName(int classIndex, int commandIndex) const {
    const CommandRecord* record = findRecord(classIndex, commandIndex);
    return record ? record->name : std::string();
}

bool Interpreter::isCommandListed(int classIndex, int commandIndex) const {
    const CommandRecord* record = findRecord(classIndex, commandIndex);
    return record && record->listed;
}

std::string Interpreter::getCommandHelp(int classIndex, int commandIndex) const {
    const CommandRecord* record = findRecord(classIndex, commandIndex);
    return record ? record->help : std::string();
}

void Interpreter::readHelpFile(const std::string& path) {
    std::vector<HelpEntry> entries;
    readHelpEntries(path, entries);
    for (const HelpEntry& help : entries) {
        bool found = false;
        for (ClassEntry& entry : registry_) {
            if (entry.name != help.className)
                continue;
            for (CommandRecord& record : entry.commands)
                if (record.name == help.commandName) {
                    record.help = help.help;
                    record.listed = help.listed;
                    found = true;
                }
        }
        if (!found)
            std::printf("    %s%s.%s undefined.\n", help.listed ? "" : "#", help.className.c_str(),
                        help.commandName.c_str());
    }
}

int isCtrlDown() {
    return platform::isCtrlDown() ? 1 : 0;
}

int isShiftDown() {
    return platform::isShiftDown() ? 1 : 0;
}
