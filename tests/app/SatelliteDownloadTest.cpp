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
#include <sys/stat.h>
#include <unistd.h>

#include "app/SatelliteDownload.h"
#include "engine/LogMessage.h"
#include "support/ElementLines.h"
#include "support/LocalHttpServer.h"
#include "support/PipeReaderWatch.h"
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

// Lines 1 and 2 of element sets of the shipped data.
const QByteArray issLines =
    "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992\n"
    "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 15.54190080 95614\n";
const QByteArray noaaLines =
    "1 33591U 09005A   18020.91958580  .00000107  00000-0  83477-4 0  9992\n"
    "2 33591  99.1238 356.1693 0014450  24.0615 336.1228 14.12247534461122\n";

// The station's lines with text put into line 2 from column first, its
// checksum right: fields that only their range can refuse.
QByteArray issLinesWith(int first, const char* text) {
    const std::string line2 = issLines.mid(70, 69).toStdString();
    return issLines.left(70) +
           QByteArray::fromStdString(orvextest::changedElementLine(line2, first, text)) + "\n";
}

// Titles that begin as lines 1 and 2 do, and sets that pass every checksum
// but describe no orbit: every field letters, a mean motion of 0 or below,
// an orbit into the Earth, a title of 70,000 bytes.
const QByteArray catalogueTitles =
    "2017-071N\n" + issLines + "1KUNS-PF\n" + noaaLines + "2ND STAGE DEB\n" + issLines;
const QByteArray letters = "JUNK\n" + issLinesWith(9, "ABCDEFGH IJKLMNOP QRSTUVW XYZABCDE "
                                                      "FGHIJKLM NOPQRSTUVWX");
const QByteArray still = "STILL\n" + issLinesWith(53, " 0.00000000");
const QByteArray backwards = "BACKWARDS\n" + issLinesWith(53, "-1.00000000");
const QByteArray plunging = "PLUNGING\n" + issLinesWith(27, "9999999");
const QByteArray longTitle = QByteArray(70000, 'T') + "\n" + issLines;

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
    server.answers["/gp.php?GROUP=stations&FORMAT=tle"] = {200, "ISS (ZARYA)\n" + issLines};
    server.answers["/gp.php?GROUP=weather&FORMAT=tle"] = {200, "NOAA 19\n" + noaaLines};
    server.answers["/other/gp.php?GROUP=stations"] = {200, "SOMETHING ELSE\n"};

    SatelliteDownload download;
    LogCapture log;
    ASSERT_TRUE(download.start({server.url("/gp.php?GROUP=stations&FORMAT=tle"),
                                server.url("/gp.php?GROUP=weather&FORMAT=tle"),
                                server.url("/other/gp.php?GROUP=stations")},
                               QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));

    EXPECT_EQ(readAll(dir.file("stations.tle")), "ISS (ZARYA)\n" + issLines);
    EXPECT_EQ(readAll(dir.file("weather.tle")), "NOAA 19\n" + noaaLines);
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
    server.answers["/good.tle"] = {200, "  GOOD 1 \n" + noaaLines};
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
    EXPECT_EQ(readAll(dir.file("good.tle")), "GOOD 1\n" + noaaLines);
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

// Outcomes as lines "group+" (stored) or "group-reason".
std::string outcomeTexts(const SatelliteDownload& download) {
    QStringList texts;
    for (const SatelliteDownload::Outcome& o : download.outcomes())
        texts << o.group + (o.stored ? "+" : "-" + o.reason);
    return texts.join('\n').toStdString();
}

TEST(SatelliteDownload, LocalFilesAreCheckedBeforeTheyAreOpenedAndTheRunGoesOn) {
    orvextest::TempDir from, dir;
    const auto path = [&](const char* name) { return QString::fromStdString(from.file(name)); };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.tle")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(path("folder.tle")));
    writeAll(from.file("locked.tle"), "LOCKED\n" + issLines);
    ::chmod(QFile::encodeName(path("locked.tle")).constData(), 0);
    // Lets an open that waits for a writer go on, so that the test ends.
    orvextest::PipeReaderWatch watch(path("pipe.tle"));
    QString error;
    EXPECT_TRUE(SatelliteDownload::readUrlList(path("pipe.tle"), &error).isEmpty());
    EXPECT_EQ(error, "Not a regular file (a named pipe)");

    // Each refused file is followed by a good one.
    const std::pair<const char*, const char*> files[] = {
        {"pipe.tle", "Not a regular file (a named pipe)"},
        {"folder.tle", "Is a directory"},
        {"missing.tle", "No such file or directory"},
        {"locked.tle", ::geteuid() != 0 ? "Permission denied" : nullptr}}; // root reads it
    QStringList urls, expected;
    for (const auto& [name, reason] : files) {
        const QByteArray good = QByteArray("good-") + name;
        writeAll(from.file(good.toStdString()), good + "\n" + noaaLines);
        urls << QUrl::fromLocalFile(path(name)).toString()
             << QUrl::fromLocalFile(path(good)).toString();
        expected << name + (reason ? "-" + path(name) + " cannot be read: " + reason : "+")
                 << good + "+";
    }
    SatelliteDownload download;
    LogCapture log;
    ASSERT_TRUE(download.start(urls, QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));
    EXPECT_EQ(outcomeTexts(download), expected.join('\n').toStdString());
    EXPECT_TRUE(log.contains("pipe.tle cannot be read (Not a regular file (a named pipe))"));
}

