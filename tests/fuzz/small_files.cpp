// The small text files of the start: key map, command help, direction names,
// star and galaxy names, display configuration (fuzz::select picks one).
#include "FuzzSupport.h"
#include "engine/DisplayConfig.h"
#include "engine/HelpFile.h"
#include "engine/KeyMap.h"
#include "sky/DirectionNames.h"
#include "sky/NamesFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    const fuzz::Selected input = fuzz::select(data, size, 6);
    const std::string path = fuzz::writeInput(input.rest, "small.txt");
    std::vector<HelpEntry> help;
    std::vector<StarName> names;
    std::vector<FixedStar> stars;
    switch (input.choice) {
    case 0:
        KeyMap().load(path);
        break;
    case 1:
        readHelpEntries(path, help);
        break;
    case 2:
        DirectionNames().read(path);
        break;
    case 3:
        readNamesFile(path, "FixedStarNames:", names, &stars);
        break;
    case 4:
        readNamesFile(path, "GalaxyNames:", names, nullptr);
        break;
    case 5:
        DisplayConfig(fuzz::scratchDir() + "/a/b/c").read(path);
        break;
    }
    return 0;
}
