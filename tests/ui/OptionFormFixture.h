// An option dialog linked to a recording fake engine, with a chooser that
// answers the colour and font dialogs from its fields at once.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/FakeEngine.h"
#include "ui/ColorFontChooser.h"
#include "ui/OrvexOptionForm.h"

namespace orvextest {

class AnsweringChooser : public ColorFontChooser {
public:
    QColor chooseColor(const QColor& initial, QWidget*) override {
        ++colorAsks;
        initialColor = initial;
        return color;
    }
    bool chooseFont(QFont& chosen, const QFont& initial, QWidget*) override {
        ++fontAsks;
        initialFont = initial;
        if (fontAccepted)
            chosen = font;
        return fontAccepted;
    }

    QColor color{255, 0, 0};
    QFont font;
    bool fontAccepted = true;
    int colorAsks = 0;
    int fontAsks = 0;
    QColor initialColor;
    QFont initialFont;
};

// The dialog with its updating flag in the test's hands.
class TestOptionForm : public OrvexOptionForm {
public:
    void setUpdating(bool on) { updating = on; }
};

class OptionFormTest : public ::testing::Test {
protected:
    OptionFormTest() {
        auto owned = std::make_unique<AnsweringChooser>();
        chooser = owned.get();
        form.setChooser(std::move(owned));
        form.setGL(&engine);
    }

    std::vector<std::string>& lines() { return engine.recorded.lines; }
    std::map<std::string, std::string>& answers() { return engine.recorded.answers; }

    FakeEngine engine;
    TestOptionForm form;
    AnsweringChooser* chooser = nullptr;
};

} // namespace orvextest
