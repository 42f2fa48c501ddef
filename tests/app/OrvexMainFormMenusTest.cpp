// The File, Edit, View and Help menus against a recording engine: initial
// state, stored state, help, About, the simulation mode, the language menu,
// the styles, saving and printing the view, the media group and mouse modes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTranslator>
#include <memory>

#include "app/LanguageList.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "app/WindowSettings.h"
#include "platform/CurrentDirGuard.h"
#include "support/FakeEngine.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "ui/HelpViewer.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QDarkStyle.h"
#include "ui/QDropButton.h"

namespace {

// An engine whose view shows a picture.
class PictureEngine : public orvextest::FakeEngine {
public:
    QImage grabFrame() override { return frame; }
    QImage frame;
};

// Counts the planet refills and sees the echo guard while centring.
class CountingForm : public OrvexMainForm {
public:
    void updatePlanetList() override { ++planetRefills; }
    void centerPlanetSlot() override {
        ++centrings;
        guardedWhileCentring = updatingInterface;
    }
    int planetRefills = 0;
    int centrings = 0;
    bool guardedWhileCentring = false;
};

void touch(const QString& file, const QByteArray& text = "x") {
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

class MainFormMenus : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    orvextest::TempDir workDir;
    PictureEngine engine;
    std::unique_ptr<OrvexProjForm> projForm;
    std::unique_ptr<OrvexMediaForm> mediaForm;
    std::unique_ptr<CountingForm> form;

    // The form as start-up makes it, with the working directory prepared first.
    void start() {
        platform::CurrentDirGuard inWorkDir(workDir.path());
        projForm = std::make_unique<OrvexProjForm>(nullptr, &engine);
        mediaForm = std::make_unique<OrvexMediaForm>();
        form = std::make_unique<CountingForm>();
        form->setForms(projForm.get(), mediaForm.get());
    }
    void TearDown() override {
        form.reset();
        projForm.reset();
        mediaForm.reset();
        QApplication::setStyle(QStyleFactory::create("Windows"));
    }
    QString work(const char* name) const {
        return QDir(QString::fromStdString(workDir.path())).filePath(name);
    }
    orvextest::FakeRoot& root() { return engine.recorded; }
};

} // namespace

TEST_F(MainFormMenus, InitStateRunsTheInitialStatesAndLeavesTheEditorAlone) {
    start();
    form->scenarioEdit->setPlainText("Timer.Speed 2");
    root().log = "Camera.Mode Observe";
    root().initStatesFile = "./scenarios/start.scn";
    form->fileNewAction->trigger();
    ASSERT_EQ(root().scenarios.size(), 1u);
    EXPECT_EQ(root().scenarios[0].text, "./scenarios/start.scn");
    EXPECT_EQ(root().scenarios[0].runAll, 0);
    EXPECT_TRUE(root().log.empty());
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 2");
}

TEST_F(MainFormMenus, RestoreIsDisabledUntilAStoreAndRunsTheStoredLines) {
    engine.started = false;
    start();
    EXPECT_FALSE(form->editRestoreAction->isEnabled());
    // Before the engine runs there is nothing to store.
    form->editStoreAction->trigger();
    EXPECT_FALSE(form->editRestoreAction->isEnabled());

    engine.started = true;
    root().stateText = "Timer.Speed 1\nCamera.Mode Examine\n";
    form->editStoreAction->trigger();
    EXPECT_TRUE(form->editRestoreAction->isEnabled());
    root().stateText = "Timer.Speed 9\n";
    form->editRestoreAction->trigger();
    ASSERT_EQ(root().scripts.size(), 1u);
    EXPECT_EQ(root().scripts[0].text, "Timer.Speed 1\nCamera.Mode Examine\n");
    EXPECT_EQ(root().scripts[0].runAll, 0);
    // A second store replaces the first; restore stays enabled.
    form->editStoreAction->trigger();
    form->editRestoreAction->trigger();
    EXPECT_EQ(root().scripts.back().text, "Timer.Speed 9\n");
    EXPECT_TRUE(form->editRestoreAction->isEnabled());
}

