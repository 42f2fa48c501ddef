// Cost of the command language on its hot paths: the windows query dozens of
// values after every frame, and option and state files run hundreds of lines
// at once. The registry is set up like the application's: the root and twelve
// command classes of about fifty words each.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Base.h"
#include "engine/DataFile.h"
#include "engine/Main.h"

namespace {

class Root : public Main {
public:
    Root() : Main("Orvex") {}
    int readConfigEntry(DataFile&) override { return 1; }
};

// Answers every word; "Set" stores a real.
class Settings : public Base {
public:
    Settings(Main* owner, std::string name) : Base(name.c_str(), owner), owner_(owner) {
        for (int i = 0; i < 50; ++i)
            owner->interp.addCommand(name, "Word" + std::to_string(i), false);
        owner->interp.addCommand(name, "Set", false);
    }
    int execute() override {
        if (owner_->interp.commandWord != "Set")
            return 0;
        owner_->interp.args.readDouble(value_);
        return 1;
    }
    std::string getValue() override { return CommandArgs::formatReal(value_); }

private:
    Main* owner_;
    double value_ = 0.0;
};

struct Engine {
    Engine() {
        for (const char* name : {"Timer", "Console", "Ssystem", "Camera", "Space", "Constes",
                                 "Galaxies", "Fstars", "Lscape", "Markers", "Render", "Detail"})
            classes.push_back(std::make_unique<Settings>(&root, name));
    }
    Root root;
    std::vector<std::unique_ptr<Settings>> classes;
};

void executeLine(benchmark::State& state) {
    Engine engine;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.root.processScenarioLine("Detail.Set 2.5"));
        engine.root.clearLog();
    }
}

void query(benchmark::State& state) {
    Engine engine;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.root.getCommandValue("Detail.Word49"));
}

void runOptionsAtOnce(benchmark::State& state) {
    Engine engine;
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "Camera.Set " + std::to_string(i) + "\n";
    for (auto _ : state) {
        engine.root.runScript(text, 1);
        engine.root.clearLog();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

} // namespace

BENCHMARK(executeLine);
BENCHMARK(query);
BENCHMARK(runOptionsAtOnce);

BENCHMARK_MAIN();
