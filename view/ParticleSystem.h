// The small particle engine that shows a place's weather or a body's
// atmosphere around the observer (rain, snow, fog, haze). An effect is a
// particle define file (".dfx"): keywords with values, any other token
// skipped. Particles live in one array sized by the file and are recycled by
// age; each update is a fixed step of 1/60 s, and the live particles are drawn
// as camera-facing, additively blended, textured quads.
//
// Emitters: Ball (a shell between two radii, within a spot angle of
// elevation), Area (a box around the centre), FacingArea (a box in the view's
// own axes, moving with the rotated velocity and gravity).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Random15.h"
#include "engine/Vector3.h"
#include "view/Particle.h"

class DataFile;
class Texture;

class ParticleSystem {
public:
    enum EmitterType { Ball = 0, Area = 1, FacingArea = 2 };

    // Bounds on what a define file may ask for, so that a typo cannot take
    // all memory ("NumMaxParticles:") or stall a frame with warm-up passes
    // ("StartFrame:").
    static constexpr int maxParticles = 100000;
    static constexpr int maxStartFrame = 10000;
    static constexpr float timeStep = 1.0f / 60.0f;

    ParticleSystem();
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Reads a define file (paths relative to the current directory). 1 when
    // read; 0 when it cannot be opened: then the name becomes "None" and the
    // particles are gone, the other settings stay. "None" and "" empty the
    // system without a message.
    int load(const std::string& fileName);
    // One simulation step (after a load, up to StartFrame steps at once).
    int update();
    // The live particles as quads spanned by the view axes. Needs GL.
    void draw();

    // The camera's right and up directions; the normal is their cross product.
    void setViewAxes(const Vector3& a, const Vector3& b);
    // Overall alpha; 0 or less hides the system.
    void setAlpha(float alpha) { alpha_ = alpha; }
    // Restarts the random sequence (tests, reproducible effects).
    void setSeed(unsigned long long seed) { random_.setSeed(seed); }

    // One setter per keyword, storing its values.
    void setMaxParticles(int count);
    void setEmitterType(int type) { emitterType_ = type; }
    void setCenter(float x, float y, float z);
    void setStartFrame(int frame);
    void loadTexture(const std::string& name);
    void setParticlesPerSec(int count) { particlesPerSec_ = count; }
    void setViewRange(float range) { viewRange_ = range; }
    void setVelocity(float x, float y, float z);
    void setSize(float start, float end);
    void setRandomSize(float spread) { randomSize_ = spread; }
    void setSpeed(float speed) { speed_ = speed; }
    void setRandomSpeed(float spread) { randomSpeed_ = spread; }
    void setColor(const float start[4], const float end[4]);
    void setRandomColor(const float spread[4]);
    void setLife(float seconds) { life_ = seconds; }
    void setRandomLife(float spread) { randomLife_ = spread; }
    void setGravity(float x, float y, float z);
    void setSpotAngle(float degrees) { spotAngle_ = degrees; }
    void setRadius(float inner, float outer);
    void setArea(float x, float y, float z);

    const std::string& getFileName() const { return fileName_; }
    const std::vector<Particle>& getParticles() const { return particles_; }
    int getParticleCount() const { return int(particles_.size()); }
    int countAlive() const;
    int getFrameCounter() const { return frameCounter_; }
    float getAccumulator() const { return accumulator_; }
    const Texture* getTexture() const { return texture_.get(); }

    // Settings, as the particles read them.
    int getEmitterType() const { return emitterType_; }
    int getStartFrame() const { return startFrame_; }
    int getParticlesPerSec() const { return particlesPerSec_; }
    float getAlpha() const { return alpha_; }
    const float* getCenter() const { return center_; }
    const float* getVelocity() const { return velocity_; }
    const float* getGravity() const { return gravity_; }
    float getSizeStart() const { return sizeStart_; }
    float getSizeEnd() const { return sizeEnd_; }
    float getRandomSize() const { return randomSize_; }
    const float* getStartColor() const { return startColor_; }
    const float* getEndColor() const { return endColor_; }
    const float* getRandomColor() const { return randomColor_; }
    float getSpeed() const { return speed_; }
    float getRandomSpeed() const { return randomSpeed_; }
    float getLife() const { return life_; }
    float getRandomLife() const { return randomLife_; }
    float getSpotAngle() const { return spotAngle_; }
    float getRadiusInner() const { return radiusInner_; }
    float getRadiusOuter() const { return radiusOuter_; }
    const float* getArea() const { return area_; }
    float getViewRange() const { return viewRange_; }
    const Vector3& getViewAxisA() const { return axisA_; }
    const Vector3& getViewAxisB() const { return axisB_; }
    const Vector3& getViewAxisN() const { return axisN_; }
    // FacingArea: velocity and gravity turned from -z onto the view normal.
    const Vector3& getRotatedVelocity() const { return rotatedVelocity_; }
    const Vector3& getRotatedGravity() const { return rotatedGravity_; }

private:
    // Reads one keyword's values; false when the token is no keyword.
    bool readKeyword(const std::string& token, DataFile& file);

    std::string fileName_ = "None";
    std::unique_ptr<Texture> texture_;
    int particlesPerSec_ = 0;
    int frameCounter_ = 0;
    int startFrame_ = 0;
    float alpha_ = 1.0f;
    float accumulator_ = 0.0f;
    std::vector<Particle> particles_;
    float center_[3] = {0.0f, 0.0f, 0.0f};
    float velocity_[3] = {0.0f, 0.0f, 0.0f};
    int emitterType_ = Ball;
    float sizeStart_ = 0.0f;
    float sizeEnd_ = 0.0f;
    float randomSize_ = 0.0f;
    float startColor_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float endColor_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float randomColor_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float speed_ = 0.0f;
    float randomSpeed_ = 0.0f;
    float life_ = 0.0f;
    float randomLife_ = 0.0f;
    Vector3 rotatedGravity_;
    Vector3 rotatedVelocity_;
    float spotAngle_ = 90.0f;
    float radiusInner_ = 0.0f;
    float radiusOuter_ = 1.0f;
    float area_[3] = {1.0f, 1.0f, 1.0f};
    float gravity_[3] = {0.0f, 0.0f, 0.0f};
    float viewRange_ = -1.0f;
    Vector3 axisA_{1.0, 0.0, 0.0};
    Vector3 axisB_{0.0, 1.0, 0.0};
    Vector3 axisN_{0.0, 0.0, 1.0};
    Random15 random_;
};
