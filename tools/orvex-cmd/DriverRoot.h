// The root the command driver runs the language with: class word "Orvex" (as
// the application's root), a configuration reader that reads nothing, and the
// command classes built so far, which addCommandObjects constructs.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Main.h"

class DriverRoot : public Main {
public:
    DriverRoot();
    ~DriverRoot() override;

    int readConfigEntry(DataFile& file) override;
    // Main's frame step, then every step added with onFrame.
    int frame(unsigned elapsedMs) override;

    // Constructs a command object owned by the root (destroyed before the
    // interpreter, in reverse order of construction).
    template <class T, class... Args> T& add(Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *object;
        objects_.push_back(std::move(object));
        return ref;
    }
    // Adds work to every configured frame after Main's step (the clock's
    // advance, the bodies' positions), given the elapsed milliseconds.
    void onFrame(std::function<void(unsigned elapsedMs)> step) {
        frameSteps_.push_back(std::move(step));
    }

private:
    std::vector<std::unique_ptr<Base>> objects_;
    std::vector<std::function<void(unsigned)>> frameSteps_;
};

// Constructs the command classes the driver knows and hooks them into the
// frame, in the order the configuration reader creates them. Each command
// class adds its line here when it exists.
void addCommandObjects(DriverRoot& root);
