// The running program's windows and its single-instance lock: the GL window,
// the media viewer and the control window, made and connected as the program
// starts, laid out as the saved settings say, and torn down in the order they
// depend on each other. The lock is held until the very last window is gone.
#pragma once

#include <memory>

#include "platform/InstanceLock.h"

class OrvexMainForm;
class OrvexMediaForm;
class OrvexProjForm;
class QWidget;

class StudioProgram {
public:
    StudioProgram();
    // The GL window first (with its view goes the engine), then the media
    // viewer, then the control window with its dialogs; the lock last.
    ~StudioProgram();
    StudioProgram(const StudioProgram&) = delete;
    StudioProgram& operator=(const StudioProgram&) = delete;

    // Makes the three windows, connects them, and shows them in their saved
    // screen modes and layout.
    void open();
    // The least width of the view in the control window's pane at start.
    static constexpr int leastPaneWidth = 160;

    // Declared first, so that it outlives every window.
    platform::InstanceLock lock;

    OrvexProjForm* projForm() const { return projForm_.get(); }
    OrvexMediaForm* mediaForm() const { return mediaForm_.get(); }
    OrvexMainForm* mainForm() const { return mainForm_.get(); }

private:
    void restoreSplitter();
    static void waitUntilExposed(QWidget& window);
    static constexpr int exposeTimeoutMs = 2000;

    std::unique_ptr<OrvexProjForm> projForm_;
    std::unique_ptr<OrvexMediaForm> mediaForm_;
    std::unique_ptr<OrvexMainForm> mainForm_;
};
