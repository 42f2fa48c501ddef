// Many small bodies through the whole engine in a 1280 x 800 GL view: the
// frame rate of the shipped view with so many asteroids (orbit lines off) or
// artificial satellites added, of a view with the asteroids on the screen
// (with and without their names), the share of the model update in a frame, and
// the memory a small body costs while it is seen only as a dot (the growth of
// the resident set per body). The asteroids are the shipped ones, each
// repeated with its mean anomaly turned on so that the copies spread along
// the orbit; the satellites are the shipped element sets in turn. Run under a
// display (xvfb-run) from any directory.
#include <GL/glew.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "EngineView.h"
#include "engine/Orvex.h"
#include "engine/OrvexGL.h"
#include "model/BodyFactory.h"
#include "model/DsAstrBody.h"
#include "model/ModelFile.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"

namespace {

const int width = 1280;
const int height = 800;
const int frameCount = 60;

using Clock = std::chrono::steady_clock;

// The shipped view at its first frame; null (and the benchmark skipped)
// without GL.
std::unique_ptr<OrvexGL> engineView(benchmark::State& state) {
    benchview::application();
    std::unique_ptr<OrvexGL> view = benchview::startView(width, height);
    benchview::firstFrame(*view);
    if (!view->getRoot()) {
        state.SkipWithError("no GL view");
        view.reset();
    }
    return view;
}

// Resident set size in bytes.
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0.0, resident = 0.0;
    statm >> pages >> resident;
    return resident * double(sysconf(_SC_PAGESIZE));
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The orbit file's text with the body renamed and its mean anomaly turned
// by the angle.
std::string turnedCopy(const std::string& text, const std::string& suffix, double turnDegrees) {
    std::istringstream in(text);
    std::ostringstream out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Name:", 0) == 0) {
            out << line.substr(0, line.find_last_not_of(" \t\r") + 1) << suffix << '\n';
        } else if (line.rfind("M:", 0) == 0) {
            const double m = std::atof(line.c_str() + 2) + turnDegrees;
            out << "M: " << std::fmod(m, 360.0) << '\n';
        } else {
            out << line << '\n';
        }
    }
    return out.str();
}

// A scratch directory of its own, removed with its files.
class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/orvex-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made ? made : "";
    }
    ~ScratchDir() {
        for (const std::string& file : files)
            std::remove(file.c_str());
        if (!path.empty())
            rmdir(path.c_str());
    }
    std::string write(const std::string& name, const std::string& text) {
        const std::string file = path + "/" + name;
        std::ofstream(file) << text;
        files.push_back(file);
        return file;
    }
    std::string path;

private:
    std::vector<std::string> files;
};

// The orbit files of count asteroids: the shipped ones, then copies turned
// along their orbits, written into the scratch directory.
std::vector<std::string> asteroidFiles(int count, ScratchDir& scratch) {
    const std::string dir = std::string(ORVEX_SHARE_DIR) + "/data/orbits/asteroids/";
    const std::vector<std::string> names = orbitFileNames(dir);
    std::vector<std::string> files;
    std::vector<std::string> texts;
    for (const std::string& name : names)
        texts.push_back(readText(dir + name));
    for (int i = 0; i < count; ++i) {
        const size_t k = size_t(i) % texts.size();
        const int round = i / int(texts.size());
        if (round == 0) {
            files.push_back(dir + names[k]);
            continue;
        }
        files.push_back(scratch.write(
            std::to_string(i) + ".orb",
            turnedCopy(texts[k], "_" + std::to_string(round), round * 137.50776405003785)));
    }
    return files;
}

// Adds an asteroid under the Sun for each file, as the list files would.
void addAsteroids(Ssystem& system, const std::vector<std::string>& files) {
    DsAstrBody* sun = system.getTopBodies().front().get();
    for (const std::string& path : files) {
        std::unique_ptr<DsAstrBody> created = makeBody("Asteroid", "", sun, &system);
        DsAstrBody* body = created.get();
        sun->addChild(std::move(created));
        body->loadOrbitFile(path);
        body->ensureDefaultPlace();
        system.makeBodyDisplayLists(*body);
    }
}

