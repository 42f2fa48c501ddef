// A natural satellite (kind 8) and the base of every body drawn as a sphere
// (planets, asteroids, artificial satellites).
//
// A natural satellite moves on a fixed ellipse about its parent, traced at a
// uniform rate (the mean anomaly is used as the ellipse's angle parameter),
// tilted by inclination and node and carried in a frame of the parent planet.
// Its orbit file holds "Peri:" (longitude of periapsis), "Node:", "Incl:",
// "e:", "a:" (km), "M:", "n:" (degrees per day), "t:" (epoch, JD), "Offset:",
// "RotSpeed:" (spin period in days) and "RefParentSiderealRot:".
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "model/DsAstrBody.h"

class DsSatellite : public DsAstrBody {
public:
    DsSatellite(const std::string& name, DsAstrBody* parent, Ssystem* system);
    // Releases the display lists and the textures.
    ~DsSatellite() override;

    void readKeyword(const std::string& token, DataFile& file) override;
    int readOrbitData(DataFile& file) override;
    void updatePosition(double t) override;

    // Orbit state of the last update, for the orbit drawing.
    const Quaternion& getParentFrame() const { return parentFrame_; }
    const Quaternion& getOrbitPlaneRotation() const { return orbitPlaneRotation_; }
    const Quaternion& getPeriapsisRotation() const { return periapsisRotation_; }
    const Quaternion& getOrbitTilt() const { return orbitTilt_; }
    const Quaternion& getAnomalyRotation() const { return anomalyRotation_; }
    const Vector3& getEllipseCentre() const { return ellipseCentre_; }
    const Vector3& getEllipseScale() const { return ellipseScale_; }

    double getRingInner() const { return ringInner_; }
    double getRingOuter() const { return ringOuter_; }
    const float* getRingColor() const { return ringColor_; }
    std::string getCloudsTextureName() const { return cloudsTextureName_; }
    std::string getRingTextureName() const { return ringTextureName_; }

    // Drawing (DsSatelliteDraw.cpp): a lit sphere, plain or textured, with
    // its ring and cloud shell, compiled for both display radii; the orbit as
    // the shared unit circle under the orbit state's transforms.
    void clear() override;
    void makeDisplayList() override;
    void draw(int pass) override;
    void drawOrbit() override;
    void drawBody(int pass) override;
    void addDueMaps(std::vector<std::string>& files) const override;
    bool isPlainSmallBody() const override;
    // The flat ring at a sphere radius, in the body's equator plane.
    void drawRing(double radius);

    // Eclipse shadows (DsSatelliteShadow.cpp). updateShadow works out the
    // umbra and penumbra cones the body casts away from the Sun; drawShadow
    // darkens this body where the Earth's and the Moon's cones fall on it.
    virtual void updateShadow();
    virtual void drawShadow();
    void makeShadowConeLists();
    double getUmbraLength() const { return umbraLength_; }
    double getUmbraAngle() const { return umbraAngle_; }
    const Vector3& getUmbraApex() const { return umbraApex_; }
    double getPenumbraLength() const { return penumbraLength_; }
    double getPenumbraAngle() const { return penumbraAngle_; }
    const Vector3& getPenumbraApex() const { return penumbraApex_; }

    // The first of each pair of display lists (0 until compiled).
    unsigned getBodyLists() const { return bodyLists_; }
    unsigned getTexturedLists() const { return texturedLists_; }
    unsigned getCloudLists() const { return cloudLists_; }

    // Elements as read (degrees, AU, days).
    double getPeriapsis() const { return periapsis_; }
    double getNode() const { return node_; }
    double getInclination() const { return inclination_; }
    double getEccentricity() const { return eccentricity_; }
    double getSemiMajorAxis() const { return semiMajorAxis_; }
    double getMeanMotion() const { return meanMotion_; }

protected:
    // The ellipse point for the anomaly angle (radians) carried through the
    // orbit state: the position relative to the parent.
    Vector3 orbitPoint(double startZ) const;

    double periapsis_ = 0.0;
    double node_ = 0.0;
    double inclination_ = 0.0;
    double eccentricity_ = 0.0;
    double period_ = 0.0;
    double semiMajorAxis_ = 0.0;
    double meanAnomalyAtEpoch_ = 0.0;
    double meanMotion_ = 0.0;
    double epoch_ = 0.0;
    double anomalyOffset_ = 0.0;
    double rotationPeriod_ = 0.0;
    int refParentSiderealRot_ = 0;

    Quaternion parentFrame_;
    Quaternion orbitPlaneRotation_;
    Quaternion periapsisRotation_;
    Quaternion orbitTilt_;
    Quaternion anomalyRotation_;
    Vector3 ellipseCentre_;
    Vector3 ellipseScale_;

    double ringInner_ = 0.0;
    double ringOuter_ = 0.0;
    float ringColor_[3] = {1.0f, 1.0f, 1.0f};
    std::string cloudsTextureName_;
    std::string ringTextureName_;
    // False once the elements were rejected: the body then stays where it is.
    bool orbitValid_ = true;

    // Pairs of display lists: index 0 for the radius at the second rate
    // (Scale on), 1 for the first (Scale off).
    unsigned bodyLists_ = 0;
    unsigned texturedLists_ = 0;
    unsigned cloudLists_ = 0;
    unsigned umbraConeList_ = 0;
    unsigned penumbraConeList_ = 0;
    std::unique_ptr<Texture> cloudsTexture_;
    std::unique_ptr<Texture> ringTexture_;

    // The orbit ellipse under the orbit state's transforms, optionally in the
    // parent's frame and started half a turn on; the highlighted circle for a
    // highlighted body, else the given one.
    void drawOrbitEllipse(unsigned list, bool inParentFrame, bool halfTurn);

    // A ring or a flattened pole: the body compiles its own sphere lists
    // rather than drawing the Ssystem's unit sphere scaled.
    bool hasOwnGeometry() const;
    // The sphere of radius r with the body's surface (textured or plain, the
    // plain one in the caller's colour) and its ring; sphere emits the
    // geometry.
    void emitSphere(bool textured, double r, const std::function<void()>& sphere);
    // Draws the sphere for the radius index: the body's own list, or the
    // unit sphere scaled to the radius (a coarser one for a globe a few
    // pixels across).
    void callSphere(int index, bool textured);
    void releaseOwnSphereLists();
    // Loads the body's maps and compiles the lists that show them, when due:
    // at the first textured draw after the lists were (re)built, so that a
    // body seen only as a dot or a plain sphere never loads its pictures.
    void prepareTextured();
    // The same for the cloud shell, at the first draw that shows clouds.
    void prepareClouds();
    // The textured sphere and the cloud lists wait for their first draw.
    bool texturedDue_ = false;
    bool cloudsDue_ = false;

private:
    void releaseSphereLists();

    // Binds a loaded texture with the detail's filter and enables texturing.
    void bindTexture(Texture& texture);
    // The umbra and penumbra cones in the scene (pass 1).
    void drawShadowCones();
};
