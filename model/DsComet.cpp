#include "model/DsComet.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/DateTime.h"
#include "engine/LogMessage.h"
#include "engine/Matrix4.h"
#include "engine/RealToInt.h"
#include "model/ModelFile.h"
#include "model/OrbitMath.h"

DsComet::DsComet(const std::string& name, DsAstrBody* parent, Ssystem* system)
    : DsAstrBody(name, parent, system) {
    kind_ = Comet;
    orbitScale_ = Vector3(0, 0, 0);
}

void DsComet::readKeyword(const std::string& token, DataFile& file) {
    if (token == "Texture:")
        nextToken(file, textureName_);
}

int DsComet::readOrbitData(DataFile& file) {
    if (states_.empty())
        makeSimModeStates();
    int selected = 0;
    std::string token;
    while (nextToken(file, token)) {
        if (readSharedOrbitKeyword(token, file, selected))
            continue;
        double* field = nullptr;
        if (token == "Texture:") {
            nextToken(file, textureName_);
            continue;
        }
        if (token == "T:") {
            file.readDouble(periYear_).readDouble(periMonth_).readDouble(periDay_);
            continue;
        }
        if (token == "dustLength:") {
            file.readInt(dustLength_);
            if (dustLength_ > MaxDustLength) {
                logMessage("dustLength %d in %s is more than can be drawn; %d is used.",
                           dustLength_, orbitFile_.c_str(), MaxDustLength);
                dustLength_ = MaxDustLength;
            }
            continue;
        }
        if (token == "q:")
            field = &periDistance_;
        else if (token == "e:")
            field = &elemEcc_;
        else if (token == "P:")
            field = &period_;
        else if (token == "Peri:" || token == "w:" || token == "W:")
            field = &elemPeri_;
        else if (token == "Node:" || token == "Omega:" || token == "Om:")
            field = &elemNode_;
        else if (token == "Incl:" || token == "i:")
            field = &elemIncl_;
        else if (token == "a:" || token == "A:")
            field = &elemAxis_;
        else if (token == "drawMonth:")
            field = &drawMonth_;
        if (field)
            file.readDouble(*field);
        else
            logUnknownToken(token);
    }

    const double e = elemEcc_;
    const double q = periDistance_;
    orbitValid_ = false;
    // The date of perihelion is counted in whole years and months (carried
    // into the year): beyond a million years either way it means nothing.
    int periYear = 0;
    const bool dateValid = realToInt(periYear_, periYear) && std::abs(periYear) <= MaxYears &&
                           std::abs(periMonth_) <= 12.0 * MaxYears && std::isfinite(periDay_);
    if (!(e > 0.0) || !(q > 0.0) || !std::isfinite(e) || !std::isfinite(q) || !dateValid) {
        logMessage("Bad comet parameters in %s.", orbitFile_.c_str());
        return 0;
    }
    if (e < 1.0) {
        elemAxis_ = q / (1.0 - e);
        meanMotion_ = kGaussK / (std::sqrt(elemAxis_) * elemAxis_);
    } else if (e > 1.0) {
        elemAxis_ = q / (e - 1.0);
        meanMotion_ = kGaussK / (std::sqrt(elemAxis_) * elemAxis_);
    } else {
        elemAxis_ = 1.0;
        meanMotion_ = (kGaussK / std::sqrt(2.0)) / (std::sqrt(q) * q);
    }
    periJd_ = dateToJd(periYear, periMonth_, periDay_);
    orbitPoints_.clear();
    orbitPointTimes_.clear();
    takeHomePlace();
    orbitValid_ = true;
    return 1;
}

