#include "model/DsAsteroid.h"
#include "model/Ssystem.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"

DsAsteroid::DsAsteroid(const std::string& name, DsAstrBody* parent, Ssystem* system)
    : DsSatellite(name, parent, system) {
    kind_ = Asteroid;
}

int DsAsteroid::readOrbitData(DataFile& file) {
    if (states_.empty())
        makeSimModeStates();
    int selected = 0;
    std::string token;
    while (nextToken(file, token)) {
        if (readSharedOrbitKeyword(token, file, selected))
            continue;
        double* field = nullptr;
        if (token == "e:")
            field = &elemEcc_;
        else if (token == "Peri:" || token == "w:" || token == "W:")
            field = &elemPeri_;
        else if (token == "Node:" || token == "Omega:" || token == "Om:")
            field = &elemNode_;
        else if (token == "Incl:" || token == "i:")
            field = &elemIncl_;
        else if (token == "A:" || token == "a:")
            field = &elemAxis_;
        else if (token == "M:" || token == "M0:")
            field = &elemMeanAnomaly_;
        else if (token == "t:" || token == "t0:")
            field = &elemEpoch_;
        if (field)
            file.readDouble(*field);
        else
            logUnknownToken(token);
    }
    textureName_ = "./textures/comet.bmp";
    takeHomePlace();
    orbitValid_ = elemEcc_ >= 0.0 && elemEcc_ < 1.0 && elemAxis_ > 0.0;
    if (!orbitValid_) {
        logMessage("%s : Bad orbit elements e = %g, a = %g.", name_.c_str(), elemEcc_, elemAxis_);
        return 0;
    }
    prepareOrbit();
    return 1;
}

void DsAsteroid::prepareOrbit() {
    const double a = elemAxis_;
    semiMinor_ = semiMinorAxis(elemEcc_, a);
    meanMotion_ = kGaussK / (std::sqrt(a) * a);
    meanAnomalyRad_ = reducedRadians(elemMeanAnomaly_);
    // First the turn by the argument of perihelion about z, then the
    // inclination about x, then the node about z.
    const Quaternion peri(Vector3(0, 0, 1), elemPeri_ * kDegToRad);
    const Quaternion incl(Vector3(1, 0, 0), elemIncl_ * kDegToRad);
    const Quaternion node(Vector3(0, 0, 1), elemNode_ * kDegToRad);
    ((peri * incl) * node).getMatrix(orientation_);

    const double nodeRad = reducedRadians(elemNode_);
    nodeTilt_ =
        Quaternion(Vector3(std::cos(nodeRad), std::sin(nodeRad), 0), reducedRadians(elemIncl_));
    periTurn_ = Quaternion(Vector3(0, 0, 1), nodeRad + reducedRadians(elemPeri_));
    circleTurn_ = Quaternion(Vector3(1, 0, 0), kPi / 2);
}

Quaternion DsAsteroid::getPhaseTurn() const {
    // Brings the first point of the unit orbit line, (0, 0, -1), to the body.
    return Quaternion(Vector3(0, 1, 0), eccentricAnomaly_ - kPi / 2);
}

void DsAsteroid::updatePosition(double t) {
    if (!orbitValid_)
        return;
    // Its dot is drawn from the Ssystem's record of the frame.
    if (system_)
        system_->noteBodyChange();
    const double jd = julianDateFromTime(t);
    // The mean anomaly counted from the epoch: the same place as counting from
    // either perihelion passage next to it.
    const double M = meanAnomalyRad_ + meanMotion_ * (jd - elemEpoch_);
    const double s = getOrbitScale();
    const double a = elemAxis_;
    const double e = elemEcc_;
    double sinE, cosE;
    eccentricAnomaly_ = solveKepler(e, M, sinE, cosE);
    const Vector3 p(s * a * (cosE - e), s * semiMinor_ * sinE, 0.0);
    orientation_.transform(p, position_);

    ellipseOffset_ = Vector3(-s * a * e, 0, 0);
    ellipseSize_ = Vector3(s * a, s * semiMinor_, s * a);
}
