// The body data file ("ssystem.def"): simulation modes, nested bodies with
// their keywords, places, belts; then one position update.
#include "FuzzSupport.h"
#include "model/NeutralModelServices.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    fuzz::writeInput(data, size, "data/ssystem.def");
    NeutralModelServices services;
    Ssystem system(nullptr, &services);
    platform::CurrentDirGuard scratch(fuzz::scratchDir());
    if (system.readData("data/ssystem.def"))
        system.update(946728000.0); // 2000-01-01 12:00 UTC
    return 0;
}
