// The window settings store and the rules every window applies to it. The
// store is the user's "OrvexPro" settings; keys are full paths such as
// "/Orvex/Main/geometry/x".
#pragma once

#include <QMargins>
#include <QRect>
#include <QSettings>
#include <QString>
#include <memory>

class QWidget;

namespace WindowSettings {

constexpr const char* organisation = "OrvexPro";
constexpr const char* localeKey = "/Orvex/locale";

// A settings object on the store; each operation opens its own.
std::unique_ptr<QSettings> open();

// A saved window whose top-left corner lies on no screen (a screen that has
// gone) comes back at (100, 100) with its size.
QRect onScreen(const QRect& rect);
// Reads prefix + "/geometry/h", "w", "y", "x" (the defaults from fallback) and
// puts the rectangle on a screen.
QRect readGeometry(QSettings& settings, const QString& prefix, const QRect& fallback);
// Writes prefix + "/geometry/x", "y", "w", "h".
void writeGeometry(QSettings& settings, const QString& prefix, const QRect& rect);

// A widget's window state as the settings see it.
bool isMaximizedOrFull(const QWidget* window);

// A window of its own shown as a plain one: neither embedded, hidden,
// minimised, maximised nor full screen. Only such a window shows the place,
// size and frame it has as a plain window: hidden, it keeps those it had in
// the pane or in another state (and the frame the toolkit last saw), and
// maximised its frame has no sides. The window manager's state is asked too
// (platform::hasPlainState).
bool isShownPlain(const QWidget* window);

// The width of a window's frame on each side, where it has one yet.
QMargins frameMarginsOf(const QWidget* window);

} // namespace WindowSettings
