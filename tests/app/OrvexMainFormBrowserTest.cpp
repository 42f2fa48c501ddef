// The browser pane's slots on a recording fake engine: the link decision with
// its trust rules, command links played and shown, fetched scenarios, media
// links and ordinary navigation.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

#include "app/ScenarioFetch.h"
#include "engine/LogMessage.h"
#include "support/MainFormFixture.h"
#include "support/OneAnswerServer.h"
#include "ui/QDropButton.h"

namespace {

using orvextest::MainFormFixture;

class BrowserPane : public MainFormFixture {
protected:
    QString writeProgramFile(const char* name, const QByteArray& bytes) {
        const QString path = programFile(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    std::vector<orvextest::FakeRoot::Run>& scripts() { return engine.recorded.scripts; }
};

TEST_F(BrowserPane, WithoutAPreparedApplicationThereIsNoWebView) {
    EXPECT_EQ(form->browserView, nullptr);
    EXPECT_EQ(form->programDir(), QDir::currentPath());
}

TEST_F(BrowserPane, ACommandLinkTheUserGivesIsPlayedAndShown) {
    form->scenarioEdit->setPlainText("earlier text");
    form->scenarioEdit->document()->setModified(false); // as if saved
    form->browserUrlLine->setText("orvex://Timer.Speed%2010/");
    form->browserUrlSlot();
    ASSERT_EQ(scripts().size(), 1u);
    EXPECT_EQ(scripts()[0].text, "Timer.Speed 10");
    EXPECT_EQ(scripts()[0].runAll, 0);
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 10");
    EXPECT_TRUE(form->questions.empty());
    // Neither the caption nor the URL line follow a command link.
    EXPECT_FALSE(form->windowTitle().contains("orvex://"));
}

TEST_F(BrowserPane, CommandsFromPagesOfTheProgramRunAtOnce) {
    const QString page = writeProgramFile("htmls/index.html", "<html></html>");
    EXPECT_FALSE(form->beforeNavigate("orvex://Space.Stars%201",
                                      Requester::page(QUrl::fromLocalFile(page))));
    ASSERT_EQ(scripts().size(), 1u);
    EXPECT_EQ(scripts()[0].text, "Space.Stars 1");
    EXPECT_TRUE(form->questions.empty());
}

TEST_F(BrowserPane, CommandsFromAnywhereElseRunOnlyWhenTheUserAgrees) {
    const QUrl web("http://example.org/evil.html");
    form->scenarioEdit->setPlainText("mine");
    EXPECT_FALSE(form->beforeNavigate("orvex://Orvex.SaveOptions%20x;Timer.Speed%205",
                                      Requester::page(web)));
    ASSERT_EQ(form->questions.size(), 1u);
    EXPECT_EQ(form->questions[0].from, web.toString());
    EXPECT_EQ(form->questions[0].text, "Orvex.SaveOptions x\nTimer.Speed 5");
    EXPECT_TRUE(scripts().empty());
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "mine");

    // A frame whose page is not known, and a file outside the program directory.
    orvextest::TempDir elsewhere;
    QFile outside(QString::fromStdString(elsewhere.file("page.html")));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.close();
    form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(QUrl()));
    form->beforeNavigate("orvex://Timer.Speed%205",
                         Requester::page(QUrl::fromLocalFile(outside.fileName())));
    EXPECT_EQ(form->questions.size(), 3u);
    EXPECT_TRUE(scripts().empty());

    // Refused once, a page (any page of its server) asks no more, also for a
    // scenario, until the user loads a page of it again.
    form->agree = true;
    {
        LogCapture log;
        form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(web));
        form->beforeNavigate("http://example.org/tour.scn",
                             Requester::page(QUrl("http://example.org/b.html")));
        form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(web));
        EXPECT_EQ(form->questions.size(), 3u);
        // A page that posts in a loop is noted once, not for every request.
        ASSERT_EQ(log.messages().size(), 1u);
        EXPECT_TRUE(log.contains("Commands of http://example.org/evil.html refused: the user "
                                 "refused the commands of this page until it is loaded again"));
    }
    EXPECT_EQ(form->scenarioDownload, nullptr);
    form->bookmarkNavigate("http://example.org/other.html");
    form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(web));
    EXPECT_EQ(form->questions.size(), 4u);
    ASSERT_EQ(scripts().size(), 1u);
    EXPECT_EQ(scripts()[0].text, "Timer.Speed 5");

    // Loaded again and refused again, it is noted again, once.
    form->agree = false;
    form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(web));
    LogCapture log;
    form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(web));
    form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(web));
    EXPECT_EQ(form->questions.size(), 5u);
    EXPECT_EQ(log.messages().size(), 1u);
}

