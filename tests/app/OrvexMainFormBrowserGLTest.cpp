// The browser pane with its real web view (under a display, the application
// prepared as the program prepares it): command links reach the engine
// exactly as the page wrote them, from the page and from its frames; other
// links are decided as the pane's rules say.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>
#include <QWebEnginePage>
#include <atomic>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "app/BrowserLinks.h"
#include "app/StartupState.h"
#include "engine/LogMessage.h"
#include "support/LocalHttpServer.h"
#include "support/MainFormFixture.h"
#include "support/ModalAnswers.h"
#include "support/NextModal.h"
#include "support/PipeReaderWatch.h"
#include "support/TestEnv.h"
#include "ui/CrashedPageNotice.h"
#include "ui/MediaPlayerPane.h"
#include "ui/OrvexBookmarkForm.h"
#include "ui/QDropButton.h"
#include "ui/QOrderedListView.h"
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
<a id="pipe" href="pipe.avi">pipe</a>
<a id="next" href="second.html">next</a>
<iframe id="frame" srcdoc="&lt;a id='inner' href='orvex://Space.Stars%200/'&gt;inner&lt;/a&gt;"></iframe>
</body></html>
)";

// A page of a web server whose script posts command requests with no click:
// twenty, one every 50 ms.
const char* const askingPage = R"(<!DOCTYPE html>
<html><body>
<a id="speed" href="orvex://Timer.Speed%2010/">speed</a>
<script>
var left = 20;
var timer = setInterval(function () {
    document.getElementById('speed').click();
    if (--left === 0)
        clearInterval(timer);
}, 50);
</script>
</body></html>
)";

void clickButton(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->text() == text) {
            button->click();
            return;
        }
    orvextest::NextModal::reject(dialog);
}

std::size_t countContaining(const LogCapture& log, const std::string& text) {
    std::size_t n = 0;
    for (const std::string& message : log.messages())
        n += message.find(text) != std::string::npos;
    return n;
}

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

    // A movie that is a named pipe is refused with the reason before the
    // player opens it (which would hold the window): by a link, by File >
    // Open and by a drop, each twice.
    const QString pipe = programFile("htmls/pipe.avi");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    {
        orvextest::PipeReaderWatch watch(pipe);
        LogCapture log;
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(pipe)});
        const std::function<void()> ways[] = {
            [&] { click("pipe"); },
            [&] {
                form->openName = pipe;
                form->fileOpen();
            },
            [&] {
                QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, {});
                QCoreApplication::sendEvent(form->mediaButton, &enter);
                QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, {});
                QCoreApplication::sendEvent(form->mediaButton, &drop);
            },
        };
        std::size_t refused = 0;
        for (const auto& way : ways)
            for (int time = 0; time < 2; ++time) {
                mediaForm->setMedia(programFile("htmls/movie.wmv"));
                way();
                ASSERT_TRUE(waitFor([&] { return countContaining(log, "named pipe") > refused; }))
                    << refused;
                ++refused;
                EXPECT_EQ(mediaForm->mediaPlayerAXAX->url(), pipe);
                EXPECT_TRUE(mediaForm->mediaPlayerAXAX->message().contains(
                    "Not a regular file (a named pipe)"));
            }
        EXPECT_FALSE(watch.opened());
    }

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

// A page of a web server that posts requests with no click asks once: the
// requests that come while its question is open are refused, and after No
// every further one, until the user loads the page again.
TEST_F(WebBrowserPane, AnOutsidePageRefusedOnceAsksNoMoreUntilItIsLoadedAgain) {
    orvextest::LocalHttpServer server;
    server.answers["/asking.html"] = {200, askingPage};
    form->askForReal = true;
    LogCapture log;
    for (int load = 1; load <= 2; ++load) {
        log.clear();
        // Each question is held open a while, then answered No.
        orvextest::ModalAnswers answers({}, [](QWidget* dialog) {
            QTimer::singleShot(400, dialog, [dialog] { clickButton(dialog, "&No"); });
        });
        form->bookmarkNavigate(server.url("/asking.html"));
        ASSERT_TRUE(waitFor([&] { return form->questions.size() == std::size_t(load); }));
        // The page posts for a second.
        waitFor([] { return false; }, 2500);
        EXPECT_EQ(form->questions.size(), std::size_t(load));
        EXPECT_EQ(form->questions.back().from, server.url("/asking.html"));
        EXPECT_TRUE(scripts().empty());
        // Each reason is noted once for a load, however often the page posts.
        EXPECT_EQ(countContaining(log, "another question about commands is open"), 1u);
        EXPECT_EQ(countContaining(log, "the user refused the commands of this page"), 1u);
    }
    EXPECT_EQ(server.requested.count("/asking.html"), 2);

    // Left while it still posts, the page asks no more; the next page of the
    // same server asks.
    server.answers["/once.html"] = {200, "<a id='x' href='orvex://Timer.Speed%205'>x</a><script>"
                                         "setTimeout(function () { "
                                         "document.getElementById('x').click(); }, 300);</script>"};
    {
        orvextest::ModalAnswers answers({}, [&](QWidget* dialog) {
            QTimer::singleShot(200, dialog, [&, dialog] {
                clickButton(dialog, "&No");
                if (form->browserView->url().path() == "/asking.html")
                    QTimer::singleShot(50, form.get(),
                                       [&] { form->bookmarkNavigate(server.url("/once.html")); });
            });
        });
        form->bookmarkNavigate(server.url("/asking.html"));
        ASSERT_TRUE(waitFor([&] { return form->questions.size() == 4; }));
        waitFor([] { return false; }, 1500);
    }
    ASSERT_EQ(form->questions.size(), 4u);
    EXPECT_EQ(form->questions[3].from, server.url("/once.html"));
}

