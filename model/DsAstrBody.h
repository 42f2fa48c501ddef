// Base of every body of the solar-system model (the Sun, planets, moons,
// comets, asteroids and the craft of later kinds): name, kind, parent and
// children, size, brightness, colour, texture name, orbit file, observer
// places, and one display state per sim mode.
//
// A body's position is relative to its parent in AU; getTrans sums the chain
// up to the Sun's frame. Kinds add their orbit elements, read their orbit
// files (readOrbitData) and compute position and spin (updatePosition).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "model/DsPlace.h"
#include "model/SimModeState.h"

class DataFile;
class Ssystem;
class Texture;

class DsAstrBody {
public:
    // Kind codes.
    static constexpr int Planet = 2;
    static constexpr int Sun = 3;
    static constexpr int Earth = 4;
    static constexpr int Moon = 5;
    static constexpr int Comet = 6;
    static constexpr int Asteroid = 7;
    static constexpr int Satellite = 8;
    static constexpr int Spacecraft = 9;
    static constexpr int ASatellite = 10;

    // Joins the system's list of all bodies. system may be null (a body on its
    // own, as the tests make them).
    DsAstrBody(const std::string& name, DsAstrBody* parent, Ssystem* system);
    virtual ~DsAstrBody();
    DsAstrBody(const DsAstrBody&) = delete;
    DsAstrBody& operator=(const DsAstrBody&) = delete;

    // Drops places, states and children and leaves the list of all bodies.
    virtual void clear();
    // The system has taken this body out of its list already (a removal of
    // many bodies at once).
    void markUnlisted() { listed_ = false; }
    // Reads the body's definition block of the ssystem data file, up to its
    // "}" (the stream stands after the "Child:" line). Returns 1. Children
    // nested MaxNestingDepth deep are skipped with a message.
    virtual int readDefinition(DataFile& file);
    static constexpr int MaxNestingDepth = 256;
    // How many bodies this one hangs below (0 for a top-level body).
    int nestingDepth() const;
    // A definition keyword the base does not know.
    virtual void readKeyword(const std::string& token, DataFile& file);
    // Reads the kind's orbit file; non-zero on success.
    virtual int readOrbitData(DataFile& file);
    // Opens the path and reads it with readOrbitData; 1 on success.
    virtual int loadOrbitFile(const std::string& path);
    virtual void addChild(std::unique_ptr<DsAstrBody> child);
    // Deletes every direct child of that name.
    virtual void removeChild(const std::string& name);
    // Deletes every direct child that goes.
    void removeChildrenIf(const std::function<bool(const DsAstrBody&)>& goes);
    // Position and spin for the simulation time t (seconds since 1970 UTC).
    virtual void updatePosition(double t);
    // Spacecraft answer whether t lies in their trajectory.
    virtual int isActive() { return 1; }

    // Drawing (DsAstrBodyDraw.cpp; needs a current GL context). The base
    // recompiles the name label when it has one (a label is compiled when
    // first drawn); the kinds add their geometry.
    virtual void makeDisplayList();
    // Pass 0 is the scene, pass 1 the translucent extras; the base draws the
    // children.
    virtual void draw(int pass);
    virtual void drawOrbit() {}
    // The point a body is seen as from afar, sized by its magnitude, joins
    // the Ssystem's dot batch of the scene pass; it also measures the body's
    // projected diameter (0 outside that pass).
    virtual void drawBody(int pass);
    // Adds the picture files the body's next draw as a globe will load
    // (paths as its textures load them); none once they are loaded.
    virtual void addDueMaps(std::vector<std::string>& files) const { (void)files; }
    // The name labels of this subtree, screen-aligned by viewRot (the inverse
    // of the camera's view rotation), in the solar-system frame of the
    // current matrix. In the Ssystem's draw they join its label batch.
    void drawNames(const Quaternion& viewRot);
    // The projected diameter in pixels that the last drawBody measured.
    float getProjectedDiameter() const;
    // Whether the body is a small body that its frame record alone can draw:
    // a dot (or nothing) in the scene pass, nothing in the second pass.
    virtual bool isPlainSmallBody() const { return false; }
    // The children's slots in the Ssystem's frame records, in the order of
    // the children; any change of the children drops them.
    void setChildSlots(std::vector<int> frameSlots) { childSlots_ = std::move(frameSlots); }
    // The body's index in the Ssystem's frame records (-1 before any).
    int getFrameSlot() const { return frameSlot_; }
    void setFrameSlot(int slot) { frameSlot_ = slot; }
    // The point size in pixels the body's magnitude gives (the star size of
    // the sky), kept while the magnitude stays.
    float getStarSize() const;
    // The size in pixels of the dot the body is seen as; a body whose
    // projected diameter reaches it is drawn as a globe (or model) instead.
    float getDotSize() const { return 0.75f * getStarSize(); }
    unsigned getLabelList() const { return labelList_; }
    // The display radius now: between the two rates while the Scale switch
    // changes.
    double getCurrentDisplayRadius() const;
    // The radius at the second rate (index 0) or the first (index 1), and the
    // index the Scale switch selects now.
    double getRadiusAtIndex(int index) const;
    int getRadiusIndex() const;
    Texture* getTexture() const { return texture_.get(); }