TEST_F(BrowserPane, MediaLinksGoToTheMediaViewer) {
    const QString movie = writeProgramFile("media/movie.wmv", "x");
    const QString url = QUrl::fromLocalFile(movie).toString();
    EXPECT_FALSE(form->beforeNavigate(url, Requester::page(QUrl())));
    EXPECT_TRUE(form->mediaButton->isChecked());
    EXPECT_TRUE(mediaForm->currentFile().endsWith("media/movie.wmv"));
    EXPECT_TRUE(form->browserUrlLine->text().isEmpty());
}

TEST_F(BrowserPane, OtherAddressesAreFollowedWithCaptionAndUrlLine) {
    EXPECT_TRUE(form->beforeNavigate("http://example.org/pic.JPG", Requester::page(QUrl())));
    EXPECT_EQ(form->browserUrlLine->text(), "http://example.org/pic.JPG");
    EXPECT_EQ(form->windowTitle(), "http://example.org/pic.JPG - Orvex Studio");
    EXPECT_EQ(form->browserUrl(), "http://example.org/pic.JPG");

    // A frame of the page is followed, and changes neither.
    EXPECT_TRUE(
        form->beforeNavigate("http://ads.example.net/frame.html",
                             Requester::frame("http://ads.example.net/frame.html", QUrl())));
    EXPECT_EQ(form->browserUrlLine->text(), "http://example.org/pic.JPG");
    EXPECT_EQ(form->windowTitle(), "http://example.org/pic.JPG - Orvex Studio");
}

TEST_F(BrowserPane, HomeAndUrlLinePathsStartAtTheProgramDirectory) {
    form->browserHomeSlot();
    EXPECT_EQ(form->browserUrlLine->text(), programDir() + "/htmls/index.html");
    EXPECT_EQ(form->resolvePath(".\\a\\b.html"), "./a/b.html");
    EXPECT_EQ(form->resolvePath("./a\\b.html"), programDir() + "/a/b.html");
}

TEST_F(BrowserPane, AScenarioLinkOfTheProgramIsFetchedAndPlayed) {
    const QString file = writeProgramFile("htmls/tour.scn", "Timer.Speed 10\nOrvex.Wait 30\n");
    const QString page = writeProgramFile("htmls/index.html", "<html></html>");
    EXPECT_FALSE(form->beforeNavigate(QUrl::fromLocalFile(file).toString(),
                                      Requester::page(QUrl::fromLocalFile(page))));
    ASSERT_TRUE(waitFor([&] { return !scripts().empty(); }));
    EXPECT_EQ(scripts()[0].text, "Timer.Speed 10\nOrvex.Wait 30\n");
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 10\nOrvex.Wait 30\n");
    EXPECT_TRUE(form->questions.empty());

    // Typed into the URL line as a program path, the same.
    form->browserUrlLine->setText("./htmls/tour.scn");
    form->browserUrlSlot();
    ASSERT_TRUE(waitFor([&] { return scripts().size() == 2; }));
}

TEST_F(BrowserPane, AnOversizedScenarioPlaysNothing) {
    const QString file =
        writeProgramFile("big.scn", QByteArray(int(ScenarioFetch::maxSize) + 10, '#'));
    form->bookmarkNavigate(file);
    ASSERT_NE(form->scenarioDownload, nullptr);
    ASSERT_TRUE(waitFor([&] { return form->scenarioDownload->isFinished(); }));
    EXPECT_TRUE(scripts().empty());
    EXPECT_TRUE(form->questions.empty());
}

TEST_F(BrowserPane, AFetchedScenarioFromTheWebAsksFirstAndA404PlaysNothing) {
    orvextest::OneAnswerServer ok(orvextest::OneAnswerServer::answer("200 OK", "Timer.Speed 3\n"));
    form->beforeNavigate(ok.url("/a.scn").toString(), Requester::user());
    ASSERT_TRUE(waitFor([&] { return !form->questions.empty(); }));
    EXPECT_EQ(form->questions[0].text, "Timer.Speed 3\n");
    EXPECT_TRUE(scripts().empty());

    orvextest::OneAnswerServer missing(
        orvextest::OneAnswerServer::answer("404 Not Found", "Timer.Speed 3\n"));
    form->agree = true;
    form->beforeNavigate(missing.url("/b.scn").toString(), Requester::user());
    ASSERT_TRUE(waitFor([&] { return form->scenarioDownload->isFinished(); }));
    EXPECT_EQ(form->questions.size(), 1u);
    EXPECT_TRUE(scripts().empty());
}

