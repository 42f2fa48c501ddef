// The satellite update's transfer: the URL list and stored-text rules, the
// file names it accepts, and a run against a local server in which answers
// that are too large or break off never replace stored element data.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <string>

#include "app/SatelliteDownload.h"
#include "engine/LogMessage.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnv.h"

namespace {

QByteArray readAll(const std::string& file) {
    QFile in(QString::fromStdString(file));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(missing)");
}

void writeAll(const std::string& file, const QByteArray& text) {
    QFile out(QString::fromStdString(file));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
}

TEST(SatelliteDownload, ListAndTextRules) {
    orvextest::TempDir dir;
    writeAll(dir.file("list"), "http://a/x.tle\r\n\r\n  \n  http://b/y.tle \n\nhttp://c/z.tle");
    EXPECT_EQ(SatelliteDownload::readUrlList(QString::fromStdString(dir.file("list"))),
              QStringList({"http://a/x.tle", "http://b/y.tle", "http://c/z.tle"}));

    // Past the byte limit: the URL cut off by it is not fetched.
    QByteArray longList;
    while (longList.size() < SatelliteDownload::urlListMaxBytes - 40)
        longList += "http://host/0123456789.tle\n";
    const int whole = longList.count('\n');
    const int wholeBytes = longList.size();
    longList += "http://host/cut-off-by-the-limit-of-the-list.tle\nhttp://host/last.tle\n";
    writeAll(dir.file("long"), longList);
    {
        LogCapture log;
        const QStringList urls =
            SatelliteDownload::readUrlList(QString::fromStdString(dir.file("long")));
        EXPECT_EQ(urls.size(), whole);
        EXPECT_EQ(urls.last(), "http://host/0123456789.tle");
        EXPECT_TRUE(log.contains("only its first 65535 bytes"));
    }
    // A line whose line feed is the first byte past the limit is whole.
    longList.truncate(wholeBytes);
    longList +=
        "http://host/" + QByteArray(SatelliteDownload::urlListMaxBytes - wholeBytes - 12, 'x');
    longList += "\nhttp://host/next.tle\n";
    writeAll(dir.file("long"), longList);
    EXPECT_EQ(SatelliteDownload::readUrlList(QString::fromStdString(dir.file("long"))).size(),
              whole + 1);
    {
        LogCapture log;
        EXPECT_TRUE(
            SatelliteDownload::readUrlList(QString::fromStdString(dir.file("none"))).isEmpty());
        EXPECT_TRUE(log.contains("Could not open satellite URL list file"));
    }

    // Empty lines go; a line of blanks or a lone carriage return stays, empty.
    EXPECT_EQ(SatelliteDownload::elementText("ISS (ZARYA)  \r\n1 25544U\t\n\n \n\r\n2 25544"),
              QByteArray("ISS (ZARYA)\n1 25544U\n\n\n2 25544\n"));
    EXPECT_EQ(SatelliteDownload::elementText("\n\n"), QByteArray());

    EXPECT_EQ(SatelliteDownload::storedName(QUrl("https://h/NORAD/elements/noaa.tle")), "noaa.tle");
    for (const char* bad : {"http://h/", "http://h", "http://h/a/..", "http://h/a/.",
                            "http://h/a%5C..%5Cb", "http://h/a%00b", "http://h/x%0Ay"})
        EXPECT_EQ(SatelliteDownload::storedName(QUrl(bad)), QString()) << bad;
    // An encoded slash is a separator like any other: only the last part counts.
    EXPECT_EQ(SatelliteDownload::storedName(QUrl("http://h/x/..%2F..%2Fevil.tle")), "evil.tle");

    // One script serving every group: the group names the file, and nothing
    // of the query can leave the directory or hide the file.
    EXPECT_EQ(SatelliteDownload::storedName(
                  QUrl("https://h/NORAD/elements/gp.php?GROUP=stations&FORMAT=tle")),
              "stations.tle");
    EXPECT_EQ(SatelliteDownload::storedName(QUrl("https://h/gp.php?format=tle&group=gps-ops")),
              "gps-ops.tle");
    EXPECT_EQ(SatelliteDownload::storedName(QUrl("https://h/gp.php?GROUP=../../etc%2Fx")),
              "_._.._etc_x.tle");
    EXPECT_EQ(SatelliteDownload::storedName(QUrl("https://h/gp.php?CATNR=25544")),
              "gp.php_CATNR_25544");
}

TEST(SatelliteDownload, GroupsOfOneScriptNeverOverwriteEachOther) {
    orvextest::TempDir dir;
    orvextest::LocalHttpServer server;
    server.answers["/gp.php?GROUP=stations&FORMAT=tle"] = {200, "ISS (ZARYA)\n1 a\n2 b\n"};
    server.answers["/gp.php?GROUP=weather&FORMAT=tle"] = {200, "NOAA 19\n1 c\n2 d\n"};
    server.answers["/other/gp.php?GROUP=stations"] = {200, "SOMETHING ELSE\n"};

    SatelliteDownload download;
    LogCapture log;
    ASSERT_TRUE(download.start({server.url("/gp.php?GROUP=stations&FORMAT=tle"),
                                server.url("/gp.php?GROUP=weather&FORMAT=tle"),
                                server.url("/other/gp.php?GROUP=stations")},
                               QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));

    EXPECT_EQ(readAll(dir.file("stations.tle")), QByteArray("ISS (ZARYA)\n1 a\n2 b\n"));
    EXPECT_EQ(readAll(dir.file("weather.tle")), QByteArray("NOAA 19\n1 c\n2 d\n"));
    // A later address of the same name is not fetched at all.
    EXPECT_EQ(server.requested.size(), 2);
    EXPECT_TRUE(log.contains("like an earlier address"));
}

TEST(SatelliteDownload, TheShippedListFetchesEveryGroupIntoAFileOfItsOwn) {
    const QStringList urls = SatelliteDownload::readUrlList(
        QString::fromStdString(orvextest::shareDir() + "/data/asatellites.lst"));
    ASSERT_GE(urls.size(), 5);
    QStringList names;
    for (const QString& url : urls) {
        const QString name = SatelliteDownload::storedName(QUrl(url));
        EXPECT_FALSE(name.isEmpty()) << url.toStdString();
        EXPECT_FALSE(names.contains(name)) << url.toStdString();
        names << name;
    }
    for (const char* group :
         {"stations.tle", "visual.tle", "gps-ops.tle", "geo.tle", "weather.tle"})
        EXPECT_TRUE(names.contains(group)) << group;
}

TEST(SatelliteDownload, RunSkipsBadAnswersAndStopsWhereTheTransferFails) {
    orvextest::TempDir dir;
    writeAll(dir.file("big.tle"), "old big\n");
    writeAll(dir.file("broken.tle"), "old broken\n");

    orvextest::LocalHttpServer server;
    server.answers["/big.tle"] = {200, QByteArray(5000, 'x'), -2};
    server.answers["/good.tle"] = {200, "  GOOD 1 \n1 a\n2 b\n"};
    server.answers["/broken.tle"] = {200, "NEW\n1 a\n", 1000};
    server.answers["/late.tle"] = {200, "LATE\n"};

    SatelliteDownload download;
    download.setMaxBytes(1000);
    QSignalSpy finished(&download, &SatelliteDownload::finishedAll);
    LogCapture log;
    ASSERT_TRUE(download.start({"not a url", server.url("/big.tle"), server.url("/"),
                                server.url("/good.tle"), server.url("/broken.tle"),
                                server.url("/late.tle")},
                               QString::fromStdString(dir.path())));
    EXPECT_FALSE(download.start({server.url("/late.tle")}, QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));
    QTest::qWait(20);

    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(server.requested, QStringList({"/big.tle", "/good.tle", "/broken.tle"}));
    EXPECT_EQ(readAll(dir.file("good.tle")), QByteArray("GOOD 1\n1 a\n2 b\n"));
    EXPECT_EQ(readAll(dir.file("big.tle")), QByteArray("old big\n"));
    EXPECT_EQ(readAll(dir.file("broken.tle")), QByteArray("old broken\n"));
    EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(log.contains("is not a URL"));
    EXPECT_TRUE(log.contains("names no file"));
    EXPECT_TRUE(log.contains("larger than 1000 bytes"));
    EXPECT_TRUE(log.contains("the update stops"));

    // Every address has its outcome, those after the broken transfer too.
    QStringList outcomes;
    for (const SatelliteDownload::Outcome& o : download.outcomes())
        outcomes << o.group + (o.stored ? "+" : "-" + o.reason.section(':', 0, 0));
    EXPECT_EQ(
        outcomes,
        QStringList({"not a url-not a web address", "big.tle-the answer is larger than 1000 bytes",
                     server.url("/") + "-the address names no file to store", "good.tle+",
                     "broken.tle-the transfer failed", "late.tle-not fetched"}));
}

TEST(SatelliteDownload, AnAnswerThatIsNotElementDataNeverReplacesTheStoredSet) {
    orvextest::TempDir dir;
    QFile shipped(
        QString::fromStdString(orvextest::shareDir() + "/data/orbits/asatellites/weather.tle"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray weather = shipped.readAll();
    writeAll(dir.file("weather.tle"), weather);
    writeAll(dir.file("stations.tle"), weather);
    EXPECT_TRUE(SatelliteDownload::holdsElementSets(SatelliteDownload::elementText(weather)));

    orvextest::LocalHttpServer server;
    // An error page served as a success, and text that only looks like sets:
    // a title followed by one line, or lines 1 and 2 without a title.
    server.answers["/weather.tle"] = {200, "<html><body>Service unavailable</body></html>\n"};
    server.answers["/stations.tle"] = {
        200, "ISS (ZARYA)\n1 25544U 98067A   18020.5 .00001 00000-0 2-4 0 9990\n  \n"
             "2 25544  51.64 1.0 0003 1.0 1.0 15.54 10000\n"};
    server.answers["/noaa.tle"] = {200, "1 33591U 09005A   18020.5 .00001 00000-0 2-4 0 9990\n"
                                        "2 33591  99.1 1.0 0014 1.0 1.0 14.12 10000\n"};
    SatelliteDownload download;
    LogCapture log;
    ASSERT_TRUE(download.start(
        {server.url("/weather.tle"), server.url("/stations.tle"), server.url("/noaa.tle")},
        QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));

    EXPECT_EQ(readAll(dir.file("weather.tle")), weather);
    EXPECT_EQ(readAll(dir.file("stations.tle")), weather);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.file("noaa.tle"))));
    EXPECT_TRUE(log.contains("holds no element sets"));
    ASSERT_EQ(download.outcomes().size(), 3);
    for (const SatelliteDownload::Outcome& o : download.outcomes()) {
        EXPECT_FALSE(o.stored) << o.group.toStdString();
        EXPECT_EQ(o.reason, "the answer holds no element sets");
    }
}

} // namespace
