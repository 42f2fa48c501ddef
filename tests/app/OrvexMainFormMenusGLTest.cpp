// The menus on a real display with the real engine on the shipped data set:
// the control window in the Windows and the dark style (screenshots kept in
// the build directory for a look), and the GL view's picture saved and
// printed through the File menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QStyleFactory>
#include <QTest>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "engine/OrvexGL.h"
#include "support/GlTestContext.h"
#include "support/GlViewShots.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

QString screenshotPath(const char* name) {
    const QString dir = QDir(QString::fromLatin1(ORVEX_BUILD_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    return QDir(dir).filePath(QString::fromLatin1(name));
}

int lightness(QRgb pixel) {
    return QColor(pixel).lightness();
}

// The share of a picture's pixels that are not (nearly) black.
double litShare(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += lightness(image.pixel(x, y)) > 16;
    return double(lit) / (image.width() * image.height());
}

class MenusGL : public ::testing::Test {
protected:
    // The shipped data set is the working directory while the engine runs.
    const orvextest::ShippedDataCopy share{std::vector<std::string>{}};
    orvextest::SettingsSandbox sandbox;
    orvextest::TempDir workDir;
    OrvexMainForm form;
    OrvexMediaForm mediaForm;
    // Declared after the window: it leaves its parent splitter when it goes.
    OrvexProjForm projForm;
    OrvexGL* view = qobject_cast<OrvexGL*>(projForm.view());
    EngineLink* link = projForm.engine();

    MenusGL() {
        // The picture of the first view, on a day of its own.
        EXPECT_TRUE(share.startAt("2027 3 20 12 0 0"));
        form.setForms(&projForm, &mediaForm);
        // The engine's start fills the control panel.
        QObject::connect(link, &EngineLink::keyEvent, &form, &OrvexMainForm::orvexKeyEventSlot);
    }
    ~MenusGL() override { QApplication::setStyle(QStyleFactory::create("Windows")); }

    // The GL view beside the control panel, the engine started and looking
    // at the Earth.
    void showEmbedded() {
        ASSERT_NE(view, nullptr);
        view->setRepaintTimer(false);
        form.resize(1100, 800);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.layoutSCSlot();
        ASSERT_TRUE(form.isEmbedded());
        settle();
        orvextest::pinGlDriver();
        view->updateGL();
        ASSERT_TRUE(link->hasRoot());
        link->processScenarioLine("Ssystem.AstrNameTo Earth 1");
        orvextest::runUntilStill(view, link);
    }
    QImage screenshot() { return orvextest::screenshot(form, view, link); }
    QString work(const char* name) const {
        return QDir(QString::fromStdString(workDir.path())).filePath(name);
    }
};

} // namespace

TEST_F(MenusGL, TheControlWindowInTheWindowsAndTheDarkStyle) {
    showEmbedded();
    form.viewStyleWindowsAction->trigger();
    settle();
    const QImage windows = screenshot();
    ASSERT_TRUE(windows.save(screenshotPath("control-window-windows.png")));

    form.viewStyleDarkAction->trigger();
    settle();
    const QImage dark = screenshot();
    ASSERT_TRUE(dark.save(screenshotPath("control-window-dark.png")));

    // The frame around the panes: the window colour of each style.
    const QPoint margin(form.centralWidget()->mapTo(&form, QPoint(0, 0)) + QPoint(1, 1));
    EXPECT_GT(lightness(windows.pixel(margin)), 150);
    EXPECT_LT(lightness(dark.pixel(margin)), 90);
    // The control panel reads dark in the dark style.
    const QRect panel(form.tabWidget->mapTo(&form, QPoint(0, 0)), form.tabWidget->size());
    int darker = 0;
    int samples = 0;
    for (int y = panel.top(); y < qMin(panel.bottom(), dark.height()); y += 7)
        for (int x = panel.left(); x < qMin(panel.right(), dark.width()); x += 7) {
            ++samples;
            darker += lightness(dark.pixel(x, y)) < lightness(windows.pixel(x, y));
        }
    EXPECT_GT(darker, samples / 2);
}

// The initial state runs to its end at once: the panel follows it, as it
// follows the end of any scenario, without a change of page.
TEST_F(MenusGL, InitStateBringsThePanelBackWithTheView) {
    QObject::connect(link, &EngineLink::scenarioEnd, &form, &OrvexMainForm::scenarioEndSlot);
    showEmbedded();
    form.speedStopButton->click();
    QTest::keyClick(view, Qt::Key_5);
    orvextest::runUntilStill(view, link);
    ASSERT_EQ(form.planetCombo->currentText().toStdString(), "Sun");
    ASSERT_EQ(form.speedSpinBox->value(), 0);

    form.fileNewAction->trigger();
    view->updateGL();
    EXPECT_EQ(link->getCommandValue("Ssystem.AstrName"), "Earth");
    EXPECT_EQ(form.planetCombo->currentText().toStdString(), "Earth");
    EXPECT_EQ(form.mapLabel->mapFile(), "./textures/earth.jpg");
    EXPECT_EQ(form.speedSpinBox->value(), 1);
    EXPECT_EQ(form.speedSlider->value(), 1);
    EXPECT_EQ(form.stepCombo->currentIndex(), 2); // hour/s
    EXPECT_EQ(form.tabWidget->currentIndex(), 0);
}

TEST_F(MenusGL, SaveImageWritesThePictureOfTheView) {
    showEmbedded();
    const QString file = work("scene.png");
    form.fileChooser = [&](const FileQuestion&) { return FileChoice{file, QString()}; };
    form.fileSaveImageAction->trigger();
    const QImage saved(file, "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), view->size());
    EXPECT_FALSE(saved.hasAlphaChannel());
    // The Earth and the overlay text light a good part of the picture.
    EXPECT_GT(litShare(saved), 0.02);
    saved.save(screenshotPath("saved-image.png"));
}

TEST_F(MenusGL, PrintingThePictureOfTheViewToAPdfGivesOnePage) {
    showEmbedded();
    const QString file = work("scene.pdf");
    orvextest::NextModal dialog([&](QWidget* w) {
        auto* printDialog = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(printDialog, nullptr);
        // The dialog's own choice: printing to a PDF file.
        auto* printers = printDialog->findChild<QComboBox*>("printers");
        auto* fileName = printDialog->findChild<QLineEdit*>("filename");
        ASSERT_NE(printers, nullptr);
        ASSERT_NE(fileName, nullptr);
        const int pdf = printers->findText("PDF", Qt::MatchContains);
        ASSERT_GE(pdf, 0);
        printers->setCurrentIndex(pdf);
        fileName->setText(file);
        printDialog->accept();
    });
    form.filePrintAction->trigger();
    ASSERT_TRUE(dialog.seen());
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray text = pdf.readAll();
    EXPECT_TRUE(text.startsWith("%PDF"));
    EXPECT_EQ(text.count("/Type /Page\n") + text.count("/Type /Page "), 1);
    EXPECT_EQ(text.count("/Subtype /Image"), 1);
}
