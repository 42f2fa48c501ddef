// The command classes of the driver's root, in the configuration's order of
// construction: one line per class, for example
//     Timer& timer = root.add<Timer>(&root);
//     root.onFrame([&](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
#include "DriverRoot.h"
#include "engine/Render.h"

void addCommandObjects(DriverRoot& root) {
    root.add<Render>(&root);
}