// The question shows every command it asks about, one to a line, in a text
// that scrolls within the screen: a fetched scenario's last line, a save, is
// in it, and so is each of a link's 41 commands. It names the page by its
// address, also for a request the page's script posts to its own window.
TEST_F(WebBrowserPane, TheQuestionShowsEveryCommandOfAFetchedScenario) {
    orvextest::LocalHttpServer server;
    QByteArray tour;
    for (int i = 0; i < 30; ++i)
        tour += "Timer.Speed " + QByteArray::number(i + 1) + "\n";
    tour += "Orvex.SaveOptions /some/path";
    QByteArray link = "orvex://", linkLines;
    for (int i = 0; i < 41; ++i) {
        link += (i ? ";" : "") + QByteArray("Camera.Dist%20") + QByteArray::number(i + 1);
        linkLines += (i ? "\n" : "") + QByteArray("Camera.Dist ") + QByteArray::number(i + 1);
    }
    server.answers["/tour.scn"] = {200, tour};
    server.answers["/page.html"] = {
        200, "<html><body><a id='tour' href='tour.scn'>tour</a><a id='link' href='" + link +
                 "/'>link</a></body></html>"};
    // What a page's script posts to its own window; the second post, after
    // the No, is refused.
    server.answers["/posting.html"] = {
        200, "<script>function post() { window.postMessage({orvexLink: true, href: "
             "'orvex://Timer.Speed%205'}, '*'); }\n"
             "post(); setTimeout(post, 1500);</script>"};
    form->askForReal = true;
    ASSERT_TRUE(load(QUrl(server.url("/page.html"))));
    QString shown;
    bool everyLineInReach = false;
    bool withinScreen = false;
    QStringList labels;
    orvextest::ModalAnswers answers({}, [&](QWidget* dialog) {
        auto* commands = dialog->findChild<QPlainTextEdit*>();
        if (commands) {
            shown = commands->toPlainText();
            QScrollBar* bar = commands->verticalScrollBar();
            bar->setValue(bar->maximum());
            QTextCursor end(commands->document());
            end.movePosition(QTextCursor::End);
            everyLineInReach = commands->isVisible() && bar->maximum() > 0 &&
                               commands->viewport()->rect().contains(commands->cursorRect(end));
        }
        // Where the window manager puts it once it has framed it.
        withinScreen = waitFor(
            [&] { return dialog->screen()->availableGeometry().contains(dialog->frameGeometry()); },
            1000);
        labels.clear();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        clickButton(dialog, "&No");
    });
    const struct {
        const char* id;
        QByteArray lines;
        QString from;
    } requests[] = {{"tour", tour, server.url("/tour.scn")},
                    {"link", linkLines, server.url("/page.html")}};
    for (const auto& request : requests) {
        SCOPED_TRACE(request.id);
        shown.clear();
        const std::size_t asked = form->questions.size() + 1;
        form->bookmarkNavigate(server.url("/page.html")); // lifts the refusal of the No before
        waitFor([] { return false; }, 500);
        click(request.id);
        ASSERT_TRUE(waitFor([&] { return form->questions.size() == asked; }));
        EXPECT_EQ(form->questions.back().text.toStdString(), request.lines.toStdString());
        EXPECT_EQ(shown.toStdString(), request.lines.toStdString());
        EXPECT_TRUE(everyLineInReach);
        EXPECT_TRUE(withinScreen);
        EXPECT_FALSE(labels.join('\n').contains("more line")) << labels.join('\n').toStdString();
        EXPECT_TRUE(labels.join('\n').startsWith(request.from + " is not a page"))
            << labels.join('\n').toStdString();
    }

    LogCapture log;
    form->bookmarkNavigate(server.url("/posting.html"));
    ASSERT_TRUE(waitFor([&] { return form->questions.size() == 3; }));
    EXPECT_EQ(form->questions.back().from.toStdString(), server.url("/posting.html").toStdString());
    EXPECT_TRUE(labels.join('\n').startsWith(server.url("/posting.html") + " is not a page"))
        << labels.join('\n').toStdString();
    ASSERT_TRUE(waitFor([&] { return countContaining(log, "refused") == 1; }));
    EXPECT_EQ(countContaining(log, "Commands of " + server.url("/posting.html").toStdString() +
                                       " refused"),
              1u);
    EXPECT_EQ(form->questions.size(), 3u);

    // Inside a page of the program such a post may come from a frame of
    // elsewhere: the program's page is not named as the one asking.
    const QUrl own = QUrl::fromLocalFile(programFile("htmls/posting.html"));
    writeFile(own.toLocalFile(), server.answers["/posting.html"].body);
    form->bookmarkNavigate(own.toString());
    ASSERT_TRUE(waitFor([&] { return form->questions.size() == 4; }));
    EXPECT_EQ(form->questions.back().from.toStdString(), "");
    EXPECT_TRUE(waitFor([&] {
        return countContaining(log, "Commands of a frame of " + own.toString().toStdString() +
                                        " refused") == 1;
    }));
    EXPECT_TRUE(scripts().empty());
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

    // Loaded again, then a command typed on the URL line, which leaves the
    // page where it is: its links still ask, each time.
    QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
    form->browserReloadSlot();
    ASSERT_TRUE(waitFor([&] { return !loaded.isEmpty(); }));
    form->agree = true;
    form->browserUrlLine->setText("orvex://Timer.Speed%205");
    form->browserUrlSlot();
    ASSERT_EQ(scripts().size(), 1u);
    for (std::size_t asked = 2; asked <= 3; ++asked) {
        click("speed");
        ASSERT_TRUE(waitFor([&] { return form->questions.size() == asked; })) << asked;
        ASSERT_TRUE(waitFor([&] { return scripts().size() == asked; })) << asked;
    }

    // A page the user starts to load and stops leaves this one shown: its
    // links still ask.
    QTcpServer silent; // takes the request and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    form->bookmarkNavigate(
        QStringLiteral("http://127.0.0.1:%1/slow.html").arg(silent.serverPort()));
    ASSERT_TRUE(waitFor([&] { return silent.hasPendingConnections(); }));
    form->browserStopSlot();
    waitFor([] { return false; }, 300);
    click("speed");
    ASSERT_TRUE(waitFor([&] { return form->questions.size() == 4; }));
}

