// Orbit functions shared by every body kind of the solar-system model.
//
// Units of the model: lengths in astronomical units (kilometre inputs are
// divided by kKmPerAu), each body's position relative to its parent, the
// J2000 ecliptic in the x-y plane with the Sun at the origin. Angles are
// degrees in data files and radians in computation. The simulation time t
// counts seconds since 1970-01-01 00:00 UTC; its Julian Date is
// t / 86400 + 2440587.5 (julianDateFromTime).
#pragma once

constexpr double kKmPerAu = 149597870.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kJdUnixEpoch = 2440587.5;
constexpr double kJdJ2000 = 2451545.0;
// Gaussian gravitational constant: the mean motion in radians per day of a
// body on a 1 AU orbit about the Sun.
constexpr double kGaussK = 0.01720209895;

// Julian Date of a simulation time (seconds since 1970-01-01 00:00 UTC).
inline double julianDateFromTime(double t) {
    return t * 1.1574074074074073e-5 + kJdUnixEpoch;
}

// Days since J2000.0 (JD 2451545.0).
double daysSinceJ2000(double jd);
// Julian centuries of 36525 days for a count of days.
double julianCenturies(double days);
// Semi-minor axis a * sqrt(1 - e^2).
double semiMinorAxis(double e, double a);
// Angle in the orbit plane from the node to a direction whose longitude,
// counted along the ecliptic from the node, is angle - node (all radians).
double orbitPlaneAngle(double angle, double inclination, double node);
// Greenwich mean sidereal time in degrees, not reduced, for a Julian Date (UT)
// and the Julian centuries T since J2000.
double greenwichSiderealTime(double jd, double T);

// Degrees to radians, reduced by whole turns towards zero: the result keeps
// the sign of the input and lies in (-2 pi, 2 pi).
double reducedRadians(double degrees);

// Eccentric anomaly E (radians) with E - e sin E = M, for 0 <= e < 1 and any
// mean anomaly M (radians, not necessarily reduced). Converges for every
// eccentricity below 1 in a bounded number of rounds; E lies within the same
// turn as M.
double solveKepler(double e, double M);
// The same, also giving sin E and cos E (worked out on the way).
double solveKepler(double e, double M, double& sinE, double& cosE);

// Hyperbolic anomaly H with e sinh H - H = M, for e > 1 and any M (radians).
// Bounded in rounds; H has the sign of M.
double solveHyperbolicKepler(double e, double M);
