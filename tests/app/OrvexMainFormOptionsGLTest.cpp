// The option dialog against the real engine of the GL window: opened from
// the control panel it shows the engine's options; Save writes the option
// file and Load brings it back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "engine/OrvexGL.h"
#include "platform/CurrentDirGuard.h"
#include "support/GlTestContext.h"
#include "support/SettingsSandbox.h"
#include "support/TestEnv.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexOptionForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QFloatSpinBox.h"

namespace {

namespace fs = std::filesystem;

// The shipped data set seen through links, with a scenario folder of its own
// so that the option file the engine writes stays in the scratch directory.
class ShippedDataCopy {
public:
    ShippedDataCopy() {
        for (const auto& entry : fs::directory_iterator(orvextest::shareDir())) {
            const fs::path target = fs::path(dir_.path()) / entry.path().filename();
            if (entry.path().filename() == "scenarios")
                fs::copy(entry.path(), target, fs::copy_options::recursive);
            else
                fs::create_directory_symlink(entry.path(), target);
        }
        guard_.change(dir_.path());
    }
    std::string read(const std::string& relativePath) const {
        std::ifstream in(dir_.file(relativePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    orvextest::TempDir dir_;
    platform::CurrentDirGuard guard_;
};

} // namespace

TEST(MainFormOptionsGL, TheDialogShowsSavesAndLoadsTheEnginesOptions) {
    orvextest::SettingsSandbox sandbox;
    ShippedDataCopy data;
    OrvexProjForm projForm;
    auto* view = qobject_cast<OrvexGL*>(projForm.view());
    ASSERT_NE(view, nullptr);
    view->setRepaintTimer(false);
    OrvexMediaForm mediaForm;
    OrvexMainForm form;
    form.setForms(&projForm, &mediaForm);

    projForm.resize(120, 90);
    projForm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&projForm));
    orvextest::pinGlDriver();
    view->updateGL();
    EngineLink* engine = form.engine();
    ASSERT_TRUE(engine->hasRoot());

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
