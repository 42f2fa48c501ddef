// The program's three windows as the program itself makes and shows them, on
// a real display with the engine on the shipped data set: where each window
// goes at the first start and after every order of screen-mode and layout
// changes, that the control window does not grow with what it shows, that
// the view's keys go to the key map and the shortcuts work elsewhere, and
// that the instance lock outlives every window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSplitter>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/BrowserLinks.h"
#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StudioProgram.h"
#include "app/WindowSettings.h"
#include "engine/OrvexGL.h"
#include "platform/InputState.h"
#include "support/GlTestContext.h"
#include "support/GlViewShots.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "ui/HelpViewer.h"
#include "ui/OrvexBookmarkForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

void settle(int turns = 10) {
    for (int i = 0; i < turns; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

class StudioProgramGL : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    const orvextest::ShippedDataCopy share{std::vector<std::string>{"scenarios"}};
    std::unique_ptr<StudioProgram> program = std::make_unique<StudioProgram>();

    ~StudioProgramGL() override { program.reset(); }

    OrvexMainForm& form() { return *program->mainForm(); }
    OrvexProjForm& glWindow() { return *program->projForm(); }

    // The program's start, its engine running one frame at a time.
    void open() {
        program->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        auto* view = qobject_cast<OrvexGL*>(glWindow().view());
        ASSERT_NE(view, nullptr);
        view->setRepaintTimer(false);
        settle();
        orvextest::pinGlDriver();
        view->updateGL();
        ASSERT_TRUE(form().engine()->hasRoot());
    }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }

    // Runs `check` on a freshly started program in English, then in German.
    void inBothLanguages(const std::function<void(bool inGerman)>& check) {
        QTranslator german;
        ASSERT_TRUE(
            german.load("OrvexStudio_de", QString::fromStdString(orvextest::translationDir())));
        for (bool inGerman : {false, true}) {
            if (inGerman)
                QCoreApplication::installTranslator(&german);
            program = std::make_unique<StudioProgram>();
            open();
            check(inGerman);
        }
        form().viewStyleWindowsAction->trigger();
        QCoreApplication::removeTranslator(&german);
    }

    // A start from saved settings: the style, the screen mode and, unless
    // empty, the control window's size. The program starts in the platform's
    // own style, as it does outside the tests.
    void openSaved(const char* style, int screenMode, const QSize& size) {
        program.reset();
        {
            auto settings = WindowSettings::open();
            settings->clear();
            settings->setValue("/Orvex/Main/style", style);
            settings->setValue("/Orvex/Main/screenMode", screenMode);
            if (!size.isEmpty()) {
                settings->setValue("/Orvex/Main/geometry/x", 20);
                settings->setValue("/Orvex/Main/geometry/y", 40);
                settings->setValue("/Orvex/Main/geometry/w", size.width());
                settings->setValue("/Orvex/Main/geometry/h", size.height());
            }
        }
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        program = std::make_unique<StudioProgram>();
        open();
    }

    // The texts of the control panel and, where the browser pane shows, of
    // the media group all whole.
    void expectTextsWhole(const std::string& where);

    // Each window where the checked screen mode puts it.
    void expectWhereTheModeSays(const std::string& steps) {
        settle();
        OrvexProjForm& gl = glWindow();
        if (form().viewEmbedAction->isChecked()) {
            EXPECT_EQ(gl.parentWidget(), form().splitter2) << steps;
            EXPECT_EQ(form().splitter2->indexOf(&gl), 0) << steps;
            EXPECT_FALSE(gl.isWindow()) << steps;
            EXPECT_TRUE(gl.isVisible()) << steps;
        } else {
            EXPECT_TRUE(gl.isWindow()) << steps;
            EXPECT_TRUE(gl.isVisible()) << steps;
            EXPECT_EQ(form().splitter2->indexOf(&gl), -1) << steps;
            // Without a window manager the screen's size stays the window
            // manager's to give: the window's state is what the program sets.
            if (form().viewFullScreenAction->isChecked()) {
                EXPECT_TRUE(gl.isFullScreen()) << steps;
            } else {
                EXPECT_FALSE(gl.isFullScreen()) << steps;
                EXPECT_LT(gl.width(), screen().width()) << steps;
            }
        }
        for (int size : form().splitter2->sizes())
            EXPECT_NE(size, 7) << steps;
    }
};

} // namespace

