#include "model/DsSatellite.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Matrix4.h"
#include "graphics/Texture.h"
#include "model/DsPlanet.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"

DsSatellite::DsSatellite(const std::string& name, DsAstrBody* parent, Ssystem* system)
    : DsAstrBody(name, parent, system) {
    kind_ = Satellite;
}

void DsSatellite::readKeyword(const std::string& token, DataFile& file) {
    if (token == "Texture:") {
        nextToken(file, textureName_);
    } else if (token == "Ring:") {
        file.readDouble(ringInner_).readDouble(ringOuter_);
    } else if (token == "RingColor:") {
        file.readFloat(ringColor_[0]).readFloat(ringColor_[1]).readFloat(ringColor_[2]);
    } else if (token == "CloudsTexture:") {
        nextToken(file, cloudsTextureName_);
    } else if (token == "RingTexture:") {
        nextToken(file, ringTextureName_);
    }
}

int DsSatellite::readOrbitData(DataFile& file) {
    std::string token;
    while (nextToken(file, token)) {
        double* field = nullptr;
        if (token == "Peri:" || token == "w:" || token == "W:")
            field = &periapsis_;
        else if (token == "Node:" || token == "Omega:" || token == "Om:")
            field = &node_;
        else if (token == "Incl:" || token == "i:")
            field = &inclination_;
        else if (token == "e:")
            field = &eccentricity_;
        else if (token == "P:")
            field = &period_;
        else if (token == "a:")
            field = &semiMajorAxis_;
        else if (token == "M:" || token == "M0:")
            field = &meanAnomalyAtEpoch_;
        else if (token == "n:")
            field = &meanMotion_;
        else if (token == "t:" || token == "t0:")
            field = &epoch_;
        else if (token == "Offset:" || token == "M0offset:")
            field = &anomalyOffset_;
        else if (token == "RotSpeed:")
            field = &rotationPeriod_;
        if (field) {
            file.readDouble(*field);
            if (field == &semiMajorAxis_)
                semiMajorAxis_ /= kKmPerAu;
        } else if (token == "RefParentSiderealRot:") {
            file.readInt(refParentSiderealRot_);
        } else {
            logUnknownToken(token);
        }
    }
    // An ellipse needs 0 <= e < 1 and a >= 0 (0 keeps the body on its parent).
    orbitValid_ = eccentricity_ >= 0.0 && eccentricity_ < 1.0 && semiMajorAxis_ >= 0.0;
    if (!orbitValid_) {
        logMessage("%s : Bad orbit elements e = %g, a = %g.", name_.c_str(), eccentricity_,
                   semiMajorAxis_ * kKmPerAu);
        return 0;
    }
    return 1;
}

Vector3 DsSatellite::orbitPoint(double startZ) const {
    Matrix4 m;
    Vector3 p(0, 0, startZ), q;
    anomalyRotation_.getMatrix(m);
    m.transform(p, q);
    orbitTilt_.getMatrix(m);
    m.transform(q, p);
    p = Vector3(p.x * ellipseScale_.x, p.y * ellipseScale_.y, p.z * ellipseScale_.z) +
        ellipseCentre_;
    periapsisRotation_.getMatrix(m);
    m.transform(p, q);
    orbitPlaneRotation_.getMatrix(m);
    m.transform(q, p);
    return p;
}

void DsSatellite::updatePosition(double t) {
    if (!orbitValid_)
        return;
    const double jd = julianDateFromTime(t);
    const double peri = reducedRadians(periapsis_);
    const double node = reducedRadians(node_);
    const double incl = reducedRadians(inclination_);
    const double e = eccentricity_;
    const double a = semiMajorAxis_;
    const double b = semiMinorAxis(e, a);
    const double w = orbitPlaneAngle(peri, incl, node);
    const double meanAnomaly = (jd - epoch_) * meanMotion_ + anomalyOffset_ + meanAnomalyAtEpoch_;
    const double rate = float(getOrbitScale());

    // A satellite spins about its parent's axis; a parent that is no planet
    // gives no frame.
    const auto* planet = dynamic_cast<const DsPlanet*>(parent_);
    Quaternion axisFrame;
    if (planet)
        planet->getAxisFrame(axisFrame);
    const double spin = rotationPeriod_ == 0.0 ? jd * 360.0 : jd * 360.0 / rotationPeriod_;
    rotation_ = Quaternion(Vector3(0, 0, 1), reducedRadians(spin)) * axisFrame;
    if (planet && refParentSiderealRot_ != 0)
        planet->getOrbitPlaneRotation(parentFrame_);
    else
        parentFrame_ = axisFrame;

    orbitPlaneRotation_ = Quaternion(Vector3(std::cos(node), std::sin(node), 0), incl);
    periapsisRotation_ = Quaternion(Vector3(0, 0, 1), w + node);
    ellipseCentre_ = Vector3(-(rate * a) * e, 0, 0);
    ellipseScale_ = Vector3(rate * a, rate * b, rate * a);
    orbitTilt_ = Quaternion(Vector3(1, 0, 0), 1.5707963267948966);
    // The turn that brings the unit circle's first point (0, 0, -1) to the
    // ellipse point of parameter M, counted from periapsis (+x) as for the
    // planets: M - 90 degrees.
    const double anomaly = reducedRadians(meanAnomaly);
    anomalyRotation_ =
        Quaternion(Vector3(0, 1, 0), -std::atan2(std::cos(anomaly), std::sin(anomaly)));

    const Vector3 p = orbitPoint(-1.0);
    Matrix4 m;
    parentFrame_.getMatrix(m);
    m.transform(p, position_);
}