    // Names and kind.
    std::string getName() const { return name_; }
    int getType() const { return kind_; }
    DsAstrBody* getParent() const { return parent_; }
    const std::vector<std::unique_ptr<DsAstrBody>>& getChildren() const { return children_; }
    std::string getTextureName() const { return textureName_; }
    std::string getAtmosphere() const { return atmosphere_; }
    std::string getOrbitFile() const { return orbitFile_; }
    double getRadius() const { return radius_; }
    double getPolarRatio() const { return polarRatio_; }
    double getMagnitude() const { return magnitude_; }
    const float* getColor() const { return color_; }
    std::string getHomePlaceName() const { return homePlaceName_; }

    // Places and the place cursor.
    std::string getPlaceName() const;
    std::string getPlaceWeather() const;
    std::string getPlacePanorama() const;
    std::string getPlaceNameList() const;
    std::string formatPlace(int index) const;
    void setPlaceName(const std::string& name);
    void setPlaceWeather(const std::string& weather);
    void setPlacePanorama(const std::string& panorama);
    void setSelectedPlaceLat(double degrees);
    void setSelectedPlaceLatTo(double degrees, int steps);
    void setSelectedPlaceLon(double degrees);
    void setSelectedPlaceLonTo(double degrees, int steps);
    double getSelectedPlaceLat() const;
    double getSelectedPlaceLon() const;
    int getPlaceIndex() const { return placeIndex_; }
    int getPlaceCount() const { return int(places_.size()); }
    DsPlace* getPlace(int index) const;
    void addNewPlace();
    void removeSelectedPlace();
    void addPlace(const std::string& placeLine);
    // Deletes every place; nothing stays selected.
    void clearPlaces();
    void selectPlace(int index);
    void selectPlace(const std::string& name);
    void selectHomePlace();
    void selectNextPlace();
    void selectPrevPlace();
    void markSelected();
    void markUnselected();
    int isSelected() const { return selected_; }
    // Gives the body a place of the landscape's default name when it has none.
    void ensureDefaultPlace();

    // Display state in the current sim mode.
    int getState() const;
    void setState(int state);
    int getSimModeFlag() const;
    int isShown() const { return getState() != SimModeState::Hide; }
    const std::vector<SimModeState>& getSimModeStates() const { return states_; }

    // Marks: the body takes part in the angular marks, the umbra display and
    // the penumbra display.
    int getAngular() const { return angular_; }
    void setAngular(int on) { angular_ = on; }
    int getFullShadow() const { return fullShadow_; }
    void setFullShadow(int on) { fullShadow_ = on; }
    int getHalfShadow() const { return halfShadow_; }
    void setHalfShadow(int on) { halfShadow_ = on; }

