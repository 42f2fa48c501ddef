// The shadow a sphere body lit by the Sun casts, as two cones along the line
// from the Sun through the body: the umbra, converging behind the body to its
// apex, and the penumbra, whose tangents cross between the Sun and the body
// and which widens behind it. Lengths in AU from the Sun's centre, widths at
// the cones' bases.
//
// A body no smaller than the Sun as drawn, a point, or a body too near the Sun
// for the tangents to exist (distance up to the sum of the radii) casts
// nothing: valid is false and no length or width is a number to draw with.
#pragma once

struct EclipseCones {
    bool valid = false;
    // Umbra: from the body to its apex, and the base width at the Sun.
    double umbraLength = 0.0;
    double umbraWidth = 0.0;
    // Penumbra: the distance of the point where the tangents cross, and the
    // converging part's width at the Sun.
    double penumbraCross = 0.0;
    double penumbraWidth = 0.0;
    // The widening part beyond the crossing: its length and end width.
    double divergingLength = 0.0;
    double divergingWidth = 0.0;

    // sunRadius and bodyRadius as drawn, distance of the body from the Sun,
    // and the distance of the body's parent from the Sun (0 for a body that
    // circles the Sun itself), which bounds how far the penumbra is drawn.
    static EclipseCones compute(double sunRadius, double bodyRadius, double distance,
                                double parentDistance);
};
