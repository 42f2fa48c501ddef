// Positioning every body for one frame: the shipped solar system, and the
// same with 10,000 generated asteroids added under the Sun.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include <benchmark/benchmark.h>

#include "engine/LogMessage.h"
#include "model/DsAsteroid.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"

namespace {

std::unique_ptr<Ssystem> loadShipped() {
    auto system = std::make_unique<Ssystem>(nullptr);
    platform::CurrentDirGuard guard(ORVEX_SHARE_DIR);
    system->readData("data/ssystem.def");
    return system;
}

// Asteroids with main-belt elements, written to a scratch file each and read
// as the list files read them.
void addAsteroids(Ssystem& system, int count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    DsAstrBody* sun = system.getTopBodies().front().get();
    // A name of this run's own: two runs at once do not share the file.
    std::string path =
        (std::filesystem::temp_directory_path() / "orvex-bench-asteroid-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd < 0)
        return;
    close(fd);
    for (int i = 0; i < count; ++i) {
        std::FILE* f = std::fopen(path.c_str(), "w");
        std::fprintf(f,
                     "SimMode: All State: Show\ne: %g\nPeri: %g\nNode: %g\nIncl: %g\nA: %g\n"
                     "M: %g\nt: 2459800.5\n",
                     0.3 * unit(random), 360 * unit(random), 360 * unit(random), 30 * unit(random),
                     2.1 + 1.2 * unit(random), 360 * unit(random));
        std::fclose(f);
        auto body = std::make_unique<DsAsteroid>("Generated" + std::to_string(i), sun, &system);
        body->loadOrbitFile(path);
        sun->addChild(std::move(body));
    }
    std::remove(path.c_str());
}

void BM_UpdateShipped(benchmark::State& state) {
    auto system = loadShipped();
    double t = 946728000.0;
    for (auto _ : state) {
        system->update(t);
        t += 60.0;
    }
    state.counters["bodies"] = double(system->getAllBodies().size());
}

void BM_UpdateShippedPlus10000Asteroids(benchmark::State& state) {
    auto system = loadShipped();
    addAsteroids(*system, 10000);
    double t = 946728000.0;
    for (auto _ : state) {
        system->update(t);
        t += 60.0;
    }
    state.counters["bodies"] = double(system->getAllBodies().size());
}

} // namespace

BENCHMARK(BM_UpdateShipped)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateShippedPlus10000Asteroids)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