// The address line, the caption and what the bookmarks take follow the page
// shown, its top frame: a frame of another server, whatever it does (its
// first load, a link, its script's location.href and location.replace, a
// form post, a server's redirection, a refresh, a failed load, a local file,
// its own anchors and history, a refresh without end) changes none of them,
// and the user's next address still loads. The page's own anchors, history
// and Back are followed.
TEST_F(WebBrowserPane, TheAddressLineAndCaptionNameTheTopPageNotItsFrames) {
    orvextest::LocalHttpServer top, other;
    QTcpServer closed; // a port nobody listens on: the frame's load fails
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString failing = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    const QByteArray frameScript =
        "<script>var step = location.search.slice(1); setTimeout(function () {"
        "if (step === 'link') document.getElementById('link').click();"
        "else if (step === 'href') location.href = '/script.html';"
        "else if (step === 'replace') location.replace('/replaced.html');"
        "else if (step === 'post') document.getElementById('form').submit();"
        "else if (step === 'redirect') location.href = '/redirect';"
        "else if (step === 'refresh') location.href = '/refresh.html';"
        "else if (step === 'fail') location.href = '" +
        failing.toUtf8() +
        "';"
        "else if (step === 'file') location.href = '" +
        QUrl::fromLocalFile(programFile("htmls/second.html")).toEncoded() +
        "';"
        "else if (step === 'hash') location.hash = 'inner';"
        "else if (step === 'push') history.pushState({}, '', '/pushed.html');"
        "else if (step === 'loop') location.href = '/loop.html';"
        "}, 100);</script>";
    const QByteArray framePage = "<html><head><title>Frame</title></head><body>"
                                 "<a id='link' href='/linked.html'>link</a>"
                                 "<form id='form' method='post' action='/posted'>"
                                 "<input name='a' value='1'></form>" +
                                 frameScript + "</body></html>";
    const QStringList steps{"first",   "link", "href", "replace", "post", "redirect",
                            "refresh", "fail", "file", "hash",    "push", "loop"};
    for (const QString& step : steps)
        other.answers["/frame.html?" + step] = {200, framePage};
    for (const char* path : {"/linked.html", "/script.html", "/replaced.html", "/posted",
                             "/redirected.html", "/refreshed.html"})
        other.answers[path] = {200, "<html><head><title>Inner</title></head></html>"};
    other.answers["/redirect"] = {302, ""};
    other.headers["/redirect"] = "Location: /redirected.html\r\n";
    other.answers["/refresh.html"] = {
        200,
        "<html><head><meta http-equiv='refresh' content='0; url=/refreshed.html'></head></html>"};
    other.answers["/loop.html"] = {
        200, "<html><head><meta http-equiv='refresh' content='0; url=/loop.html'></head></html>"};
    top.answers["/page.html"] = {200, "<html><head><title>Top</title></head><body>"
                                      "<p id='anchor'>top</p><iframe id='frame' src='" +
                                          other.url("/frame.html?first").toUtf8() +
                                          "'></iframe></body></html>"};
    // A history entry the page's script made may be loaded from the server.
    top.answers["/pushed-top.html"] = top.answers["/page.html"];
    top.answers["/else.html"] = {200, "<html><head><title>Else</title></head></html>"};

    const QString page = top.url("/page.html");
    const auto namesTheTopPage = [&](const QString& address, const QString& title = "Top") {
        // The view's address may be shown as given, before the page commits.
        if (form->browserView->url() != QUrl(address))
            return "the view shows " + form->browserView->url().toString().toStdString();
        if (form->browserUrlLine->text() != address)
            return "the line shows " + form->browserUrlLine->text().toStdString();
        if (form->browserUrl() != address)
            return "the bookmarks take " + form->browserUrl().toStdString();
        if (form->windowTitle() != title + " - Orvex Studio")
            return "the caption is " + form->windowTitle().toStdString();
        return std::string();
    };
    form->bookmarkNavigate(page);
    ASSERT_TRUE(waitFor([&] { return other.requested.contains("/frame.html?first"); }));
    waitFor([] { return false; }, 500);
    EXPECT_EQ(namesTheTopPage(page), "");

    // What the frame asks for once its step has run.
    const std::map<QString, QString> reaches{
        {"link", "/linked.html"}, {"href", "/script.html"},         {"replace", "/replaced.html"},
        {"post", "/posted"},      {"redirect", "/redirected.html"}, {"refresh", "/refreshed.html"}};
    for (const QString& step : steps.mid(1)) {
        SCOPED_TRACE(step.toStdString());
        const auto found = reaches.find(step);
        const QString awaited = found != reaches.end() ? found->second : "/frame.html?" + step;
        other.requested.clear();
        run("document.getElementById('frame').src = '" + other.url("/frame.html?" + step) + "';");
        ASSERT_TRUE(waitFor([&] { return other.requested.contains(awaited); }));
        waitFor([] { return false; }, step == "loop" ? 1500 : 500);
        EXPECT_EQ(namesTheTopPage(page), "");
    }
    // The frame that refreshes without end keeps nobody: the user's next
    // address loads.
    EXPECT_GT(other.requested.count("/loop.html"), 3);
    form->bookmarkNavigate(top.url("/else.html"));
    ASSERT_TRUE(waitFor([&] { return form->browserView->url() == QUrl(top.url("/else.html")); }));
    other.requested.clear();
    form->bookmarkNavigate(page);
    ASSERT_TRUE(waitFor([&] { return other.requested.contains("/frame.html?first"); }));
    waitFor([] { return false; }, 300);
    EXPECT_EQ(namesTheTopPage(page), "");

    // The page's own anchor and history entry are its address. Back and
    // Forward pass over the entries the frames and the scripts made.
    run("location.hash = 'anchor';");
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(page + "#anchor").empty(); }))
        << namesTheTopPage(page + "#anchor");
    run("history.pushState({}, '', '/pushed-top.html');");
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(top.url("/pushed-top.html")).empty(); }))
        << namesTheTopPage(top.url("/pushed-top.html"));
    form->browserPrevSlot();
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(top.url("/else.html"), "Else").empty(); }))
        << namesTheTopPage(top.url("/else.html"), "Else");
    form->browserNextSlot();
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(top.url("/pushed-top.html")).empty(); }))
        << namesTheTopPage(top.url("/pushed-top.html"));
    form->bookmarkNavigate(page);
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(page).empty(); })) << namesTheTopPage(page);
    other.requested.clear();
    form->browserReloadSlot();
    ASSERT_TRUE(waitFor([&] { return other.requested.contains("/frame.html?first"); }));
    waitFor([] { return false; }, 300);
    EXPECT_EQ(namesTheTopPage(page), "");
    // The page's own script and a server's redirection of the page.
    run("location.href = '/else.html';");
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(top.url("/else.html"), "Else").empty(); }))
        << namesTheTopPage(top.url("/else.html"), "Else");
    top.answers["/moved"] = {302, ""};
    top.headers["/moved"] = "Location: /page.html\r\n";
    form->bookmarkNavigate(top.url("/moved"));
    ASSERT_TRUE(waitFor([&] { return namesTheTopPage(page).empty(); })) << namesTheTopPage(page);

    // A bookmark added here and the home set here open the top page, also
    // while the user has begun to type another address.
    form->activateWindow();
    form->browserUrlLine->setFocus();
    QTest::keyClicks(form->browserUrlLine, "typed");
    {
        orvextest::ModalAnswers answers({}, [](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            if (!input)
                return orvextest::NextModal::reject(dialog);
            input->setTextValue("The top");
            input->accept();
        });
        const auto entry = [&](const QString& text) -> QAction* {
            for (QAction* action : form->bookmarkMenu->actions())
                if (action->text() == text)
                    return action;
            return nullptr;
        };
        ASSERT_NE(entry("Add Bookmark..."), nullptr);
        entry("Add Bookmark...")->trigger();
        ASSERT_TRUE(waitFor([&] { return entry("The top") != nullptr; }));
        form->bookmarkForm->bookmarkSetHomeSlot();
        EXPECT_EQ(form->bookmarkForm->home(), page);
        ASSERT_NE(entry("The top"), nullptr);
        for (const auto& open : std::vector<std::function<void()>>{
                 [&] { entry("The top")->trigger(); }, [&] { form->browserHomeSlot(); }}) {
            form->bookmarkNavigate(top.url("/else.html"));
            ASSERT_TRUE(
                waitFor([&] { return form->browserView->url() == QUrl(top.url("/else.html")); }));
            open();
            ASSERT_TRUE(waitFor([&] { return namesTheTopPage(page).empty(); }))
                << namesTheTopPage(page);
        }
    }
}

