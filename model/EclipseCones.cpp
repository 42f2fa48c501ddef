#include "model/EclipseCones.h"

#include <cmath>

EclipseCones EclipseCones::compute(double sunRadius, double bodyRadius, double distance,
                                   double parentDistance) {
    EclipseCones c;
    const double Rs = sunRadius;
    const double R = bodyRadius;
    const double D = distance;
    if (!(R > 0.0) || !(R < Rs) || !(D > Rs + R) || !std::isfinite(D))
        return c;
    c.umbraLength = D / (Rs - R) * Rs - D;
    c.umbraWidth = Rs * D / std::sqrt(D * D - Rs * Rs);
    c.penumbraCross = D / (R + Rs) * Rs;
    const double Lp = c.penumbraCross;
    c.penumbraWidth = Lp * Rs / std::sqrt(Lp * Lp - Rs * Rs);
    // A planet's penumbra is drawn half its distance beyond it; a moon's up
    // to its umbra's apex, or to its parent when that is nearer.
    const double umbraEnd = c.umbraLength + D;
    if (parentDistance == 0.0)
        c.divergingLength = 1.5 * D - Lp;
    else if (parentDistance < umbraEnd)
        c.divergingLength = umbraEnd - Lp;
    else
        c.divergingLength = parentDistance - Lp;
    const double behind = D - Lp;
    c.divergingWidth = c.divergingLength * R / std::sqrt(behind * behind - R * R);
    c.valid = std::isfinite(c.umbraLength) && std::isfinite(c.umbraWidth) &&
              std::isfinite(c.penumbraWidth) && std::isfinite(c.divergingWidth);
    return c;
}
