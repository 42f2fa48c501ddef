// Scenario lines, one per input line, through the whole root with every
// command class (configured from an empty configuration, so no data set and
// no display), and condition lines as the runner reads them. Lines that save
// files are skipped: the fuzzer must not write where its input points.
#include <algorithm>
#include <cctype>
#include <memory>
#include <sstream>

#include "FuzzSupport.h"
#include "engine/Orvex.h"

namespace {

Orvex& root() {
    static Orvex* orvex = [] {
        fuzz::ensureApplication();
        fuzz::silenceLog();
        fuzz::writeInput("# empty\n", "data/config.def");
        fuzz::writeInput("", "scenarios/init.scn");
        fuzz::writeInput("", "scenarios/options.scn");
        auto made = std::make_unique<Orvex>();
        made->setDataDir(fuzz::scratchDir());
        made->Main::init();
        return made.release();
    }();
    return *orvex;
}

bool writesFiles(std::string line) {
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return line.find("save") != std::string::npos || line.find("record") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Orvex& orvex = root();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    for (int count = 0; count < 64 && std::getline(in, line); ++count)
        if (!writesFiles(line))
            orvex.processScenarioLine(line);
    return 0;
}