double DsComet::dateToJd(int year, double month, double day) {
    // Whole months carry into the year; the fraction of a month counts that
    // month's share of days.
    const double whole = std::floor(month);
    const double fraction = month - whole;
    int m = int(whole) - 1;
    year += m >= 0 ? m / 12 : -((11 - m) / 12);
    m = ((m % 12) + 12) % 12 + 1;
    // Days 1 to 28 exist in every month (and around the ten days that October
    // 1582 dropped); later or earlier days count on from those.
    const double wholeDay = std::floor(day);
    const int anchor = wholeDay < 1.0 ? 1 : wholeDay > 28.0 ? 28 : int(wholeDay);
    double jd = DateTime::calendarToJd(year, m, anchor, 0, 0, 0) + (day - anchor);
    if (fraction != 0.0) {
        const int nextYear = m == 12 ? year + 1 : year;
        const int nextMonth = m == 12 ? 1 : m + 1;
        jd += fraction * (DateTime::calendarToJd(nextYear, nextMonth, 1, 0, 0, 0) -
                          DateTime::calendarToJd(year, m, 1, 0, 0, 0));
    }
    return jd;
}

void DsComet::M2f(double jd, Vector3& out) const {
    const double e = elemEcc_;
    const double q = periDistance_;
    const double a = elemAxis_;
    if (!orbitValid_) {
        out = Vector3(0, 0, 0);
        return;
    }
    if (e < 1.0) {
        const double E = solveKepler(e, (jd - periJd_) * meanMotion_);
        out = Vector3((std::cos(E) - e) * a, std::sqrt(1.0 - e * e) * std::sin(E) * a, 0.0);
    } else if (e > 1.0) {
        const double H = solveHyperbolicKepler(e, (jd - periJd_) * meanMotion_);
        out = Vector3((e - std::cosh(H)) * a, std::sqrt(e * e - 1.0) * std::sinh(H) * a, 0.0);
    } else {
        // Barker's equation, solved in closed form: with W = 3 n dt,
        // tan(v/2) = Y - 1/Y where Y = cbrt(W/2 + sqrt((W/2)^2 + 1)).
        // Solved for |W| (no cancellation), the sign put back after.
        const double G = 1.5 * (jd - periJd_) * meanMotion_;
        const double g = std::fabs(G);
        const double Y = std::cbrt(g + std::sqrt(g * g + 1.0));
        const double s = G < 0.0 ? 1.0 / Y - Y : Y - 1.0 / Y;
        // r = q (1 + s^2); the position (q (1 - s^2), 2 q s).
        out = Vector3(q * (1.0 - s * s), 2.0 * q * s, 0.0);
    }
}

void DsComet::updatePosition(double t) {
    const double s = getOrbitScale();
    const double jd = julianDateFromTime(t);
    currentJd_ = jd;
    if (!orbitValid_)
        return;
    Vector3 p;
    M2f(jd, p);
    p *= s;
    const Quaternion peri(Vector3(0, 0, 1), elemPeri_ * kDegToRad);
    const Quaternion incl(Vector3(1, 0, 0), elemIncl_ * kDegToRad);
    const Quaternion node(Vector3(0, 0, 1), elemNode_ * kDegToRad);
    orbitRotation_ = (peri * incl) * node;
    Matrix4 m;
    orbitRotation_.getMatrix(m);
    m.transform(p, position_);
    rotation_ = Quaternion(Vector3(0, 1, 0), position_);
    orbitScale_ = Vector3(s, s, s);
}

void DsComet::makeOrbitPoints(int orbitPoints) {
    const int n = 2 * (orbitPoints > 0 ? orbitPoints : 64);
    orbitPoints_.assign(size_t(n), Vector3());
    orbitPointTimes_.assign(size_t(n), 0.0);
    const double h = n / 2;
    const double c = drawMonth_ / (h * h * h);
    // A month of the calendar formula is 365.2425 / 12 days; offsets from the
    // perihelion date keep the middle point at perihelion exactly.
    for (int i = 0; i < n; ++i) {
        const double months = c * (i - h) * (i - h) * (i - h);
        const double jd = periJd_ + months * (365.2425 / 12.0);
        orbitPointTimes_[size_t(i)] = jd;
        M2f(jd, orbitPoints_[size_t(i)]);
    }
    const Vector3& mid = orbitPoints_[size_t(h)];
    periRadius_ = std::sqrt(mid.x * mid.x + mid.y * mid.y);
}
