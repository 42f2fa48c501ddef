// The command classes of the driver's root, in the configuration's order of
// construction: one line per class, for example
//     Timer& timer = root.add<Timer>(&root);
//     root.onFrame([&](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
#include "DriverRoot.h"
#include "engine/Render.h"
#include "engine/Timer.h"
#include "view/Camera.h"
#include "view/Console.h"
#include "view/Detail.h"

void addCommandObjects(DriverRoot& root) {
    Timer& timer = root.add<Timer>(&root);
    // A negative frame rate advances the clock by one step per frame.
    root.onFrame([&timer, &root](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
    Console& console = root.add<Console>(&root);
    console.setTimer(&timer);
    Camera& camera = root.add<Camera>(&root);
    camera.setTimer(&timer);
    // The camera's per-frame step without its GL half (there is no view).
    root.onFrame([&camera](unsigned) { camera.stepView(); });
    root.add<Render>(&root);
    Detail& detail = root.add<Detail>(&root);
    detail.setFontOwner(Detail::ConsoleFont, &console);
    console.setDetail(&detail);
}
