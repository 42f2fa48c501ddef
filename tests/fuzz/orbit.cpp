// Every kind of orbit file (planet, moon, satellite, comet, asteroid,
// spacecraft, two-line elements; fuzz::select picks the kind) read into a
// body of the small system, then its position at two instants.
#include "ModelFixture.h"
#include "model/BodyFactory.h"
#include "model/DsAstrBody.h"

namespace {
const char* const kinds[] = {"Planet",   "Moon",       "Satellite", "Comet",
                             "Asteroid", "Spacecraft", "ASatellite"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    static fuzz::ListServices* services = new fuzz::ListServices;
    static Ssystem* system = fuzz::smallSystem(*services).release();
    const fuzz::Selected input = fuzz::select(data, size, std::size(kinds));
    const std::string path = fuzz::writeInput(input.rest, "data/orbit.orb");
    DsAstrBody* parent = system->findBody(input.choice == 6 ? "Earth" : "Sun");
    std::unique_ptr<DsAstrBody> body = makeBody(kinds[input.choice], "Fuzzed", parent, system);
    if (body && body->loadOrbitFile(path)) {
        body->updatePosition(946728000.0); // 2000-01-01 12:00 UTC
        body->updatePosition(-4102444800.0);
    }
    return 0;
}
