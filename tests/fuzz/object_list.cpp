// The object list files (comets, asteroids, spacecraft, artificial
// satellites; fuzz::select picks the kind) and the place list.
#include "ModelFixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    fuzz::ListServices services;
    std::unique_ptr<Ssystem> system = fuzz::smallSystem(services);
    const fuzz::Selected input = fuzz::select(data, size, 5);
    fuzz::writeInput(input.rest, "data/list.txt");
    const std::string path = "./data/list.txt";
    switch (input.choice) {
    case 0:
        system->loadCometList(path);
        break;
    case 1:
        system->loadAsteroidList(path);
        break;
    case 2:
        system->loadSpacecraftList(path);
        break;
    case 3:
        system->loadASatelliteList(path);
        break;
    case 4:
        system->loadPlaceList(path);
        break;
    }
    return 0;
}
