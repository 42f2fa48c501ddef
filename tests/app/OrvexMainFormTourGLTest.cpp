// The browser pane and the scenario editor with the real engine on the shipped
// data set: the home page's command links change the picture, and control
// panel actions recorded into the editor play back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWebEnginePage>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "engine/OrvexGL.h"
#include "support/GlTestContext.h"
#include "support/GlViewShots.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "ui/BodyMap.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"
#include "ui/WebBrowserView.h"

namespace {

const bool webEnginePrepared = (WebBrowserView::prepareApplication(), true);

// The mean red minus the mean green of a frame.
double redness(const QImage& frame) {
    const QImage image = frame.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) {
            const QRgb pixel = image.pixel(x, y);
            sum += qRed(pixel) - qGreen(pixel);
        }
    return sum / ((image.width() / 4 + 1) * (image.height() / 4 + 1));
}

// The mean difference per colour channel between what the map shows and the
// texture file scaled to the map: small for the same picture.
double differenceFrom(QOrvexMap& map, const std::string& texture) {
    const QImage shown = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage truth = QImage(QString::fromStdString(texture))
                             .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    if (shown.isNull() || truth.size() != shown.size())
        return 255;
    double sum = 0;
    int n = 0;
    for (int y = 0; y < shown.height(); y += 2)
        for (int x = 0; x < shown.width(); x += 2, ++n) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = truth.pixel(x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b));
        }
    return sum / (3.0 * n);
}

class OrvexMainFormTourGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(webEnginePrepared);
        // The pictures are of one day's sky, not of the day the test runs.
        ASSERT_TRUE(share.startAt("2027 3 20 12 0 0"));
        view = qobject_cast<OrvexGL*>(projForm.view());
        ASSERT_NE(view, nullptr);
        view->setRepaintTimer(false);
        link = projForm.engine();
        form.setForms(&projForm, &mediaForm);
        QObject::connect(link, &EngineLink::updated, &form, &OrvexMainForm::orvexUpdatedSlot);
        QObject::connect(link, &EngineLink::keyEvent, &form, &OrvexMainForm::orvexKeyEventSlot);
        form.resize(1240, 900);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.layoutSCSlot();
        orvextest::pinGlDriver();
        view->updateGL();
        ASSERT_TRUE(link->hasRoot());
    }
    // Runs frames until done() holds or a few seconds passed.
    bool runUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 15000)
                return false;
            view->updateGL();
            QTest::qWait(10);
        }
        return true;
    }
    void choosePlanet(const char* name) {
        const int index = form.planetCombo->findText(name);
        ASSERT_GE(index, 0) << name;
        form.planetCombo->setCurrentIndex(index);
        emit form.planetCombo->activated(index);
        orvextest::runUntilStill(view, link);
    }

    // The home page shown, then recording on and Mars chosen in the panel.
    void recordMarsOnTheHomePage() {
        ASSERT_NE(form.browserView, nullptr);
        QSignalSpy loaded(form.browserView, &QWebEngineView::loadFinished);
        form.browserHomeSlot();
        ASSERT_TRUE(runUntil([&] { return !loaded.isEmpty(); }));
        form.scenarioRecButton->click();
        choosePlanet("Mars");
        view->updateGL();
    }

    const orvextest::ShippedDataCopy share{{"htmls"}};
    orvextest::SettingsSandbox sandbox;
    OrvexMainForm form;
    OrvexMediaForm mediaForm;
    // Declared after the window: it leaves its parent splitter when it goes.
    OrvexProjForm projForm;
    OrvexGL* view = nullptr;
    EngineLink* link = nullptr;
};

TEST_F(OrvexMainFormTourGL, TheHomePageLinksDriveTheView) {
    ASSERT_NE(form.browserView, nullptr);
    QSignalSpy loaded(form.browserView, &QWebEngineView::loadFinished);
    form.browserHomeSlot();
    ASSERT_TRUE(runUntil([&] { return !loaded.isEmpty(); }));
    ASSERT_TRUE(loaded.first().first().toBool());
    EXPECT_TRUE(form.browserView->url().toLocalFile().endsWith("htmls/index.html"));

    orvextest::runUntilStill(view, link);
    const double before = redness(link->grabFrame());
    // The page's red filter link: a command line the view runs as a scenario.
    form.browserView->page()->runJavaScript(
        "document.querySelector('a[href^=\"orvex://Render.FaderColorTo%200.6\"]').click();");
    EXPECT_TRUE(runUntil([&] { return redness(link->grabFrame()) > before + 20; }))
        << "before " << before << ", after " << redness(link->grabFrame());

    const QString shotFile = qEnvironmentVariable("ORVEX_SCREENSHOT");
    if (!shotFile.isEmpty()) {
        EXPECT_TRUE(orvextest::screenshot(form, view, link).save(shotFile));
    }
}

