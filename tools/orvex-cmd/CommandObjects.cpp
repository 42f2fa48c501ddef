// The command classes of the driver's root, in the configuration's order of
// construction: one line per class, for example
//     Timer& timer = root.add<Timer>(&root);
//     root.onFrame([&](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
#include <filesystem>

#include "DriverRoot.h"
#include "engine/Render.h"
#include "engine/Timer.h"
#include "model/Ssystem.h"
#include "sky/Constes.h"
#include "sky/Fstars.h"
#include "sky/Galaxies.h"
#include "sky/Lscape.h"
#include "sky/Space.h"
#include "view/Camera.h"
#include "view/Console.h"
#include "view/Detail.h"
#include "view/Markers.h"

void addCommandObjects(DriverRoot& root) {
    Timer& timer = root.add<Timer>(&root);
    // A negative frame rate advances the clock by one step per frame.
    root.onFrame([&timer, &root](unsigned ms) { timer.update(root.getFps() < 0 ? 0 : ms); });
    Console& console = root.add<Console>(&root);
    console.setTimer(&timer);
    // The driver reads no configuration: it loads the solar system and the
    // constellations where the shipped data has them ("Ssystem:
    // ./data/ssystem.def", "ConstesDir: ./data/constes/"), relative to the
    // directory it runs in, when they are there. The bodies move with the
    // clock every frame and after every jump of it.
    Ssystem& ssystem = root.add<Ssystem>(&root);
    if (std::filesystem::exists("./data/ssystem.def"))
        ssystem.readData("./data/ssystem.def");
    root.onFrame([&ssystem, &timer](unsigned) { ssystem.update(timer.getTime()); });
    timer.setImmediateListener([&ssystem](double time) { ssystem.update(time); });
    console.setSsystem(&ssystem);
    Camera& camera = root.add<Camera>(&root);
    camera.setTimer(&timer);
    camera.setSsystem(&ssystem);
    // The camera's per-frame step without its GL half (there is no view).
    root.onFrame([&camera](unsigned) { camera.stepView(); });
    // The sky's switches and styles; its stars and Milky Way are drawn only by
    // the whole engine (-g), which loads them.
    root.add<Space>(&root);
    // The driver reads no configuration: it loads the constellations and the
    // names where the shipped one has them ("ConstesDir: ./data/constes/",
    // "Galaxies: ./data/galaxies.txt", "FixedStars: ./data/fixedstars.txt"),
    // relative to the directory it runs in, when they are there.
    Constes& constes = root.add<Constes>(&root);
    if (std::filesystem::exists("./data/constes/constes.cdl"))
        constes.load("./data/constes/");
    camera.setSkyTargets(Camera::Constellations, &constes);
    Galaxies& galaxies = root.add<Galaxies>(&root);
    if (std::filesystem::exists("./data/galaxies.txt"))
        galaxies.loadNames("./data/galaxies.txt");
    camera.setSkyTargets(Camera::Galaxies, &galaxies);
    Fstars& fstars = root.add<Fstars>(&root);
    if (std::filesystem::exists("./data/fixedstars.txt"))
        fstars.loadNames("./data/fixedstars.txt");
    camera.setSkyTargets(Camera::FixedStars, &fstars);
    Lscape& lscape = root.add<Lscape>(&root);
    camera.setLandscape(&lscape);
    Markers& markers = root.add<Markers>(&root);
    camera.setMarkers(&markers);
    root.add<Render>(&root);
    Detail& detail = root.add<Detail>(&root);
    detail.setFontOwner(Detail::ConsoleFont, &console);
    detail.setFontOwner(Detail::LscapeFont, &lscape);
    console.setDetail(&detail);
}
