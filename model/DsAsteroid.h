// An asteroid (kind 7): a Keplerian ellipse about its parent from classical
// elements, solved for the time by Kepler's equation. Its orbit file holds
// "e:", "Peri:" (the argument of perihelion), "Node:", "Incl:", "A:" (AU),
// "M:" (mean anomaly at the epoch) and "t:" (the epoch, JD), besides the
// shared keywords (name, size, colour, sim-mode states, places).
#pragma once

#include "engine/Matrix4.h"
#include "model/DsSatellite.h"

class DsAsteroid : public DsSatellite {
public:
    DsAsteroid(const std::string& name, DsAstrBody* parent, Ssystem* system);

    // Returns 0 (the elements rejected) when they describe no ellipse.
    int readOrbitData(DataFile& file) override;
    void updatePosition(double t) override;
    // The shared unit orbit line carried onto the asteroid's ellipse, so that
    // it starts and ends at the asteroid (DsAsteroidDraw.cpp).
    void drawOrbit() override;

    double getElemPeri() const { return elemPeri_; }
    double getElemNode() const { return elemNode_; }
    double getElemIncl() const { return elemIncl_; }
    double getElemEcc() const { return elemEcc_; }
    double getElemAxis() const { return elemAxis_; }
    double getElemMeanAnomaly() const { return elemMeanAnomaly_; }
    double getElemEpoch() const { return elemEpoch_; }

    // Orbit-drawing state of the last update.
    const Quaternion& getNodeTilt() const { return nodeTilt_; }
    const Quaternion& getPeriTurn() const { return periTurn_; }
    const Quaternion& getCircleTurn() const { return circleTurn_; }
    // Worked out when asked: only drawn orbits need it.
    Quaternion getPhaseTurn() const;
    double getEccentricAnomaly() const { return eccentricAnomaly_; }
    const Vector3& getEllipseOffset() const { return ellipseOffset_; }
    const Vector3& getEllipseSize() const { return ellipseSize_; }

private:
    // The orientation and the orbit-plane constants depend on the elements
    // only: worked out once after reading.
    void prepareOrbit();

    double elemPeri_ = 0.0;
    double elemNode_ = 0.0;
    double elemIncl_ = 0.0;
    double elemEcc_ = 0.0;
    double elemAxis_ = 0.0;
    double elemMeanAnomaly_ = 0.0;
    double elemEpoch_ = 0.0;
    Quaternion nodeTilt_;
    Quaternion periTurn_;
    Quaternion circleTurn_;
    double eccentricAnomaly_ = 0.0;
    Vector3 ellipseOffset_;
    Vector3 ellipseSize_;

    Matrix4 orientation_;
    double semiMinor_ = 0.0;
    double meanMotion_ = 0.0;     // radians per day
    double meanAnomalyRad_ = 0.0; // at the epoch
};
