#include "engine/KeyMap.h"

#include <QtCore/qnamespace.h>
#include <iterator>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"

namespace {

struct KeyName {
    std::string name;
    int code;
};

// The 99 key names a key-map file accepts, with their Windows virtual-key codes.
const std::vector<KeyName>& keyNames() {
    static const std::vector<KeyName> table = [] {
        std::vector<KeyName> keys;
        for (char c = 'A'; c <= 'Z'; ++c)
            keys.push_back({std::string("KEY_") + c, c});
        for (char c = '0'; c <= '9'; ++c)
            keys.push_back({std::string("KEY_") + c, c});
        for (int n = 1; n <= 12; ++n)
            keys.push_back({"KEY_F" + std::to_string(n), 0x70 + n - 1});
        for (int n = 0; n <= 9; ++n)
            keys.push_back({"KEY_PAD" + std::to_string(n), 0x60 + n});
        const KeyName named[] = {
            {"KEY_RETURN", 0x0D},
            {"KEY_BACK", 0x08},
            {"KEY_TAB", 0x09},
            {"KEY_PAUSE", 0x13},
            {"KEY_ESC", 0x1B},
            {"KEY_SPACE", 0x20},
            {"KEY_PAGEUP", 0x21},
            {"KEY_PAGEDOWN", 0x22},
            {"KEY_END", 0x23},
            {"KEY_HOME", 0x24},
            {"KEY_LEFT", 0x25},
            {"KEY_UP", 0x26},
            {"KEY_RIGHT", 0x27},
            {"KEY_DOWN", 0x28},
            {"KEY_PRINT", 0x2C},
            {"KEY_INSERT", 0x2D},
            {"KEY_DELETE", 0x2E},
            // The keypad's operators; 0x6C is its separator, not the comma key.
            {"KEY_MULT", 0x6A},
            {"KEY_ADD", 0x6B},
            {"KEY_SUB", 0x6D},
            {"KEY_PERIOD", 0x6E},
            {"KEY_DIV", 0x6F},
            {"KEY_COMMA", 0x6C},
            {"KEY_SCROLL", 0x91},
            {"KEY_NUM", 0x90}};
        keys.insert(keys.end(), std::begin(named), std::end(named));
        for (int n = 1; n <= 16; ++n)
            keys.push_back({"KEY_JSBUTTON" + std::to_string(n), 0x100 + n - 1});
        return keys;
    }();
    return table;
}

} // namespace

int KeyMap::keyCode(const std::string& name) {
    for (const KeyName& key : keyNames())
        if (key.name == name)
            return key.code;
    return -1;
}

std::size_t KeyMap::keyNameCount() {
    return keyNames().size();
}

bool KeyMap::load(const std::string& path) {
    entries_.clear();
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder)) {
        logFileFailure("Can't open key map file.", path, file.error());
        return false;
    }
    std::string word;
    while (file.good()) {
        word.clear();
        file.readWord(word);
        if (word.empty())
            break; // end of file
        if (word[0] == '#') {
            std::string comment;
            file.readLine(comment);
            continue;
        }
        const int code = keyCode(word);
        if (code < 0)
            continue;
        int shift = 0;
        int ctrl = 0;
        file.readInt(shift).readInt(ctrl);
        std::string command;
        std::string rest;
        file.readWord(command).readLine(rest);
        if (!rest.empty() && rest.back() == '\r')
            rest.pop_back();
        entries_.push_back(Entry{code, modifierCode(shift != 0, ctrl != 0), command + rest});
    }
    return true;
}

std::string KeyMap::find(int keyCode, int modifier) const {
    for (const Entry& entry : entries_)
        if (entry.keyCode == keyCode && entry.modifier == modifier)
            return entry.command;
    return {};
}

int qtKeyToVirtualKey(int qtKey) {
    // The keyboard's "*+,-./" and digits reach the key map as keypad keys.
    if (qtKey >= Qt::Key_Asterisk && qtKey <= Qt::Key_Slash)
        return 106 + (qtKey - Qt::Key_Asterisk);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 96 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    // The toolkit's own key for Shift+Tab; Shift is held, so it finds the
    // binding of Tab with Shift.
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
        return 13;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return qtKey;
    }
}
