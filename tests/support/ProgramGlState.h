// Tests that draw a part of the scene do it in the GL state the program sets
// at start-up (back-face culling on, its blend and alpha functions, colour
// material, light 0): a state that differs hides winding and blending faults.
#pragma once

#include "engine/Orvex.h"

namespace orvextest {

// Sets the program's start-up GL state in the current context.
inline void useProgramGlState() {
    Orvex::initGLState();
}

} // namespace orvextest