TEST_F(OrvexMainFormTourGL, RecordedPanelActionsPlayBack) {
    if (link->getCommandValue("Ssystem.AstrNames") == "Undefined")
        GTEST_SKIP() << "the solar system does not answer commands in this build";
    form.scenarioRecButton->click();
    ASSERT_TRUE(form.scenarioRecButton->isChecked());
    choosePlanet("Mars");
    view->updateGL();
    form.scenarioRecButton->click();
    EXPECT_FALSE(link->isRecording());
    const QString recorded = form.scenarioEdit->toPlainText();
    EXPECT_TRUE(recorded.contains("Mars")) << recorded.toStdString();

    // Elsewhere: the first other body the page offers.
    const QString other = form.planetCombo->itemText(form.planetCombo->currentIndex() == 0 ? 1 : 0);
    choosePlanet(other.toLatin1().constData());
    ASSERT_EQ(link->getCommandValue("Ssystem.AstrName"), other.toStdString());
    form.scenarioPlayButton->click();
    EXPECT_TRUE(form.scenarioPlayButton->isChecked());
    EXPECT_TRUE(runUntil([&] { return link->getCommandValue("Ssystem.AstrName") == "Mars"; }));
    // The editor keeps the scenario; playing does not record it again.
    EXPECT_EQ(form.scenarioEdit->toPlainText(), recorded);
}

TEST_F(OrvexMainFormTourGL, ALinkClickedWhileRecordingIsRecordedInItsPlace) {
    if (link->getCommandValue("Ssystem.AstrNames") == "Undefined")
        GTEST_SKIP() << "the solar system does not answer commands in this build";
    ASSERT_NO_FATAL_FAILURE(recordMarsOnTheHomePage());
    // The user is typing a line when the link is clicked.
    form.scenarioEdit->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.scenarioEdit, "Space.Fra");
    form.browserView->page()->runJavaScript(
        "document.querySelector('a[href=\"orvex://Timer.Step%203600;Timer.Speed%201/\"]')"
        ".click();");
    // The link's scenario runs in the next frame and ends there.
    ASSERT_TRUE(runUntil([&] {
        return form.scenarioEdit->toPlainText().contains("Timer.Step 3600") &&
               link->getPlaying() == 0;
    })) << form.scenarioEdit->toPlainText().toStdString();
    EXPECT_TRUE(form.scenarioEdit->toPlainText().contains("\nSpace.Fra\nTimer.Step 3600\n"))
        << form.scenarioEdit->toPlainText().toStdString();
    choosePlanet("Venus");
    view->updateGL();
    form.scenarioRecButton->click();

    // In the order the user did it, so that the tour plays back the same way.
    const QString recorded = form.scenarioEdit->toPlainText();
    const int mars = recorded.indexOf("Mars");
    const int step = recorded.indexOf("Timer.Step 3600");
    const int venus = recorded.indexOf("Venus");
    EXPECT_GE(mars, 0) << recorded.toStdString();
    EXPECT_LT(mars, step) << recorded.toStdString();
    EXPECT_LT(step, venus) << recorded.toStdString();
}

