#include "model/OrbitMath.h"

#include <cmath>

double daysSinceJ2000(double jd) {
    return jd - kJdJ2000;
}

double julianCenturies(double days) {
    return days * 2.7378507871321012e-5;
}

double semiMinorAxis(double e, double a) {
    return a * std::sqrt(1.0 - e * e);
}

double orbitPlaneAngle(double angle, double inclination, double node) {
    const double d = angle - node;
    double r = d - kTwoPi * std::trunc(d / kTwoPi);
    if (r < 0.0)
        r += kTwoPi;
    const double t = std::tan(inclination);
    if (r < 0.0 || r > kPi) {
        const double s = std::sin(-d) * t;
        return -std::acos(std::cos(-d) / std::sqrt(1.0 + s * s));
    }
    const double s = std::sin(d) * t;
    return std::acos(std::cos(d) / std::sqrt(1.0 + s * s));
}

double greenwichSiderealTime(double jd, double T) {
    return 280.46061837 + 360.98564736629 * (jd - kJdJ2000) + 0.000387933 * T * T -
           T * T * T / 38710000.0;
}

double reducedRadians(double degrees) {
    return degrees * kDegToRad - std::trunc(degrees * 0.002777777777777778) * kTwoPi;
}

namespace {

// E - e sin E (sinE given) without losing the small difference when E is small
// and e is close to 1 (the case near perihelion of a very eccentric orbit).
double keplerLeft(double e, double E, double sinE) {
    if (E < 0.25) {
        const double E2 = E * E;
        // E - sin E by its series; the terms beyond E^11 are below 1e-17 E here.
        const double series =
            E * E2 *
            (1.0 / 6 -
             E2 * (1.0 / 120 - E2 * (1.0 / 5040 - E2 * (1.0 / 362880 - E2 / 39916800.0))));
        return (1.0 - e) * E + e * series;
    }
    return E - e * sinE;
}

} // namespace

double solveKepler(double e, double M) {
    double s, c;
    return solveKepler(e, M, s, c);
}

double solveKepler(double e, double M, double& sinE, double& cosE) {
    if (!(e > 0.0) || !std::isfinite(M)) {
        sinE = std::sin(M);
        cosE = std::cos(M);
        return M;
    }
    if (e >= 1.0)
        e = 1.0 - 1e-15; // the caller's data is outside the ellipse; stay finite

    // Fold M into [0, pi]: the equation is odd in E and periodic in 2 pi.
    const double turns = std::nearbyint(M / kTwoPi);
    double m = M - turns * kTwoPi;
    const double sign = m < 0.0 ? -1.0 : 1.0;
    m = std::fabs(m);
    if (m > kPi)
        m = kPi;
    if (m == 0.0) {
        sinE = 0.0;
        cosE = 1.0;
        return turns * kTwoPi;
    }

    // The root lies in [m, min(m + e, pi)] because sin E >= 0 there.
    double lo = m;
    double hi = std::fmin(m + e, kPi);
    double E;
    if (e > 0.8 && m < 0.5) {
        E = std::cbrt(6.0 * m / e); // near perihelion of a long orbit: E^3/6 ~ M
    } else {
        // Third-order series in e.
        const double sm = std::sin(m);
        const double cm = std::cos(m);
        E = m + e * sm * (1.0 + e * cm + e * e * (1.5 * cm * cm - 0.5));
    }
    if (!(E > lo && E < hi))
        E = 0.5 * (lo + hi);

    double s = std::sin(E);
    double c = std::cos(E);
    double lastStep = 0.0;
    for (int round = 0; round < 60; ++round) {
        const double f = keplerLeft(e, E, s) - m;
        if (f == 0.0) {
            lastStep = 0.0;
            break;
        }
        if (f > 0.0)
            hi = E;
        else
            lo = E;
        const double d1 = 1.0 - e * c;
        const double d2 = e * s;
        // Halley's step; fall back to bisection when it leaves the bracket.
        double next = E - 2.0 * f * d1 / (2.0 * d1 * d1 - f * d2);
        const bool halley = next >= lo && next <= hi;
        if (!halley)
            next = 0.5 * (lo + hi);
        const double delta = next - E;
        E = next;
        lastStep = delta;
        // Halley's error after this step is about K step^3 with K bounded by
        // the derivatives here; stop once that is below double precision.
        const double q = e / d1;
        const double K = 0.25 * q * q + q / 6.0 + 1.0;
        const double step = std::fabs(delta);
        if ((halley && K * step * step * step <= 1e-17 * (1.0 + E)) || hi - lo <= 1e-15 * (1.0 + E))
            break;
        if (step < 0.05) {
            // Small steps turn the previous sine and cosine by delta (series
            // exact to double precision here), saving the library calls.
            const double d = delta * delta;
            const double sd = delta * (1.0 - d / 6.0 * (1.0 - d / 20.0 * (1.0 - d / 42.0)));
            const double cd =
                1.0 - d / 2.0 * (1.0 - d / 12.0 * (1.0 - d / 30.0 * (1.0 - d / 56.0)));
            const double sn = s * cd + c * sd;
            c = c * cd - s * sd;
            s = sn;
        } else {
            s = std::sin(E);
            c = std::cos(E);
        }
        lastStep = 0.0; // s and c are E's again
    }
    // s and c belong to the E before the last step, which was below 1e-5
    // (or a bracket this narrow): turn them by it to first order and beyond.
    sinE = sign * (s + c * lastStep - 0.5 * s * lastStep * lastStep);
    cosE = c - s * lastStep - 0.5 * c * lastStep * lastStep;
    return sign * E + turns * kTwoPi;
}

double solveHyperbolicKepler(double e, double M) {
    if (!(e > 1.0) || M == 0.0 || !std::isfinite(M))
        return std::isfinite(M) ? 0.0 : M;
    const double m = std::fabs(M);
    const double d = e - 1.0;
    // e sinh H >= m and (e - 1) sinh H <= m bracket the root.
    double lo = std::asinh(m / e);
    double hi = std::asinh(m / d);
    double H;
    if ((m / d) * (m / d) <= 6.0 * d)
        H = m / d;
    else if (m < kPi)
        H = std::cbrt(6.0 * m);
    else
        H = std::asinh(m / e) + std::log(1.0 + std::log1p(m / e)); // a little above lo
    if (!(H > lo && H < hi))
        H = 0.5 * (lo + hi);
    for (int round = 0; round < 100; ++round) {
        const double f = e * std::sinh(H) - H - m;
        if (f == 0.0)
            break;
        if (f > 0.0)
            hi = H;
        else
            lo = H;
        double next = H - f / (e * std::cosh(H) - 1.0);
        if (!(next >= lo && next <= hi))
            next = 0.5 * (lo + hi);
        const double step = std::fabs(next - H);
        H = next;
        if (step <= 1e-15 * (1.0 + H) || hi - lo <= 1e-15 * (1.0 + H))
            break;
    }
    return M < 0.0 ? -H : H;
}
