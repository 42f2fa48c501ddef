// A command class for the root's tests: "Probe.Set <real>" (records the global
// transition mode it ran in) and "Probe.Count"; queries "Probe.Value" and
// "Probe.Name"; one state line "Probe.Set <value>".
#pragma once

#include <vector>

#include "engine/Base.h"
#include "engine/Main.h"
#include "engine/Transition.h"

class CommandProbe : public Base {
public:
    explicit CommandProbe(Main* owner) : Base("Probe", owner), owner_(owner) {
        for (const char* word : {"Set", "Count"})
            owner->interp.addCommand("Probe", word, false);
    }
    const char* getName() const override { return "Probe"; }
    int execute() override {
        const std::string& word = owner_->interp.commandWord;
        if (word == "Set") {
            owner_->interp.args.readDouble(value);
            modes.push_back(Transition::getGlobalMode());
            return 1;
        }
        if (word == "Count") {
            ++count;
            return 1;
        }
        return 0;
    }
    std::string getValue() override {
        const std::string& word = owner_->interp.commandWord;
        if (word == "Value")
            return CommandArgs::formatReal(value);
        if (word == "Name")
            return " Earth";
        return Base::getValue();
    }
    std::string saveStates() override {
        CommandArgs text;
        text.beginCommand(getName(), "Set").appendDouble(value);
        return text.getText();
    }
    int lastMode() const { return modes.empty() ? -1 : modes.back(); }

    double value = 0.0;
    int count = 0;
    std::vector<int> modes;

private:
    Main* owner_;
};
