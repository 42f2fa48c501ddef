#include "view/ParticleSystem.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Quaternion.h"
#include "graphics/Texture.h"

ParticleSystem::ParticleSystem() = default;

ParticleSystem::~ParticleSystem() = default;

void ParticleSystem::setMaxParticles(int count) {
    if (count < 0)
        return;
    if (count > maxParticles) {
        logMessage("Particle count %d is above %d; %d particles are used.", count, maxParticles,
                   maxParticles);
        count = maxParticles;
    }
    particles_.assign(std::size_t(count), Particle());
}

void ParticleSystem::setStartFrame(int frame) {
    if (frame > maxStartFrame) {
        logMessage("Particle start frame %d is above %d; %d is used.", frame, maxStartFrame,
                   maxStartFrame);
        frame = maxStartFrame;
    }
    startFrame_ = frame;
}

void ParticleSystem::setCenter(float x, float y, float z) {
    center_[0] = x;
    center_[1] = y;
    center_[2] = z;
}

void ParticleSystem::setVelocity(float x, float y, float z) {
    velocity_[0] = x;
    velocity_[1] = y;
    velocity_[2] = z;
}

void ParticleSystem::setGravity(float x, float y, float z) {
    gravity_[0] = x;
    gravity_[1] = y;
    gravity_[2] = z;
}

void ParticleSystem::setArea(float x, float y, float z) {
    area_[0] = x;
    area_[1] = y;
    area_[2] = z;
}

void ParticleSystem::setSize(float start, float end) {
    sizeStart_ = start;
    sizeEnd_ = end;
}

void ParticleSystem::setRadius(float inner, float outer) {
    radiusInner_ = inner;
    radiusOuter_ = outer;
}

void ParticleSystem::setColor(const float start[4], const float end[4]) {
    std::copy(start, start + 4, startColor_);
    std::copy(end, end + 4, endColor_);
}

void ParticleSystem::setRandomColor(const float spread[4]) {
    std::copy(spread, spread + 4, randomColor_);
}

void ParticleSystem::setViewAxes(const Vector3& a, const Vector3& b) {
    axisA_ = a;
    axisB_ = b;
    axisN_ = a.cross(b);
}

void ParticleSystem::loadTexture(const std::string& name) {
    // The new texture replaces the old one, which gives up its share.
    auto texture = std::make_unique<Texture>();
    texture->load(name, 0);
    texture->setWrap(GL_CLAMP, GL_CLAMP);
    texture->setFilter(GL_NEAREST, GL_LINEAR);
    texture->setEnvMode(GL_MODULATE);
    texture_ = std::move(texture);
}

int ParticleSystem::countAlive() const {
    return int(std::count_if(particles_.begin(), particles_.end(),
                             [](const Particle& p) { return p.isAlive(); }));
}

bool ParticleSystem::readKeyword(const std::string& token, DataFile& file) {
    // Values that are missing at the end of the file leave the setting as it
    // was, because the readers leave a number alone when they find none.
    auto read3 = [&file](const float* current, float* out) {
        std::copy(current, current + 3, out);
        file.readFloat(out[0]).readFloat(out[1]).readFloat(out[2]);
    };
    float v[8];
    if (token == "NumMaxParticles:") {
        int count = getParticleCount();
        file.readInt(count);
        setMaxParticles(count);
    } else if (token == "EmitterType:") {
        std::string word;
        file.readWord(word);
        if (word == "Ball")
            setEmitterType(Ball);
        else if (word == "Area")
            setEmitterType(Area);
        else if (word == "FacingArea")
            setEmitterType(FacingArea);
    } else if (token == "Center:") {
        read3(center_, v);
        setCenter(v[0], v[1], v[2]);
    } else if (token == "Alpha:") {
        file.readFloat(alpha_);
    } else if (token == "StartFrame:") {
        int frame = startFrame_;
        file.readInt(frame);
        setStartFrame(frame);
    } else if (token == "Texture:") {
        std::string name;
        file.readWord(name);
        if (!name.empty())
            loadTexture(name);
    } else if (token == "ParticlesPerSec:") {
        file.readInt(particlesPerSec_);
    } else if (token == "ViewRange:") {
        file.readFloat(viewRange_);
    } else if (token == "Velocity:") {
        read3(velocity_, v);
        setVelocity(v[0], v[1], v[2]);
    } else if (token == "Size:") {
        file.readFloat(sizeStart_).readFloat(sizeEnd_);
    } else if (token == "RandomSize:") {
        file.readFloat(randomSize_);
    } else if (token == "Speed:") {
        file.readFloat(speed_);
    } else if (token == "RandomSpeed:") {
        file.readFloat(randomSpeed_);
    } else if (token == "Color:") {
        for (int i = 0; i < 4; ++i)
            file.readFloat(startColor_[i]);
        for (int i = 0; i < 4; ++i)
            file.readFloat(endColor_[i]);
    } else if (token == "RandomColor:") {
        for (float& c : randomColor_)
            file.readFloat(c);
    } else if (token == "Life:") {
        file.readFloat(life_);
    } else if (token == "RandomLife:") {
        file.readFloat(randomLife_);
    } else if (token == "Gravity:") {
        read3(gravity_, v);
        setGravity(v[0], v[1], v[2]);
    } else if (token == "Radius:") {
        file.readFloat(radiusInner_).readFloat(radiusOuter_);
    } else if (token == "SpotAngle:") {
        file.readFloat(spotAngle_);
    } else if (token == "Area:") {
        read3(area_, v);
        setArea(v[0], v[1], v[2]);
    } else {
        return false;
    }
    return true;
}

