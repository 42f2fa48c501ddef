// Frames a second of the default view in the running program: the GL window
// of 1280 x 800 alone, and with the control window (browser pane, control
// panel) shown beside it, the windows made, connected and shown as the
// program's start-up does, the view's own repaint timer driving the frames.
// The control window follows every frame, shown or not. Run under a display
// (xvfb-run) from any directory; the window settings go to a scratch place.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "platform/CurrentDirGuard.h"
#include "platform/NumericLocale.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/WebBrowserView.h"

namespace {

// Counts the repaints of a window (each one a composition of the whole
// window, the browser pane's GL included).
class RepaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest)
            ++repaints;
        return false;
    }
    int repaints = 0;
};

// Runs the event loop for ms milliseconds; the number of frames drawn.
int framesDuring(EngineLink& link, qint64 ms) {
    int frames = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&link, &EngineLink::updated, [&frames] { ++frames; });
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(counting);
    return frames;
}

void defaultView(benchmark::State& state, bool controlWindow) {
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    {
        OrvexProjForm projForm;
        StartupState::setGlView(projForm.engine());
        OrvexMediaForm mediaForm;
        OrvexMainForm mainForm(nullptr, nullptr, Qt::Window);
        mainForm.setForms(&projForm, &mediaForm);
        EngineLink* link = projForm.engine();
        QObject::connect(link, &EngineLink::keyEvent, &mainForm, &OrvexMainForm::orvexKeyEventSlot);
        QObject::connect(link, &EngineLink::updated, &mainForm, &OrvexMainForm::orvexUpdatedSlot);
        projForm.resize(1280, 800);
        projForm.show();
        if (controlWindow) {
            mainForm.move(0, 0);
            mainForm.show();
        }
        QElapsedTimer started;
        started.start();
        while (!link->hasRoot() && started.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!link->hasRoot()) {
            state.SkipWithError("no GL view");
            return;
        }
        framesDuring(*link, 2000); // the pages load, the first lists compile
        RepaintCounter counter;
        mainForm.installEventFilter(&counter);
        int frames = 0;
        double seconds = 0.0;
        for (auto _ : state) {
            QElapsedTimer clock;
            clock.start();
            frames += framesDuring(*link, 5000);
            const double elapsed = clock.nsecsElapsed() * 1e-9;
            seconds += elapsed;
            state.SetIterationTime(elapsed);
        }
        state.counters["fps"] = frames / seconds;
        state.counters["control_window_repaints_per_s"] = counter.repaints / seconds;
        StartupState::setGlView(nullptr);
    }
}

} // namespace

BENCHMARK_CAPTURE(defaultView, GlWindowAlone, false)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(defaultView, WithControlWindow, true)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// The application lives in main, not in a static: the browser pane's page
// engine releases its GL context in the application's post routines, which
// crash when they run among the exit handlers, after the toolkit's own
// statics have gone.
int main(int argc, char** argv) {
    WebBrowserView::prepareApplication();
    QApplication app(argc, argv);
    platform::resetNumericLocale();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
