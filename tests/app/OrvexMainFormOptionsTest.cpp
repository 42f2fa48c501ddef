// The control window's option dialog: made once by init, linked to the GL
// view's engine by setForms.
#include <gtest/gtest.h>

#include "app/OrvexMainForm.h"
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