TEST_F(BrowserPane, ANewScenarioLinkAbandonsTheFetchBeforeIt) {
    const QString first = writeProgramFile("one.scn", "Timer.Speed 1\n");
    const QString second = writeProgramFile("two.scn", "Timer.Speed 2\n");
    form->bookmarkNavigate(first);
    form->bookmarkNavigate(second);
    ASSERT_TRUE(waitFor([&] { return form->scenarioDownload->isFinished(); }));
    waitFor([] { return false; }, 100);
    ASSERT_EQ(scripts().size(), 1u);
    EXPECT_EQ(scripts()[0].text, "Timer.Speed 2\n");
}

} // namespace

namespace {

// A page of the program seen to hold a frame from elsewhere may be scripted by
// it: the page's requests that the user did not make ask, named by the frame
// and the page; the user's own click runs at once. Frames of the page's own
// making and of the program change nothing. A frame is never trusted, whatever
// address it gives.
TEST_F(BrowserPane, APageHoldingAFrameOfElsewhereAsksForWhatItsScriptsRequest) {
    orvextest::TempDir elsewhere;
    const QString outside = QString::fromStdString(elsewhere.file("frame.html"));
    QFile(outside).open(QIODevice::WriteOnly);
    const QString tour = writeProgramFile("htmls/tour.scn", "Timer.Speed 4\n");
    const struct {
        QString frame;
        bool fromElsewhere;
    } frames[] = {{"about:srcdoc", false},
                  {QUrl::fromLocalFile(writeProgramFile("htmls/inner.html", "")).toString(), false},
                  {QUrl::fromLocalFile(outside).toString(), true},
                  {"data:text/html,x", true},
                  {"http://127.0.0.1:9/frame.html", true}};
    form->agree = true;
    int row = 0;
    for (const auto& f : frames) {
        SCOPED_TRACE(f.frame.toStdString());
        const QUrl page = QUrl::fromLocalFile(writeProgramFile(
            QStringLiteral("htmls/holder%1.html").arg(++row).toLatin1().constData(), ""));
        EXPECT_TRUE(form->beforeNavigate(f.frame, Requester::frame(f.frame, page)));
        const std::size_t asked = form->questions.size();
        const std::size_t ran = scripts().size();
        form->beforeNavigate("orvex://Timer.Speed%202", Requester::page(page, true));
        EXPECT_EQ(form->questions.size(), asked);
        form->beforeNavigate("orvex://Timer.Speed%202", Requester::page(page));
        form->beforeNavigate(QUrl::fromLocalFile(tour).toString(), Requester::page(page));
        ASSERT_TRUE(waitFor([&] { return scripts().size() == ran + 3; }));
        ASSERT_EQ(form->questions.size(), asked + (f.fromElsewhere ? 2 : 0));
        for (std::size_t i = asked; i < form->questions.size(); ++i) {
            EXPECT_EQ(form->questions[i].from, f.frame + " (a frame of " + page.toString() + ")");
        }
    }
    // A frame that gives the address of its page, or of a file of the program,
    // asks all the same.
    const QUrl page = QUrl::fromLocalFile(programFile("htmls/holder1.html"));
    const std::size_t asked = form->questions.size();
    form->beforeNavigate("orvex://Timer.Speed%202", Requester::frame(page.toString(), page));
    EXPECT_EQ(form->questions.size(), asked + 1);
    // The page holding the file's frame, its query changed in place by a script.
    const QUrl moved(QUrl::fromLocalFile(programFile("htmls/holder3.html")).toString() + "?moved");
    form->beforeNavigate("orvex://Timer.Speed%202", Requester::page(moved));
    EXPECT_EQ(form->questions.size(), asked + 2);
}

// A frame asks no more once the user is leaving the page that holds it.
TEST(CommandGate, AFrameOfAPageBeingLeftIsRefused) {
    CommandGate gate;
    const QUrl page("file:///p/a.html"), next("http://example.org/b.html");
    const QUrl frame("http://example.net/f.html");
    EXPECT_EQ(gate.refusal(frame, page), "");
    gate.userLoads(next, page);
    EXPECT_EQ(gate.refusal(frame, page), "its page is being left");
    EXPECT_EQ(gate.refusal(frame, next), "");
    // A load stopped leaves the page shown: its frames ask again.
    gate.shows(page);
    EXPECT_EQ(gate.refusal(frame, page), "");
}

} // namespace
