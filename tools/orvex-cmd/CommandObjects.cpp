// The command classes of the driver's root, in the configuration's order of
// construction: one line per class, for example
//     Timer& timer = root.add<Timer>(&root);
//     root.onFrame([&](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
#include <filesystem>

#include "DriverRoot.h"
#include "engine/Render.h"
#include "engine/Timer.h"
#include "model/Ssystem.h"

void addCommandObjects(DriverRoot& root) {
    Timer& timer = root.add<Timer>(&root);
    // A negative frame rate advances the clock by one step per frame.
    root.onFrame([&timer, &root](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
    Ssystem& ssystem = root.add<Ssystem>(&root);
    // The solar system of a data directory that has one (run with -C share),
    // positioned for the clock's time every frame and after every jump.
    if (std::filesystem::exists("./data/ssystem.def"))
        ssystem.readData("./data/ssystem.def");
    root.onFrame([&ssystem, &timer](unsigned) { ssystem.update(timer.getTime()); });
    timer.setImmediateListener([&ssystem](double time) { ssystem.update(time); });
    root.add<Render>(&root);
}
