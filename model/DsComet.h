// A comet (kind 6) on an ellipse, a parabola or a hyperbola about its parent,
// from the date of perihelion passage ("T:" year, month, day with fraction),
// the perihelion distance "q:", the eccentricity "e:" and the orientation
// ("Peri:" the argument of perihelion, "Node:", "Incl:").
#pragma once

#include <vector>

#include "engine/Quaternion.h"
#include "engine/Random15.h"
#include "engine/Vector3.h"
#include "model/DsAstrBody.h"

class DsComet : public DsAstrBody {
public:
    DsComet(const std::string& name, DsAstrBody* parent, Ssystem* system);
    // Releases the display lists.
    ~DsComet() override;

    void readKeyword(const std::string& token, DataFile& file) override;
    // 0 when the elements describe no orbit (e <= 0, q <= 0).
    int readOrbitData(DataFile& file) override;
    void updatePosition(double t) override;

    // The Julian Date of a calendar date (UTC) with a fractional day, exact
    // to the calendar: the Julian calendar before 1582-10-15, the Gregorian
    // after. A fractional month counts its fraction of that month's days;
    // months outside 1..12 carry into the year.
    static double dateToJd(int year, double month, double day);

    // The position in the orbit plane at a Julian Date, AU, perihelion on +x.
    void M2f(double jd, Vector3& out) const;

    // Rebuilds the orbit path: 2 x orbitPoints points from drawMonth months
    // before perihelion to drawMonth months after, dense near perihelion.
    void makeOrbitPoints(int orbitPoints);

    // Drawing (DsCometDraw.cpp): a lit nucleus, a translucent coma and a tail
    // pointing away from the parent that grows towards perihelion (pass 1),
    // the orbit path and the dust along it (pass 0).
    void clear() override;
    void makeDisplayList() override;
    void draw(int pass) override;
    void addDueMaps(std::vector<std::string>& files) const override;
    // A truncated cone from a ring of radius 1 at the head to one of 0.5 at
    // z = 5, fading from colour (RGBA) to transparent; lines when wire is set.
    void drawTail(int wire, const float* colour);
    // The orbit path through the orbit points, with the comet's place at jd
    // put in between the two points around it.
    void drawOrbitPath(double jd, int highlighted);
    // Grains along the orbit around jd, shaken by spread times a random
    // offset each; nothing unless amount is positive.
    void drawDust(double jd, double spread, double amount);
    // How much tail the comet shows at its distance d from the parent: 4 at
    // perihelion, falling to 1 at four times its distance and beyond.
    double tailFactor() const;
    unsigned getNucleusLists() const { return nucleusLists_; }
    unsigned getComaLists() const { return comaLists_; }

    double getPeriJd() const { return periJd_; }
    double getPeriDistance() const { return periDistance_; }
    double getElemEcc() const { return elemEcc_; }
    double getElemAxis() const { return elemAxis_; }
    double getMeanMotion() const { return meanMotion_; }
    double getElemPeri() const { return elemPeri_; }
    double getElemNode() const { return elemNode_; }
    double getElemIncl() const { return elemIncl_; }
    double getDrawMonth() const { return drawMonth_; }
    int getDustLength() const { return dustLength_; }
    // Grains a frame can afford: each is an orbit position solved anew.
    static constexpr int MaxDustLength = 4096;
    // The span of perihelion dates (in years from year 0) a file may give.
    static constexpr int MaxYears = 1000000;
    double getCurrentJd() const { return currentJd_; }
    double getPeriRadius() const { return periRadius_; }
    const Quaternion& getOrbitRotation() const { return orbitRotation_; }
    const Vector3& getOrbitScaleVector() const { return orbitScale_; }
    const std::vector<Vector3>& getOrbitPoints() const { return orbitPoints_; }
    const std::vector<double>& getOrbitPointTimes() const { return orbitPointTimes_; }

private:
    double periYear_ = 0.0;
    double periMonth_ = 0.0;
    double periDay_ = 0.0;
    double periDistance_ = 0.0;
    double elemEcc_ = 0.0;
    double period_ = 0.0;
    double elemPeri_ = 0.0;
    double elemNode_ = 0.0;
    double elemIncl_ = 0.0;
    double elemAxis_ = 0.0;
    double meanMotion_ = 0.0; // radians per day
    double periJd_ = 0.0;
    std::vector<Vector3> orbitPoints_;
    std::vector<double> orbitPointTimes_;
    double drawMonth_ = 0.0;
    int dustLength_ = 0;
    Quaternion orbitRotation_;
    Vector3 orbitScale_;
    double periRadius_ = 0.0;
    double currentJd_ = 0.0;
    bool orbitValid_ = false;

    // Compile the nucleus lists (loading the picture) and the coma lists,
    // each when due.
    void prepareNucleus();
    void prepareComa();
    bool nucleusDue_ = false;
    bool comaDue_ = false;
    // Display-list pairs: index 0 for the radius at the second rate (Scale
    // on), 1 for the first.
    unsigned nucleusLists_ = 0;
    unsigned texturedNucleusLists_ = 0;
    unsigned comaLists_ = 0;
    // Offsets that shake the dust grains, drawn anew at each rebuild.
    double dustOffsets_[16][3] = {};
    Random15 random_;

    void releaseLists();
    // 5 - d / (orbit rate x perihelion distance as drawn): 4 at perihelion;
    // 0 before the orbit points are made.
    double distanceFactor() const;
};
