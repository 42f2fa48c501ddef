#include "app/WindowSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/WindowManager.h"

namespace WindowSettings {

std::unique_ptr<QSettings> open() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(organisation));
}

QRect onScreen(const QRect& rect) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->geometry().contains(rect.topLeft()))
            return rect;
    return QRect(QPoint(100, 100), rect.size());
}

QRect readGeometry(QSettings& settings, const QString& prefix, const QRect& fallback) {
    const QString base = prefix + "/geometry/";
    const int h = settings.value(base + "h", fallback.height()).toInt();
    const int w = settings.value(base + "w", fallback.width()).toInt();
    const int y = settings.value(base + "y", fallback.y()).toInt();
    const int x = settings.value(base + "x", fallback.x()).toInt();
    return onScreen(QRect(x, y, w, h));
}

void writeGeometry(QSettings& settings, const QString& prefix, const QRect& rect) {
    const QString base = prefix + "/geometry/";
    settings.setValue(base + "x", rect.x());
    settings.setValue(base + "y", rect.y());
    settings.setValue(base + "w", rect.width());
    settings.setValue(base + "h", rect.height());
}

bool isMaximizedOrFull(const QWidget* window) {
    return window->isMaximized() || window->isFullScreen();
}

bool isShownPlain(const QWidget* window) {
    return window->isWindow() && !window->parentWidget() && window->isVisible() &&
           !window->isMinimized() && !isMaximizedOrFull(window) &&
           platform::hasPlainState(window->internalWinId());
}

QMargins frameMarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

} // namespace WindowSettings
