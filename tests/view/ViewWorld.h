// The neighbours the view classes work with, for their tests: a root (class
// word "Orvex") whose data directory is tests/data/view, the clock stopped at
// a fixed instant in UTC, and a small solar system read from that directory.
#pragma once

#include <string>

#include "engine/LogMessage.h"
#include "engine/Timer.h"
#include "model/DsAstrBody.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

namespace orvextest {

struct ViewWorld {
    // 2006-10-04 09:05:07 UTC.
    static constexpr double fixedTime = 1159952707.0;

    ViewWorld() {
        root.setDataDir(dataPath("view"));
        platform::CurrentDirGuard inData(root.getDataDir());
        loaded = ssystem.readData("ssystem.def");
        root.processScenarioLine("Timer.Mode UTC;Timer.Speed 0;Timer.Time 1159952707");
        ssystem.update(timer.getTime());
    }

    // Selects the body of that name (and one of its places when named).
    void select(const std::string& body, const std::string& place = "") {
        const auto& bodies = ssystem.getAllBodies();
        for (size_t i = 0; i < bodies.size(); ++i)
            if (bodies[i]->getName() == body) {
                ssystem.select(int(i), 0, -1);
                if (!place.empty())
                    bodies[i]->selectPlace(place);
                return;
            }
    }

    LogCapture log;
    TestRoot root;
    Timer timer{&root};
    Ssystem ssystem{&root};
    int loaded = 0;
};

} // namespace orvextest