// A frame of a web server inside a page of the program asks before its
// commands run, though the address line names the program's page: it is
// named, in the question (in the user's language) and in the log (in
// English), by its own address and that page.
TEST_F(WebBrowserPane, AFrameOfElsewhereAsksByItsOwnAddress) {
    for (const char* language : {"en", "de"}) {
        SCOPED_TRACE(language);
        QTranslator translator;
        if (std::strcmp(language, "en") != 0) {
            ASSERT_TRUE(
                StartupState::loadTranslator(translator, "OrvexStudio_", language,
                                             QString::fromStdString(orvextest::translationDir())));
            QCoreApplication::installTranslator(&translator);
        }
        // Another server each time: the refused site of the first asks no more.
        orvextest::LocalHttpServer other;
        other.answers["/frame.html"] = {
            200, "<a id='speed' href='orvex://Timer.Speed%207'>speed</a><script>"
                 "setTimeout(function () { document.getElementById('speed').click(); }, 200);"
                 "setTimeout(function () { document.getElementById('speed').click(); }, 1200);"
                 "</script>"};
        const QString file = QStringLiteral("htmls/holder-%1.html").arg(language);
        const QUrl holder = QUrl::fromLocalFile(programDir() + "/" + file);
        writeFile(holder.toLocalFile(), "<html><body><iframe src='" +
                                            other.url("/frame.html").toUtf8() +
                                            "'></iframe></body></html>");
        LogCapture log;
        const std::size_t asked = form->questions.size();
        form->bookmarkNavigate("./" + file);
        ASSERT_TRUE(waitFor([&] { return form->questions.size() > asked; }));
        EXPECT_TRUE(BrowserLinks::isTrustedLocation(QUrl::fromLocalFile(form->browserUrl()),
                                                    programDir()) ||
                    BrowserLinks::isTrustedLocation(QUrl(form->browserUrl()), programDir()))
            << form->browserUrl().toStdString();
        const QString frame = other.url("/frame.html");
        const QString named = frame + " (a frame of " + holder.toString() + ")";
        EXPECT_EQ(form->questions[asked].from,
                  std::strcmp(language, "en") == 0
                      ? named
                      : frame + " (ein Rahmen in " + holder.toString() + ")");
        EXPECT_EQ(form->questions[asked].text, "Timer.Speed 7");
        // Refused, its second request is noted in the log by the same names.
        ASSERT_TRUE(waitFor([&] {
            return countContaining(log, "Commands of " + named.toStdString() + " refused") == 1;
        }));
        EXPECT_EQ(form->questions.size(), asked + 1);
        EXPECT_TRUE(scripts().empty());
        QCoreApplication::removeTranslator(&translator);
    }
}