TEST_F(StudioProgramGL, AFirstStartKeepsTheMenuBarClearAndTheWindowItsSize) {
    open();
    QMenuBar* menu = form().menuBar();
    const QRect menuRect(menu->mapToGlobal(QPoint(0, 0)), menu->size());
    EXPECT_FALSE(glWindow().frameGeometry().intersects(menuRect));
    expectWhereTheModeSays("first start");

    // Body after body: the map shows another picture, the window stays.
    form().updateInterface();
    settle();
    const QSize before = form().size();
    for (int i = 0; i < 12; ++i) {
        form().planetNextSlot();
        settle(3);
    }
    EXPECT_EQ(form().size(), before);

    form().showMaximized();
    settle();
    const QSize maximised = form().size();
    for (int i = 0; i < 12; ++i) {
        form().planetNextSlot();
        settle(3);
    }
    EXPECT_EQ(form().size(), maximised);
    EXPECT_LE(form().frameGeometry().height(), screen().height());
}

TEST_F(StudioProgramGL, TheEmbeddedViewGetsItsShareOfTheWidth) {
    open();
    for (const QSize size : {QSize(1001, 935), QSize(1260, 900)}) {
        form().showNormal();
        form().resize(size);
        settle();
        form().viewNormalAction->trigger();
        settle();
        form().viewEmbedAction->trigger();
        settle();
        const QList<int> sizes = form().splitter2->sizes();
        ASSERT_EQ(sizes.size(), 3);
        const int w = form().width();
        const int p = form().tabWidget->width();
        // The split computed when embedding: half of what the panel leaves each.
        EXPECT_GE(sizes[0], (w - p) / 2 - 20) << size.width();
        EXPECT_GE(glWindow().width(), (w - p) / 2 - 20) << size.width();
    }
}

TEST_F(StudioProgramGL, EveryOrderOfModesAndLayoutsEndsWhereTheModeSays) {
    open();
    OrvexMainForm& f = form();
    const std::vector<std::pair<const char*, QAction*>> steps = {
        {"full", f.viewFullScreenAction},
        {"embed", f.viewEmbedAction},
        {"full", f.viewFullScreenAction},
        {"BC", f.layoutBCAction},
        {"normal", f.viewNormalAction},
        {"full", f.viewFullScreenAction},
        {"SC", f.layoutSCAction},
        {"full", f.viewFullScreenAction},
        {"normal", f.viewNormalAction},
        {"embed", f.viewEmbedAction},
        {"B", f.layoutBAction},
        {"full", f.viewFullScreenAction},
        {"SB", f.layoutSBAction},
        {"normal", f.viewNormalAction},
        {"embed", f.viewEmbedAction},
        {"full", f.viewFullScreenAction},
        {"reset", f.viewResetWindowsAction}};
    std::string done;
    for (const auto& [name, action] : steps) {
        action->trigger();
        done += std::string(" ") + name;
        expectWhereTheModeSays(done);
    }

    // What the close saves is the GL window's normal place, never the screen.
    f.viewFullScreenAction->trigger();
    settle();
    f.close();
    program.reset();
    program = std::make_unique<StudioProgram>();
    program->open();
    settle();
    EXPECT_TRUE(form().viewFullScreenAction->isChecked());
    form().viewNormalAction->trigger();
    settle();
    EXPECT_FALSE(glWindow().isFullScreen());
    EXPECT_LT(glWindow().width(), screen().width());
}