TEST_F(MainFormMenus, TheHelpDirectoryFallsBackToEnglish) {
    const QString base = QString::fromStdString(workDir.path());
    touch(work("doc/en_us/index.html"));
    touch(work("doc/de/index.html"));
    touch(work("doc/fr/readme.txt"));
    const QString doc = QDir(base).filePath("doc/");
    EXPECT_EQ(HelpViewer::helpDirectory(base, "de"), doc + "de");
    EXPECT_EQ(HelpViewer::helpDirectory(base, "de_AT"), doc + "de");
    EXPECT_EQ(HelpViewer::helpDirectory(base, "en_US"), doc + "en_us");
    // A directory without its contents page does not count.
    EXPECT_EQ(HelpViewer::helpDirectory(base, "fr"), doc + "en_us");
    EXPECT_EQ(HelpViewer::helpDirectory(base, "ja"), doc + "en_us");
    EXPECT_EQ(HelpViewer::helpDirectory(base, ""), doc + "en_us");
}

TEST_F(MainFormMenus, ContentsAndIndexOpenOneHelpWindowAtTheContentsPage) {
    touch(work("doc/en_us/index.html"), "<html><body><h1>Orvex help</h1>"
                                        "<a href=\"classref_Timer.html\">Timer</a></body></html>");
    start();
    StartupState::setLocale("ja");
    form->helpContentsAction->trigger();
    auto* viewer = form->findChild<HelpViewer*>("OrvexStudioHelpWindow");
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->currentFile(), work("doc/en_us/index.html"));
    EXPECT_TRUE(viewer->pageFound());
    EXPECT_TRUE(viewer->browser->toPlainText().contains("Orvex help"));

    form->helpIndexAction->trigger();
    EXPECT_EQ(form->findChildren<HelpViewer*>().size(), 1);
}

TEST_F(MainFormMenus, AMissingHelpPageIsReportedInTheHelpWindow) {
    start();
    form->helpContents();
    auto* viewer = form->findChild<HelpViewer*>("OrvexStudioHelpWindow");
    ASSERT_NE(viewer, nullptr);
    EXPECT_FALSE(viewer->pageFound());
    EXPECT_TRUE(viewer->browser->toPlainText().contains("Help page not found"));
    EXPECT_TRUE(viewer->browser->toPlainText().contains("index.html"));
}

TEST_F(MainFormMenus, AboutShowsTheProductAndVersionAndGoesAway) {
    start();
    QString text;
    QSize icon;
    QString name;
    orvextest::NextModal about([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        name = box->objectName();
        text = box->text();
        icon = box->iconPixmap().size();
        box->accept();
    });
    form->helpAboutAction->trigger();
    ASSERT_TRUE(about.seen());
    EXPECT_EQ(name, "AboutBox");
    EXPECT_TRUE(text.startsWith("<center><nobr><h3>Orvex Studio<br>Version 1.1.6</h3>"));
    EXPECT_TRUE(text.endsWith("</nobr></center>"));
    EXPECT_EQ(icon, QSize(48, 48));
    EXPECT_EQ(form->findChild<QMessageBox*>("AboutBox"), nullptr);
}

TEST_F(MainFormMenus, ChoosingASimModeRefillsThePlanetsAndTheCentringListWhenItShowsThem) {
    start();
    form->simModeCombo->addItems({"SolarSystem", "Earth Moon"});
    form->simModeCombo->setCurrentIndex(1);
    emit form->simModeCombo->activated(1);
    ASSERT_EQ(root().lines.size(), 1u);
    EXPECT_EQ(root().lines[0], "Ssystem.SimModeName Earth Moon");
    EXPECT_EQ(form->planetRefills, 1);
    EXPECT_EQ(form->centrings, 0);

    form->centerPlanetButton->setChecked(true);
    form->simModeCombo->setCurrentIndex(0);
    emit form->simModeCombo->activated(0);
    EXPECT_EQ(root().lines.back(), "Ssystem.SimModeName SolarSystem");
    EXPECT_EQ(form->planetRefills, 2);
    EXPECT_EQ(form->centrings, 1);
    EXPECT_TRUE(form->guardedWhileCentring);
    EXPECT_FALSE(form->isUpdatingInterface());
}

