// A natural satellite (kind 8) and the base of every body drawn as a sphere
// (planets, asteroids, artificial satellites).
//
// A natural satellite moves on a fixed ellipse about its parent, traced at a
// uniform rate (the mean anomaly is used as the ellipse's angle parameter),
// tilted by inclination and node and carried in a frame of the parent planet.
// Its orbit file holds "Peri:" (longitude of periapsis), "Node:", "Incl:",
// "e:", "a:" (km), "M:", "n:" (degrees per day), "t:" (epoch, JD), "Offset:",
// "RotSpeed:" (spin period in days) and "RefParentSiderealRot:".
#pragma once

#include <string>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "model/DsAstrBody.h"

class DsSatellite : public DsAstrBody {
public:
    DsSatellite(const std::string& name, DsAstrBody* parent, Ssystem* system);

    void readKeyword(const std::string& token, DataFile& file) override;
    int readOrbitData(DataFile& file) override;
    void updatePosition(double t) override;

    // Orbit state of the last update, for the orbit drawing.
    const Quaternion& getParentFrame() const { return parentFrame_; }
    const Quaternion& getOrbitPlaneRotation() const { return orbitPlaneRotation_; }
    const Quaternion& getPeriapsisRotation() const { return periapsisRotation_; }
    const Quaternion& getOrbitTilt() const { return orbitTilt_; }
    const Quaternion& getAnomalyRotation() const { return anomalyRotation_; }
    const Vector3& getEllipseCentre() const { return ellipseCentre_; }
    const Vector3& getEllipseScale() const { return ellipseScale_; }

    double getRingInner() const { return ringInner_; }
    double getRingOuter() const { return ringOuter_; }
    const float* getRingColor() const { return ringColor_; }
    std::string getCloudsTextureName() const { return cloudsTextureName_; }
    std::string getRingTextureName() const { return ringTextureName_; }

    // Elements as read (degrees, AU, days).
    double getPeriapsis() const { return periapsis_; }
    double getNode() const { return node_; }
    double getInclination() const { return inclination_; }
    double getEccentricity() const { return eccentricity_; }
    double getSemiMajorAxis() const { return semiMajorAxis_; }
    double getMeanMotion() const { return meanMotion_; }

protected:
    // The ellipse point for the anomaly angle (radians) carried through the
    // orbit state: the position relative to the parent.
    Vector3 orbitPoint(double startZ) const;

    double periapsis_ = 0.0;
    double node_ = 0.0;
    double inclination_ = 0.0;
    double eccentricity_ = 0.0;
    double period_ = 0.0;
    double semiMajorAxis_ = 0.0;
    double meanAnomalyAtEpoch_ = 0.0;
    double meanMotion_ = 0.0;
    double epoch_ = 0.0;
    double anomalyOffset_ = 0.0;
    double rotationPeriod_ = 0.0;
    int refParentSiderealRot_ = 0;

    Quaternion parentFrame_;
    Quaternion orbitPlaneRotation_;
    Quaternion periapsisRotation_;
    Quaternion orbitTilt_;
    Quaternion anomalyRotation_;
    Vector3 ellipseCentre_;
    Vector3 ellipseScale_;

    double ringInner_ = 0.0;
    double ringOuter_ = 0.0;
    float ringColor_[3] = {1.0f, 1.0f, 1.0f};
    std::string cloudsTextureName_;
    std::string ringTextureName_;
    // False once the elements were rejected: the body then stays where it is.
    bool orbitValid_ = true;
};
