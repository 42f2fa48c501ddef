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

// Counts the refreshes of the satellite display list.
class DownloadForm : public OrvexMainForm {
public:
    void updateASatellitesList() override { ++refreshes; }
    int refreshes = 0;
};

class SatelliteUpdate : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    orvextest::FakeRoot& root = engine.recorded;
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    DownloadForm form;
    orvextest::TempDir work;
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
    server.answers["/elements/noaa.tle"] = {200,
                                            "NOAA 19   \r\n1 33591U 09005A\r\n\r\n2 33591 99\n"};
    server.answers["/big/cubesat.tle"] = {200, "CUBESAT NEW\n", 200 * 1024 * 1024};
    server.answers["/gps-ops.tle"] = {200, "\n GPS BIIR-2 \n1 24876U\n2 24876  55\n"};

    platform::CurrentDirGuard inWork(work.path());
    form.displayASatelliteButton->setChecked(true);
    LogCapture log;
    form.asatellitesUpdateButton->click();
    EXPECT_TRUE(QApplication::overrideCursor());
    form.asatellitesUpdateButton->click(); // refused while the run is under way
    runToEnd();

    EXPECT_EQ(stored("noaa.tle"), QByteArray("NOAA 19\n1 33591U 09005A\n\n2 33591 99\n"));
    EXPECT_EQ(stored("gps-ops.tle"), QByteArray("GPS BIIR-2\n1 24876U\n2 24876  55\n"));
    EXPECT_EQ(stored("amateur.tle"), QByteArray("AMATEUR OLD\n"));
    EXPECT_EQ(stored("cubesat.tle"), QByteArray("CUBESAT OLD\n"));
    EXPECT_EQ(server.requested.size(), 4);
    EXPECT_EQ(root.lines, Lines{"Ssystem.LoadASatelliteList Default"});
    EXPECT_EQ(form.refreshes, 1);
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_TRUE(log.contains("answered 404"));
    EXPECT_TRUE(log.contains("larger than"));

    // The next click reads the list again; a list of comets is left alone.
    form.displayCometButton->setChecked(true);
    write(work.file("data/asatellites.lst"), server.url("/elements/noaa.tle").toUtf8());
    form.asatellitesUpdateButton->click();
    runToEnd();
    EXPECT_EQ(server.requested.size(), 5);
    EXPECT_EQ(root.lines.size(), 2u);
    EXPECT_EQ(form.refreshes, 1);
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(SatelliteUpdate, StartsNothingWithoutListOrEngine) {
    platform::CurrentDirGuard inWork(work.path());
    LogCapture log;
    form.asatellitesUpdateButton->click();
    EXPECT_FALSE(form.asatUpdater);
    EXPECT_TRUE(log.contains("./data/asatellites.lst"));

    write(work.file("data/asatellites.lst"), "\r\n  \n");
    form.asatellitesUpdateButton->click();
    engine.started = false;
    write(work.file("data/asatellites.lst"), server.url("/a.tle").toUtf8());
    form.asatellitesUpdateButton->click();
    EXPECT_FALSE(form.asatUpdater);
    EXPECT_FALSE(QApplication::overrideCursor());
    EXPECT_TRUE(root.lines.empty());
    EXPECT_TRUE(server.requested.isEmpty());
}

} // namespace