// While the view has the keyboard the keys its key map binds are the key
// map's, in every screen mode: Ctrl+S runs its binding (the options saved),
// never File Save of the editor's text over the open scenario, and Shift+Tab
// the binding of Tab with Shift where the view is a window of its own; beside
// the panel Tab and Shift+Tab move the focus. A shortcut the key map does not
// bind (Ctrl+C Store State) works from the view too, and every shortcut works
// in the control window.
TEST_F(StudioProgramGL, KeysInTheViewAreTheKeyMapsAndShortcutsWorkElsewhere) {
    open();
    // The program follows Shift and Ctrl as they are pressed.
    static const bool tracking = (platform::trackInputEvents(*QCoreApplication::instance()), true);
    ASSERT_TRUE(tracking);
    std::ofstream(share.path() + "/tour.scn") << "Timer.Speed 5\n";
    form().scenarioFileName = QString::fromStdString(share.path() + "/tour.scn");
    // What a link followed leaves in the editor.
    form().scenarioEdit->setPlainText("Orvex.Next");
    QSignalSpy saves(form().fileSaveAction, &QAction::triggered);
    QSignalSpy stores(form().editStoreAction, &QAction::triggered);
    const QString options = QString::fromStdString(share.path() + "/scenarios/options.scn");
    QWidget& view = *glWindow().view();
    const auto cameraMode = [&] { return form().engine()->getCommandValue("Camera.Mode"); };

    for (QAction* mode :
         {form().viewNormalAction, form().viewFullScreenAction, form().viewEmbedAction}) {
        const std::string where = mode->objectName().toStdString();
        mode->trigger();
        settle();
        view.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.window())) << where;
        for (int press = 0; press < 2; ++press) {
            view.setFocus();
            QFile::remove(options);
            const int stored = stores.count();
            QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
            EXPECT_TRUE(QFileInfo::exists(options)) << where;
            EXPECT_EQ(share.read("tour.scn"), "Timer.Speed 5\n") << where;
            EXPECT_EQ(saves.count(), 0) << where;
            EXPECT_EQ(stores.count(), stored + 1) << where;

            const std::string before = cameraMode();
            QTest::keyClick(&view, Qt::Key_Backtab, Qt::ShiftModifier);
            if (mode == form().viewEmbedAction) {
                EXPECT_FALSE(view.hasFocus()) << where;
                EXPECT_EQ(cameraMode(), before) << where;
            } else {
                EXPECT_NE(cameraMode(), before) << where;
                QTest::keyClick(&view, Qt::Key_Tab);
                EXPECT_EQ(cameraMode(), before) << where;
            }
        }
    }

    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    for (int press = 1; press <= 2; ++press) {
        const int stored = stores.count();
        form().mediaButton->setFocus();
        QTest::keyClick(form().mediaButton, Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(saves.count(), press);
        EXPECT_EQ(share.read("tour.scn").rfind("Orvex.Next", 0), 0u);
        QTest::keyClick(form().mediaButton, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(stores.count(), stored + 1);
    }
}

// The width a control needs to show its text whole. A push button's size
// hint has a minimum width of its own; what counts is its text, its margins
// and its icon.
int widthForText(QWidget* w, const QString& text) {
    auto* push = qobject_cast<QPushButton*>(w);
    if (!push)
        return w->sizeHint().width();
    const QStyle* style = w->style();
    int need = w->fontMetrics().size(0, QString(text).remove(QLatin1Char('&'))).width() +
               style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    if (!push->icon().isNull())
        need += push->iconSize().width() + 4;
    return need;
}

// The controls on every page of the control panel and in the browser pane
// whose text is cut: those narrower than their text asks for. A pane the
// layout folds away shows nothing.
std::vector<std::string> clippedTexts(OrvexMainForm& form) {
    std::vector<std::string> clipped;
    for (int page = 0; page < form.tabWidget->count(); ++page) {
        form.tabWidget->setCurrentIndex(page);
        settle(3);
        for (QWidget* w : form.findChildren<QWidget*>()) {
            if (!w->isVisible() || w->visibleRegion().isEmpty())
                continue;
            QString text;
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                text = button->text();
            else if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap())
                text = label->text();
            if (text.isEmpty() || w->width() >= widthForText(w, text))
                continue;
            const std::string entry =
                w->objectName().toStdString() + " \"" + text.toStdString() + "\"";
            if (std::find(clipped.begin(), clipped.end(), entry) == clipped.end())
                clipped.push_back(entry);
        }
    }
    form.tabWidget->setCurrentIndex(0);
    return clipped;
}

