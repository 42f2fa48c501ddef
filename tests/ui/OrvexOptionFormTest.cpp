// The option dialog as constructed: widgets, texts, ranges and its quiet start.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "OptionFormFixture.h"
#include "ui/QFloatSpinBox.h"

namespace {

using orvextest::OptionFormTest;

QStringList items(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

TEST_F(OptionFormTest, ConstructingAndLinkingSendNothing) {
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(engine.recorded.queries.empty());
    EXPECT_FALSE(form.isUpdating());
    EXPECT_EQ(form.objectName(), "OrvexOptionForm");
    EXPECT_EQ(form.windowTitle(), "Detail Setting");
    EXPECT_FALSE(form.isModal());
}

TEST_F(OptionFormTest, HasItsSlotsInOrder) {
    const QMetaObject* meta = form.metaObject();
    QStringList names;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Slot)
            names << QString::fromLatin1(meta->method(i).methodSignature());
    ASSERT_EQ(names.size(), 77);
    EXPECT_EQ(names.first(), "saveSlot()");
    EXPECT_EQ(names[26], "textureResSlot(int)");
    EXPECT_EQ(names[27], "planelLabelColorSlot()");
    EXPECT_EQ(names[47], "consoleLabelFontSlot()");
    EXPECT_EQ(names[48], "orbitLineWidthSlot(int)");
    EXPECT_EQ(names[74], "blurTypeSlot(int)");
    EXPECT_EQ(names.last(), "languageChange()");
}

TEST_F(OptionFormTest, PagesGroupsAndTexts) {
    ASSERT_EQ(form.tabWidget->count(), 2);
    EXPECT_EQ(form.tabWidget->widget(0), form.tab);
    EXPECT_EQ(form.tabWidget->tabText(0), "Display");
    EXPECT_EQ(form.tabWidget->tabText(1), "Fonts and Colors");

    const std::pair<QGroupBox*, const char*> groups[] = {
        {form.cursorGroup, "Location Cursor"},      {form.landscapeGroup, "Landscape"},
        {form.backgroundGroup, "Background"},       {form.sstarGroup, "Shooting Star"},
        {form.consoleGroup, "Information Console"}, {form.postfxGroup, "Post Effect"},
        {form.optimizeGroup, "Optimize"},           {form.fontsGroup, "Fonts"},
        {form.lineGroup, "Line width and Colors"},
    };
    for (const auto& [group, title] : groups)
        EXPECT_EQ(group->title(), title);
    EXPECT_TRUE(form.tab->isAncestorOf(form.optimizeGroup));
    EXPECT_TRUE(form.tab_2->isAncestorOf(form.lineGroup));

    EXPECT_EQ(form.bgMwayResLabel->text(), "Milkey Way resolution : ");
    EXPECT_EQ(form.lineConsteBoundLabel->text(), "Constellation boundaries. : ");
    EXPECT_EQ(form.dirVisibleCheck->text(), "Keep Dir. markers visible");
    EXPECT_EQ(form.fontGalaxyBrowseButton->text(), "...");
    EXPECT_TRUE(form.fontGalaxyColorButton->text().isEmpty());
    EXPECT_EQ(form.fontGalaxyColorButton->width(), 21);
    EXPECT_EQ(form.saveButton->text(), "Save");
    EXPECT_EQ(form.loadButton->text(), "Load");
    EXPECT_EQ(form.closeButton->text(), "Close");
    // The dialog asks for the room that shows its pages whole.
    EXPECT_GE(form.sizeHint().height(),
              form.tabWidget->sizeHint().height() + form.saveButton->sizeHint().height());
    EXPECT_GE(form.sizeHint().width(), form.tabWidget->sizeHint().width());
}

TEST_F(OptionFormTest, CombosStartAtTheirFirstItem) {
    const std::pair<QComboBox*, QStringList> combos[] = {
        {form.cursorTypeCombo, {"Arrow", "Light marker", "Annotate"}},
        {form.landscapeTypeCombo, {"Horizon", "Mesh", "Panorama"}},
        {form.bgStarTypeCombo, {"Points", "Textured", "PointSprites"}},
        {form.bgMwayTypeCombo, {"Polygon", "Texture"}},
        {form.consoleTypeCombo, {"Default", "Names only", "Date/Time only"}},
        {form.consoleLocaleCombo, {"UTC", "Local time"}},
        {form.blurTypeCombo, {"w/o Milky Way", "with Milky Way"}},
        {form.drawMethodCombo, {"Wireframe", "Polygon"}},
        {form.meshResCombo, {"Low", "Middle", "High"}},
        {form.orbitResCombo, {"Low", "Middle", "High"}},
        {form.textureTypeCombo, {"None", "Selected", "Everything"}},
        {form.textureFilterCombo, {"Nearest (Low)", "Linear (High)"}},
        {form.textureResCombo, {"Low", "Middle", "High"}},
    };
    for (const auto& [combo, expected] : combos) {
        EXPECT_EQ(items(combo), expected) << combo->objectName().toStdString();
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_FALSE(combo->isEditable());
    }
    // A second languageChange refills them, back at item 0, sending nothing.
    form.orbitResCombo->setCurrentIndex(2);
    QMetaObject::invokeMethod(&form, "languageChange");
    EXPECT_EQ(form.orbitResCombo->count(), 3);
    EXPECT_EQ(form.orbitResCombo->currentIndex(), 0);
    EXPECT_TRUE(lines().empty());
}

TEST_F(OptionFormTest, SpinBoxRangesAndStartValues) {
    const struct {
        QFloatSpinBox* box;
        int minimumSteps;
        int maximumSteps;
        int decimals;
    } ranges[] = {
        {form.cursorSizeSpin, 0, 20, 1},    {form.bgMagnitudeSpin, 0, 99, 0},
        {form.bgMwayResSpin, 1, 7, 0},      {form.ambientLevelSpin, 0, 10, 1},
        {form.sstarFreqSpin, 0, 64, 0},     {form.sstarDeclSpin, -900, 900, 1},
        {form.sstarRASpin, -1800, 1800, 1}, {form.blurLevelSpin, 0, 64, 0},
        {form.fontPlanetSpin, 8, 64, 0},    {form.fontConsoleSpin, 8, 64, 0},
        {form.lineOrbitSpin, 1, 4, 0},      {form.lineConsteBoundSpin, 1, 4, 0},
    };
    for (const auto& r : ranges) {
        const std::string name = r.box->objectName().toStdString();
        EXPECT_EQ(r.box->minimum(), r.minimumSteps) << name;
        EXPECT_EQ(r.box->maximum(), r.maximumSteps) << name;
        EXPECT_EQ(r.box->decimals(), r.decimals) << name;
        EXPECT_GE(r.box->QSpinBox::value(), r.minimumSteps) << name;
    }
    for (QCheckBox* box : form.findChildren<QCheckBox*>())
        EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(form.findChildren<QFloatSpinBox*>().size(), 28);
    EXPECT_EQ(form.findChildren<QComboBox*>().size(), 13);
    EXPECT_EQ(form.tab_2->findChildren<QToolButton*>().size(), 27);
}
