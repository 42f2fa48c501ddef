// The main configuration file ("config.def") as the start reads it, with
// every command class built (the start files it needs are there and empty);
// the data files it names are absent, so only the configuration's own
// reading is fuzzed here.
#include "FuzzSupport.h"
#include "engine/Orvex.h"
#include "graphics/LabelFont.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    fuzz::silenceLog();
    static const bool startFiles = [] {
        fuzz::writeInput("", "scenarios/init.scn");
        fuzz::writeInput("", "scenarios/options.scn");
        return true;
    }();
    (void)startFiles;
    fuzz::writeInput(data, size, "data/config.def");
    {
        Orvex root;
        root.setDataDir(fuzz::scratchDir());
        root.Main::init();
    }
    setDefaultFontFamily("Arial");
    return 0;
}