TEST_F(StudioProgramGL, EveryTextFitsInBothStylesAndBothLanguages) {
    inBothLanguages([&](bool inGerman) {
        for (QAction* style : {form().viewStyleWindowsAction, form().viewStyleDarkAction}) {
            style->trigger();
            settle();
            const std::vector<std::string> clipped = clippedTexts(form());
            EXPECT_TRUE(clipped.empty())
                << (inGerman ? "German, " : "English, ") << style->text().toStdString() << ": "
                << ::testing::PrintToString(clipped);
        }
        if (inGerman) {
            EXPECT_EQ(form().mediaPauseButton->text(), "Pause");
        }
    });
}

// How far two colours stand apart, as the web's accessibility guidelines
// measure it: from 1 (the same) to 21 (black and white); text needs 4.5.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The help window's texts too faint on what is behind them, once per pair
// of colours: the page's texts and the enabled buttons.
std::set<std::string> faintHelpTexts(const HelpViewer& viewer) {
    std::set<std::string> faint;
    const auto check = [&](const QColor& fore, const QBrush& own, const QColor& back) {
        const QColor behind = own.style() == Qt::NoBrush ? back : own.color();
        if (contrast(fore, behind) < 4.5)
            faint.insert(fore.name().toStdString() + " on " + behind.name().toStdString());
    };
    const QPalette& page = viewer.browser->viewport()->palette();
    for (QTextBlock block = viewer.browser->document()->begin(); block.isValid();
         block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            check(format.foreground().style() == Qt::NoBrush ? page.color(QPalette::Text)
                                                             : format.foreground().color(),
                  format.background(), page.color(QPalette::Base));
        }
    for (const QToolButton* button : viewer.findChildren<QToolButton*>())
        if (button->isEnabled())
            check(button->palette().color(QPalette::ButtonText), QBrush(),
                  button->palette().color(QPalette::Button));
    return faint;
}

// Every text of the help window stands out from what is behind it, on every
// shipped help page and in every style, also in a window that was open when
// the style changed.
TEST_F(StudioProgramGL, EveryHelpTextIsReadableInEveryStyle) {
    open();
    OrvexMainForm& f = form();
    f.helpContentsAction->trigger();
    auto* viewer = f.findChild<HelpViewer*>(HelpViewer::windowName);
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(viewer->pageFound());
    const QDir pages = QFileInfo(viewer->currentFile()).dir();
    const QStringList files = pages.entryList({"*.html"}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    const std::set<std::string> none;
    for (QAction* style :
         {f.viewStyleWindowsXPAction, f.viewStyleDarkAction, f.viewStyleWindowsAction}) {
        style->trigger();
        settle(2);
        const std::string where = style->text().toStdString() + ", ";
        EXPECT_EQ(faintHelpTexts(*viewer), none) << where << "open before";
        for (const QString& file : files) {
            HelpViewer::showPage(&f, pages.filePath(file));
            EXPECT_EQ(faintHelpTexts(*viewer), none) << where << file.toStdString();
        }
    }
}

// The media group's controls whose text is cut or that lie outside the
// browser pane: beside the embedded view the pane is narrow.
std::vector<std::string> clippedMediaControls(OrvexMainForm& form) {
    std::vector<std::string> clipped;
    const QRect pane = form.layout44->rect();
    for (QWidget* w :
         {static_cast<QWidget*>(form.mediaButton), static_cast<QWidget*>(form.mediaPlayButton),
          static_cast<QWidget*>(form.mediaPauseButton), static_cast<QWidget*>(form.mediaStopButton),
          static_cast<QWidget*>(form.mediaCtrlCheck),
          static_cast<QWidget*>(form.mediaViewerHelpLabel)}) {
        const QRect place(w->mapTo(form.layout44, QPoint(0, 0)), w->size());
        QString text;
        bool fits = false;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            // A word-wrapped label fits when its words need no more height
            // than it has at its width, and no word is wider than it.
            text = label->text();
            int widestWord = 0;
            for (const QString& word : QTextDocumentFragment::fromHtml(text).toPlainText().split(
                     QLatin1Char(' '), Qt::SkipEmptyParts))
                widestWord = std::max(widestWord, label->fontMetrics().horizontalAdvance(word));
            fits = label->heightForWidth(label->width()) <= label->height() &&
                   widestWord <= label->width();
        } else {
            text = static_cast<QAbstractButton*>(w)->text();
            fits = w->width() >= widthForText(w, text) && w->height() >= 20;
        }
        if (!w->isVisible() || !fits || !pane.contains(place))
            clipped.push_back(w->objectName().toStdString() + " \"" + text.toStdString() + "\" " +
                              std::to_string(place.x()) + "," + std::to_string(place.y()) + " " +
                              std::to_string(place.width()) + "x" + std::to_string(place.height()));
    }
    return clipped;
}

