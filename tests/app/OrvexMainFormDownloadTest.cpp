// The artificial-satellite update button against a local server and a
// recording engine: files stored trimmed in the engine's satellite directory,
// a missing and an oversized file that change nothing, one run at a time, and
// the engine's reload and the list refresh once per run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <string>
#include <vector>

#include "app/OrvexMainForm.h"
#include "app/SatelliteDownload.h"
#include "engine/LogMessage.h"
#include "platform/CurrentDirGuard.h"
#include "support/FakeEngine.h"
#include "support/LocalHttpServer.h"
#include "support/SettingsSandbox.h"
#include "support/TestEnv.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace {

using Lines = std::vector<std::string>;

// Counts the refreshes of the satellite display list and keeps the warnings.
class DownloadForm : public OrvexMainForm {
public:
    void updateASatellitesList() override { ++refreshes; }
    void showWarning(const QString& text) override { warnings << text; }
    int refreshes = 0;
    QStringList warnings;
};

// An element set of the shipped data.
const char* const noaaSet =
    "NOAA 19\n"
    "1 33591U 09005A   18020.91958580  .00000107  00000-0  83477-4 0  9992\n"
    "2 33591  99.1238 356.1693 0014450  24.0615 336.1228 14.12247534461122\n";

// Lines 1 and 2 of another.
const char* const gpsSet =
    "1 24876U 97035A   18020.44858769  .00000075  00000-0  00000-0 0  9995\n"
    "2 24876  55.5099 218.5673 0034717  93.9876 266.4418  2.00565175150387\n";

class SatelliteUpdate : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    // The window reads and writes its bookmarks in the working directory it
    // was made in: a scratch one, never the directory the tests run from.
    orvextest::TempDir work;
    platform::CurrentDirGuard inWork{work.path()};
    orvextest::FakeEngine engine;
    orvextest::FakeRoot& root = engine.recorded;
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    DownloadForm form;
    orvextest::LocalHttpServer server;
    std::string orbits = work.file("data/orbits/asatellites/");

    SatelliteUpdate() {
        form.setForms(&projForm, &mediaForm);
        QDir().mkpath(QString::fromStdString(orbits));
        root.lines.clear();
    }

    void write(const std::string& file, const QByteArray& text) {
        QFile out(QString::fromStdString(file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }
    QByteArray stored(const char* name) {
        QFile in(QString::fromStdString(orbits + name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(missing)");
    }
    void runToEnd() {
        ASSERT_TRUE(form.asatUpdater);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form.asatUpdater->isRunning(); }, 20000));
    }
};

