#include "model/DsASatellite.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/DsPlanet.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

namespace {

// The Earth model of the published element sets.
constexpr double kEarthRadiusKm = kElementSetEarthRadiusKm;
constexpr double kKe = kElementSetKe;
constexpr double kJ2 = 0.001082616;
constexpr double kJ4 = -0.00000161098761;
constexpr double kMinutesPerDay = 1440.0;
constexpr double kArcsecToRad = kDegToRad / 3600.0;

struct Vec {
    double x, y, z;
};

Vec cross(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec fromVector3(const Vector3& v) {
    return {v.x, v.y, v.z};
}

// m (row-major) transposed times v.
Vec transposedTimes(const double* m, const Vec& v) {
    return {m[0] * v.x + m[3] * v.y + m[6] * v.z, m[1] * v.x + m[4] * v.y + m[7] * v.z,
            m[2] * v.x + m[5] * v.y + m[8] * v.z};
}

// The precession from the mean equator and equinox of J2000 to those of a
// Julian Date (Lieske's angles, 1977), row-major: r(date) = P r(J2000).
void precessionMatrix(double jd, double* m) {
    const double T = (jd - kJdJ2000) / 36525.0;
    const double zeta = (2306.2181 * T + 0.30188 * T * T + 0.017998 * T * T * T) * kArcsecToRad;
    const double z = (2306.2181 * T + 1.09468 * T * T + 0.018203 * T * T * T) * kArcsecToRad;
    const double theta = (2004.3109 * T - 0.42665 * T * T - 0.041833 * T * T * T) * kArcsecToRad;
    const double cz = std::cos(zeta), sz = std::sin(zeta);
    const double cZ = std::cos(z), sZ = std::sin(z);
    const double ct = std::cos(theta), st = std::sin(theta);
    m[0] = cZ * ct * cz - sZ * sz;
    m[1] = -cZ * ct * sz - sZ * cz;
    m[2] = -cZ * st;
    m[3] = sZ * ct * cz + cZ * sz;
    m[4] = -sZ * ct * sz + cZ * cz;
    m[5] = -sZ * st;
    m[6] = st * cz;
    m[7] = -st * sz;
    m[8] = ct;
}

// The longitude difference from the node that orbitPlaneAngle turns into the
// in-plane angle u for the inclination i (radians): its inverse.
double longitudeFromNode(double u, double i) {
    return std::atan2(std::sin(u) * std::fabs(std::cos(i)), std::cos(u));
}

double degrees(double radians) {
    return radians / kDegToRad;
}

} // namespace

DsASatellite::DsASatellite(const std::string& name, DsAstrBody* parent, Ssystem* system, int kind)
    : DsSatellite(name, parent, system) {
    kind_ = kind;
}

void DsASatellite::makeStatesFromParent() {
    makeSimModeStates();
    if (!parent_)
        return;
    const std::vector<SimModeState>& from = parent_->getSimModeStates();
    for (size_t k = 0; k < states_.size() && k < from.size(); ++k) {
        states_[k].definedState = from[k].definedState;
        states_[k].state = from[k].state;
        states_[k].radiusRate2 = from[k].radiusRate2 * 0.1;
        states_[k].radiusRate1 = from[k].radiusRate1 * 0.1;
        // The orbit grows with the parent's drawn size, so that it stays
        // outside the enlarged Earth.
        states_[k].orbitRate2 = from[k].radiusRate2;
        states_[k].orbitRate1 = from[k].radiusRate1;
    }
}

int DsASatellite::readOrbitData(DataFile& file) {
    TwoLineElements set;
    std::string fault;
    const bool found = findTwoLineElements(file, name_, set, &fault);
    logRefusedSet(fault);
    return useElementSet(found ? &set : nullptr);
}

void DsASatellite::logRefusedSet(const std::string& fault) const {
    if (!fault.empty())
        logMessage("The element set %s is left out: %s.", name_.c_str(), fault.c_str());
}

int DsASatellite::loadOrbitFile(const std::string& path) {
    const TwoLineElementSets* sets = system_ ? system_->knownElementSets(path) : nullptr;
    if (!sets)
        return DsSatellite::loadOrbitFile(path);
    orbitFile_ = path;
    logRefusedSet(sets->fault(name_));
    if (!useElementSet(sets->find(name_))) {
        logMessage("Orbit data error in %s.", path.c_str());
        return 0;
    }
    return 1;
}

int DsASatellite::useElementSet(const TwoLineElements* set) {
    if (states_.empty())
        makeStatesFromParent();
    radius_ = 1e-06;
    polarRatio_ = 1.0;
    magnitude_ = 1.0;
    color_[0] = color_[1] = color_[2] = 1.0f;
    period_ = 0.0;
    anomalyOffset_ = 0.0;
    rotationPeriod_ = 0.0;
    refParentSiderealRot_ = 0;

    if (set)
        set_ = *set;
    orbitValid_ = set && set_.meanMotion > 0.0 && set_.eccentricity >= 0.0 &&
                  set_.eccentricity < 1.0 && std::isfinite(set_.epochJd);
    if (!orbitValid_)
        return 0;

    // The set's mean motion is Kozai's; the secular theory of the published
    // sets (Hoots and Roehrich, 1980) recovers the mean motion and axis of
    // Brouwer from it and drifts node, perigee and anomaly by the zonal terms.
    const double e = set_.eccentricity;
    const double cosI = std::cos(set_.inclination * kDegToRad);
    const double cos2 = cosI * cosI;
    const double beta2 = 1.0 - e * e;
    const double beta = std::sqrt(beta2);
    const double nKozai = set_.meanMotion * kTwoPi / kMinutesPerDay;
    const double a1 = std::pow(kKe / nKozai, 2.0 / 3.0);
    const double d1 = 0.75 * kJ2 * (3.0 * cos2 - 1.0) / (beta * beta2) / (a1 * a1);
    const double a0 = a1 * (1.0 - d1 * (1.0 / 3.0 + d1 * (1.0 + 134.0 / 81.0 * d1)));
    const double d0 = d1 * a1 * a1 / (a0 * a0);
    const double n = nKozai / (1.0 + d0);
    const double a = std::pow(kKe / n, 2.0 / 3.0);
    const double pinvsq = 1.0 / (a * a * beta2 * beta2);
    const double t1 = 1.5 * kJ2 * pinvsq * n;
    const double t2 = 0.5 * t1 * kJ2 * pinvsq;
    const double t3 = -0.46875 * kJ4 * pinvsq * pinvsq * n;
    const double mdot = n + 0.5 * t1 * beta * (3.0 * cos2 - 1.0) +
                        0.0625 * t2 * beta * (13.0 - 78.0 * cos2 + 137.0 * cos2 * cos2);
    const double argpdot = -0.5 * t1 * (1.0 - 5.0 * cos2) +
                           0.0625 * t2 * (7.0 - 114.0 * cos2 + 395.0 * cos2 * cos2) +
                           t3 * (3.0 - 36.0 * cos2 + 49.0 * cos2 * cos2);
    const double nodedot =
        -t1 * cosI + (0.5 * t2 * (4.0 - 19.0 * cos2) + 2.0 * t3 * (3.0 - 7.0 * cos2)) * cosI;
    axisKm_ = a * kEarthRadiusKm;
    meanAnomalyRate_ = mdot * kMinutesPerDay;
    perigeeRate_ = argpdot * kMinutesPerDay;
    nodeRate_ = nodedot * kMinutesPerDay;
    precessionMatrix(set_.epochJd, precession_);
    setElementsFor(set_.epochJd);
    return 1;
}

void DsASatellite::setElementsFor(double jd) {
    const double days = jd - set_.epochJd;
    const double e = set_.eccentricity;
    const double M = set_.meanAnomaly * kDegToRad + meanAnomalyRate_ * days +
                     set_.meanMotionDot * kTwoPi * days * days;
    const double omega = set_.argPerigee * kDegToRad + perigeeRate_ * days;
    const double node = set_.node * kDegToRad + nodeRate_ * days;
    const double incl = set_.inclination * kDegToRad;

    // The perigee direction and the orbit's pole in the frame of the epoch,
    // then in that of J2000.
    const double cO = std::cos(node), sO = std::sin(node);
    const double cw = std::cos(omega), sw = std::sin(omega);
    const double ci = std::cos(incl), si = std::sin(incl);
    const Vec perigee =
        transposedTimes(precession_, {cO * cw - sO * sw * ci, sO * cw + cO * sw * ci, sw * si});
    const Vec pole = transposedTimes(precession_, {sO * si, -cO * si, ci});
    const double i2 = std::acos(std::fmax(-1.0, std::fmin(1.0, pole.z)));
    const double node2 = std::atan2(pole.x, -pole.y);
    const Vec nodeDir{std::cos(node2), std::sin(node2), 0.0};
    const double omega2 = std::atan2(dot(perigee, cross(pole, nodeDir)), dot(perigee, nodeDir));

    // The parent's axis frame carries the orbit. Where it does not take the
    // equinox to the node of its equator on the ecliptic, the node is turned
    // by the angle between them.
    double nodeOffset = 0.0;
    if (const auto* planet = dynamic_cast<const DsPlanet*>(parent_)) {
        Quaternion frame;
        planet->getAxisFrame(frame);
        const Vec axisX = fromVector3(frame.rotateVector(Vector3(1, 0, 0)));
        const Vec axisY = fromVector3(frame.rotateVector(Vector3(0, 1, 0)));
        const Vec axisZ = fromVector3(frame.rotateVector(Vector3(0, 0, 1)));
        Vec equinox = cross(axisZ, {0.0, 0.0, 1.0});
        if (dot(equinox, equinox) > 1e-20)
            nodeOffset = std::atan2(dot(axisY, equinox), dot(axisX, equinox));
    }

    const double E = solveKepler(e, M);
    inclination_ = degrees(i2);
    node_ = degrees(node2 + nodeOffset);
    periapsis_ = node_ + degrees(longitudeFromNode(omega2, i2));
    eccentricity_ = e;
    semiMajorAxis_ = axisKm_ / kKmPerAu;
    meanMotion_ = degrees(meanAnomalyRate_);
    epoch_ = jd;
    // The satellite ellipse takes its anomaly as the angle parameter from
    // periapsis: the eccentric anomaly places the body on it.
    meanAnomalyAtEpoch_ = degrees(E);
}

void DsASatellite::updatePosition(double t) {
    if (!orbitValid_)
        return;
    setElementsFor(julianDateFromTime(t));
    DsSatellite::updatePosition(t);
}
