// Per-frame cost of artificial satellites (all 979 shipped sets shown at once)
// and the load of the shipped spacecraft model.
#include <benchmark/benchmark.h>

#include "model/DsAstrBody.h"
#include "model/NeutralModelServices.h"
#include "model/ObjModel.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"

namespace {

class ShareServices : public NeutralModelServices {
public:
    ListSettings getListSettings() const override {
        ListSettings settings;
        settings.dataDir = ORVEX_SHARE_DIR;
        return settings;
    }
};

void BM_UpdateAllSatellites(benchmark::State& state) {
    ShareServices services;
    Ssystem system(nullptr, &services);
    {
        platform::CurrentDirGuard share(ORVEX_SHARE_DIR);
        system.readData("./data/ssystem.def");
    }
    // The default list builds the records; then every one is added.
    system.loadASatelliteList(services.getListSettings().aSatelliteList);
    const std::vector<BodyFileName> records = system.getFileRecords(DsAstrBody::ASatellite);
    for (const BodyFileName& record : records)
        system.addASatellite(record.name);
    double t = 1.5e9;
    for (auto _ : state) {
        system.update(t);
        t += 1.0;
    }
    state.counters["bodies"] = double(system.getAllBodies().size());
}

void BM_LoadSpacecraftModel(benchmark::State& state) {
    platform::CurrentDirGuard models(std::string(ORVEX_SHARE_DIR) + "/models");
    for (auto _ : state) {
        ObjModel model;
        benchmark::DoNotOptimize(model.load("msl.obj"));
    }
}

} // namespace

BENCHMARK(BM_UpdateAllSatellites)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadSpacecraftModel)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
