// Scenario fetches: only a successful answer within the size cap is played.
// A small HTTP server on the loopback address gives the answers.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <string>
#include <sys/stat.h>

#include "app/ScenarioFetch.h"
#include "support/LocalHttpServer.h"
#include "support/OneAnswerServer.h"
#include "support/PipeReaderWatch.h"
#include "support/TestEnv.h"

namespace {

using orvextest::OneAnswerServer;

QByteArray answer(const char* status, const QByteArray& body, bool withLength = true) {
    return OneAnswerServer::answer(status, body, withLength);
}

struct Outcome {
    bool fetched = false;
    bool failed = false;
    QByteArray text;
    std::string reason;
};

Outcome run(const QUrl& url) {
    Outcome outcome;
    ScenarioFetch fetch(url);
    QEventLoop loop;
    QObject::connect(&fetch, &ScenarioFetch::fetched, [&](const QByteArray& text) {
        outcome.fetched = true;
        outcome.text = text;
        loop.quit();
    });
    QObject::connect(&fetch, &ScenarioFetch::failed, [&](const QString& reason) {
        outcome.failed = true;
        outcome.reason = reason.toStdString();
        loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    if (!fetch.isFinished())
        loop.exec();
    return outcome;
}

TEST(ScenarioFetch, A2xxAnswerBringsTheTextUpToItsFirstNul) {
    OneAnswerServer server(
        answer("200 OK", QByteArray("Timer.Speed 10\nOrvex.Wait 30\n\0junk", 33)));
    const Outcome outcome = run(server.url("/tour.scn"));
    EXPECT_TRUE(outcome.fetched);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(outcome.text, QByteArray("Timer.Speed 10\nOrvex.Wait 30\n"));
}

TEST(ScenarioFetch, AnErrorPageIsNeverPlayed) {
    OneAnswerServer server(answer("404 Not Found", "Timer.Speed 1000\n"));
    const Outcome outcome = run(server.url("/missing.scn"));
    EXPECT_FALSE(outcome.fetched);
    EXPECT_TRUE(outcome.failed);
}

TEST(ScenarioFetch, AnAnnouncedOversizeIsRefused) {
    OneAnswerServer server(answer("200 OK", QByteArray(ScenarioFetch::maxSize + 1, '#')));
    const Outcome outcome = run(server.url("/big.scn"));
    EXPECT_FALSE(outcome.fetched);
    EXPECT_TRUE(outcome.failed);
}

TEST(ScenarioFetch, AnUnannouncedOversizeIsCutOff) {
    OneAnswerServer server(answer("200 OK", QByteArray(ScenarioFetch::maxSize + 4096, '#'), false));
    const Outcome outcome = run(server.url("/big.scn"));
    EXPECT_FALSE(outcome.fetched);
    EXPECT_TRUE(outcome.failed);
}

TEST(ScenarioFetch, ExactlyTheCapIsAllowed) {
    OneAnswerServer server(answer("200 OK", QByteArray(ScenarioFetch::maxSize, '#')));
    const Outcome outcome = run(server.url("/cap.scn"));
    EXPECT_TRUE(outcome.fetched);
    EXPECT_EQ(outcome.text.size(), ScenarioFetch::maxSize);
}

TEST(ScenarioFetch, LocalFilesAndMissingOnes) {
    orvextest::TempDir temp;
    QFile file(QString::fromStdString(temp.file("a.scn")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Space.Stars 1\n");
    file.close();
    const Outcome found = run(QUrl::fromLocalFile(file.fileName()));
    EXPECT_TRUE(found.fetched);
    EXPECT_EQ(found.text, QByteArray("Space.Stars 1\n"));
    const Outcome missing = run(QUrl::fromLocalFile(QString::fromStdString(temp.file("none.scn"))));
    EXPECT_FALSE(missing.fetched);
    EXPECT_EQ(missing.reason, "No such file or directory");

    // A named pipe is refused by what it is (the watch lets an open that
    // waits for a writer go on, so that the test ends).
    const QString pipe = QString::fromStdString(temp.file("pipe.scn"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    orvextest::PipeReaderWatch watch(pipe);
    EXPECT_EQ(run(QUrl::fromLocalFile(pipe)).reason, "Not a regular file (a named pipe)");
}

TEST(ScenarioFetch, AStalledServerIsToldAsATimeout) {
    orvextest::LocalHttpServer server;
    server.silent.insert("/stalled.scn");
    NetworkFetch fetch(QUrl(server.url("/stalled.scn")), ScenarioFetch::maxSize, nullptr, 200);
    QSignalSpy failed(&fetch, &NetworkFetch::failed);
    ASSERT_TRUE(failed.wait(20000));
    EXPECT_EQ(failed.at(0).at(0).toString().toStdString(), "timed out after 0.2 s");
}

} // namespace
