#include "view/Particle.h"

#include <cmath>

#include "engine/Random15.h"
#include "view/ParticleSystem.h"

namespace {

constexpr float pi = 3.14159265358979f;

// value ± spread, drawing two numbers only when there is a spread.
float withSpread(float value, float spread, Random15& random) {
    return spread != 0.0f ? value + random.spread() * spread : value;
}

// A value that is not a number (an overflowing define file) becomes low.
float clampTo(float value, float low, float high) {
    if (!(value >= low))
        return low;
    return value > high ? high : value;
}

} // namespace

void Particle::spawn(const ParticleSystem& system, Random15& random) {
    const float dt = ParticleSystem::timeStep;
    age = 0.0f;
    life = clampTo(withSpread(system.getLife(), system.getRandomLife(), random), 0.01f, 20.0f);

    const float* start = system.getStartColor();
    const float* end = system.getEndColor();
    const float* spread = system.getRandomColor();
    for (int i = 0; i < 3; ++i) {
        color[i] = clampTo(start[i] + spread[i], 0.0f, 1.0f);
        colorStep[i] = (end[i] - color[i]) / life * dt;
    }
    alpha = 0.0f;
    alphaValue = clampTo(withSpread(start[3], spread[3], random), 0.0f, 1.0f);
    alphaStep = (end[3] - alphaValue) / life * dt;

    size = clampTo(withSpread(system.getSizeStart(), system.getRandomSize(), random), 0.1f, 100.0f);
    sizeStep = (system.getSizeEnd() - size) / life * dt;

    const float s = withSpread(system.getSpeed(), system.getRandomSpeed(), random) * dt;
    const float* centre = system.getCenter();
    const float* area = system.getArea();
    switch (system.getEmitterType()) {
    case ParticleSystem::Ball: {
        const float spot = system.getSpotAngle();
        const float a = random.spread() * 2.0f * pi;
        const float e0 = random.spread() * spot * pi / 180.0f;
        const float turns = std::trunc(random.spread() * spot / 360.0f);
        const float e = e0 - 2.0f * pi * turns + pi;
        const float d[3] = {std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e)};
        const float r = random.unit() * (system.getRadiusOuter() - system.getRadiusInner()) +
                        system.getRadiusInner();
        for (int i = 0; i < 3; ++i) {
            position[i] = centre[i] + r * d[i];
            velocity[i] = s * d[i];
        }
        break;
    }
    case ParticleSystem::Area: {
        const float* v = system.getVelocity();
        for (int i = 0; i < 3; ++i)
            position[i] = centre[i] + random.spread() * area[i];
        for (int i = 0; i < 3; ++i)
            velocity[i] = s * v[i];
        break;
    }
    case ParticleSystem::FacingArea: {
        float p[3];
        for (int i = 0; i < 3; ++i)
            p[i] = centre[i] + random.spread() * area[i];
        const Vector3 world = system.getViewAxisA() * p[0] + system.getViewAxisB() * p[1] +
                              system.getViewAxisN() * p[2];
        const Vector3& v = system.getRotatedVelocity();
        position[0] = float(world.x);
        position[1] = float(world.y);
        position[2] = float(world.z);
        velocity[0] = float(v.x);
        velocity[1] = float(v.y);
        velocity[2] = float(v.z);
        break;
    }
    default:
        break;
    }
}

int Particle::update(const ParticleSystem& system) {
    const float dt = ParticleSystem::timeStep;
    age += dt;
    if (age >= life) {
        age = -1.0f;
        return 0;
    }
    for (int i = 0; i < 3; ++i)
        position[i] += dt * velocity[i];
    if (system.getEmitterType() == ParticleSystem::FacingArea) {
        const Vector3& g = system.getRotatedGravity();
        velocity[0] += dt * float(g.x);
        velocity[1] += dt * float(g.y);
        velocity[2] += dt * float(g.z);
    } else {
        for (int i = 0; i < 3; ++i)
            velocity[i] += dt * system.getGravity()[i];
    }
    for (int i = 0; i < 3; ++i)
        color[i] += colorStep[i];
    size += sizeStep;
    const float range = system.getViewRange();
    if (!(range > 0.0f)) {
        alphaValue += alphaStep;
        alpha = alphaValue;
    } else {
        const float d2 =
            position[0] * position[0] + position[1] * position[1] + position[2] * position[2];
        const float t = clampTo(1.0f - d2 / (range * range), 0.0f, 1.0f);
        const float startAlpha = system.getStartColor()[3];
        alpha = startAlpha + (system.getEndColor()[3] - startAlpha) * t;
    }
    return 1;
}