void StudioProgramGL::expectTextsWhole(const std::string& where) {
    std::vector<std::string> clipped = clippedTexts(form());
    QSplitter* panes = form().splitter2;
    if (panes->sizes().value(panes->indexOf(form().layout44)) > 0) {
        const std::vector<std::string> media = clippedMediaControls(form());
        clipped.insert(clipped.end(), media.begin(), media.end());
    }
    EXPECT_TRUE(clipped.empty()) << where << ": " << ::testing::PrintToString(clipped);
}

TEST_F(StudioProgramGL, TheMediaControlsWrapBesideTheEmbeddedView) {
    inBothLanguages([&](bool inGerman) {
        const QSize normalSize = form().size();
        const int normalGroupHeight = form().mediaGroup->height();
        form().viewEmbedAction->trigger();
        for (QAction* style : {form().viewStyleWindowsAction, form().viewStyleDarkAction}) {
            style->trigger();
            for (const QSize size :
                 {normalSize, normalSize + QSize(150, 100), normalSize + QSize(400, 200)}) {
                form().resize(size);
                settle();
                const std::string where = std::string(inGerman ? "German, " : "English, ") +
                                          style->text().toStdString() + ", " +
                                          std::to_string(form().layout44->width()) + " px pane";
                const std::vector<std::string> clipped = clippedMediaControls(form());
                EXPECT_TRUE(clipped.empty()) << where << ": " << ::testing::PrintToString(clipped);
            }
        }
        // The narrowest pane seen beside the view at the default size.
        if (!inGerman) {
            form().resize(normalSize);
            settle();
            QList<int> sizes = form().splitter2->sizes();
            sizes[0] += sizes[1] - 225;
            sizes[1] = 225;
            form().splitter2->setSizes(sizes);
            settle();
            ASSERT_EQ(form().layout44->width(), 225);
            EXPECT_TRUE(clippedMediaControls(form()).empty())
                << ::testing::PrintToString(clippedMediaControls(form()));
        }
        // Back in a window of its own the group is one row again.
        form().viewStyleWindowsAction->trigger();
        form().viewNormalAction->trigger();
        form().resize(normalSize);
        settle();
        EXPECT_EQ(form().mediaGroup->height(), normalGroupHeight);
        const QRect play = form().mediaPlayButton->geometry();
        for (QWidget* w : {static_cast<QWidget*>(form().mediaCtrlCheck),
                           static_cast<QWidget*>(form().mediaViewerHelpLabel)}) {
            EXPECT_LT(w->geometry().top(), play.bottom()) << w->objectName().toStdString();
            EXPECT_GT(w->geometry().bottom(), play.top()) << w->objectName().toStdString();
            EXPECT_GT(w->x(), play.right()) << w->objectName().toStdString();
        }
    });
}

