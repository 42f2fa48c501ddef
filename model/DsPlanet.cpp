#include "model/DsPlanet.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Matrix4.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"

DsPlanet::DsPlanet(const std::string& name, DsAstrBody* parent, Ssystem* system, int kind)
    : DsSatellite(name, parent, system) {
    kind_ = kind;
}

int DsPlanet::readOrbitData(DataFile& file) {
    parentMeanLongitudeTerms_[0] = -1.0;
    std::string token;
    while (nextToken(file, token)) {
        double* terms = nullptr;
        int count = 0;
        if (token == "L:")
            terms = meanLongitudeTerms_, count = 3;
        else if (token == "Peri:" || token == "w:" || token == "W:")
            terms = perihelionTerms_, count = 3;
        else if (token == "ParentL:")
            terms = parentMeanLongitudeTerms_, count = 3;
        else if (token == "ParentW:")
            terms = parentPerihelionTerms_, count = 3;
        else if (token == "Node:" || token == "Omega:" || token == "Om:")
            terms = nodeTerms_, count = 3;
        else if (token == "Incl:" || token == "i:")
            terms = inclinationTerms_, count = 2;
        else if (token == "e:")
            terms = eccentricityTerms_, count = 2;
        else if (token == "A:" || token == "a:")
            terms = semiMajorAxisTerms_, count = 2;
        else if (token == "SpinOffset:")
            terms = &spinOffset_, count = 1;
        else if (token == "SpinSpeed:" || token == "RotSpeed:")
            terms = &spinSpeed_, count = 1;
        else if (token == "AxisAngle:" || token == "AxisLat:")
            terms = &axisLatitude_, count = 1;
        else if (token == "AxisLon:")
            terms = &axisLongitude_, count = 1;
        if (!terms) {
            logMessage("%s : Unknown token '%s' in orbit data file.", name_.c_str(), token.c_str());
            continue;
        }
        for (int k = 0; k < count; ++k)
            file.readDouble(terms[k]);
        if (token == "AxisLat:")
            axisLatitude_ -= 90.0;
        else if (token == "AxisLon:")
            axisLongitude_ -= 90.0;
    }
    // Only the Sun stands at its parent's centre: any other body without an
    // axis read from an empty or cut file that would silently sit there.
    if (kind_ != Sun && !(semiMajorAxisTerms_[0] > 0.0)) {
        logMessage("%s : orbit data file %s gives no semi-major axis (empty or cut file).",
                   name_.c_str(), orbitFile_.c_str());
        orbitValid_ = false;
        return 0;
    }
    // The series and the semi-minor axis need an ellipse (a = 0 is the Sun).
    orbitValid_ = eccentricityTerms_[0] >= 0.0 && eccentricityTerms_[0] < 1.0 &&
                  semiMajorAxisTerms_[0] >= 0.0;
    if (!orbitValid_) {
        logMessage("%s : Bad orbit elements e = %g, a = %g.", name_.c_str(), eccentricityTerms_[0],
                   semiMajorAxisTerms_[0]);
        return 0;
    }
    return 1;
}

Quaternion& DsPlanet::getAxisFrame(Quaternion& out) const {
    out = Quaternion(Vector3(0, 1, 0), reducedRadians(axisLatitude_)) *
          Quaternion(Vector3(0, 0, 1), reducedRadians(axisLongitude_));
    return out;
}

Quaternion& DsPlanet::getOrbitPlaneRotation(Quaternion& out) const {
    out = orbitPlaneRotation_;
    return out;
}

namespace {

// Eccentric anomaly by the series in e to the seventh power.
double eccentricAnomalySeries(double e, double M) {
    const double e2 = std::pow(e, 2), e3 = std::pow(e, 3), e4 = std::pow(e, 4);
    const double e5 = std::pow(e, 5), e6 = std::pow(e, 6), e7 = std::pow(e, 7);
    return M +
           (e - e3 * 0.125 + e5 * 0.005208333333333333 - e7 * 0.00010850694444444444) *
               std::sin(M) +
           (e2 * 0.5 - e4 * 0.16666666666666666 + e6 * 0.020833333333333332) * std::sin(2 * M) +
           (e3 * 0.375 - e5 * 0.2109375 + e7 * 0.0474609375) * std::sin(3 * M) +
           (e4 * 0.3333333333333333 - e6 * 0.26666666666666666) * std::sin(4 * M) +
           (e5 * 0.3255208333333333 - e7 * 0.3390842013888889) * std::sin(5 * M) +
           e6 * 0.3375 * std::sin(6 * M) + e7 * 0.36473524305555555 * std::sin(7 * M);
}

} // namespace