int ParticleSystem::load(const std::string& fileName) {
    DataFile file;
    if (!file.open(fileName, DataFile::Read, 0)) {
        if (!fileName.empty() && fileName != "None")
            logMessage("Can't open particle define file %s. %s.", fileName.c_str(),
                       file.error().c_str());
        fileName_ = "None";
        setMaxParticles(0);
        return 0;
    }
    std::string token;
    while (file.good()) {
        file.readWord(token);
        if (token.empty())
            break;
        readKeyword(token, file); // any other token is skipped by itself
    }
    frameCounter_ = 0;
    accumulator_ = 0.0f;
    for (Particle& p : particles_)
        p.age = -1.0f;
    fileName_ = fileName;
    return 1;
}

int ParticleSystem::update() {
    if (emitterType_ == FacingArea) {
        const Quaternion turn(Vector3(0.0, 0.0, -1.0), axisN_);
        rotatedVelocity_ = turn.rotateVector(Vector3(velocity_[0], velocity_[1], velocity_[2]));
        rotatedGravity_ = turn.rotateVector(Vector3(gravity_[0], gravity_[1], gravity_[2]));
    }
    // The first updates after a load run up to StartFrame passes at once, so
    // that an effect starts in full swing.
    do {
        for (Particle& p : particles_)
            if (p.isAlive())
                p.update(*this);
        accumulator_ += float(particlesPerSec_) * timeStep;
        if (accumulator_ < 1.0f)
            return 1;
        for (Particle& p : particles_) {
            if (accumulator_ < 1.0f)
                break;
            if (!p.isAlive()) {
                p.spawn(*this, random_);
                accumulator_ -= 1.0f;
            }
        }
        // While every particle lives, emissions cannot happen; keeping more
        // than one array's worth would only burst out later (and a float
        // that only grows loses its fraction).
        accumulator_ = std::min(accumulator_, float(std::max(getParticleCount(), 1)));
        ++frameCounter_;
    } while (startFrame_ > frameCounter_);
    return 1;
}

void ParticleSystem::draw() {
    if (!(alpha_ > 0.0f))
        return;
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_PIXEL_MODE_BIT);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    if (texture_)
        texture_->enable();
    for (const Particle& p : particles_) {
        if (!p.isAlive())
            continue;
        const double h = p.size * 0.5;
        const Vector3 a = axisA_ * h;
        const Vector3 b = axisB_ * h;
        const Vector3 pos(p.position[0], p.position[1], p.position[2]);
        glColor4f(p.color[0], p.color[1], p.color[2], p.alpha * alpha_);
        glBegin(GL_TRIANGLE_STRIP);
        const Vector3 corners[4] = {pos - a + b, pos + a + b, pos - a - b, pos + a - b};
        const float tex[4][2] = {{1, 1}, {0, 1}, {1, 0}, {0, 0}};
        for (int i = 0; i < 4; ++i) {
            glTexCoord2f(tex[i][0], tex[i][1]);
            glVertex3d(corners[i].x, corners[i].y, corners[i].z);
        }
        glEnd();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    if (texture_)
        texture_->disable();
    glPopAttrib();
}