// Whenever the control window becomes active a control holds the keyboard,
// never the window itself: the address line at the first activation, then
// the control that had it last, the page also when its renderer, and with
// it the widget that held the keyboard, changed while another window was
// active.
TEST_F(WebBrowserPane, TheControlWindowGivesTheKeyboardToAControlWhenActivated) {
    orvextest::LocalHttpServer server, other;
    server.answers["/a.html"] = other.answers["/a.html"] = {
        200, "<html><body><a id='one' href='b.html'>one</a></body></html>"};
    QWidget elsewhere;
    elsewhere.setWindowTitle("elsewhere");
    elsewhere.resize(300, 200);
    elsewhere.show();
    const auto activate = [](QWidget* window) {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    };
    const auto where = [&] {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return std::string("nothing");
        if (focus == form.get())
            return std::string("the window itself");
        if (form->browserView->isAncestorOf(focus))
            return std::string("page");
        return focus->objectName().toStdString();
    };
    const auto comesBackTo = [&](const std::string& control) {
        if (!activate(form.get()))
            return std::string("not activated");
        waitFor([&] { return where() == control; }, 2000);
        return where();
    };

    ASSERT_TRUE(activate(&elsewhere));
    EXPECT_EQ(comesBackTo("browserUrlLine"), "browserUrlLine");

    form->simModeCombo->setFocus();
    ASSERT_TRUE(activate(&elsewhere));
    EXPECT_EQ(comesBackTo("simModeCombo"), "simModeCombo");

    ASSERT_TRUE(load(QUrl(server.url("/a.html"))));
    form->browserView->setFocus();
    run("document.getElementById('one').focus();");
    ASSERT_TRUE(waitFor([&] { return where() == "page"; }));
    ASSERT_TRUE(activate(&elsewhere));
    // A page of another host (another site: not only another port) is drawn
    // by another widget.
    ASSERT_TRUE(load(QUrl(other.url("/a.html").replace("127.0.0.1", "localhost"))));
    EXPECT_EQ(comesBackTo("page"), "page");

    // So is a page whose renderer ended while another window was active, and
    // which was loaded again meanwhile.
    ASSERT_TRUE(activate(&elsewhere));
    ::kill(pid_t(form->browserView->page()->renderProcessPid()), SIGKILL);
    ASSERT_TRUE(waitFor([&] { return form->browserCrashNotice->isVisible(); }));
    QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
    form->browserReloadSlot();
    ASSERT_TRUE(waitFor([&] { return !loaded.isEmpty(); }));
    EXPECT_EQ(comesBackTo("page"), "page");
}

