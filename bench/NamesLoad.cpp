// Reading the shipped names files (once at start-up) and the camera's search
// for a look target by name, which runs through the labels in file order.
#include <benchmark/benchmark.h>

#include <vector>

#include "sky/NamesFile.h"
#include "sky/SkyPosition.h"

namespace {

const std::string dataDir = std::string(ORVEX_SHARE_DIR) + "/data/";

void ReadFixedStarNames(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<StarName> names;
        std::vector<FixedStar> stars;
        benchmark::DoNotOptimize(
            readNamesFile(dataDir + "fixedstars.txt", "FixedStarNames:", names, &stars));
    }
}
BENCHMARK(ReadFixedStarNames)->Unit(benchmark::kMicrosecond);

void ReadGalaxyNames(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<StarName> names;
        benchmark::DoNotOptimize(
            readNamesFile(dataDir + "galaxies.txt", "GalaxyNames:", names, nullptr));
    }
}
BENCHMARK(ReadGalaxyNames)->Unit(benchmark::kMicrosecond);

// The last name of the file: the longest search.
void FindLastFixedStar(benchmark::State& state) {
    std::vector<StarName> names;
    readNamesFile(dataDir + "fixedstars.txt", "FixedStarNames:", names, nullptr);
    const std::string last = names.back().name;
    for (auto _ : state) {
        Quaternion rot;
        for (const StarName& n : names)
            if (n.name == last) {
                rot = skyLookRotation(n.ra, n.decl);
                break;
            }
        benchmark::DoNotOptimize(rot);
    }
}
BENCHMARK(FindLastFixedStar);

} // namespace

BENCHMARK_MAIN();