// Adds count artificial satellites under the Earth, the element sets of the
// satellite directory in turn.
void addSatellites(Ssystem& system, int count) {
    const std::vector<BodyFileName>& sets = system.getFileRecords(DsAstrBody::ASatellite);
    DsAstrBody* earth = nullptr;
    for (DsAstrBody* body : system.getAllBodies()) {
        if (body->getType() == DsAstrBody::Earth)
            earth = body;
    }
    if (!earth || sets.empty())
        return;
    for (int i = 0; i < count; ++i) {
        const BodyFileName& set = sets[size_t(i) % sets.size()];
        std::unique_ptr<DsAstrBody> created = makeBody("ASatellite", set.name, earth, &system);
        DsAstrBody* body = created.get();
        earth->addChild(std::move(created));
        body->loadOrbitFile(set.file);
        body->ensureDefaultPlace();
        system.makeBodyDisplayLists(*body);
    }
}

// Frames of the view as paintGL runs them: the frame step (the clock and
// the model update of every body) timed apart from the drawing.
void runFrames(benchmark::State& state, OrvexGL& view) {
    Orvex& root = *view.getRoot();
    double stepSeconds = 0.0;
    double drawSeconds = 0.0;
    for (auto _ : state) {
        view.makeCurrent();
        const Clock::time_point start = Clock::now();
        root.frame(33);
        const Clock::time_point stepped = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        root.draw(0.0);
        view.swapBuffers();
        glFinish();
        stepSeconds += std::chrono::duration<double>(stepped - start).count();
        drawSeconds += std::chrono::duration<double>(Clock::now() - stepped).count();
    }
    const double frames = double(state.iterations());
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["step_ms"] = stepSeconds * 1000.0 / frames;
    state.counters["draw_ms"] = drawSeconds * 1000.0 / frames;
}

// The shipped view (the Earth close by), or with wide set a view from far
// above the inner solar system in which the asteroids are on the screen,
// with their names when asked.
void asteroidFrames(benchmark::State& state, bool wide, bool names = false) {
    const platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    std::unique_ptr<OrvexGL> view = engineView(state);
    if (!view)
        return;
    Orvex& root = *view->getRoot();
    root.processScenarioLine("Ssystem.Orbit 0");
    ScratchDir scratch;
    const int count = int(state.range(0));
    const std::vector<std::string> files = asteroidFiles(count, scratch);
    const double before = residentBytes();
    addAsteroids(*root.getSsystem(), files);
    view->updateGL();
    glFinish();
    const double grown = residentBytes() - before;
    if (wide) {
        root.processScenarioLine("Camera.AnimLength 1");
        root.processScenarioLine("Ssystem.AstrName Sun");
        root.processScenarioLine("Camera.Dist 300");
        root.processScenarioLine("Camera.Euler 0 60 0");
        if (names)
            root.processScenarioLine("Ssystem.Name 1");
        for (int i = 0; i < 3; ++i)
            view->updateGL();
    }
    runFrames(state, *view);
    state.counters["bodies"] = count;
    state.counters["rss_kb_per_body"] = grown / 1024.0 / count;
}

void BM_AsteroidFrames(benchmark::State& state) {
    asteroidFrames(state, false);
}
BENCHMARK(BM_AsteroidFrames)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(frameCount)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_AsteroidFramesWide(benchmark::State& state) {
    asteroidFrames(state, true);
}
BENCHMARK(BM_AsteroidFramesWide)
    ->Arg(10000)
    ->Iterations(frameCount)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_AsteroidFramesWideNamed(benchmark::State& state) {
    asteroidFrames(state, true, true);
}
BENCHMARK(BM_AsteroidFramesWideNamed)
    ->Arg(10000)
    ->Iterations(frameCount)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_ASatelliteFrames(benchmark::State& state) {
    const platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    std::unique_ptr<OrvexGL> view = engineView(state);
    if (!view)
        return;
    Orvex& root = *view->getRoot();
    const int count = int(state.range(0));
    addSatellites(*root.getSsystem(), count);
    view->updateGL();
    glFinish();
    runFrames(state, *view);
    state.counters["bodies"] = count;
}
BENCHMARK(BM_ASatelliteFrames)
    ->Arg(1000)
    ->Iterations(frameCount)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
