// The control window's widget tree: object names, classes, counts, texts and
// a sample of the connections.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

#include "app/OrvexMainForm.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "support/TestEnv.h"
#include "ui/MediaPlayerPane.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

class MainFormTree : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    OrvexMainForm form;

    MainFormTree() { form.setForms(&projForm, &mediaForm); }

    void expectWidget(const char* name, const char* className) {
        QWidget* widget = form.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_TRUE(widget->inherits(className))
            << name << " is " << widget->metaObject()->className();
    }
};

} // namespace

TEST_F(MainFormTree, EveryNamedWidgetIsThereWithItsClass) {
    EXPECT_EQ(form.objectName(), "OrvexMainForm");
    const std::pair<const char*, const char*> widgets[] = {
        {"qt_central_widget", "QWidget"},
        {"splitter2", "QSplitter"},
        {"layout44", "QWidget"},
        {"browserPrevButton", "QPushButton"},
        {"browserNextButton", "QPushButton"},
        {"browserStopButton", "QPushButton"},
        {"browserReloadButton", "QPushButton"},
        {"browserHomeButton", "QPushButton"},
        {"bookmarkButton", "QPushButton"},
        {"browserUrlLine", "QLineEdit"},
        {"browserAX", "QWidget"},
        {"mediaGroup", "QGroupBox"},
        {"mediaButton", "QDropButton"},
        {"mediaPlayButton", "QPushButton"},
        {"mediaPauseButton", "QPushButton"},
        {"mediaStopButton", "QPushButton"},
        {"mediaCtrlCheck", "QCheckBox"},
        {"mediaViewerHelpLabel", "QLabel"},
        {"tabWidget", "QTabWidget"},
        {"viewpointGroup", "QGroupBox"},
        {"simModeCombo", "QComboBox"},
        {"planetCombo", "QComboBox"},
        {"locationCombo", "QComboBox"},
        {"simModNextButton", "QPushButton"},
        {"mapLabel", "QOrvexMap"},
        {"lonSpinBox", "QFloatSpinBox"},
        {"latSpinBox", "QFloatSpinBox"},
        {"cameraModeButton", "QPushButton"},
        {"effectCheck", "QCheckBox"},
        {"dateTimeGroup", "QGroupBox"},
        {"dateTimeEdit", "QDateTimeEdit"},
        {"stepCombo", "QComboBox"},
        {"speedSlider", "QSlider"},
        {"speedSpinBox", "QFloatSpinBox"},
        {"displayGroup", "QGroupBox"},
        {"fadeButton", "QPushButton"},
        {"detailButton", "QPushButton"},
        {"centeringGroup", "QGroupBox"},
        {"centerPlanetButton", "QRadioButton"},
        {"centerList", "QTreeWidget"},
        {"centerLabel", "QLabel"},
        {"traceCheck", "QCheckBox"},
        {"objectGroup", "QGroupBox"},
        {"displayASatelliteButton", "QRadioButton"},
        {"displayList", "QTreeWidget"},
        {"displayWidgetStack", "QStackedWidget"},
        {"consteHilightPictsButton", "QPushButton"},
        {"asatellitesUpdateButton", "QPushButton"},
        {"scenarioEditGroup", "QGroupBox"},
        {"scenarioRecButton", "QToolButton"},
        {"scenarioEdit", "QTextEdit"},
        {"propGroup", "QGroupBox"},
        {"classNameCombo", "QComboBox"},
        {"propNameCombo", "QComboBox"},
        {"propValueEdit", "QLineEdit"},
        {"propHelpEdit", "QTextEdit"},
        {"propHelpButton", "QPushButton"},
        {"WStackPage", "QWidget"},
        {"WStackPage_6", "QWidget"}};
    for (const auto& [name, className] : widgets)
        expectWidget(name, className);
    const char* const switches[] = {"protractorButton", "mwayButton",          "nameButton",
                                    "orbitButton",      "starsButton",         "cloudButton",
                                    "penumbraButton",   "galaxiesButton",      "astrBeltButton",
                                    "umbraButton",      "constePictureButton", "weatherButton",
                                    "consoleButton",    "frameButton",         "starNameButton",
                                    "dustButton",       "axisButton",          "scaleButton",
                                    "consteLineButton", "landscapeButton",     "lightingButton"};
    for (const char* name : switches) {
        auto* button = form.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isCheckable()) << name;
        EXPECT_FALSE(button->isChecked()) << name;
    }
    const char* const layouts[] = {"OrvexMainFormLayout",
                                   "layout43",
                                   "layout42",
                                   "layout36",
                                   "layout62",
                                   "layout61",
                                   "layout16",
                                   "layout58",
                                   "layout52",
                                   "layout32",
                                   "layout49_2",
                                   "layout44_2",
                                   "WStackPageLayout_5",
                                   "layout23_2",
                                   "layout43_3"};
    for (const char* name : layouts)
        EXPECT_NE(form.findChild<QLayout*>(name), nullptr) << name;
}