// Every text whole as the program starts from saved settings (the style,
// the screen mode and the size restored, or the first start's size), and
// after each layout, in both languages.
TEST_F(StudioProgramGL, EveryTextIsWholeFromEverySavedStartAndLayout) {
    QTranslator german;
    ASSERT_TRUE(german.load("OrvexStudio_de", QString::fromStdString(orvextest::translationDir())));
    struct Saved {
        const char* style;
        int screenMode; // as the settings number it: 1 a window of its own, 2 embedded
        QSize size;     // empty: the first start's
    };
    std::vector<Saved> starts;
    for (const char* style : {"Windows", "Dark"})
        for (int screenMode : {1, 2})
            for (const QSize size : {QSize(), QSize(1019, 760)})
                starts.push_back({style, screenMode, size});
    for (bool inGerman : {false, true}) {
        if (inGerman)
            QCoreApplication::installTranslator(&german);
        for (const Saved& saved : starts) {
            openSaved(saved.style, saved.screenMode, saved.size);
            const std::string start = std::string(inGerman ? "German, " : "English, ") +
                                      saved.style + ", " +
                                      (saved.screenMode == 2 ? "embedded" : "own window") + ", " +
                                      (saved.size.isEmpty() ? "first size" : "restored size");
            expectTextsWhole(start + ", as started");
            OrvexMainForm& f = form();
            // Shown, the viewer's hint says how to hide it.
            f.mediaButton->click();
            settle();
            expectTextsWhole(start + ", the media viewer shown");
            f.mediaButton->click();
            for (const auto& [name, action] :
                 std::vector<std::pair<const char*, QAction*>>{{"SC", f.layoutSCAction},
                                                               {"SB", f.layoutSBAction},
                                                               {"BC", f.layoutBCAction},
                                                               {"B", f.layoutBAction},
                                                               {"embed", f.viewEmbedAction},
                                                               {"normal", f.viewNormalAction}}) {
                action->trigger();
                settle();
                expectTextsWhole(start + ", then " + name);
            }
        }
    }
    QCoreApplication::removeTranslator(&german);
    form().viewStyleWindowsAction->trigger();
}

TEST_F(StudioProgramGL, TheInstanceLockOutlivesEveryWindow) {
    // The lock file goes into the scratch directory.
    const orvextest::TempDir runtime;
    struct RuntimeDir {
        const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
        explicit RuntimeDir(const std::string& dir) {
            qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
        }
        ~RuntimeDir() {
            if (before.isNull())
                qunsetenv("XDG_RUNTIME_DIR");
            else
                qputenv("XDG_RUNTIME_DIR", before);
        }
    } inScratch(runtime.path());
    const std::string name =
        "OrvexStudio_Test_" + std::to_string(QCoreApplication::applicationPid());
    ASSERT_EQ(program->lock.acquire(name), platform::InstanceLock::Result::Acquired);
    open();
    bool heldWhileTheBookmarksGo = false;
    bool heldWhileTheControlWindowGoes = false;
    QObject::connect(form().bookmarkForm, &QObject::destroyed,
                     [&] { heldWhileTheBookmarksGo = platform::InstanceLock::isTaken(name); });
    QObject::connect(&form(), &QObject::destroyed, [&] {
        heldWhileTheControlWindowGoes = platform::InstanceLock::isTaken(name);
    });
    program.reset();
    EXPECT_TRUE(heldWhileTheBookmarksGo);
    EXPECT_TRUE(heldWhileTheControlWindowGoes);
    EXPECT_FALSE(platform::InstanceLock::isTaken(name));
}

// Pictures of the whole screen for a person to look at: the default start,
// the embedded layout, the dark style in German, alone and embedded. Taken
// only when ORVEX_SCREENSHOT_DIR names a folder for them.
TEST_F(StudioProgramGL, PicturesOfTheStartForALook) {
    const QString dir = QString::fromLocal8Bit(qgetenv("ORVEX_SCREENSHOT_DIR"));
    if (dir.isEmpty())
        GTEST_SKIP() << "ORVEX_SCREENSHOT_DIR is not set";
    const auto shoot = [&](const char* name) {
        settle(20);
        auto* view = qobject_cast<OrvexGL*>(glWindow().view());
        view->updateGL();
        settle(5);
        QGuiApplication::primaryScreen()->grabWindow(0).save(dir + "/" + name);
    };
    open();
    form().updateMap();
    form().updateInterface();
    shoot("default-start.png");
    form().viewEmbedAction->trigger();
    shoot("embedded.png");

    QTranslator german;
    ASSERT_TRUE(german.load("OrvexStudio_de", QString::fromStdString(orvextest::translationDir())));
    QCoreApplication::installTranslator(&german);
    program = std::make_unique<StudioProgram>();
    open();
    form().viewStyleDarkAction->trigger();
    form().updateMap();
    form().updateInterface();
    shoot("dark-german.png");
    form().viewEmbedAction->trigger();
    shoot("dark-german-embedded.png");
    form().viewStyleWindowsAction->trigger();
    QCoreApplication::removeTranslator(&german);
}

