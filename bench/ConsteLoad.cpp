// Reading the shipped constellations: the 88 ".cdl" files of the list (done
// once at start-up) and all the art drawings (done at start-up with
// BuildArtsFirst, else at each drawing's first draw).
#include <benchmark/benchmark.h>

#include "sky/Conste.h"
#include "sky/ConsteArt.h"
#include "sky/ConsteSet.h"

namespace {

const std::string constesDir = std::string(ORVEX_SHARE_DIR) + "/data/constes/";

void LoadConstellationList(benchmark::State& state) {
    for (auto _ : state) {
        ConsteSet set;
        benchmark::DoNotOptimize(set.load(constesDir));
    }
}
BENCHMARK(LoadConstellationList)->Unit(benchmark::kMillisecond);

void ReadAllArt(benchmark::State& state) {
    ConsteSet set;
    set.load(constesDir);
    int points = 0;
    for (auto _ : state)
        for (int i = 0; i < set.size(); ++i)
            points += set.at(i).readArt().pointCount();
    benchmark::DoNotOptimize(points);
}
BENCHMARK(ReadAllArt)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
