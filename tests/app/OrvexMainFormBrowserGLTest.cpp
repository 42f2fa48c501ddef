// The browser pane with its real web view (under a display, the application
// prepared as the program prepares it): command links reach the engine
// exactly as the page wrote them, from the page and from its frames; other
// links are decided as the pane's rules say.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QWebEnginePage>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

#include "support/MainFormFixture.h"
#include "ui/QDropButton.h"
#include "ui/WebBrowserView.h"

namespace {

// The application of this test program is prepared for web views as the
// program's is: before it is created, hence at static initialisation.
const bool webEnginePrepared = (WebBrowserView::prepareApplication(), true);

// Keeps the loaded Mesa drivers in the process to its end. The web engine's
// shared contexts let the GL library unload its driver at exit, before the
// leak check, which then cannot name (nor suppress) the driver's own leaks.
void pinGlDrivers() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            const char* name = info->dlpi_name;
            if (name && std::strstr(name, "_dri.so"))
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

using orvextest::MainFormFixture;

const char* const linksPage = R"(<!DOCTYPE html>
<html><body>
<a id="speed" href="orvex://Timer.Speed%2010/">speed</a>
<a id="look" href="orvex://Camera.Look%20Earth">look</a>
<a id="upper" href="ORVEX://Timer.Speed%205">upper</a>
<a id="movie" href="movie.wmv">movie</a>
<a id="next" href="second.html">next</a>
<iframe id="frame" srcdoc="&lt;a id='inner' href='orvex://Space.Stars%200/'&gt;inner&lt;/a&gt;"></iframe>
</body></html>
)";

class WebBrowserPane : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        ASSERT_TRUE(webEnginePrepared);
        ASSERT_NE(form->browserView, nullptr);
        writeFile(programFile("htmls/links.html"), linksPage);
        writeFile(programFile("htmls/second.html"), "<html><body>second</body></html>");
        form->show();
        form->resize(1000, 700);
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    bool load(const QUrl& url) {
        QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
        form->browserView->load(url);
        return waitFor([&] { return !loaded.isEmpty(); }) && loaded.first().first().toBool();
    }
    void run(const QString& script) { form->browserView->page()->runJavaScript(script); }
    void click(const char* id) {
        run(QStringLiteral("document.getElementById('%1').click();").arg(QLatin1String(id)));
    }
    std::vector<orvextest::FakeRoot::Run>& scripts() { return engine.recorded.scripts; }
    void TearDown() override {
        pinGlDrivers();
        MainFormFixture::TearDown();
    }
};

TEST_F(WebBrowserPane, CommandLinksArriveAsThePageWroteThem) {
    QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
    form->bookmarkNavigate("./htmls/links.html");
    ASSERT_TRUE(waitFor([&] { return !loaded.isEmpty(); }));
    EXPECT_EQ(form->browserView->url(), QUrl::fromLocalFile(programFile("htmls/links.html")));

    click("speed");
    ASSERT_TRUE(waitFor([&] { return scripts().size() == 1; }));
    EXPECT_EQ(scripts()[0].text, "Timer.Speed 10");
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 10");

    click("look");
    ASSERT_TRUE(waitFor([&] { return scripts().size() == 2; }));
    EXPECT_EQ(scripts()[1].text, "Camera.Look Earth");
    EXPECT_TRUE(form->questions.empty());

    // A scheme in capitals is no command link; the view never follows it either.
    click("upper");
    waitFor([] { return false; }, 500);
    EXPECT_EQ(scripts().size(), 2u);

    // A link in a frame whose page is not a file of the program asks first.
    run("document.getElementById('frame').contentDocument.getElementById('inner').click();");
    ASSERT_TRUE(waitFor([&] { return !form->questions.empty(); }));
    EXPECT_EQ(form->questions[0].text, "Space.Stars 0");
    EXPECT_EQ(scripts().size(), 2u);
}

TEST_F(WebBrowserPane, MediaAndOrdinaryLinks) {
    ASSERT_TRUE(load(QUrl::fromLocalFile(programFile("htmls/links.html"))));
    click("movie");
    ASSERT_TRUE(waitFor([&] { return form->mediaButton->isChecked(); }));
    EXPECT_TRUE(mediaForm->currentFile().endsWith("htmls/movie.wmv"));
    EXPECT_EQ(form->browserView->url().fileName(), "links.html");

    click("next");
    ASSERT_TRUE(waitFor([&] { return form->browserView->url().fileName() == "second.html"; }));
    EXPECT_TRUE(form->browserUrlLine->text().endsWith("htmls/second.html"));
    EXPECT_TRUE(form->windowTitle().endsWith("second.html - Orvex Studio"));
}

