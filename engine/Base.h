// Base of every command class. The interpreter calls the six virtual
// operations; the constructor puts the object into its owner's registry.
//
// A command class registers its class word here and then each of its command
// words with owner->interp.addCommand, in the order of its command table.
// While execute or getValue runs, the current command word is
// owner->interp.commandWord and the arguments are read from owner->interp.args.
#pragma once

#include <string>

class Main;

class Base {
public:
    // Result of execute for a command that ran but must stay out of the log.
    static constexpr int NotLogged = -255;

    // Registers the object under the class word with the owner's interpreter;
    // a null owner registers nothing. Neither is kept.
    Base(const char* classWord, Main* owner);
    virtual ~Base();
    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;

    // The class word, as registered.
    virtual const char* getName() const;
    // Runs the current command: 1 handled, 0 not this class's word or failed,
    // NotLogged handled and kept out of the log.
    virtual int execute();
    // Value text of the current command word; "Undefined" for words the class
    // does not answer.
    virtual std::string getValue();
    // Command lines that restore the object's state (or its options), separated
    // by "\n", without a final one; empty when there are none.
    virtual std::string saveStates();
    virtual std::string saveOptions();

    // What the registry stores: each calls the virtual operation of the object.
    static int executeThunk(Base* object);
    static std::string getValueThunk(Base* object);
    static std::string saveStatesThunk(Base* object);
    static std::string saveOptionsThunk(Base* object);
};
