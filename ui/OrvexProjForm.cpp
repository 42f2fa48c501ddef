#include "ui/OrvexProjForm.h"

#include <QCloseEvent>
#include <QGLFormat>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QStackedWidget>

#include "engine/DisplayConfig.h"
#include "engine/OrvexGL.h"

namespace {

const QString geometryKey = "/Orvex/OrvexGL/geometry/";

QSettings settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "OrvexPro");
}

// A saved corner on no screen (a screen that has gone) comes back at (100, 100).
QRect onScreen(const QRect& rect) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().contains(rect.topLeft()))
            return rect;
    return QRect(QPoint(100, 100), rect.size());
}

} // namespace

OrvexProjForm::OrvexProjForm(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(name);
    stack = new QStackedWidget(this);
    mainLayout = new QHBoxLayout(this);
    mainLayout->setObjectName("mainLayout");
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    mainLayout->addWidget(stack);

    // Every GL widget made from now on takes the stereo format.
    {
        const DisplayConfig display;
        if (display.getStereoMode() != DisplayConfig::Mono)
            QGLFormat::setDefaultFormat(display.glFormat());
    }

    orvexGL = new OrvexGL(stack);
    orvexGL->setFocusPolicy(Qt::StrongFocus);
    stack->addWidget(orvexGL);
    orvexGL->setFocus();

    imageLabel = new QLabel(stack);
    imageLabel->setObjectName("imageLabel");
    QPalette black = imageLabel->palette();
    black.setColor(QPalette::Window, Qt::black);
    imageLabel->setPalette(black);
    imageLabel->setAutoFillBackground(true);
    imageLabel->setAlignment(Qt::AlignCenter);
    stack->addWidget(imageLabel);
    stack->setCurrentIndex(0);

    QSettings saved = settings();
    const int h = saved.value(geometryKey + "h", 480).toInt();
    const int w = saved.value(geometryKey + "w", 640).toInt();
    const int y = saved.value(geometryKey + "y", 100).toInt();
    const int x = saved.value(geometryKey + "x", 100).toInt();
    normal = onScreen(QRect(x, y, w, h));
    setGeometry(normal);
}

OrvexProjForm::~OrvexProjForm() {
    delete orvexGL;
    orvexGL = nullptr;
    QSettings saved = settings();
    if (isMaximized() || isFullScreen())
        saved.setValue("/Orvex/OrvexGL/maximized", 1);
    else if (!isMinimized() && !parentWidget())
        saved.setValue("/Orvex/OrvexGL/maximized", 0);
    saved.setValue(geometryKey + "x", normal.x());
    saved.setValue(geometryKey + "y", normal.y());
    saved.setValue(geometryKey + "w", normal.width());
    saved.setValue(geometryKey + "h", normal.height());
}

bool OrvexProjForm::isPlainWindow() const {
    return !isMaximized() && !isFullScreen() && !parentWidget();
}

void OrvexProjForm::trackGeometry() {
    if (isPlainWindow())
        normal = geometry();
}

void OrvexProjForm::restoreGeometry() {
    if (isPlainWindow())
        setGeometry(normal);
}

void OrvexProjForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    trackGeometry();
}

void OrvexProjForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setWindowTitle(tr("Orvex Studio") + QString::asprintf(" [ %i x %i ]", event->size().width(),
                                                          event->size().height()));
    trackGeometry();
}

void OrvexProjForm::closeEvent(QCloseEvent* event) {
    emit closed();
    event->accept();
}
