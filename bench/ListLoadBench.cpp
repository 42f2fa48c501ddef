// Loading bodies by list, as "Ssystem.LoadAsteroidList" and
// "Ssystem.LoadASatelliteList" do: a generated asteroid directory of the
// argument's size with a list naming every file, loaded into the shipped
// solar system (first load: the directory is read; reload: the same list
// again), and every shipped artificial satellite by one list. The
// items-per-second counter is bodies a second: flat when the load is linear.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/DsAstrBody.h"
#include "model/NeutralModelServices.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"

namespace {

class BenchServices : public NeutralModelServices {
public:
    ListSettings getListSettings() const override { return settings; }
    ListSettings settings;
};

// A scratch directory of its own (two runs at once do not collide), removed
// at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvex-listload-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// count asteroid files with main-belt elements, and a list naming them all.
// They are dated an hour back, as files that have lain there for a while.
void writeAsteroids(const std::string& dir, int count) {
    namespace fs = std::filesystem;
    const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::create_directories(dir + "/asteroids");
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::FILE* list = std::fopen((dir + "/asteroids.dal").c_str(), "w");
    std::fprintf(list, "Version: 7.0 \nLocale: en_us \n\n");
    for (int i = 0; i < count; ++i) {
        const std::string name = "Generated" + std::to_string(i);
        std::FILE* f = std::fopen((dir + "/asteroids/" + name + ".orb").c_str(), "w");
        std::fprintf(f,
                     "Name: %s\nRadius: 10 1\nSimMode: All State: Show\ne: %g\nPeri: %g\n"
                     "Node: %g\nIncl: %g\nA: %g\nM: %g\nt: 2459800.5\n",
                     name.c_str(), 0.3 * unit(random), 360 * unit(random), 360 * unit(random),
                     30 * unit(random), 2.1 + 1.2 * unit(random), 360 * unit(random));
        std::fclose(f);
        fs::last_write_time(dir + "/asteroids/" + name + ".orb", past);
        std::fprintf(list, "%s \n", name.c_str());
    }
    std::fclose(list);
    fs::last_write_time(dir + "/asteroids", past);
}

std::unique_ptr<Ssystem> shippedSystem(BenchServices& services) {
    auto system = std::make_unique<Ssystem>(nullptr, &services);
    platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    system->readData("./data/ssystem.def");
    return system;
}

struct GeneratedAsteroids {
    explicit GeneratedAsteroids(int count) {
        writeAsteroids(scratch.path, count);
        services.settings.dataDir = ORVEX_SHARE_DIR;
        services.settings.asteroidDir = scratch.path + "/asteroids/";
        services.settings.asteroidList = scratch.path + "/asteroids.dal";
    }
    ScratchDir scratch;
    BenchServices services;
};

void BM_LoadAsteroidList(benchmark::State& state) {
    const int count = int(state.range(0));
    GeneratedAsteroids data(count);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Ssystem> system = shippedSystem(data.services);
        state.ResumeTiming();
        system->loadAsteroidList(data.services.settings.asteroidList);
        state.PauseTiming();
        if (system->getFileRecords(DsAstrBody::Asteroid).size() != size_t(count))
            state.SkipWithError("records missing");
        system.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LoadAsteroidList)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_ReloadAsteroidList(benchmark::State& state) {
    const int count = int(state.range(0));
    GeneratedAsteroids data(count);
    std::unique_ptr<Ssystem> system = shippedSystem(data.services);
    system->loadAsteroidList(data.services.settings.asteroidList);
    for (auto _ : state)
        system->loadAsteroidList(data.services.settings.asteroidList);
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReloadAsteroidList)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The names of every shipped comet, asteroid and spacecraft file and the
// titles of the satellite files, read from scratch as a start reads them.
void BM_ScanShippedOrbitDirs(benchmark::State& state) {
    const platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
    const ListSettings settings;
    size_t records = 0;
    for (auto _ : state) {
        std::vector<BodyFileName> found;
        records = 0;
        for (const std::string* dir :
             {&settings.cometDir, &settings.asteroidDir, &settings.spacecraftDir}) {
            Ssystem::scanOrbitDir(found, *dir);
            records += found.size();
        }
        Ssystem::scanASatelliteDir(found, settings.aSatelliteDir);
        records += found.size();
    }
    state.counters["records"] = double(records);
}
BENCHMARK(BM_ScanShippedOrbitDirs)->Unit(benchmark::kMillisecond);

// Every shipped satellite, named in one list.
void BM_LoadAllSatellites(benchmark::State& state) {
    ScratchDir scratch;
    BenchServices services;
    services.settings.dataDir = ORVEX_SHARE_DIR;
    std::unique_ptr<Ssystem> system = shippedSystem(services);
    system->loadASatelliteList(services.settings.aSatelliteList);
    const std::string list = scratch.path + "/asatellites.dal";
    std::FILE* f = std::fopen(list.c_str(), "w");
    for (const BodyFileName& record : system->getFileRecords(DsAstrBody::ASatellite))
        std::fprintf(f, "%s \n", record.name.c_str());
    std::fclose(f);
    size_t bodies = 0;
    for (auto _ : state) {
        system->loadASatelliteList(list);
        bodies = system->getAllBodies().size();
    }
    state.counters["bodies"] = double(bodies);
}
BENCHMARK(BM_LoadAllSatellites)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
