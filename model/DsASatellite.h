// An artificial satellite of the Earth (kind 10): a sphere body under the
// first Earth-type body whose orbit comes from a two-line element set in the
// file its list record names, found by the satellite's name (the set's title
// in its normal form).
//
// The set's mean elements refer to the true equator and mean equinox of its
// epoch. They are carried forward from the epoch with the secular drift the
// Earth's flattening gives the node, the perigee and the mean anomaly, turned
// to the mean equator of J2000 (the frame of the parent's axis), and handed to
// the satellite ellipse with the eccentric anomaly from Kepler's equation, so
// that the body stands where the set places the satellite.
#pragma once

#include "model/DsSatellite.h"
#include "model/TwoLineElements.h"

class DsASatellite : public DsSatellite {
public:
    DsASatellite(const std::string& name, DsAstrBody* parent, Ssystem* system,
                 int kind = ASatellite);

    // Reads the element set titled with the body's name. 0 when the file holds
    // no usable set of that name (the body then stays at its parent's
    // centre); a set of that name that was refused is logged with its fault.
    int readOrbitData(DataFile& file) override;
    // During a list load the system reads each element file once for all
    // the satellites it names; otherwise as readOrbitData.
    int loadOrbitFile(const std::string& path) override;
    void updatePosition(double t) override;

    const TwoLineElements& getElementSet() const { return set_; }
    // Mean semi-major axis of the set, km.
    double getMeanAxisKm() const { return axisKm_; }

private:
    // One state per sim mode from the parent's: the satellite's size is a
    // tenth of the parent's scale and its orbit follows the parent's radius.
    void makeStatesFromParent();
    // Says why the file's set of the body's name was refused; fault empty:
    // none was.
    void logRefusedSet(const std::string& fault) const;
    // Takes the set (null: none found) as the body's orbit; 0 without one.
    int useElementSet(const TwoLineElements* set);
    // Writes the satellite ellipse's elements for a Julian Date.
    void setElementsFor(double jd);

    TwoLineElements set_;
    double axisKm_ = 0.0;
    // Secular rates, radians per day.
    double meanAnomalyRate_ = 0.0;
    double perigeeRate_ = 0.0;
    double nodeRate_ = 0.0;
    // Mean equator and equinox of the epoch to those of J2000, row-major.
    double precession_[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};
