// The control window's option dialog: made once by init, linked to the GL
// view's engine by setForms, and translated.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTranslator>

#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexOptionForm.h"
#include "ui/OrvexProjForm.h"

TEST(MainFormOptions, TheDialogIsAChildLinkedToTheView) {
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    OrvexMainForm form;
    ASSERT_NE(form.optionForm, nullptr);
    EXPECT_EQ(form.optionForm->parent(), &form);
    EXPECT_EQ(form.optionForm->objectName(), "OrvexOptionForm");
    EXPECT_FALSE(form.optionForm->isVisible());
    EXPECT_EQ(form.optionForm->gl(), nullptr);

    form.setForms(&projForm, &mediaForm);
    EXPECT_EQ(form.optionForm->gl(), &engine);
    EXPECT_TRUE(engine.recorded.lines.empty());
}

TEST(MainFormOptions, TheDialogSpeaksGerman) {
    orvextest::SettingsSandbox sandbox;
    QTranslator german;
    ASSERT_TRUE(StartupState::loadTranslator(german, "OrvexStudio_", "de",
                                             QString::fromStdString(orvextest::translationDir())));
    QCoreApplication::installTranslator(&german);
    {
        OrvexOptionForm form;
        EXPECT_EQ(form.windowTitle(), "Detaileinstellungen");
        EXPECT_EQ(form.tabWidget->tabText(1), "Schriften und Farben");
        EXPECT_EQ(form.orbitResCombo->itemText(1), "Mittel");
        EXPECT_EQ(form.closeButton->text(), QString::fromUtf8("Schließen"));
    }
    QCoreApplication::removeTranslator(&german);
}

TEST(MainFormOptions, TheDetailButtonOpensTheDialogFilledFromTheEngine) {
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    engine.recorded.answers["Detail.Orbit"] = "Mid";
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    OrvexMainForm form;
    form.setForms(&projForm, &mediaForm);
    form.detailButton->click();
    EXPECT_TRUE(form.optionForm->isVisible());
    EXPECT_EQ(form.optionForm->orbitResCombo->currentIndex(), 1);
    EXPECT_TRUE(engine.recorded.lines.empty());

    // Opened again, it shows what the engine holds now.
    form.optionForm->closeButton->click();
    engine.recorded.answers["Detail.Orbit"] = "Low";
    form.detailButton->click();
    EXPECT_EQ(form.optionForm->orbitResCombo->currentIndex(), 0);
}