// Tab and Shift+Tab walk the pane as the window orders it: the address
// line, the buttons, the page's links, then on to the media group and the
// panel; the page gives the focus back at either end. The web engine draws
// each renderer's pages with a widget of its own (another origin, a failed
// load): every one of them keeps that place, also for the pages after it.
TEST_F(WebBrowserPane, TabWalksThroughThePageAndOut) {
    const QByteArray tabsPage =
        "<html><head><title>start</title><script>"
        "document.addEventListener('focusin', function (e) { document.title = e.target.id; });"
        "document.addEventListener('focusout', function () { document.title = 'out'; });"
        "</script></head><body><a id='one' href='a.html'>one</a> "
        "<a id='two' href='b.html'>two</a></body></html>";
    writeFile(programFile("htmls/tabs.html"), tabsPage);
    orvextest::TempDir elsewhere;
    const QString outside = QString::fromStdString(elsewhere.file("tabs.html"));
    writeFile(outside, tabsPage);
    orvextest::LocalHttpServer server, other;
    server.answers["/tabs.html"] = other.answers["/tabs.html"] = {200, tabsPage};
    QTcpServer closed; // a port nobody listens on: the load fails
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

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
            forward || before.rfind("page:", 0) != 0 ? 3000 : 1500);
        return where();
    };
    // The stops of a walk up to the control it ends on; the page's own
    // stops are its links, or, on a page of the engine's own (a failed load),
    // the page.
    const auto walk = [&](bool forward, const std::string& last) {
        std::vector<std::string> stops;
        for (int i = 0; i < 24 && (stops.empty() || stops.back() != last); ++i) {
            std::string stop = press(forward);
            if (stop.rfind("page:", 0) == 0 && stop != "page:one" && stop != "page:two")
                stop = "page";
            if (stops.empty() || stops.back() != stop)
                stops.push_back(stop);
        }
        return stops;
    };
    const std::vector<std::string> links{"page:one", "page:two"};
    const std::vector<std::string> start{"browserPrevButton", "browserNextButton",
                                         "browserStopButton", "browserReloadButton",
                                         "browserHomeButton", "bookmarkButton"};
    const std::vector<std::string> media{
        "mediaButton",    "mediaPlayButton",     "mediaPauseButton", "mediaStopButton",
        "mediaCtrlCheck", "qt_tabwidget_tabbar", "simModeCombo"};
    const auto joined = [](std::vector<std::string> a, const std::vector<std::string>& b,
                           const std::vector<std::string>& c) {
        a.insert(a.end(), b.begin(), b.end());
        a.insert(a.end(), c.begin(), c.end());
        return a;
    };

    // A link followed from the keyboard: the focus is in the page while the
    // engine changes the widget.
    writeFile(programFile("htmls/go.html"),
              "<a id='go' href='" + server.url("/tabs.html").toUtf8() + "'>go</a>");
    const auto followFromTheKeyboard = [&] {
        if (!load(QUrl::fromLocalFile(programFile("htmls/go.html"))))
            return false;
        form->browserView->setFocus();
        run("document.getElementById('go').focus();");
        QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
        waitFor([] { return false; }, 300);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return waitFor([&] { return !loaded.isEmpty(); }) && loaded[0][0].toBool() &&
               form->browserView->url().scheme() == "http";
    };
    // A renderer that crashed is replaced at the next load.
    const auto afterACrash = [&] {
        bool ended = false;
        const QMetaObject::Connection watch =
            QObject::connect(form->browserView->page(), &QWebEnginePage::renderProcessTerminated,
                             [&] { ended = true; });
        ::kill(pid_t(form->browserView->page()->renderProcessPid()), SIGKILL);
        const bool crashed = waitFor([&] { return ended; });
        QObject::disconnect(watch);
        if (!crashed)
            return false;
        QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
        form->browserReloadSlot();
        return waitFor([&] { return !loaded.isEmpty(); }) && loaded[0][0].toBool();
    };

    // Back, Forward or Reload, until the view has finished the load.
    const auto byButton = [&](void (OrvexMainForm::*button)()) {
        return [&, button] {
            QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
            (form.get()->*button)();
            return waitFor([&] { return !loaded.isEmpty(); });
        };
    };

    const struct {
        const char* what;
        std::function<bool()> load;
        bool hasLinks;
    } pages[] = {
        {"the program's page",
         [&] { return load(QUrl::fromLocalFile(programFile("htmls/tabs.html"))); }, true},
        {"a file elsewhere", [&] { return load(QUrl::fromLocalFile(outside)); }, true},
        {"a web server's page", [&] { return load(QUrl(server.url("/tabs.html"))); }, true},
        {"a failed load", [&] { return !load(QUrl(refused)); }, false},
        {"another server's page", [&] { return load(QUrl(other.url("/tabs.html"))); }, true},
        {"back to the failed load", byButton(&OrvexMainForm::browserPrevSlot), false},
        {"reloaded", byButton(&OrvexMainForm::browserReloadSlot), false},
        {"forward to the other server", byButton(&OrvexMainForm::browserNextSlot), true},
        {"a server's page by a link followed from the keyboard", followFromTheKeyboard, true},
        {"after its renderer crashed", afterACrash, true},
        {"the program's page again",
         [&] { return load(QUrl::fromLocalFile(programFile("htmls/tabs.html"))); }, true},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.what);
        ASSERT_TRUE(page.load());
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        const std::vector<std::string> inPage =
            page.hasLinks ? links : std::vector<std::string>{"page"};

        form->browserUrlLine->setFocus();
        ASSERT_TRUE(waitFor([&] { return where() == "browserUrlLine"; }));
        EXPECT_EQ(walk(true, "simModeCombo"), joined(start, inPage, media));

        std::vector<std::string> back(media.rbegin() + 1, media.rend());
        back.insert(back.end(), inPage.rbegin(), inPage.rend());
        back.insert(back.end(), {"bookmarkButton", "browserHomeButton"});
        EXPECT_EQ(walk(false, "browserHomeButton"), back);
    }
}

} // namespace

