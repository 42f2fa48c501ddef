// The option dialog against the real engine of the GL window: opened from
// the control panel it shows the engine's options; Save writes the option
// file (or tells why it cannot) and Load brings it back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "support/GlMainWindow.h"
#include "support/ModalAnswers.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "ui/OrvexOptionForm.h"
#include "ui/QFloatSpinBox.h"

namespace {

// The windows on the real engine, with a scenario folder of their own: the
// option file the engine writes stays in the scratch directory.
class MainFormOptionsGL : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(windows.start()); }

    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data{std::vector<std::string>{"scenarios"}};
    orvextest::GlMainWindow windows;
};

} // namespace

TEST_F(MainFormOptionsGL, TheDialogShowsSavesAndLoadsTheEnginesOptions) {
    OrvexMainForm& form = windows.form;
    EngineLink* engine = windows.engine();

    for (const char* line : {"Detail.Orbit Low", "Detail.Draw Wire", "Space.MwayStyle Textured",
                             "Constes.LinesDisp 3 1 0.5 0", "Console.TextFont DejaVu_Sans 20 0",
                             "Ssystem.OrbitDisp 2 0 1 0"})
        ASSERT_EQ(engine->processScenarioLine(line), 1) << line;

    OrvexOptionForm* options = form.optionForm;
    form.detailButton->click();
    ASSERT_TRUE(options->isVisible());
    EXPECT_EQ(options->orbitResCombo->currentIndex(), 0);
    EXPECT_EQ(options->drawMethodCombo->currentIndex(), 0);
    EXPECT_EQ(options->bgMwayTypeCombo->currentIndex(), 1);
    EXPECT_EQ(options->lineConsteSpin->QSpinBox::value(), 3);
    EXPECT_EQ(OrvexOptionForm::buttonColor(options->lineConsteColorButton), QColor(255, 127, 0));
    EXPECT_EQ(options->fontConsoleSpin->QSpinBox::value(), 20);
    EXPECT_EQ(options->lineOrbitSpin->QSpinBox::value(), 2);
    EXPECT_EQ(OrvexOptionForm::buttonColor(options->lineOrbitColorButton), QColor(0, 255, 0));

    // A change in the dialog reaches the engine at once.
    emit options->orbitResCombo->activated(1);
    EXPECT_EQ(engine->getCommandValue("Detail.Orbit"), "Mid");

    options->saveButton->click();
    EXPECT_FALSE(options->isVisible());
    const std::string saved = data.read("scenarios/options.scn");
    EXPECT_NE(saved.find("Detail.Orbit Mid"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Constes.LinesDisp 3 1 0.5 0"), std::string::npos) << saved;

    ASSERT_EQ(engine->processScenarioLine("Detail.Orbit High"), 1);
    ASSERT_EQ(engine->processScenarioLine("Constes.LinesDisp 1 0 0 1"), 1);
    form.detailButton->click();
    EXPECT_EQ(options->orbitResCombo->currentIndex(), 2);
    options->loadButton->click();
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(engine->getCommandValue("Detail.Orbit"), "Mid");
    EXPECT_EQ(engine->getCommandValue("Constes.LinesDisp"), "3 1 0.5 0");
    // The controls show the loaded values when the dialog is opened again.
    EXPECT_EQ(options->orbitResCombo->currentIndex(), 2);
    options->closeButton->click();
    form.detailButton->click();
    EXPECT_EQ(options->orbitResCombo->currentIndex(), 1);
    EXPECT_EQ(options->lineConsteSpin->QSpinBox::value(), 3);
}

TEST_F(MainFormOptionsGL, TheClockModeShowsAsTheEngineAnswersIt) {
    EngineLink* engine = windows.engine();
    OrvexOptionForm* options = windows.form.optionForm;

    ASSERT_EQ(engine->processScenarioLine("Timer.Mode UTC"), 1);
    windows.form.detailButton->click();
    EXPECT_EQ(options->consoleLocaleCombo->currentText(), "UTC");
    options->closeButton->click();

    ASSERT_EQ(engine->processScenarioLine("Timer.Mode Local"), 1);
    windows.form.detailButton->click();
    EXPECT_EQ(options->consoleLocaleCombo->currentText(), "Local time");
    // Choosing UTC in the dialog and opening it again keeps UTC.
    emit options->consoleLocaleCombo->activated(0);
    options->closeButton->click();
    windows.form.detailButton->click();
    EXPECT_EQ(options->consoleLocaleCombo->currentIndex(), 0);
    options->closeButton->click();
}

TEST_F(MainFormOptionsGL, ASaveThatFailsIsToldAndTheDialogStaysOpen) {
    // A folder in the option file's place: no save can write it.
    const std::filesystem::path optionFile = data.path() + "/scenarios/options.scn";
    std::filesystem::remove(optionFile);
    std::filesystem::create_directory(optionFile);

    OrvexOptionForm* options = windows.form.optionForm;
    windows.form.detailButton->click();
    orvextest::ModalAnswers boxes;
    options->saveButton->click();
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].startsWith("The options could not be saved.\nCould not save "
                                          "scenario file ./scenarios/options.scn."))
        << boxes.texts[0].toStdString();
    EXPECT_TRUE(boxes.texts[0].endsWith("scenarios/options.scn: Is a directory"))
        << boxes.texts[0].toStdString();
    EXPECT_TRUE(options->isVisible());
    options->closeButton->click();
}