TEST_F(WebBrowserPane, TheCaptionNamesThePageNotWhereItLies) {
    writeFile(programFile("htmls/titled.html"),
              "<html><head><title>The Moon tonight</title></head><body>moon</body></html>");
    form->bookmarkNavigate("./htmls/titled.html");
    ASSERT_TRUE(waitFor([&] { return form->windowTitle() == "The Moon tonight - Orvex Studio"; }))
        << form->windowTitle().toStdString();

    // A page without a title goes by its file name, never by its folders.
    ASSERT_TRUE(load(QUrl::fromLocalFile(programFile("htmls/second.html"))));
    waitFor([&] { return !form->windowTitle().startsWith("The Moon"); });
    EXPECT_EQ(form->windowTitle(), "second.html - Orvex Studio");
    EXPECT_FALSE(form->windowTitle().contains(programDir()));
}

TEST_F(WebBrowserPane, APageFromOutsideTheProgramMustAsk) {
    orvextest::TempDir elsewhere;
    const QString page = QString::fromStdString(elsewhere.file("links.html"));
    writeFile(page, linksPage);
    ASSERT_TRUE(load(QUrl::fromLocalFile(page)));
    click("speed");
    ASSERT_TRUE(waitFor([&] { return !form->questions.empty(); }));
    EXPECT_EQ(form->questions[0].text, "Timer.Speed 10");
    EXPECT_TRUE(scripts().empty());
}

// Tab and Shift+Tab walk the pane as the window orders it: the address
// line, the buttons, the page's links, then on to the media group and the
// panel; the page gives the focus back at either end.
TEST_F(WebBrowserPane, TabWalksThroughThePageAndOut) {
    writeFile(
        programFile("htmls/tabs.html"),
        "<html><head><title>start</title><script>"
        "document.addEventListener('focusin', function (e) { document.title = e.target.id; });"
        "document.addEventListener('focusout', function () { document.title = 'out'; });"
        "</script></head><body><a id='one' href='a.html'>one</a> "
        "<a id='two' href='b.html'>two</a></body></html>");
    ASSERT_TRUE(load(QUrl::fromLocalFile(programFile("htmls/tabs.html"))));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    // Where the focus is: a control's name, or the page's focused link.
    const auto where = [&] {
        QWidget* focus = QApplication::focusWidget();
        if (focus && form->browserView->isAncestorOf(focus))
            return "page:" + form->browserView->title().toStdString();
        return focus ? focus->objectName().toStdString() : std::string("none");
    };
    // One key; the page takes it in its own time.
    const auto press = [&](bool forward) {
        const std::string before = where();
        QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        waitFor(
            [&] {
                const std::string now = where();
                return now != before && now != "page:start" && now != "page:out";
            },
            3000);
        return where();
    };

    form->browserUrlLine->setFocus();
    ASSERT_TRUE(waitFor([&] { return where() == "browserUrlLine"; }));
    std::vector<std::string> forward;
    for (int i = 0; i < 15; ++i)
        forward.push_back(press(true));
    EXPECT_EQ(forward,
              (std::vector<std::string>{
                  "browserPrevButton", "browserNextButton", "browserStopButton",
                  "browserReloadButton", "browserHomeButton", "bookmarkButton", "page:one",
                  "page:two", "mediaButton", "mediaPlayButton", "mediaPauseButton",
                  "mediaStopButton", "mediaCtrlCheck", "qt_tabwidget_tabbar", "simModeCombo"}));

    std::vector<std::string> back;
    for (int i = 0; i < 10; ++i)
        back.push_back(press(false));
    EXPECT_EQ(back, (std::vector<std::string>{"qt_tabwidget_tabbar", "mediaCtrlCheck",
                                              "mediaStopButton", "mediaPauseButton",
                                              "mediaPlayButton", "mediaButton", "page:two",
                                              "page:one", "bookmarkButton", "browserHomeButton"}));
}

} // namespace