    // Geometry.
    Vector3 getPosition() const { return position_; }
    Vector3 getTrans() const;
    // The position in the same frame at true distances: each link of the
    // chain without the orbit scale it is drawn with.
    Vector3 getTrueTrans() const;
    Quaternion getRot() const { return rotation_; }
    double getDisplayRadius() const;
    double getRadiusAtRate2() const;
    double getRadiusAtRate1() const;
    double getScaleRatio() const;
    // The orbit scale of the current sim mode for the Scale switch.
    double getOrbitScale() const;
    Vector3 getObserveTrans(int atRate2, double distance) const;
    Quaternion getObserveRot() const;

protected:
    // The record of the current sim mode, or null when there is none.
    const SimModeState* currentState() const;
    SimModeState* currentState();
    // One record with its defaults per sim mode of the system.
    void makeSimModeStates();
    // The keywords that the orbit files of comets, asteroids and craft share
    // ("Name:", "Radius:", "Magnitude:", "Color:", "SimMode:", "State:",
    // "RadiusRate:", "OrbitRate:", "Place:"). selected is the sim-mode record
    // the state and rate lines act on: -1 for all, -2 for none. Returns true
    // when the token was one of them.
    bool readSharedOrbitKeyword(const std::string& token, DataFile& file, int& selected);
    // Reads a "Place:" block after its keyword and keeps the place when it is
    // complete.
    void readPlaceBlock(DataFile& file);
    // "Radius:" kilometres and polar ratio.
    void readRadius(DataFile& file);
    // The home place becomes the last place read.
    void takeHomePlace();
    void logUnknownToken(const std::string& token) const;
    // Deletes the label list and the texture (in clear).
    void releaseDrawing();
    // The name label's list, in the Ssystem's name font.
    void compileLabel();
    // The label drawn by itself at the anchor (solar-system frame), over
    // everything when asked.
    void drawLabel(const Vector3& anchor, const Quaternion& viewRot, bool overAll);
    // Makes the texture object when a texture file is named, and loads the
    // file from the texture directory when it is not loaded yet.
    void loadTextureFile(std::unique_ptr<Texture>& texture, const std::string& name) const;
    void loadTexture() { loadTextureFile(texture_, textureName_); }
    // Adds the path of the named picture unless the texture holds it already.
    void addDueMap(std::vector<std::string>& files, const std::unique_ptr<Texture>& texture,
                   const std::string& name) const;
    // The display radii the geometry lists were last compiled for; true when
    // they differ from the current ones (or a full rebuild is due), after
    // which the current ones are stored.
    bool takeBuiltRadii();
    // The colour of a surface: the material's diffuse and ambient colours
    // for the lit one and the current colour for the unlit one. The material
    // stops following the current colour (colour changes inside display
    // lists do not reliably reach it); callers keep the lighting attributes.
    static void setSurfaceColor(const float* rgb, const float* ambient);
    // The camera stands on this body (HideIfLanding on, the body selected,
    // the camera observing and not moving).
    bool isLanded() const;
    // The current place; a missing one is reported once until there is one again.
    const DsPlace* observedPlace(const char* missingMessage) const;

    Ssystem* system_;
    // Changes the name, telling the system's name index.
    void rename(const std::string& name);

    std::string name_;
    int kind_ = 0;
    DsAstrBody* parent_;
    int selected_ = 0;
    int frameSlot_ = -1;
    std::string orbitFile_;
    float color_[3] = {1.0f, 1.0f, 1.0f};
    Vector3 position_;
    Quaternion rotation_;
    double radius_ = 1.0;
    double polarRatio_ = 1.0;
    double magnitude_ = 0.0;
    int angular_ = 0;
    int fullShadow_ = 0;
    int halfShadow_ = 0;
    // Draws the children in the pass, passing over those the Ssystem draws
    // from their frame records without a look at the bodies themselves.
    void drawChildren(int pass);
    std::vector<int> childSlots_;
    std::vector<std::unique_ptr<DsAstrBody>> children_;
    std::vector<std::unique_ptr<DsPlace>> places_;
    int placeIndex_ = -1;
    // Set once the missing place was reported, so that a body viewed without
    // a place (the usual case) does not repeat it every frame; cleared as soon
    // as a place is found again.
    mutable bool noPlaceReported_ = false;
    std::string textureName_ = "None";
    std::string atmosphere_ = "None";
    std::string homePlaceName_;
    std::vector<SimModeState> states_;
    // The system was told of this body (cleared when it leaves the list).
    bool listed_ = false;

    // Drawing state.
    std::unique_ptr<Texture> texture_;
    unsigned labelList_ = 0;
    float projectedDiameter_ = 0.0f;
    mutable double starSizeMagnitude_ = -1000.0;
    mutable float starSize_ = 0.0f;
    double builtRadius2_ = 0.0;
    double builtRadius1_ = 0.0;
    // Eclipse shadows of the sphere kinds: apex, half angle (degrees) and
    // length of the umbra and penumbra cones. A negative umbra length marks a
    // body that casts no shadow.
    Vector3 umbraApex_;
    double umbraAngle_ = 0.0;
    double umbraLength_ = -1.0;
    Vector3 penumbraApex_;
    double penumbraAngle_ = 0.0;
    double penumbraLength_ = -1.0;
};