namespace {

// The page's body, place, map and marker are the engine's own.
void expectPanelFollowsEngine(OrvexMainForm& form, const std::string& step) {
    EngineLink* engine = form.engine();
    const std::string body = engine->getCommandValue("Ssystem.AstrName");
    EXPECT_EQ(form.planetCombo->currentText().toStdString(), body) << step;
    const std::string map = form.mapLabel->mapFile();
    EXPECT_EQ(map.substr(map.find_last_of('/') + 1), engine->getCommandValue("Ssystem.AstrTexture"))
        << step;
    const std::string place = engine->getCommandValue("Ssystem.PlaceName");
    EXPECT_EQ(form.locationCombo->currentText().toStdString(), place == "None" ? "" : place)
        << step;
    const float lat = float(std::stod(engine->getCommandValue("Ssystem.PlaceLat")));
    const float lon = float(std::stod(engine->getCommandValue("Ssystem.PlaceLon")));
    EXPECT_NEAR(form.latSpinBox->value(), lat, 0.01) << step;
    EXPECT_NEAR(form.lonSpinBox->value(), lon, 0.01) << step;
    EXPECT_NEAR(form.mapLabel->latitude(), lat, 0.01) << step;
    EXPECT_NEAR(form.mapLabel->longitude(), lon, 0.01) << step;
}

} // namespace

// Landing with no place chosen and following the shipped tour's links from
// the Earth and Moon mode: after each, the "Basic" page shows the body with
// its map, the place and its coordinates the engine now has.
TEST_F(StudioProgramGL, ThePanelFollowsLandingsAndLinks) {
    ASSERT_TRUE(share.startAt("2027 3 20 12 0 0"));
    open();
    auto* view = qobject_cast<OrvexGL*>(glWindow().view());
    EngineLink* engine = form().engine();
    const auto still = [&] {
        orvextest::runUntilStill(view, engine);
        settle(2);
    };
    const auto choose = [&](QComboBox* combo, const char* text) {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        still();
    };
    choose(form().simModeCombo, "EarthMoon");
    choose(form().planetCombo, "Earth");
    choose(form().locationCombo, "");
    ASSERT_EQ(engine->getCommandValue("Ssystem.PlaceName"), "None");
    expectPanelFollowsEngine(form(), "no place");

    form().effectCheck->setChecked(false);
    form().cameraModeButton->click();
    still();
    ASSERT_EQ(engine->getCommandValue("Camera.Mode"), "Observe");
    EXPECT_NE(engine->getCommandValue("Ssystem.PlaceName"), "None");
    expectPanelFollowsEngine(form(), "landed");
    form().cameraModeButton->click();
    still();

    QFile page(QString::fromStdString(orvextest::shareDir()) + "/htmls/tour-solarsystem.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    static const QRegularExpression anchor("<a href=\"(orvex://[^\"]*)\">([^<]*)</a>");
    // Twice through the links that stay in the Earth and Moon mode, the
    // second time from the landing and the Moon the first left.
    QStringList commands;
    for (auto it = anchor.globalMatch(html); it.hasNext();) {
        const QString command = BrowserLinks::commandText(it.next().captured(1));
        if (!command.contains("SimModeName"))
            commands << command;
    }
    ASSERT_GE(commands.size(), 6);
    for (const QString& command : commands + commands) {
        form().runBrowserCommand(EngineLink::toEngineText(command));
        still();
        ASSERT_EQ(engine->getCommandValue("Ssystem.SimModeName"), "EarthMoon");
        expectPanelFollowsEngine(form(), command.toStdString());
    }
}