TEST(SatelliteDownload, AStalledTransferIsToldAsATimeout) {
    orvextest::TempDir dir;
    orvextest::LocalHttpServer server;
    server.silent.insert("/stalled.tle");
    SatelliteDownload download;
    download.setTransferTimeout(200);
    ASSERT_TRUE(download.start({server.url("/stalled.tle"), server.url("/next.tle")},
                               QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));
    EXPECT_EQ(outcomeTexts(download), "stalled.tle-the transfer failed: timed out after 0.2 s\n"
                                      "next.tle-not fetched: the update stopped at the failed "
                                      "transfer");
}

TEST(SatelliteDownload, OnlyWholeElementSetsPassTheCheck) {
    // Every shipped element file, comments and all.
    const QDir shipped(QString::fromStdString(orvextest::shareDir() + "/data/orbits/asatellites"));
    const QStringList files = shipped.entryList({"*.tle"}, QDir::Files);
    EXPECT_GE(files.size(), 10);
    for (const QString& name : files) {
        QFile file(shipped.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(SatelliteDownload::elementFault(SatelliteDownload::elementText(file.readAll())),
                  QString())
            << name.toStdString();
    }
    // Blank lines and comments between sets, carriage returns and trailing blanks.
    QByteArray spaced =
        "# two sets\r\nISS (ZARYA)  \r\n" + issLines + "\n  \n0 NOAA 19\n" + noaaLines;
    spaced.replace("\n", " \r\n");
    EXPECT_EQ(SatelliteDownload::elementFault(SatelliteDownload::elementText(spaced)), QString());
    EXPECT_EQ(SatelliteDownload::elementFault(catalogueTitles), QString());

    QByteArray badSum = issLines;
    badSum[68] = '3';
    QByteArray otherNumber = noaaLines;
    otherNumber.replace("2 33591", "2 33592");
    otherNumber[138] = '3'; // its own checksum still right
    QByteArray shifted = issLines;
    shifted.replace("98067A   18020", "98067A  18020 ");
    const std::pair<QByteArray, const char*> faults[] = {
        {"SAT\n1 " + QByteArray(67, 'X') + "\n2 " + QByteArray(67, 'Y') + "\n",
         "line 1 of the element set SAT is not in the columns of an element line"},
        {"ISS\n" + badSum, "line 1 of the element set ISS fails its checksum"},
        {"NOAA 19\n" + otherNumber,
         "the two lines of the element set NOAA 19 name different catalogue numbers"},
        {"ISS\n" + shifted, "line 1 of the element set ISS is not in the columns of an element "
                            "line"},
        {"ISS\n" + issLines.left(60) + "\n" + issLines.mid(70),
         "line 1 of the element set ISS has 60 characters instead of 69"},
        {"ISS\n" + issLines.left(70), "the element set ISS is not whole: line 2 is missing"},
        {"ISS\n  \n" + issLines, "the answer holds a line outside any element set: ISS"},
        {"ISS\n" + issLines + noaaLines,
         "the answer holds a line outside any element set: 1 33591U 09005A   18020.91958580  "
         ".00000"},
        {"NOAA 19\n" + noaaLines + "<html>\n",
         "the answer holds a line outside any element set: <html>"},
        {"# nothing today\n", "the answer holds no element sets"},
        {letters, "the inclination in line 2 of the element set JUNK is no number"},
        {still, "the mean motion in line 2 of the element set STILL is 0.00000000, not above 0"},
        {backwards,
         "the mean motion in line 2 of the element set BACKWARDS is -1.00000000, not above 0"},
        {plunging, "the perigee of the element set PLUNGING lies inside the Earth"},
        {"ISS\n" + issLinesWith(35, "360.0001"),
         "the argument of perigee in line 2 of the element set ISS is 360.0001, outside 0 to 360"},
        {longTitle, "the title of the element set " // its first 40 characters
                    "TTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTT has 70000 characters, more than 69"},
        {catalogueTitles + "1 25544U\n", "the answer holds a line outside any element set: 1 "
                                         "25544U"},
    };
    for (const auto& [answer, fault] : faults)
        EXPECT_EQ(SatelliteDownload::elementFault(SatelliteDownload::elementText(answer)), fault)
            << answer.toStdString();
}

TEST(SatelliteDownload, AnAnswerThatIsNotWholeElementSetsNeverReplacesTheStoredSet) {
    orvextest::TempDir dir;
    QFile shipped(
        QString::fromStdString(orvextest::shareDir() + "/data/orbits/asatellites/weather.tle"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray weather = shipped.readAll();
    const char* const groups[] = {"weather.tle", "stations.tle", "noaa.tle",    "visual.tle",
                                  "gps-ops.tle", "amateur.tle",  "cubesat.tle", "molniya.tle",
                                  "science.tle", "iridium.tle",  "galileo.tle"};
    for (const char* group : groups)
        writeAll(dir.file(group), weather);

    orvextest::LocalHttpServer server;
    QByteArray badSum = noaaLines;
    badSum[68] = '0';
    QByteArray otherNumber = noaaLines;
    otherNumber.replace("2 33591", "2 33592");
    otherNumber[138] = '3';
    // An error page served as a success; the junk of a broken server; a set
    // with a wrong checksum and one of two catalogue numbers after a good
    // set; lines 1 and 2 without a title.
    server.answers["/weather.tle"] = {200, "<html><body>Service unavailable</body></html>\n"};
    server.answers["/stations.tle"] = {200, "SAT\n1 " + QByteArray(67, 'X') + "\n2 " +
                                                QByteArray(67, 'Y') + "\n"};
    server.answers["/noaa.tle"] = {200, "NOAA 19\n" + badSum};
    server.answers["/visual.tle"] = {200, "ISS\n" + issLines + "NOAA 19\n" + otherNumber};
    server.answers["/gps-ops.tle"] = {200, issLines};
    server.answers["/amateur.tle"] = {200, letters};
    server.answers["/cubesat.tle"] = {200, still};
    server.answers["/molniya.tle"] = {200, backwards};
    server.answers["/science.tle"] = {200, plunging};
    server.answers["/iridium.tle"] = {200, "NOAA 19\n" + noaaLines + longTitle};
    // Titles that begin as lines 1 and 2 do are stored.
    server.answers["/galileo.tle"] = {200, catalogueTitles};
    SatelliteDownload download;
    LogCapture log;
    QStringList urls;
    for (const char* group : groups)
        urls << server.url(QString("/") + group);
    ASSERT_TRUE(download.start(urls, QString::fromStdString(dir.path())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !download.isRunning(); }, 20000));

    for (const char* group : groups)
        if (QByteArray(group) != "galileo.tle")
            EXPECT_EQ(readAll(dir.file(group)), weather) << group;
    EXPECT_EQ(readAll(dir.file("galileo.tle")), catalogueTitles);
    EXPECT_TRUE(log.contains("is not whole element sets"));
    QStringList reasons;
    for (const SatelliteDownload::Outcome& o : download.outcomes()) {
        EXPECT_EQ(o.stored, o.group == "galileo.tle") << o.group.toStdString();
        reasons << o.reason;
    }
    EXPECT_EQ(reasons,
              QStringList({"the answer holds a line outside any element set: "
                           "<html><body>Service unavailable</body></",
                           "line 1 of the element set SAT is not in the columns of an element line",
                           "line 1 of the element set NOAA 19 fails its checksum",
                           "the two lines of the element set NOAA 19 name different catalogue "
                           "numbers",
                           "the answer holds a line outside any element set: 1 25544U 98067A   "
                           "18020.89808844  .00002",
                           "the inclination in line 2 of the element set JUNK is no number",
                           "the mean motion in line 2 of the element set STILL is 0.00000000, not "
                           "above 0",
                           "the mean motion in line 2 of the element set BACKWARDS is -1.00000000, "
                           "not above 0",
                           "the perigee of the element set PLUNGING lies inside the Earth",
                           "the title of the element set " + QString(40, 'T') +
                               " has 70000 characters, more than 69",
                           ""}));
}

} // namespace
