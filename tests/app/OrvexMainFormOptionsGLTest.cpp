// The option dialog against the real engine of the GL window: opened from
// the control panel it shows the engine's options; Save writes the option
// file and Load brings it back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "support/GlMainWindow.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "ui/OrvexOptionForm.h"
#include "ui/QFloatSpinBox.h"

TEST(MainFormOptionsGL, TheDialogShowsSavesAndLoadsTheEnginesOptions) {
    orvextest::SettingsSandbox sandbox;
    // A scenario folder of its own: the option file the engine writes stays
    // in the scratch directory.
    orvextest::ShippedDataCopy data({"scenarios"});
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
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

TEST(MainFormOptionsGL, TheClockModeShowsAsTheEngineAnswersIt) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({"scenarios"});
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
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
