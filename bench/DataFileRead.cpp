// Reading speed of the data stream: text tokens and numbers as the catalogue
// and orbit readers take them, and raw binary values.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <QTemporaryDir>

#include "engine/DataFile.h"

namespace {

const int Count = 100000;

std::string makeFile(const QTemporaryDir& dir, const char* name, bool binary) {
    const std::string path = dir.path().toStdString() + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), binary ? "wb" : "w");
    for (int i = 0; i < Count; ++i) {
        if (binary) {
            const int v = i;
            const double d = i * 0.5;
            std::fwrite(&v, sizeof v, 1, f);
            std::fwrite(&d, sizeof d, 1, f);
        } else {
            std::fprintf(f, "Radius: %d %g\n", i, i * 0.5);
        }
    }
    std::fclose(f);
    return path;
}

void textTokens(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = makeFile(dir, "tokens.txt", false);
    for (auto _ : state) {
        DataFile file(path);
        std::string word;
        int i = 0;
        double d = 0;
        while (file.good())
            file.readWord(word).readInt(i).readDouble(d);
        benchmark::DoNotOptimize(d);
    }
    state.SetItemsProcessed(state.iterations() * Count * 3);
}
BENCHMARK(textTokens)->Unit(benchmark::kMillisecond);

void binaryValues(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = makeFile(dir, "values.bin", true);
    for (auto _ : state) {
        DataFile file(path, DataFile::Read, 1, DataFile::BigEndian);
        int i = 0;
        double d = 0;
        while (file.good())
            file.readInt(i).readDouble(d);
        benchmark::DoNotOptimize(d);
    }
    state.SetItemsProcessed(state.iterations() * Count * 2);
}
BENCHMARK(binaryValues)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
