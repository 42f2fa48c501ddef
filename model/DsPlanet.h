// The Sun (kind 3), a planet (2), the Earth (4) or the Moon (5): polynomial
// mean elements in time, Kepler's equation by a series in e, short lunar
// terms when the orbit file gives the parent's own mean longitude and
// perihelion ("ParentL:", "ParentW:"), and a spin by sidereal time.
//
// Orbit file: "L:", "Peri:" and "Node:" with three terms (constant, linear,
// quadratic in T^2), "Incl:", "e:" and "A:" with two (constant, per century),
// "SpinOffset:", "SpinSpeed:", "AxisLat:"/"AxisAngle:" and "AxisLon:". The
// linear term of L runs per day; that of Peri per day for the Earth and the
// Moon and per century otherwise; that of Node per day for the Moon and per
// century otherwise. The Earth's file holds the Sun's geocentric elements
// (its position is their reflection).
#pragma once

#include "model/DsSatellite.h"

class DsPlanet : public DsSatellite {
public:
    DsPlanet(const std::string& name, DsAstrBody* parent, Ssystem* system, int kind);

    int readOrbitData(DataFile& file) override;
    void updatePosition(double t) override;

    // Drawing (DsPlanetDraw.cpp): the Sun is a disc facing the viewer with a
    // glow around it, which lights the other bodies; the planets' orbits
    // leave out the parent's frame.
    void makeDisplayList() override;
    void drawOrbit() override;
    void drawBody(int pass) override;
    // The Sun's disc of the radius (solid), or the ring of glow around it
    // that fades out (large: a wide glow from 0.6 to 1.5 radii, else from 1.0
    // to 1.1).
    void drawSunDisc(double radius, int large, int solid);

    // The frame of the spin axis: the tilt about y, then the turn about z.
    Quaternion& getAxisFrame(Quaternion& out) const;
    Quaternion& getOrbitPlaneRotation(Quaternion& out) const;

    double getSpinSpeed() const { return spinSpeed_; }
    double getSpinOffset() const { return spinOffset_; }
    double getAxisLatitude() const { return axisLatitude_; }
    double getAxisLongitude() const { return axisLongitude_; }

private:
    double meanLongitudeTerms_[3] = {0, 0, 0};
    double perihelionTerms_[3] = {0, 0, 0};
    double parentMeanLongitudeTerms_[3] = {0, 0, 0};
    double parentPerihelionTerms_[3] = {0, 0, 0};
    double nodeTerms_[3] = {0, 0, 0};
    double inclinationTerms_[2] = {0, 0};
    double eccentricityTerms_[2] = {0, 0};
    double semiMajorAxisTerms_[2] = {0, 0};
    double spinOffset_ = 0.0;
    double spinSpeed_ = 0.0;
    double axisLatitude_ = 0.0;
    double axisLongitude_ = 0.0;
};