TEST_F(SatelliteUpdate, StoresTrimmedFilesAndReloadsOncePerRun) {
    const QByteArray list =
        (server.url("/elements/noaa.tle") + "\r\n\r\n  " + server.url("/gone/amateur.tle") + " \n" +
         server.url("/big/cubesat.tle") + "\n" + server.url("/gps-ops.tle"))
            .toUtf8();
    write(work.file("data/asatellites.lst"), list);
    write(orbits + "amateur.tle", "AMATEUR OLD\n");
    write(orbits + "cubesat.tle", "CUBESAT OLD\n");
    QByteArray noaa = noaaSet;
    noaa.replace("\n", "   \r\n");
    noaa.prepend("\n\n");
    server.answers["/big/cubesat.tle"] = {200, "CUBESAT NEW\n", 200 * 1024 * 1024};
    server.answers["/elements/noaa.tle"] = {200, noaa};
    server.answers["/gps-ops.tle"] = {200, "\n GPS BIIR-2 \n" + QByteArray(gpsSet)};

    form.displayASatelliteButton->setChecked(true);
    LogCapture log;
    form.asatellitesUpdateButton->click();
    EXPECT_TRUE(QApplication::overrideCursor());
    form.asatellitesUpdateButton->click(); // refused while the run is under way
    runToEnd();

    EXPECT_EQ(stored("noaa.tle"), QByteArray(noaaSet));
    EXPECT_EQ(stored("gps-ops.tle"), "GPS BIIR-2\n" + QByteArray(gpsSet));
    EXPECT_EQ(stored("amateur.tle"), QByteArray("AMATEUR OLD\n"));
    EXPECT_EQ(stored("cubesat.tle"), QByteArray("CUBESAT OLD\n"));
    EXPECT_EQ(server.requested.size(), 4);
    EXPECT_EQ(root.lines, Lines{"Ssystem.LoadASatelliteList Default"});
    EXPECT_EQ(form.refreshes, 1);
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_TRUE(log.contains("answered 404"));
    EXPECT_TRUE(log.contains("larger than"));
    // The window tells which groups were updated and why the others were not.
    EXPECT_EQ(form.statusBar()->currentMessage(), "Satellite update: 2 of 4 groups updated.");
    ASSERT_EQ(form.warnings.size(), 1);
    EXPECT_EQ(form.warnings[0],
              "Not every satellite group could be updated; those not updated keep their "
              "elements.\n\nUpdated: noaa.tle, gps-ops.tle\nNot updated:\n"
              "amateur.tle: the server answered 404\n"
              "cubesat.tle: the answer is larger than 16777216 bytes");

    // The next click reads the list again; a list of comets is left alone.
    form.displayCometButton->setChecked(true);
    write(work.file("data/asatellites.lst"), server.url("/elements/noaa.tle").toUtf8());
    form.asatellitesUpdateButton->click();
    runToEnd();
    EXPECT_EQ(server.requested.size(), 5);
    EXPECT_EQ(root.lines.size(), 2u);
    EXPECT_EQ(form.refreshes, 1);
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_EQ(form.statusBar()->currentMessage(), "Satellite elements updated: noaa.tle.");
    EXPECT_EQ(form.warnings.size(), 1);
}

TEST_F(SatelliteUpdate, AnUpdateWithoutNetworkIsToldInTheWindow) {
    // Nothing listens on the port of a server that has gone.
    QString gone;
    {
        orvextest::LocalHttpServer closed;
        gone = closed.url("");
    }
    write(work.file("data/asatellites.lst"),
          (gone + "/weather.tle\n" + gone + "/noaa.tle\n").toUtf8());
    write(orbits + "weather.tle", noaaSet);
    form.asatellitesUpdateButton->click();
    runToEnd();

    EXPECT_EQ(stored("weather.tle"), QByteArray(noaaSet));
    EXPECT_EQ(form.statusBar()->currentMessage(), "Satellite update: 0 of 2 groups updated.");
    ASSERT_EQ(form.warnings.size(), 1);
    EXPECT_TRUE(form.warnings[0].contains("Not updated:\nweather.tle: the transfer failed: "));
    EXPECT_TRUE(form.warnings[0].endsWith(
        "noaa.tle: not fetched: the update stopped at the failed transfer"));
    EXPECT_FALSE(form.warnings[0].contains("Updated:"));
}

TEST_F(SatelliteUpdate, StartsNothingWithoutListOrEngine) {
    LogCapture log;
    form.asatellitesUpdateButton->click();
    EXPECT_FALSE(form.asatUpdater);
    EXPECT_TRUE(log.contains("./data/asatellites.lst"));
    const QString nothing =
        "The satellite update has nothing to fetch: the address list " +
        QDir(QString::fromStdString(work.path())).absoluteFilePath("data/asatellites.lst");
    ASSERT_EQ(form.warnings.size(), 1);
    EXPECT_EQ(form.warnings[0], nothing + " cannot be read: No such file or directory.");

    write(work.file("data/asatellites.lst"), "\r\n  \n");
    form.asatellitesUpdateButton->click();
    EXPECT_EQ(form.warnings.value(1), nothing + " is empty.");
    engine.started = false;
    write(work.file("data/asatellites.lst"), server.url("/a.tle").toUtf8());
    form.asatellitesUpdateButton->click();
    EXPECT_FALSE(form.asatUpdater);
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_EQ(form.warnings.size(), 2); // the blank list; nothing without an engine
    EXPECT_TRUE(root.lines.empty());
    EXPECT_TRUE(server.requested.isEmpty());
}

} // namespace