// What a frame's script does to make the page holding it ask for commands,
// each way by name: links added to the page and clicked, the page's own
// link clicked, run through the page's eval, a key on a link, the page sent
// to a command address or a scenario, a form, a new window, a message.
const char* const frameActs = R"js(
function act(way) {
    // Read only when used: a frame of another origin may not.
    function doc() { return window.top.document; }
    function added(href) {
        var a = doc().createElement('a');
        a.href = href;
        a.textContent = 'added';
        doc().body.appendChild(a);
        return a;
    }
    if (way === 'click') added('orvex://Timer.Speed%209').click();
    else if (way === 'dispatch') added('orvex://Timer.Speed%209').dispatchEvent(
        new MouseEvent('click', {bubbles: true, cancelable: true, view: window.top}));
    else if (way === 'shipped') doc().getElementById('shipped').click();
    else if (way === 'eval') window.top.eval("document.getElementById('shipped').click()");
    else if (way === 'query') {
        // The page's address moves on, the page stays.
        window.top.history.pushState(null, '', '?moved');
        added('orvex://Timer.Speed%209').click();
    }
    else if (way === 'key') {
        var link = added('orvex://Timer.Speed%209');
        link.focus();
        link.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));
        link.dispatchEvent(new KeyboardEvent('keypress', {key: 'Enter', bubbles: true}));
    } else if (way === 'location') window.top.location = 'orvex://Timer.Speed%209';
    else if (way === 'scn') added('tour.scn').click();
    else if (way === 'scnlocation') window.top.location = new URL('tour.scn', doc().baseURI).href;
    else if (way === 'form') {
        var form = doc().createElement('form');
        form.action = 'orvex://Timer.Speed%209';
        form.target = '_top';
        doc().body.appendChild(form);
        form.submit();
    } else if (way === 'open') window.open('orvex://Timer.Speed%209');
    else if (way === 'post') window.top.postMessage({orvexLink: true,
                                                    href: 'orvex://Timer.Speed%209'}, '*');
}
)js";

// A page of the program holding a frame from outside it: whatever way the
// frame's script (a file elsewhere, a web server's page, a data: frame, a
// frame made inside the file's frame) makes the page ask for commands, the
// user is asked first, and the question names the frame and the page; no
// command runs unasked. The user's own click on the page's link still runs
// at once.
TEST_F(WebBrowserPane, AFrameOfElsewhereGainsNothingFromThePageHoldingIt) {
    writeFile(programFile("htmls/tour.scn"), "Timer.Speed 4\n");
    orvextest::TempDir elsewhere;
    orvextest::LocalHttpServer server;
    const QStringList sameOrigin{"click", "dispatch", "shipped",    "eval",
                                 "query", "scn",      "scnlocation"};
    const QStringList ways = sameOrigin + QStringList{"key", "location", "form", "open", "post"};
    enum Kind { File, Http, Data, Nested };
    const auto frameBody = [](const QString& way) {
        return "<html><body>frame<script>" + QByteArray(frameActs) +
               "setTimeout(function () { act('" + way.toUtf8() +
               "'); }, 300);</script></body></html>";
    };
    int asked = 0, tried = 0;
    // Yes to each: a message of any file frame comes from the same origin,
    // which a No would refuse from then on.
    form->agree = true;
    for (Kind kind : {File, Http, Data, Nested}) {
        for (const QString& way : ways) {
            SCOPED_TRACE(way.toStdString() + " from frame kind " + std::to_string(kind));
            ++tried;
            // Each frame and page its own: a No refuses the frame's site.
            const QString name = QStringLiteral("%1-%2").arg(kind).arg(way);
            QString frame;
            if (kind == File || kind == Nested) {
                const QString file = QString::fromStdString(elsewhere.file(name.toStdString()));
                QByteArray body = frameBody(way);
                if (kind == Nested)
                    body = "<html><body><iframe srcdoc=\"" +
                           QString::fromUtf8(body).toHtmlEscaped().toUtf8() +
                           "\"></iframe></body></html>";
                writeFile(file + ".html", body);
                frame = QUrl::fromLocalFile(file + ".html").toString();
            } else if (kind == Http) {
                server.answers["/" + name + ".html"] = {200, frameBody(way)};
                frame = server.url("/" + name + ".html");
            } else {
                frame = "data:text/html;base64," + frameBody(way).toBase64();
            }
            const QUrl holder = QUrl::fromLocalFile(
                programFile(("htmls/holder-" + name + ".html").toUtf8().constData()));
            writeFile(holder.toLocalFile(),
                      "<html><body><a id='shipped' href='orvex://Timer.Speed%203'>shipped</a>"
                      "<iframe src='" +
                          frame.toUtf8() + "'></iframe></body></html>");
            const std::size_t before = form->questions.size();
            form->bookmarkNavigate(holder.toString());
            const bool reaches = kind == File || kind == Nested ? true : way == "post";
            const bool asks =
                reaches && way != "key" && way != "location" && way != "form" && way != "open";
            waitFor([&] { return form->questions.size() > before; }, asks ? 4000 : 1500);
            waitFor([&] { return scripts().size() > std::size_t(asked); }, asks ? 1000 : 0);
            // Every command that ran was asked for.
            EXPECT_EQ(scripts().size(), std::size_t(asked + (asks ? 1 : 0)));
            if (!asks) {
                EXPECT_EQ(form->questions.size(), before);
                continue;
            }
            ASSERT_EQ(form->questions.size(), before + 1);
            ++asked;
            const QString from = form->questions.back().from;
            EXPECT_TRUE(from.contains(" (a frame of " + holder.toString())) << from.toStdString();
            // Named by the frame the page holds; a message by its sender's origin.
            if (way != "post") {
                EXPECT_TRUE(from.startsWith(frame + " (")) << from.toStdString();
            }
        }
    }
    EXPECT_EQ(tried, 48);
    EXPECT_EQ(asked, 2 * sameOrigin.size() + 4);

    // The user's own click on the page's link runs at once.
    const QUrl holder = QUrl::fromLocalFile(programFile("htmls/holder-0-key.html"));
    ASSERT_TRUE(load(holder));
    waitFor([] { return false; }, 1000);
    QPoint centre;
    bool measured = false;
    form->browserView->page()->runJavaScript(
        "(function () { var r = document.getElementById('shipped').getBoundingClientRect();"
        "return [r.left + r.width / 2, r.top + r.height / 2]; })()",
        [&](const QVariant& v) {
            const QVariantList xy = v.toList();
            centre = QPoint(xy.value(0).toInt(), xy.value(1).toInt());
            measured = true;
        });
    ASSERT_TRUE(waitFor([&] { return measured; }));
    const std::size_t before = form->questions.size();
    QTest::mouseClick(form->browserView->focusProxy(), Qt::LeftButton, {}, centre);
    ASSERT_TRUE(waitFor([&] { return scripts().size() == std::size_t(asked) + 1; }));
    EXPECT_EQ(scripts().back().text, "Timer.Speed 3");
    EXPECT_EQ(form->questions.size(), before);
}