TEST_F(MainFormMenus, TheLanguageMenuListsTheTranslationFiles) {
    for (const char* file : {"OrvexStudio_ja.qm", "OrvexStudio_de.qm", "OrvexStudio_en_us.qm",
                             "orvexstudio_Fr.QM", "OrvexStudio_.qm", "qt_de.qm"})
        touch(work("translations/") + file);
    QDir().mkpath(work("translations/OrvexStudio_xx.qm"));
    const QStringList expected = {"en_us", "de", "Fr", "ja"};
    EXPECT_EQ(LanguageList::scan(work("translations")), expected);
    EXPECT_EQ(LanguageList::scan(work("none")), QStringList{"en_us"});

    start();
    EXPECT_EQ(LanguageList::current(), expected);
    auto* popup = form->findChild<QMenu*>("languagePopupMenu");
    ASSERT_NE(popup, nullptr);
    const QList<QAction*> view = form->viewMenu->actions();
    ASSERT_EQ(view.size(), 22);
    EXPECT_EQ(view[18], popup->menuAction());
    EXPECT_TRUE(view[17]->isSeparator());
    EXPECT_TRUE(view[19]->isSeparator());
    EXPECT_EQ(popup->title(), "Change &Language");
    const QList<QAction*> items = popup->actions();
    ASSERT_EQ(items.size(), 4);
    for (int id = 0; id < 4; ++id) {
        EXPECT_EQ(items[id]->text(), expected[id]);
        EXPECT_EQ(items[id]->data().toInt(), id);
    }

    // A choice takes effect at the next start, and says so.
    QString notice;
    orvextest::NextModal warning([&](QWidget* dialog) {
        notice = qobject_cast<QMessageBox*>(dialog)->text();
        orvextest::NextModal::reject(dialog);
    });
    items[3]->trigger();
    EXPECT_EQ(StartupState::locale(), "ja");
    EXPECT_EQ(notice, "The GUI language will be changed when you run OrvexStudio next time.");
    // Identifiers outside the list do nothing.
    form->languageSlot(4);
    form->languageSlot(-1);
    EXPECT_EQ(StartupState::locale(), "ja");
}

// Each entry of the File menu but Init State has a letter of its own, in every language.
TEST_F(MainFormMenus, TheFileMenusEntriesHaveLettersOfTheirOwn) {
    QTranslator german;
    ASSERT_TRUE(StartupState::loadTranslator(german, "OrvexStudio_", "de",
                                             QString::fromStdString(orvextest::translationDir())));
    for (const bool inGerman : {false, true}) {
        if (inGerman)
            QCoreApplication::installTranslator(&german);
        start();
        QSet<QChar> letters;
        for (const QAction* action : form->fileMenu->actions()) {
            const int at = action->text().indexOf(QRegularExpression("&[^&]"));
            if (at >= 0)
                letters.insert(action->text()[at + 1].toLower());
        }
        EXPECT_EQ(letters.size(), 4) << inGerman;
    }
    QCoreApplication::removeTranslator(&german);
}

TEST_F(MainFormMenus, StylesSwitchAndTheXPStyleFallsBackToWindows) {
    start();
    form->viewStyleDarkAction->trigger();
    EXPECT_NE(dynamic_cast<QDarkStyle*>(QApplication::style()), nullptr);
    EXPECT_EQ(form->styleName(), "Dark");
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(64, 64, 64));

    form->viewStyleWindowsXPAction->trigger();
    EXPECT_TRUE(form->viewStyleWindowsAction->isChecked());
    EXPECT_EQ(form->styleName(), "Windows");
    EXPECT_EQ(QApplication::style()->objectName().toLower(), "windows");
    EXPECT_NE(QApplication::palette().color(QPalette::Window), QColor(64, 64, 64));
}

TEST_F(MainFormMenus, AWindowsXPSettingStartsInTheWindowsStyle) {
    WindowSettings::open()->setValue("/Orvex/Main/style", "WindowsXP");
    start();
    EXPECT_TRUE(form->viewStyleWindowsAction->isChecked());
    EXPECT_EQ(form->styleName(), "Windows");
}

TEST_F(MainFormMenus, SaveImageWritesTheViewInTheFormatOfItsName) {
    engine.frame = QImage(40, 30, QImage::Format_RGB32);
    engine.frame.fill(qRgb(10, 120, 200));
    start();
    const QString file = work("shot.Png");
    std::vector<FileQuestion> asked;
    form->fileChooser = [&](const FileQuestion& question) {
        asked.push_back(question);
        return FileChoice{file, QString()};
    };
    form->fileSaveImageAction->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].mode, FileQuestion::Mode::Save);
    // The dialog offers only what the image writer can write.
    static const QRegularExpression pattern("\\*\\.(\\w+)");
    int offered = 0;
    for (auto it = pattern.globalMatch(asked[0].filter); it.hasNext(); ++offered) {
        const QString suffix = it.next().captured(1);
        EXPECT_TRUE(QImageWriter::supportedImageFormats().contains(
            suffix == "jpg" ? QByteArray("jpeg") : suffix.toLatin1()))
            << suffix.toStdString();
    }
    EXPECT_GE(offered, 4);
    const QImage saved(file, "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.pixel(5, 5), qRgb(10, 120, 200));
}

