// Bindings of keyboard keys and the 16 joystick buttons, each with a
// Shift/Ctrl combination, to command lines. Keys are Windows virtual-key codes
// (the codes the key-map files name); joystick button n + 1 is 0x100 + n.
//
// File format (text): bindings "KEY_NAME shift ctrl command line...", where
// shift and ctrl are integers (non-zero = held) and the command runs to the end
// of the line; "#" starts a comment to the end of the line; words that are not
// key names are skipped one by one.
#pragma once

#include <string>
#include <vector>

class KeyMap {
public:
    // Modifier codes of a binding.
    static constexpr int NoModifier = 0;
    static constexpr int ShiftModifier = 16;
    static constexpr int CtrlModifier = 17;
    static constexpr int ShiftCtrlModifier = ShiftModifier + CtrlModifier;

    // The modifier code for the given key state: 0, 16, 17 or 33.
    static int modifierCode(bool shiftDown, bool ctrlDown) {
        return (shiftDown ? ShiftModifier : 0) + (ctrlDown ? CtrlModifier : 0);
    }
    // The code of a key name ("KEY_F1", "KEY_JSBUTTON3"), or -1.
    static int keyCode(const std::string& name);
    // Number of key names the files accept.
    static std::size_t keyNameCount();

    // Replaces every binding with those of the file. A file that does not open
    // leaves the map empty and logs "Can't open key map file.".
    bool load(const std::string& path);
    // The command line of the first binding of the key with exactly that
    // modifier code; "" when there is none.
    std::string find(int keyCode, int modifier) const;
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        int keyCode;
        int modifier;
        std::string command;
    };
    std::vector<Entry> entries_;
};

// The GL view's conversion of a Qt key code into the Windows virtual-key code
// the key map uses. The keyboard's digits and "*+,-./" arrive as their keypad
// codes, and Shift+Tab as Tab; codes not in the table (letters, blank, keypad
// Enter) pass unchanged.
int qtKeyToVirtualKey(int qtKey);
