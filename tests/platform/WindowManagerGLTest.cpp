#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <vector>

#include "platform/WindowManager.h"
#include "platform/XServer.h"
#include "support/XWindowTree.h"

namespace {

// Writes a property that lists atoms or windows; an empty list deletes it.
void setList(const platform::XServer& x, xcb_window_t window, const char* property, xcb_atom_t type,
             const std::vector<std::uint32_t>& values) {
    if (values.empty())
        xcb_delete_property(x.connection(), window, x.atom(property));
    else
        xcb_change_property(x.connection(), XCB_PROP_MODE_REPLACE, window, x.atom(property), type,
                            32, values.size(), values.data());
    xcb_flush(x.connection());
    free(xcb_get_input_focus_reply(x.connection(), xcb_get_input_focus(x.connection()), nullptr));
}

} // namespace

// A window whose _NET_WM_STATE says maximised is not plain where a window
// manager runs. Without one that word is only what the toolkit wrote, and
// may be stale: the window counts as plain.
TEST(WindowManager, HasPlainStateBelievesAMaximisedStateOnlyFromAManager) {
    const platform::XServer x;
    const orvextest::XWindowTree tree;
    ASSERT_TRUE(x.isOpen());
    QWidget window;
    window.resize(320, 240);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const xcb_window_t id = xcb_window_t(window.internalWinId());
    const std::vector<std::uint32_t> manager = x.listOf(x.root(), "_NET_SUPPORTING_WM_CHECK");
    if (!manager.empty()) {
        tree.maximiseByTheManager(window);
        QElapsedTimer clock;
        clock.start();
        while (platform::hasPlainState(id) && clock.elapsed() < 4000)
            QTest::qWait(20);
        EXPECT_FALSE(platform::hasPlainState(id)) << "maximised by the manager";
        // The same window with no manager announced.
        setList(x, x.root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, {});
        EXPECT_TRUE(platform::hasPlainState(id)) << "no manager";
        setList(x, x.root(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, manager);
        tree.unmaximiseByTheManager(window);
    } else {
        setList(x, id, "_NET_WM_STATE", XCB_ATOM_ATOM,
                {x.atom("_NET_WM_STATE_MAXIMIZED_VERT"), x.atom("_NET_WM_STATE_MAXIMIZED_HORZ")});
        EXPECT_TRUE(platform::hasPlainState(id)) << "no manager";
    }
}
