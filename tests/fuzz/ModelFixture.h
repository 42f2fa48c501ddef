// A small solar system (Sun, Earth, Moon) read from text in the scratch
// directory, for the harnesses of the model's files: orbit files and lists.
#pragma once

#include <memory>

#include "FuzzSupport.h"
#include "model/NeutralModelServices.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"

namespace fuzz {

class ListServices : public NeutralModelServices {
public:
    ListSettings getListSettings() const override {
        ListSettings settings;
        settings.dataDir = scratchDir();
        return settings;
    }
};

// A fresh system each time: readers add and remove bodies.
inline std::unique_ptr<Ssystem> smallSystem(ListServices& services) {
    writeInput("DefineSimMode: Solar 1 1 1 1\n"
               "Child: Sun Sun\n SimMode: 0 State: Show\n"
               " Child: Earth Earth\n  SimMode: 0 State: Show\n"
               "  Child: Moon Moon\n   SimMode: 0 State: Show\n  }\n"
               " }\n"
               "}\n",
               "data/small.def");
    auto system = std::make_unique<Ssystem>(nullptr, &services);
    platform::CurrentDirGuard data(scratchDir());
    system->readData("data/small.def");
    return system;
}

} // namespace fuzz
