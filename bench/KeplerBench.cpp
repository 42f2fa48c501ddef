// Kepler's equation over a sweep of eccentricities and mean anomalies: every
// shown asteroid and comet solves it once per frame.
#include "model/OrbitMath.h"

#include <vector>

#include <benchmark/benchmark.h>

namespace {

struct Sweep {
    std::vector<double> e;
    std::vector<double> M;
};

Sweep makeSweep(double eMin, double eMax) {
    Sweep s;
    const int ne = 64, nm = 256;
    for (int i = 0; i < ne; ++i) {
        for (int j = 0; j < nm; ++j) {
            s.e.push_back(eMin + (eMax - eMin) * i / (ne - 1));
            s.M.push_back(-kPi + kTwoPi * (j + 0.5) / nm);
        }
    }
    return s;
}

void run(benchmark::State& state, const Sweep& s) {
    double sum = 0.0;
    for (auto _ : state) {
        for (size_t i = 0; i < s.e.size(); ++i)
            sum += solveKepler(s.e[i], s.M[i]);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(s.e.size()));
}

void BM_SolveKeplerAsteroidRange(benchmark::State& state) {
    static const Sweep s = makeSweep(0.0, 0.5);
    run(state, s);
}

void BM_SolveKeplerFullRange(benchmark::State& state) {
    static const Sweep s = makeSweep(0.0, 0.99);
    run(state, s);
}

void BM_SolveKeplerNearParabolic(benchmark::State& state) {
    static const Sweep s = makeSweep(0.99, 0.9999);
    run(state, s);
}

} // namespace

BENCHMARK(BM_SolveKeplerAsteroidRange);
BENCHMARK(BM_SolveKeplerFullRange);
BENCHMARK(BM_SolveKeplerNearParabolic);
BENCHMARK_MAIN();