// The toolkit's font dialog, opened on each row's font and taken unchanged,
// gives back that font: it shows the font's own style (not the family's
// first, such as "Oblique"), and a family this machine lacks stays. A size
// typed in it is sent with OK and forgotten with Cancel.
TEST_F(MainFormOptionsGL, AFontTakenUnchangedInTheFontDialogStaysAsItWas) {
    EngineLink* engine = windows.engine();
    OrvexOptionForm* options = windows.form.optionForm;
    windows.form.detailButton->click();

    const struct {
        const char* word;
        const char* font;
        QToolButton* button;
        QSpinBox* size;
    } rows[] = {
        {"Ssystem.NameFont", "DejaVu_Sans 16 0", options->fontPlanetBrowseButton,
         options->fontPlanetSpin},
        {"Fstars.NameFont", "DejaVu_Sans 12 3", options->fontFstarBrowseButton,
         options->fontFstarSpin},
        {"Galaxies.NameFont", "Liberation_Sans 14 2", options->fontGalaxyBrowseButton,
         options->fontGalaxySpin},
        {"Constes.NameFont", "DejaVu_Serif 20 1", options->fontConsteBrowseButton,
         options->fontConsteSpin},
        {"Lscape.DirFont", "Liberation_Serif 10 4", options->fontDirBrowseButton,
         options->fontDirSpin},
        {"Space.FrameFont", "Arial 12 0", options->fontEqCoordBrowseButton,
         options->fontEqCoordSpin},
        {"Console.TextFont", "DejaVu_Sans_Mono 18 8", options->fontConsoleBrowseButton,
         options->fontConsoleSpin},
    };
    // Types a point size into the dialog's size field, then OK or Cancel.
    const auto typeSize = [](const char* size, bool ok) {
        return [size, ok](QWidget* dialog) {
            for (auto* edit : dialog->findChildren<QLineEdit*>())
                if (edit->validator()) {
                    edit->selectAll();
                    QTest::keyClicks(edit, QString::fromLatin1(size));
                }
            if (ok)
                static_cast<QDialog*>(dialog)->accept();
            else
                static_cast<QDialog*>(dialog)->reject();
        };
    };
    for (const auto& row : rows) {
        ASSERT_EQ(engine->processScenarioLine(std::string(row.word) + ' ' + row.font), 1);
        const std::string before = engine->getCommandValue(row.word);
        const int style = std::stoi(before.substr(before.rfind(' ') + 1));
        QFont shown;
        orvextest::NextModal take([&](QWidget* dialog) {
            shown = static_cast<QFontDialog*>(dialog)->currentFont();
            static_cast<QDialog*>(dialog)->accept();
        });
        row.button->click();
        ASSERT_TRUE(take.seen()) << row.word;
        EXPECT_EQ(engine->getCommandValue(row.word), before) << row.word;
        EXPECT_EQ(shown.bold(), (style & 1) != 0) << row.word;
        EXPECT_EQ(shown.italic(), (style & 2) != 0) << row.word;
        EXPECT_EQ(shown.underline(), (style & 4) != 0) << row.word;
        EXPECT_EQ(shown.strikeOut(), (style & 8) != 0) << row.word;

        const int sizeShown = row.size->value();
        orvextest::NextModal cancel(typeSize("30", false));
        row.button->click();
        ASSERT_TRUE(cancel.seen()) << row.word;
        EXPECT_EQ(engine->getCommandValue(row.word), before) << row.word << " cancelled";
        EXPECT_EQ(row.size->value(), sizeShown) << row.word << " cancelled";

        orvextest::NextModal change(typeSize("22", true));
        row.button->click();
        ASSERT_TRUE(change.seen()) << row.word;
        const std::string after = engine->getCommandValue(row.word);
        EXPECT_NE(after.find(" 22 " + std::to_string(style)), std::string::npos)
            << row.word << " changed to " << after;
        EXPECT_EQ(row.size->value(), 22) << row.word;
    }
    options->closeButton->click();
}

// An option file that a NUL byte cut short at the start (written before the
// windows start, so without the fixture) is not saved over: each Save tells
// why and the dialog stays open; once Load has read the mended file whole,
// every Save writes it.
TEST(MainFormOptionFileGL, AnOptionFileReadInPartIsNotSavedOverUntilLoadedWhole) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({"scenarios"});
    const std::string file = data.path() + "/scenarios/options.scn";
    const std::string shipped = data.read("scenarios/options.scn");
    const std::string cut = shipped + std::string(1, '\0') + "Detail.Orbit Low\n";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << cut;
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
    OrvexOptionForm* options = windows.form.optionForm;
    windows.form.detailButton->click();
    for (int save = 0; save < 2; ++save) {
        orvextest::ModalAnswers boxes;
        options->saveButton->click();
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_TRUE(boxes.texts[0].startsWith("The options could not be saved.\nCould not save "
                                              "scenario file ./scenarios/options.scn."));
        EXPECT_TRUE(boxes.texts[0].endsWith(
            QString("scenarios/options.scn: it was not read whole (a NUL byte at byte %1 ends its "
                    "text); it is left as it is until a load reads it whole")
                .arg(shipped.size())))
            << boxes.texts[0].toStdString();
        EXPECT_TRUE(options->isVisible());
    }
    EXPECT_EQ(data.read("scenarios/options.scn"), cut);

    std::ofstream(file, std::ios::binary | std::ios::trunc) << shipped << "Detail.Orbit Low\n";
    options->loadButton->click();
    ASSERT_EQ(windows.engine()->getCommandValue("Detail.Orbit"), "Low");
    orvextest::ModalAnswers boxes;
    for (const char* orbit : {"Mid", "High"}) {
        windows.engine()->processScenarioLine(std::string("Detail.Orbit ") + orbit);
        windows.form.detailButton->click();
        options->saveButton->click();
        EXPECT_FALSE(options->isVisible());
        EXPECT_NE(data.read("scenarios/options.scn").find(std::string("Detail.Orbit ") + orbit),
                  std::string::npos);
    }
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('\n').toStdString();
}
