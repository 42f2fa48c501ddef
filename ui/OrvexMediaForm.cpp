#include "ui/OrvexMediaForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTextCodec>

#include "app/StartupState.h"
#include "ui/MediaPlayerPane.h"
#include "ui/QDropButton.h"
#include "ui/WindowStack.h"

OrvexMediaForm::OrvexMediaForm(QWidget* parent, const char* name)
    : QWidget(parent), placement_("/Orvex/Media") {
    if (name)
        setObjectName(name);
    stack = WindowStack::fill(this, mainLayout);
    imageLabel = WindowStack::addImageLabel(stack);

    mediaPlayerAXAX = new MediaPlayerPane(stack);
    mediaPlayerAXAX->setObjectName("mediaPlayerAXAX");
    stack->addWidget(mediaPlayerAXAX);

    placement_.restore(this, StartupState::isReset());
}

OrvexMediaForm::~OrvexMediaForm() {
    placement_.save();
}

void OrvexMediaForm::clear() {
    imageLabel->clear();
    stack->setCurrentIndex(0);
}

QString OrvexMediaForm::lowerKnownExtensions(const QString& path) {
    static const char* const upper[] = {".JPEG", ".JPG", ".GIF", ".PNG",
                                        ".BMP",  ".AVI", ".WMV", ".MOV"};
    QString result = path;
    for (const char* extension : upper)
        result.replace(QLatin1String(extension), QString::fromLatin1(extension).toLower());
    return result;
}

QString OrvexMediaForm::decodePath(const QString& path) {
    QByteArray bytes = QDropButton::decodePercentEscapes(path.toLocal8Bit());
    bytes.replace('\\', '/');
    return QTextCodec::codecForLocale()->toUnicode(bytes);
}

bool OrvexMediaForm::isSupported(const QString& file) {
    static const char* const supported[] = {"bmp", "gif", "png", "jpg", "jpeg",
                                            "avi", "wmv", "mpg", "mpeg"};
    const int dot = file.lastIndexOf('.');
    const QString extension = dot < 0 ? file : file.mid(dot + 1);
    for (const char* word : supported)
        if (extension.contains(QLatin1String(word)))
            return true;
    return false;
}

QString OrvexMediaForm::localPath(const QString& file) {
    if (!file.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return file;
    QString path = file.mid(5);
    if (path.startsWith(QLatin1String("//"))) {
        path = path.mid(2);
        // "file://host/path": only the local host names this machine's files.
        if (path.startsWith(QLatin1String("localhost/"), Qt::CaseInsensitive))
            path = path.mid(9);
    }
    return path;
}

void OrvexMediaForm::setMedia(const QString& path) {
    currentFile_ = decodePath(path);
    extensionProbe_ = decodePath(lowerKnownExtensions(path));
    showMedia();
}

void OrvexMediaForm::showMedia() {
    if (!isSupported(extensionProbe_))
        return;
    mediaPlayerAXAX->setUrl(localPath(currentFile_));
    stack->setCurrentIndex(1);
}

void OrvexMediaForm::resetGeometry(const QRect& rect) {
    placement_.reset(this, rect);
}

void OrvexMediaForm::setVisible(bool visible) {
    placement_.changingVisibility(this, visible);
    QWidget::setVisible(visible);
}

void OrvexMediaForm::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    placement_.track(this);
}

void OrvexMediaForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    placement_.shown(this);
}

void OrvexMediaForm::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        placement_.noteState(this);
}

void OrvexMediaForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    QString caption = QWidget::tr("Media Viewer") +
                      QString::asprintf(" [ %i x %i ]", e->size().width(), e->size().height());
    if (!currentFile_.isEmpty())
        caption = currentFile_ + " - " + caption;
    setWindowTitle(caption);
    placement_.track(this);
}
