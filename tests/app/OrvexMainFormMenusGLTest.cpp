// The menus on a real display: the control window in the Windows and the dark
// style (screenshots kept in the build directory for a look), and the GL
// view's picture saved and printed through the File menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGLWidget>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyleFactory>
#include <QTest>

#include "app/ImageOutput.h"
#include "app/OrvexMainForm.h"
#include "support/FakeEngine.h"
#include "support/GlTestContext.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace {

// A GL view with a scene of its own: a dark sky with a yellow triangle.
class SceneView : public QGLWidget {
protected:
    void initializeGL() override { glClearColor(0.0f, 0.05f, 0.2f, 1.0f); }
    void resizeGL(int w, int h) override { glViewport(0, 0, w, h); }
    void paintGL() override {
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_TRIANGLES);
        glColor3f(1.0f, 0.9f, 0.1f);
        glVertex2f(-0.5f, -0.5f);
        glVertex2f(0.5f, -0.5f);
        glVertex2f(0.0f, 0.6f);
        glEnd();
    }
};

// The view's frame grab, as the GL view's own link gives it.
class GrabbingEngine : public orvextest::FakeEngine {
public:
    QImage grabFrame() override { return view ? view->grabFrameBuffer(false) : QImage(); }
    QGLWidget* view = nullptr;
};

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
    orvextest::SettingsSandbox sandbox;
    orvextest::TempDir workDir;
    GrabbingEngine engine;
    // The control window goes last: the GL window may be one of its panes.
    OrvexMainForm form;
    SceneView* view = new SceneView;
    OrvexProjForm projForm{view, &engine};
    OrvexMediaForm mediaForm;

    MenusGL() {
        engine.view = view;
        form.setForms(&projForm, &mediaForm);
    }
    ~MenusGL() override { QApplication::setStyle(QStyleFactory::create("Windows")); }

    void showEmbedded() {
        form.resize(1100, 800);
        form.show();
        form.viewEmbedAction->setChecked(true);
        form.viewEmbed();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        settle();
        orvextest::pinGlDriver();
        view->updateGL();
    }
    QString work(const char* name) const {
        return QDir(QString::fromStdString(workDir.path())).filePath(name);
    }
};

} // namespace

TEST_F(MenusGL, TheControlWindowInTheWindowsAndTheDarkStyle) {
    showEmbedded();
    form.viewStyleWindowsAction->trigger();
    settle();
    const QImage windows = form.grab().toImage();
    ASSERT_TRUE(windows.save(screenshotPath("control-window-windows.png")));

    form.viewStyleDarkAction->trigger();
    settle();
    const QImage dark = form.grab().toImage();
    ASSERT_TRUE(dark.save(screenshotPath("control-window-dark.png")));

    // The frame around the panes: the window colour of each style.
    const QPoint margin(form.centralWidget()->mapTo(&form, QPoint(0, 0)) + QPoint(1, 1));
    EXPECT_GT(lightness(windows.pixel(margin)), 150);
    EXPECT_LT(lightness(dark.pixel(margin)), 90);
    // The whole window reads dark in the dark style.
    const int w = qMin(dark.width(), windows.width());
    const int h = qMin(dark.height(), windows.height());
    int darker = 0;
    for (int y = 0; y < h; y += 7)
        for (int x = 0; x < w; x += 7)
            darker += lightness(dark.pixel(x, y)) < lightness(windows.pixel(x, y));
    EXPECT_GT(darker, (h / 7) * (w / 7) / 2);
}

TEST_F(MenusGL, SaveImageWritesThePictureOfTheView) {
    showEmbedded();
    const QString file = work("scene.png");
    orvextest::NextModal dialog(orvextest::NextModal::chooseFile(file));
    form.fileSaveImageAction->trigger();
    ASSERT_TRUE(dialog.seen());
    const QImage saved(file, "PNG");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), view->size());
    EXPECT_FALSE(saved.hasAlphaChannel());
    EXPECT_GT(litShare(saved), 0.1);
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
