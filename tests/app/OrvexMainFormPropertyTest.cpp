// The property panel on a recording fake engine: classes and their listed
// commands, a command's value and help, the command line it sends, and the
// context help page.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>

#include "support/MainFormFixture.h"
#include "ui/HelpViewer.h"

namespace {

using orvextest::MainFormFixture;

class PropertyPanel : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        engine.recorded.classes = {
            {"Timer", {"Secret", "Speed", "Step"}, {"Secret"}, {{"Speed", "speed factor"}}},
            {"Quiet", {"A", "B"}, {"A", "B"}, {}},
            {"Space", {"Stars"}, {}, {{"Stars", "caf\xe9"}}},
        };
        engine.recorded.answers["Timer.Speed"] = " 1";
    }
    QStringList items(QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }
    void openPage() { form->tabWidget->setCurrentIndex(3); }
};

TEST_F(PropertyPanel, TheScenarioPageListsClassesOnceAndCommandsWithoutHiddenOnes) {
    openPage();
    EXPECT_EQ(items(form->classNameCombo), QStringList({"Timer", "Quiet", "Space"}));
    EXPECT_EQ(items(form->propNameCombo), QStringList({"Speed", "Step"}));

    // A second visit does not fill the list again.
    engine.recorded.classes.push_back({"Later", {"X"}});
    form->tabWidget->setCurrentIndex(0);
    EXPECT_EQ(form->refreshes, 1);
    openPage();
    EXPECT_EQ(form->classNameCombo->count(), 3);
}

TEST_F(PropertyPanel, NothingIsFilledBeforeTheEngineHasStarted) {
    engine.started = false;
    openPage();
    EXPECT_EQ(form->classNameCombo->count(), 0);
}

TEST_F(PropertyPanel, ACommandShowsItsValueAndHelpAndSendsClassDotCommandValue) {
    openPage();
    form->propNameCombo->setCurrentIndex(0);
    form->propPropertySlot();
    EXPECT_EQ(form->propValueEdit->text(), " 1");
    EXPECT_EQ(form->propHelpEdit->toPlainText(), "speed factor");

    form->propValueEdit->setText("10");
    form->propValueSlot();
    EXPECT_EQ(engine.recorded.lines.back(), "Timer.Speed 10");

    // "Undefined" is never shown.
    form->propNameCombo->setCurrentIndex(1);
    form->propPropertySlot();
    EXPECT_TRUE(form->propValueEdit->text().isEmpty());
    EXPECT_TRUE(form->propHelpEdit->toPlainText().isEmpty());
}

TEST_F(PropertyPanel, AnotherClassShowsTheValueAndHelpOfItsOwnFirstCommand) {
    engine.recorded.classes.push_back({"Camera", {"Fov"}, {}, {{"Fov", "field of view"}}});
    engine.recorded.answers["Camera.Fov"] = " 45";
    openPage();
    // The first class's first command is shown at once.
    EXPECT_EQ(form->propValueEdit->text(), " 1");
    EXPECT_EQ(form->propHelpEdit->toPlainText(), "speed factor");

    form->classNameCombo->setCurrentIndex(3);
    form->propClassSlot();
    EXPECT_EQ(form->propNameCombo->currentText(), "Fov");
    EXPECT_EQ(form->propValueEdit->text(), " 45");
    EXPECT_EQ(form->propHelpEdit->toPlainText(), "field of view");
    form->propValueSlot();
    EXPECT_EQ(engine.recorded.lines.back(), "Camera.Fov  45");

    // A class without listed commands shows nothing to send.
    form->classNameCombo->setCurrentIndex(1);
    form->propClassSlot();
    EXPECT_EQ(form->propNameCombo->count(), 0);
    EXPECT_TRUE(form->propValueEdit->text().isEmpty());
    EXPECT_TRUE(form->propHelpEdit->toPlainText().isEmpty());
    // Without a command nothing is sent.
    const std::size_t sent = engine.recorded.lines.size();
    form->propValueSlot();
    EXPECT_EQ(engine.recorded.lines.size(), sent);

    // Help bytes that are not UTF-8 are shown one for one.
    form->classNameCombo->setCurrentIndex(2);
    form->propClassSlot();
    form->propPropertySlot();
    EXPECT_EQ(form->propHelpEdit->toPlainText(), QString::fromLatin1("caf\xe9"));
}

TEST_F(PropertyPanel, HelpOpensTheClassPageAtTheCommand) {
    openPage();
    form->propHelpSlot();
    EXPECT_EQ(form->warnings.size(), 1); // no help pages yet

    QDir().mkpath(programFile("doc/en_us"));
    QFile page(programFile("doc/en_us/classref_Timer.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><a name=\"Timer_Speed\"></a>Timer.Speed</body></html>");
    page.close();
    QFile index(programFile("doc/en_us/index.html"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.close();

    form->propHelpSlot();
    ASSERT_NE(form->helpViewer, nullptr);
    const QUrl shown = form->helpViewer->browser->source();
    EXPECT_EQ(shown.toLocalFile(), programFile("doc/en_us/classref_Timer.html"));
    EXPECT_EQ(shown.fragment(), "Timer_Speed");

    // A class without a page opens the index.
    form->classNameCombo->setCurrentIndex(2);
    form->propClassSlot();
    form->propHelpSlot();
    EXPECT_EQ(form->helpViewer->browser->source().toLocalFile(),
              programFile("doc/en_us/index.html"));
}

} // namespace
