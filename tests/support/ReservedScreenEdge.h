// A panel along the screen's bottom edge that reserves part of its height, as
// a desktop's task bar does: the window manager then leaves the windows that
// much less room (QScreen::availableGeometry), as a smaller screen would.
#pragma once

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <xcb/xcb.h>

#include "platform/XServer.h"

namespace orvextest {

class ReservedScreenEdge {
public:
    // Leaves the windows a room `roomHeight` pixels high at the screen's top.
    explicit ReservedScreenEdge(int roomHeight) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const int height = screen.height() - roomHeight;
        panel_.setAttribute(Qt::WA_X11NetWmWindowTypeDock);
        panel_.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        panel_.setGeometry(screen.left(), screen.bottom() + 1 - height, screen.width(), height);
        const auto id = xcb_window_t(panel_.winId());
        // Left, right, top, bottom, then the start and end of each along its edge.
        const uint32_t strut[12] = {
            0, 0, 0, uint32_t(height), 0, 0, 0, 0, 0, 0, 0, uint32_t(screen.width() - 1)};
        xcb_connection_t* c = server_.connection();
        const char name[] = "_NET_WM_STRUT_PARTIAL";
        if (xcb_intern_atom_reply_t* atom =
                xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr)) {
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom->atom, XCB_ATOM_CARDINAL, 32, 12,
                                strut);
            free(atom);
        }
        xcb_flush(c);
        panel_.show();
        took_ = waitForRoom(roomHeight);
    }
    ~ReservedScreenEdge() {
        panel_.close();
        waitForRoom(QGuiApplication::primaryScreen()->geometry().height());
    }
    ReservedScreenEdge(const ReservedScreenEdge&) = delete;
    ReservedScreenEdge& operator=(const ReservedScreenEdge&) = delete;

    // Whether the window manager took the room away in time.
    bool took() const { return took_; }

private:
    static bool waitForRoom(int height) {
        QElapsedTimer clock;
        clock.start();
        while (QGuiApplication::primaryScreen()->availableGeometry().height() != height &&
               clock.elapsed() < 4000)
            QTest::qWait(25);
        return QGuiApplication::primaryScreen()->availableGeometry().height() == height;
    }

    platform::XServer server_;
    QWidget panel_;
    bool took_ = false;
};

} // namespace orvextest
