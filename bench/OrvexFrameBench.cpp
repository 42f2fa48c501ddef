// The whole engine on the shipped data set in a 1280 x 800 GL view, as the
// program runs it: the time from the view's creation (configuration, data
// files, display lists) to the first drawn frame, and the frame rate over 300
// frames. The frame counters split a frame into the root's frame step, the
// issuing of the draw calls, and the whole frame with GL finished, so that
// the share of our own work shows. Run under a display (xvfb-run) from any
// directory.
#include <GL/glew.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "EngineView.h"
#include "engine/Orvex.h"
#include "engine/OrvexGL.h"
#include "platform/CurrentDirGuard.h"

namespace {

const int width = 1280;
const int height = 800;
const int frameCount = 300;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

using benchview::application;
using benchview::firstFrame;

std::unique_ptr<OrvexGL> startView() {
    return benchview::startView(width, height);
}

void BM_StartToFirstFrame(benchmark::State& state) {
    application();
    const platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::unique_ptr<OrvexGL> view = startView();
        firstFrame(*view);
        if (!view->getRoot()) {
            state.SkipWithError("no GL view");
            return;
        }
        state.SetIterationTime(secondsSince(start));
        view.reset();
    }
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ShippedSceneFrames(benchmark::State& state) {
    application();
    const platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    std::unique_ptr<OrvexGL> view = startView();
    firstFrame(*view);
    if (!view->getRoot()) {
        state.SkipWithError("no GL view");
        return;
    }
    Orvex& root = *view->getRoot();
    double stepSeconds = 0.0;
    double issueSeconds = 0.0;
    for (auto _ : state) {
        // One frame as paintGL runs it, timed in its parts, then swapped.
        view->makeCurrent();
        const Clock::time_point start = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        root.frame(33);
        const Clock::time_point stepped = Clock::now();
        root.draw(0.0);
        const Clock::time_point issued = Clock::now();
        view->swapBuffers();
        glFinish();
        stepSeconds += std::chrono::duration<double>(stepped - start).count();
        issueSeconds += std::chrono::duration<double>(issued - stepped).count();
    }
    const double frames = double(state.iterations());
    state.SetItemsProcessed(state.iterations());
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["step_ms"] = stepSeconds * 1000.0 / frames;
    state.counters["draw_calls_ms"] = issueSeconds * 1000.0 / frames;
}
BENCHMARK(BM_ShippedSceneFrames)
    ->Iterations(frameCount)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
