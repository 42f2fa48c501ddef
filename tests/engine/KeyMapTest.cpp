#include <gtest/gtest.h>

#include <QtCore/qnamespace.h>
#include <fstream>

#include "engine/KeyMap.h"
#include "engine/LogMessage.h"
#include "support/TestEnv.h"

namespace {

std::string writeFile(const orvextest::TempDir& dir, const std::string& text) {
    const std::string path = dir.file("keys.def");
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(KeyMap, NamesTheNinetyNineKeys) {
    EXPECT_EQ(KeyMap::keyNameCount(), 99u);
    EXPECT_EQ(KeyMap::keyCode("KEY_A"), 0x41);
    EXPECT_EQ(KeyMap::keyCode("KEY_Z"), 0x5A);
    EXPECT_EQ(KeyMap::keyCode("KEY_0"), 0x30);
    EXPECT_EQ(KeyMap::keyCode("KEY_F1"), 0x70);
    EXPECT_EQ(KeyMap::keyCode("KEY_F12"), 0x7B);
    EXPECT_EQ(KeyMap::keyCode("KEY_PAD9"), 0x69);
    EXPECT_EQ(KeyMap::keyCode("KEY_PAGEUP"), 33);
    EXPECT_EQ(KeyMap::keyCode("KEY_HOME"), 36);
    EXPECT_EQ(KeyMap::keyCode("KEY_COMMA"), 0x6C);
    EXPECT_EQ(KeyMap::keyCode("KEY_NUM"), 0x90);
    EXPECT_EQ(KeyMap::keyCode("KEY_JSBUTTON1"), 0x100);
    EXPECT_EQ(KeyMap::keyCode("KEY_JSBUTTON16"), 0x10F);
    for (const char* wrong : {"KEY_F13", "KEY_F0", "KEY_JSBUTTON17", "KEY_a", "key_A", "KEY_", ""})
        EXPECT_EQ(KeyMap::keyCode(wrong), -1) << wrong;
}

TEST(KeyMap, ModifierCodes) {
    EXPECT_EQ(KeyMap::modifierCode(false, false), 0);
    EXPECT_EQ(KeyMap::modifierCode(true, false), 16);
    EXPECT_EQ(KeyMap::modifierCode(false, true), 17);
    EXPECT_EQ(KeyMap::modifierCode(true, true), 33);
}

TEST(KeyMap, LoadsBindings) {
    orvextest::TempDir dir;
    KeyMap map;
    ASSERT_TRUE(map.load(writeFile(dir, "# key bindings KEY_B 0 0 Nope.Nope\n"
                                        "KEY_F1 0 0 Timer.Speed 10\n"
                                        "KEY_F1 0 0 Timer.Speed 20\n"
                                        "KEY_A 1 1 Orvex.FPS 60\r\n"
                                        "KEY_A 1 0   Orvex.FPS   15 \n"
                                        "KEY_A 0 7 Orvex.LoadScenario my tour.scn\n"
                                        "KEY_JSBUTTON3 0 0 Camera.ModeNext\n"
                                        "KEY_TYPO 1 1 KEY_C 0 0 Orvex.InputTog\n")));
    EXPECT_EQ(map.find(0x70, 0), "Timer.Speed 10"); // the first binding wins
    EXPECT_EQ(map.find(0x41, 33), "Orvex.FPS 60");
    EXPECT_EQ(map.find(0x41, 16), "Orvex.FPS   15 ");
    EXPECT_EQ(map.find(0x41, 17), "Orvex.LoadScenario my tour.scn");
    EXPECT_EQ(map.find(0x41, 0), ""); // modifiers must match exactly
    EXPECT_EQ(map.find(0x70, 16), "");
    EXPECT_EQ(map.find(0x102, 0), "Camera.ModeNext");
    // A misspelt name is skipped word by word: "KEY_C" in its line starts a binding.
    EXPECT_EQ(map.find(0x43, 0), "Orvex.InputTog");
    EXPECT_EQ(map.find(0x42, 0), ""); // inside the comment
    EXPECT_EQ(map.size(), 7u);

    ASSERT_TRUE(map.load(writeFile(dir, "KEY_ESC 0 0 Orvex.Next")));
    EXPECT_EQ(map.size(), 1u); // a second file replaces every binding
    EXPECT_EQ(map.find(0x1B, 0), "Orvex.Next");
}

TEST(KeyMap, MissingAndTruncatedFiles) {
    orvextest::TempDir dir;
    KeyMap map;
    map.load(writeFile(dir, "KEY_A 0 0 X.Y\n"));
    LogCapture log;
    EXPECT_FALSE(map.load(dir.file("none.def")));
    EXPECT_TRUE(log.contains("Can't open key map file. " + dir.file("none.def") +
                             ": No such file or directory"));
    EXPECT_EQ(map.size(), 0u);
    for (const char* text : {"KEY_A", "KEY_A 1", "KEY_A 1 x", "KEY_A 0 0", "#", "KEY_A 0 0 #x"}) {
        EXPECT_TRUE(map.load(writeFile(dir, text))) << text;
        EXPECT_LE(map.size(), 1u) << text;
    }
}

TEST(KeyMap, ConvertsQtKeysToVirtualKeys) {
    const struct {
        int qt;
        int vk;
    } keys[] = {
        {Qt::Key_Escape, 27},      {Qt::Key_Tab, 9},       {Qt::Key_Backspace, 8},
        {Qt::Key_Return, 13},      {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
        {Qt::Key_Pause, 19},       {Qt::Key_Print, 44},    {Qt::Key_Home, 36},
        {Qt::Key_End, 35},         {Qt::Key_Left, 37},     {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},       {Qt::Key_Down, 40},     {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18},         {Qt::Key_CapsLock, 20}, {Qt::Key_NumLock, 144},
        {Qt::Key_ScrollLock, 145}, {Qt::Key_F1, 112},      {Qt::Key_F12, 123},
        {Qt::Key_Asterisk, 106},   {Qt::Key_Plus, 107},    {Qt::Key_Comma, 108},
        {Qt::Key_Minus, 109},      {Qt::Key_Period, 110},  {Qt::Key_Slash, 111},
        {Qt::Key_0, 96},           {Qt::Key_9, 105},       {Qt::Key_A, 0x41},
        {Qt::Key_Z, 0x5A},         {Qt::Key_Space, 0x20},  {Qt::Key_Enter, Qt::Key_Enter},
        {Qt::Key_Backtab, 9},
    };
    for (const auto& k : keys)
        EXPECT_EQ(qtKeyToVirtualKey(k.qt), k.vk) << std::hex << k.qt;
    EXPECT_EQ(Qt::Key_Escape, 0x01000000);
}
