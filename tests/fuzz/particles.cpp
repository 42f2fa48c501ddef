// A particle effect's define file, then a few simulation steps with the
// read settings (particle count and warm-up cut short: their bounds are the
// reader's, the fuzzer wants many runs).
#include "FuzzSupport.h"
#include "platform/CurrentDirGuard.h"
#include "view/ParticleSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    platform::CurrentDirGuard scratch(fuzz::scratchDir());
    fuzz::writeInput(data, size, "effects/fuzzed.def");
    ParticleSystem particles;
    particles.setSeed(1);
    if (particles.load("effects/fuzzed.def")) {
        particles.setMaxParticles(200);
        particles.setStartFrame(5);
        for (int step = 0; step < 3; ++step)
            particles.update();
    }
    return 0;
}