TEST_F(MainFormTree, PagesItemsAndMenusHaveTheirCounts) {
    ASSERT_EQ(form.tabWidget->count(), 4);
    EXPECT_EQ(form.tabWidget->tabText(0), "Basic");
    EXPECT_EQ(form.tabWidget->tabText(3), "Scenario Edit");
    EXPECT_EQ(form.tabWidget->widget(2)->objectName(), "TabPage");
    EXPECT_EQ(form.displayWidgetStack->count(), 6);
    // init() shows the empty page.
    EXPECT_EQ(form.displayWidgetStack->currentIndex(), 5);
    ASSERT_EQ(form.stepCombo->count(), 6);
    EXPECT_EQ(form.stepCombo->itemText(0), "sec/s");
    EXPECT_EQ(form.stepCombo->itemText(5), "year/s");
    EXPECT_EQ(form.splitter2->count(), 2);
    EXPECT_EQ(form.centerList->headerItem()->text(0), "Name");

    const QList<QAction*> items = form.menuBar()->actions();
    ASSERT_EQ(items.size(), 5);
    const char* const titles[] = {"&File", "&Edit", "&View", "&Scenario", "&Help"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->data().toInt(), i + 1);
        EXPECT_EQ(items[i]->text(), titles[i]);
    }
    // 21 entries and the language menu that init() puts between the two
    // adjacent separators.
    const QList<QAction*> view = form.viewMenu->actions();
    ASSERT_EQ(view.size(), 22);
    EXPECT_TRUE(view[17]->isSeparator());
    EXPECT_NE(view[18]->menu(), nullptr);
    EXPECT_TRUE(view[19]->isSeparator());
    EXPECT_EQ(view[0], form.viewEmbedAction);
    EXPECT_EQ(view[21], form.viewMouseTBAction);
    EXPECT_EQ(form.fileMenu->actions().size(), 7);
    EXPECT_EQ(form.scenarioMenu->actions().size(), 7);
    EXPECT_EQ(form.toolBar->actions().size(), 12);
    EXPECT_EQ(form.toolBar->windowTitle(), "Tools");
}

TEST_F(MainFormTree, ActionsCarryTheirTextsAndStates) {
    EXPECT_EQ(form.fileOpenAction->text(), "&Open...");
    EXPECT_EQ(form.fileOpenAction->iconText(), "Open");
    EXPECT_EQ(form.editStoreAction->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(form.editRestoreAction->shortcut(), QKeySequence("Ctrl+V"));
    EXPECT_FALSE(form.editRestoreAction->isEnabled());
    EXPECT_EQ(form.viewEmbedAction->toolTip(), "Orvex embed in the control window");
    EXPECT_TRUE(form.viewEmbedAction->isCheckable());
    EXPECT_EQ(form.viewEmbedAction->actionGroup(), form.viewOrvexWindowActionGroup);
    EXPECT_TRUE(form.viewMouseNormalAction->isChecked());
    // Layout actions are no toggles: triggering one leaves none checked.
    EXPECT_FALSE(form.layoutBCAction->isCheckable());
    form.layoutBCAction->trigger();
    EXPECT_FALSE(form.layoutBCAction->isChecked());
    EXPECT_EQ(form.windowTitle(), "Orvex Studio");
    EXPECT_EQ(form.mediaButton->text(), "Show");
    EXPECT_EQ(form.cameraModeButton->text(), "Landing /\nLaunching");
    EXPECT_EQ(form.scenarioRecButton->toolTip(), "Record Operations");
    EXPECT_TRUE(form.scenarioRecButton->text().isEmpty());
}

TEST_F(MainFormTree, InitSetsRangesAndATranslationRunKeepsSixSteps) {
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), 0.0f);
    EXPECT_EQ(form.latSpinBox->decimals(), 2);
    EXPECT_EQ(form.latSpinBox->maximum(), 9000);
    EXPECT_TRUE(form.lonSpinBox->wrapping());
    EXPECT_EQ(form.lonSpinBox->minimum(), -18000);
    EXPECT_EQ(form.speedSpinBox->maximum(), 1000);
    EXPECT_EQ(form.planetCombo->maxVisibleItems(), 24);
    QMetaObject::invokeMethod(&form, "languageChange");
    EXPECT_EQ(form.stepCombo->count(), 6);
    EXPECT_EQ(form.stepCombo->currentIndex(), 0);
}

TEST_F(MainFormTree, MouseAndMediaControlsReachTheGLWindow) {
    form.mouseModeChanged(1);
    EXPECT_TRUE(form.viewMouseTBAction->isChecked());
    EXPECT_EQ(engine.mouseMode(), 1);
    EXPECT_EQ(form.statusBar()->currentMessage(), "Press [Esc] key to change mouse mode.");
    // Closing the separate GL window returns the mouse to normal.
    projForm.close();
    EXPECT_TRUE(form.viewMouseNormalAction->isChecked());
    EXPECT_EQ(engine.mouseMode(), 0);
    EXPECT_TRUE(form.statusBar()->currentMessage().isEmpty());
    form.mouseModeChanged(7);
    EXPECT_EQ(engine.mouseModes.size(), 2u);

    form.mediaCtrlCheck->setChecked(true);
    EXPECT_TRUE(projForm.mediaPlayerAXAX->controlsVisible());
    form.mediaCtrlCheck->setChecked(false);
    EXPECT_FALSE(projForm.mediaPlayerAXAX->controlsVisible());
}

TEST_F(MainFormTree, UpdateMapFindsTheBodysTextureInTheTextureDirectory) {
    orvextest::TempDir dir;
    QImage texture(8, 4, QImage::Format_RGB32);
    texture.fill(Qt::red);
    const std::string file = dir.path() + "/earth.jpg";
    ASSERT_TRUE(texture.save(QString::fromStdString(file), "PNG"));
    engine.recorded.answers["Ssystem.AstrTexture"] = "earth.jpg";
    engine.recorded.answers["Detail.TexDir"] = dir.path();
    form.updateMap();
    EXPECT_EQ(form.mapLabel->mapFile(), file);
}