TEST_F(MainFormMenus, SaveImageAddsTheChosenFormatsExtension) {
    engine.frame = QImage(40, 30, QImage::Format_RGB32);
    engine.frame.fill(qRgb(200, 40, 10));
    start();
    // A report of a refused name is answered, never waited on.
    orvextest::NextModal warning;
    form->fileChooser = [&](const FileQuestion&) {
        return FileChoice{work("shot"), "Png Files (*.png)"};
    };
    form->fileSaveImage();
    EXPECT_FALSE(warning.seen());
    const QImage saved(work("shot.png"), "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.pixel(5, 5), qRgb(200, 40, 10));
}

TEST_F(MainFormMenus, SaveImageReportsANameWithoutAnImageExtension) {
    engine.frame = QImage(40, 30, QImage::Format_RGB32);
    start();
    const QString file = work("shot.txt");
    QString report;
    form->fileChooser = [&](const FileQuestion&) { return FileChoice{file, QString()}; };
    orvextest::NextModal warning([&](QWidget* box) {
        if (auto* message = qobject_cast<QMessageBox*>(box))
            report = message->text();
        orvextest::NextModal::reject(box);
    });
    form->fileSaveImage();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(
        report.startsWith("The image could not be saved as " + QDir::toNativeSeparators(file)));
    EXPECT_TRUE(report.contains(".png"));
}

TEST_F(MainFormMenus, CancellingTheDialogsSavesAndPrintsNothing) {
    engine.frame = QImage(40, 30, QImage::Format_RGB32);
    start();
    {
        int asked = 0;
        form->fileChooser = [&](const FileQuestion&) {
            ++asked;
            return FileChoice();
        };
        form->fileSaveImage();
        EXPECT_EQ(asked, 1);
    }
    {
        bool printDialog = false;
        orvextest::NextModal cancel([&](QWidget* w) {
            printDialog = qobject_cast<QPrintDialog*>(w) != nullptr;
            orvextest::NextModal::reject(w);
        });
        form->filePrintAction->trigger();
        EXPECT_TRUE(printDialog);
    }
    // Nothing but the bookmarks the window starts with.
    EXPECT_EQ(QDir(work("")).entryList(QDir::Files), QStringList{"bookmarks.xml"});
}

TEST_F(MainFormMenus, ADroppedFileShowsTheViewerInTheChosenModeOrOnlyRaisesIt) {
    start();
    form->viewMediaNormalAction->setChecked(true);
    form->mediaButton->setChecked(false);
    form->mediaDropped(work("picture.png"));
    EXPECT_TRUE(form->mediaButton->isChecked());
    EXPECT_TRUE(mediaForm->isVisible());
    EXPECT_FALSE(mediaForm->isFullScreen());
    EXPECT_EQ(mediaForm->currentFile(), work("picture.png"));
    EXPECT_EQ(form->mediaViewerHelpLabel->text(), "Click [Show] button to hide the Media Viewer.");

    form->mediaButton->setChecked(false);
    EXPECT_FALSE(mediaForm->isVisible());
    EXPECT_EQ(form->mediaViewerHelpLabel->text(),
              "Drop a image or a movie on [Show] button to show it.");

    // With neither screen mode chosen the viewer is only raised.
    form->viewMediaWindowActionGroup->setExclusive(false);
    form->viewMediaNormalAction->setChecked(false);
    form->mediaDropped(work("movie.mpg"));
    EXPECT_TRUE(form->mediaButton->isChecked());
    EXPECT_FALSE(mediaForm->isVisible());
    EXPECT_EQ(mediaForm->currentFile(), work("movie.mpg"));
}

TEST_F(MainFormMenus, EscapeInTrackballModeReturnsToTheNormalMouse) {
    start();
    QObject::connect(&engine, &EngineLink::mouseModeChanged, form.get(),
                     &OrvexMainForm::mouseModeChanged);
    form->viewMouseTBAction->trigger();
    EXPECT_EQ(engine.mouseMode(), 1);
    EXPECT_FALSE(form->statusBar()->currentMessage().isEmpty());
    engine.emitMouseModeChanged(0);
    EXPECT_TRUE(form->viewMouseNormalAction->isChecked());
    EXPECT_EQ(engine.mouseMode(), 0);
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty());
}