void DsPlanet::updatePosition(double t) {
    if (!orbitValid_)
        return;
    const bool earthOrMoon = kind_ == Earth || kind_ == Moon;
    const double jd = julianDateFromTime(t);
    const double d = daysSinceJ2000(jd);
    const double T = julianCenturies(d);
    const double T2 = T * T;
    const double* Lt = meanLongitudeTerms_;
    const double* Pt = perihelionTerms_;
    const double* Nt = nodeTerms_;
    const double L = reducedRadians(Lt[2] * T2 + Lt[1] * d + Lt[0]);
    const double peri = reducedRadians(earthOrMoon ? Pt[2] * T2 + Pt[1] * d + Pt[0]
                                                   : Pt[0] + Pt[1] * T + Pt[2] * T2);
    const double node = reducedRadians(kind_ == Moon ? Nt[2] * T2 + Nt[1] * d + Nt[0]
                                                     : Nt[0] + Nt[1] * T + Nt[2] * T2);
    const double incl = reducedRadians(inclinationTerms_[0] + inclinationTerms_[1] * T);
    const double e = eccentricityTerms_[0] + eccentricityTerms_[1] * T;
    const double a = semiMajorAxisTerms_[0] + semiMajorAxisTerms_[1] * T;

    const double M = L - peri;
    const double E = eccentricAnomalySeries(e, M);
    const double nu = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(E / 2.0));
    const double lambda = nu + peri;
    const double u = lambda - node;
    const double r = a * (1.0 - e * std::cos(E));

    double beta, lambdaTrue;
    if (parentMeanLongitudeTerms_[0] < 0.0) {
        beta = std::asin(std::sin(u) * std::sin(incl));
        lambdaTrue = lambda;
    } else {
        const double* PL = parentMeanLongitudeTerms_;
        const double* PW = parentPerihelionTerms_;
        const double Ls = reducedRadians(PL[2] * T2 + PL[1] * d + PL[0]);
        const double Ps = reducedRadians(PW[2] * T2 + PW[1] * d + PW[0]);
        const double dLambda =
            1.27 * std::sin(L - 2 * Ls + peri) + 0.66 * std::sin(2 * (L - Ls)) -
            0.19 * std::sin(Ls - Ps) - 0.11 * std::sin(2 * (L - node)) +
            0.06 * (std::sin(peri + L - 3 * Ls + Ps) + std::sin(2 * (peri - Ls)));
        lambdaTrue = nu + peri + dLambda * kDegToRad;
        beta = std::asin(std::sin(u) * std::sin(incl)) +
               (0.173 * std::sin(L - 2 * Ls + node) + 0.06 * std::sin(2 * (L - Ls) - node + peri)) *
                   kDegToRad;
    }

    const double b = semiMinorAxis(e, a);
    const double w = orbitPlaneAngle(peri, incl, node);
    const double rate = getOrbitScale();

    double spin = spinOffset_;
    if (spinSpeed_ != 0.0) {
        spin = kind_ == Moon ? jd * 360.0 / spinSpeed_ + spinOffset_
                             : greenwichSiderealTime(jd, T) / spinSpeed_ + spinOffset_;
    }
    rotation_ = (Quaternion(Vector3(0, 0, 1), reducedRadians(spin)) *
                 Quaternion(Vector3(0, 1, 0), reducedRadians(axisLatitude_))) *
                Quaternion(Vector3(0, 0, 1), reducedRadians(axisLongitude_));

    orbitPlaneRotation_ = Quaternion(Vector3(std::cos(node), std::sin(node), 0), incl);
    periapsisRotation_ = Quaternion(Vector3(0, 0, 1), w + node);
    ellipseCentre_ = Vector3(kind_ == Earth ? rate * a * e : -rate * a * e, 0, 0);
    ellipseScale_ = Vector3(rate * a, rate * b, rate * a);
    orbitTilt_ = Quaternion(Vector3(1, 0, 0), 1.5707963267948966);
    if (a == 0.0)
        return; // the Sun stays where it is
    const double X = r * std::cos(lambdaTrue - (w + node)) / a + e;
    const double Y = r * std::sin(lambdaTrue - (w + node)) / b;
    anomalyRotation_ = Quaternion(Vector3(0, 1, 0), -std::atan2(X, Y));
    if (kind_ == Moon) {
        position_ =
            Vector3(rate * r * std::cos(beta) * std::cos(lambdaTrue),
                    rate * r * std::cos(beta) * std::sin(lambdaTrue), rate * r * std::sin(beta));
    } else {
        position_ = orbitPoint(kind_ == Earth ? 1.0 : -1.0);
    }
    updateShadow();
}
