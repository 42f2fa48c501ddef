// One particle of a ParticleSystem: a fixed record that is reused. A dead
// particle has age -1 and waits for the next emission.
#pragma once

class ParticleSystem;
class Random15;

struct Particle {
    float position[3] = {0.0f, 0.0f, 0.0f};
    float velocity[3] = {0.0f, 0.0f, 0.0f};
    float color[3] = {0.0f, 0.0f, 0.0f};
    float alpha = 0.0f; // as drawn
    float colorStep[3] = {0.0f, 0.0f, 0.0f};
    float alphaValue = 0.0f; // the running alpha, drawn while there is no view range
    float alphaStep = 0.0f;
    float size = 0.0f;
    float sizeStep = 0.0f;
    float age = -1.0f; // seconds since emission; -1 dead
    float life = 0.0f;

    bool isAlive() const { return age >= 0.0f; }

    // Brings the particle to life with the system's settings, drawing on the
    // system's random numbers in a fixed order: life, alpha, size and speed
    // spreads (each only when its spread is not 0), then the emitter's.
    void spawn(const ParticleSystem& system, Random15& random);
    // One time step; 0 when the particle dies in it.
    int update(const ParticleSystem& system);
};