// A frame's request is named by the origin the browser gives it when it
// claims its page's address or another's, and while the user is leaving its
// page it is refused, not asked.
TEST_F(WebBrowserPane, AFrameIsNamedByItsOriginAndAsksNotWhileItsPageIsLeft) {
    orvextest::LocalHttpServer other;
    const QUrl holder = QUrl::fromLocalFile(programFile("htmls/claims.html"));
    const QByteArray post = "parent.postMessage({orvexLink: true, href: 'orvex://Timer.Speed%207', "
                            "frame: '";
    other.answers["/claims.html"] = {
        200, "<script>setTimeout(function () {" + post + holder.toEncoded() + "'}, '*');" + post +
                 "http://example.org/f.html'}, '*'); }, 300);</script>"};
    other.answers["/late.html"] = {200, "<script>setTimeout(function () {" + post +
                                            "'}, '*'); }, 800);</script>"};
    const QString origin = other.url("");
    form->agree = true;
    for (const char* frame : {"/claims.html", "/late.html"})
        writeFile(programFile((std::string("htmls") + frame).c_str()),
                  "<iframe src='" + other.url(frame).toUtf8() + "'></iframe>");
    form->bookmarkNavigate("./htmls/claims.html");
    ASSERT_TRUE(waitFor([&] { return form->questions.size() == 2; }));
    for (const auto& question : form->questions)
        EXPECT_EQ(question.from, origin + " (a frame of " + holder.toString() + ")");

    QTcpServer silent; // takes the request and never answers: the page stays, being left
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    LogCapture log;
    ASSERT_TRUE(load(QUrl::fromLocalFile(programFile("htmls/late.html"))));
    form->bookmarkNavigate(
        QStringLiteral("http://127.0.0.1:%1/slow.html").arg(silent.serverPort()));
    EXPECT_TRUE(waitFor([&] { return countContaining(log, "its page is being left") == 1; }));
    EXPECT_EQ(form->questions.size(), 2u);
}

// The pane keeps the user's choice while the page moves on by itself: a
// bookmark takes the page shown when Add Bookmark was chosen, text typed in
// the address line stays, and a page whose renderer ended says so and offers
// Reload, which takes the keyboard and gives it back to the page.
TEST_F(WebBrowserPane, ThePaneKeepsTheUsersChoiceWhileThePageMovesOn) {
    writeFile(programFile("htmls/moving.html"),
              "<html><body>moving<script>setTimeout(function () { location.href = "
              "'second.html'; }, 700);</script></body></html>");
    const QUrl moving = QUrl::fromLocalFile(programFile("htmls/moving.html"));
    const auto movedOn = [&] {
        return waitFor([&] { return form->browserView->url().fileName() == "second.html"; });
    };
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    ASSERT_TRUE(load(moving));
    form->browserUrlLine->setFocus();
    form->browserUrlLine->selectAll();
    QTest::keyClicks(form->browserUrlLine, "./htmls/typed");
    ASSERT_TRUE(movedOn());
    waitFor([] { return false; }, 300);
    EXPECT_EQ(form->browserUrlLine->text(), "./htmls/typed");

    ASSERT_TRUE(load(moving));
    {
        // The name is given once the page has moved on.
        orvextest::ModalAnswers answers({}, [&](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            if (!input)
                return orvextest::NextModal::reject(dialog);
            movedOn();
            input->setTextValue("Moving");
            input->accept();
        });
        for (QAction* action : form->bookmarkMenu->actions())
            if (action->text() == "Add Bookmark...")
                action->trigger();
        ASSERT_TRUE(waitFor([&] {
            return !form->bookmarkForm->bmListView->findItems("Moving", Qt::MatchExactly).isEmpty();
        }));
    }
    EXPECT_EQ(form->bookmarkForm->bmListView->findItems("Moving", Qt::MatchExactly)[0]->text(1),
              moving.toString());

    form->browserView->setFocus();
    ASSERT_TRUE(
        waitFor([&] { return form->browserView->isAncestorOf(QApplication::focusWidget()); }));
    ::kill(pid_t(form->browserView->page()->renderProcessPid()), SIGKILL);
    ASSERT_TRUE(waitFor([&] { return form->browserCrashNotice->isVisible(); }));
    EXPECT_FALSE(form->browserView->isVisible());
    EXPECT_TRUE(form->browserCrashNotice->findChild<QLabel*>()->text().contains("stopped"));
    QPushButton* reload = form->browserCrashNotice->reloadButton();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == reload; }));
    QSignalSpy loaded(form->browserView, &QWebEngineView::loadFinished);
    QTest::keyClick(reload, Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return !loaded.isEmpty(); }));
    EXPECT_FALSE(form->browserCrashNotice->isVisible());
    EXPECT_TRUE(
        waitFor([&] { return form->browserView->isAncestorOf(QApplication::focusWidget()); }));
}
