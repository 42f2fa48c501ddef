// The star catalogue as its owner loads it: the stars file and the colour map
// (fuzz::select picks one).
#include "FuzzSupport.h"
#include "sky/StarCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    const fuzz::Selected input = fuzz::select(data, size, 2);
    const std::string path = fuzz::writeInput(input.rest, "catalog");
    StarCatalog catalog;
    if (input.choice == 0)
        catalog.loadStars(path);
    else
        catalog.loadColorMap(path);
    return 0;
}
