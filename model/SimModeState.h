// A body's display state in one sim mode, with its radius and orbit scale
// factors: the "2" rates apply while the Ssystem's Scale switch is on (real
// scale), the "1" rates while it is off (model scale).
#pragma once

struct SimModeState {
    // Display states.
    static constexpr int Show = 0;
    static constexpr int Hide = 1;
    static constexpr int Hlight = 2;

    // The state the data gave; positions are not updated while it is Hide.
    int definedState = Hide;
    // The state now (the show and hide commands change it, not definedState).
    int state = Hide;
    double radiusRate2 = 1.0;
    double radiusRate1 = 1.0;
    double orbitRate2 = 1.0;
    double orbitRate1 = 1.0;
};