TEST_F(OrvexMainFormTourGL, ALinkThatWaitsIsRecordedOnceAndPlaysBackToTheSameEnd) {
    if (link->getCommandValue("Ssystem.AstrNames") == "Undefined")
        GTEST_SKIP() << "the solar system does not answer commands in this build";
    // Thirty nominal frames a frame: the waits pass in a few frames.
    view->setFixedFrameMs(1000);
    ASSERT_NO_FATAL_FAILURE(recordMarsOnTheHomePage());
    // The cursor inside the first line recorded.
    const QString firstLine = form.scenarioEdit->toPlainText().section('\n', 0, 0);
    QTextCursor cursor = form.scenarioEdit->textCursor();
    cursor.setPosition(5);
    form.scenarioEdit->setTextCursor(cursor);
    const auto recorded = [&] { return form.scenarioEdit->toPlainText(); };
    // The page's short show: a scenario file that waits between its lines.
    form.browserView->page()->runJavaScript(
        "document.querySelector('a[href=\"scenarios/inner-planets.scn\"]').click();");
    ASSERT_TRUE(runUntil([&] {
        return recorded().count("Ssystem.AstrNameTo Earth 60") == 2 && link->getPlaying() == 0;
    })) << recorded().toStdString();
    // A command link that waits.
    form.beforeNavigate("orvex://Ssystem.Orbit%200;Orvex.Wait%2060;Ssystem.Name%200/",
                        Requester::user());
    ASSERT_TRUE(runUntil([&] {
        return recorded().contains("Ssystem.Name 0") && link->getPlaying() == 0;
    })) << recorded().toStdString();
    form.scenarioRecButton->click();

    const QString text = recorded();
    EXPECT_EQ(text.section('\n', 0, 0), firstLine);
    EXPECT_EQ(text.section('\n', 1, 1), "Ssystem.SimModeName SolarSystem") << text.toStdString();
    EXPECT_EQ(text.count("Ssystem.AstrNameTo Mercury 60"), 1) << text.toStdString();
    EXPECT_EQ(text.count("Orvex.Wait 90"), 4);
    EXPECT_EQ(text.count("Orvex.Wait 60"), 1);
    EXPECT_EQ(text.count("Ssystem.Orbit 0"), 1);
    EXPECT_EQ(text.count("Ssystem.Name 0"), 1);
    EXPECT_FALSE(text.contains("# A short show")) << "comments run nothing";

    const std::vector<std::string> words = {"Ssystem.SimModeName", "Ssystem.AstrName",
                                            "Ssystem.Orbit", "Ssystem.Name"};
    std::vector<std::string> atTheEnd;
    for (const std::string& word : words)
        atTheEnd.push_back(link->getCommandValue(word));
    EXPECT_EQ(atTheEnd[1], "Earth");
    link->processScenarioLine("Ssystem.AstrNameTo Venus 1");
    link->processScenarioLine("Ssystem.Orbit 1");
    link->processScenarioLine("Ssystem.Name 1");
    orvextest::runUntilStill(view, link);
    ASSERT_NE(link->getCommandValue("Ssystem.AstrName"), "Earth");

    form.scenarioPlayButton->click();
    ASSERT_TRUE(runUntil([&] { return link->getPlaying() == 0; }));
    for (size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(link->getCommandValue(words[i]), atTheEnd[i]) << words[i];
    EXPECT_EQ(recorded(), text);
}

// Links followed while the control panel is folded away (the view beside the
// browser): when the panel comes back, its "Basic" page shows the engine's
// body with its map, place and coordinates.
TEST_F(OrvexMainFormTourGL, LinksFollowedWithoutThePanelShowTheirBodyWhenItComesBack) {
    if (link->getCommandValue("Ssystem.AstrNames") == "Undefined")
        GTEST_SKIP() << "the solar system does not answer commands in this build";
    QObject::connect(link, &EngineLink::scenarioEnd, &form, &OrvexMainForm::scenarioEndSlot);
    const struct {
        const char* href;
        const char* body;
    } links[] = {
        // The solar system tour's "Fly there" of Mars.
        {"orvex://Ssystem.SimModeName%20SolarSystem;Camera.ModeTo%20Examine%201%200;"
         "Ssystem.AstrName%20Sun;Camera.Look%20Mars;Camera.RefRotate%200%201%200%20180;"
         "Camera.Dist%208;Ssystem.AstrNameTo%20Mars%2090/",
         "Mars"},
        // Its "Fly there" of the Earth, then "Land on Olympus Mons".
        {"orvex://Camera.ModeTo%20Examine%201%200;Ssystem.AstrName%20Sun;Camera.Look%20Earth;"
         "Camera.RefRotate%200%201%200%20180;Camera.Dist%208;Ssystem.AstrNameTo%20Earth%2090/",
         "Earth"},
        {"orvex://Ssystem.SimModeName%20SolarSystem;Ssystem.AstrName%20Mars;"
         "Ssystem.PlaceName%20Olympus_Mons;Camera.ModeTo%20Observe%20150%201/",
         "Mars"},
        // The Earth and Moon page's "The Moon".
        {"orvex://Ssystem.SimModeName%20EarthMoon;Camera.ModeTo%20Examine%201%200;"
         "Ssystem.AstrName%20Sun;Camera.Look%20Moon;Camera.RefRotate%200%201%200%20180;"
         "Camera.Dist%208;Ssystem.AstrNameTo%20Moon%2090/",
         "Moon"},
    };
    form.updateInterface();
    std::string before = link->getCommandValue("Ssystem.AstrTexture");
    for (const auto& step : links) {
        form.layoutSBSlot();
        form.beforeNavigate(step.href, Requester::user());
        ASSERT_TRUE(runUntil([&] { return link->getPlaying() == 0; })) << step.href;
        orvextest::runUntilStill(view, link);
        form.layoutSCSlot();
        ASSERT_EQ(link->getCommandValue("Ssystem.AstrName"), step.body);

        EXPECT_EQ(form.planetCombo->currentText().toStdString(), step.body);
        const std::string texture = BodyMap::textureFile(link);
        EXPECT_EQ(form.mapLabel->mapFile(), texture) << step.body;
        EXPECT_LT(differenceFrom(*form.mapLabel, texture), 8) << step.body << " after " << before;
        const std::string place = link->getCommandValue("Ssystem.PlaceName");
        EXPECT_EQ(form.locationCombo->currentText().toStdString(), place == "None" ? "" : place);
        EXPECT_FLOAT_EQ(form.latSpinBox->value(),
                        float(std::stod(link->getCommandValue("Ssystem.PlaceLat"))));
        // The engine may count the longitude east from 0 to 360.
        const double lon = std::stod(link->getCommandValue("Ssystem.PlaceLon"));
        EXPECT_NEAR(std::remainder(form.lonSpinBox->value() - lon, 360.0), 0.0, 0.01);
        before = step.body;
    }
}

} // namespace
