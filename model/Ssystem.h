// The solar-system model as a command class ("Ssystem"): the bodies of the
// ssystem data file with their subtrees, the list of all bodies, the sim
// modes, the selected body, the display switches and the asteroid belt.
// The root has it read the data file at start-up and position every body for
// the clock's time each frame (update).
//
// The ssystem data file: "DefineSimMode:" name and four rates (radius rate
// with Scale off and on, orbit rate with Scale off and on), all of them before
// the first "Child:" type-word name line with its definition block; a
// "Child: AstrBelt" block sets the belt.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Base.h"
#include "engine/ColorTransition.h"
#include "engine/Quaternion.h"
#include "engine/ScalarTransition.h"
#include "engine/Vector3.h"
#include "model/ListSettings.h"

class DsAstrBody;
class Main;
class ModelServices;

struct SimModeRates {
    double radiusRateOff = 1.0;
    double radiusRateOn = 1.0;
    double orbitRateOff = 1.0;
    double orbitRateOn = 1.0;
};

class Ssystem : public Base {
public:
    // services answers the camera, detail and landscape questions; null for a
    // model without a view.
    explicit Ssystem(Main* owner, ModelServices* services = nullptr);
    ~Ssystem() override;

    const char* getName() const override { return "Ssystem"; }

    // Reads the ssystem data file; 0 when it cannot be opened.
    int readData(const std::string& path);
    int setShadowTexture(const std::string& fileName);
    // Positions every body whose defined state in the current sim mode is not
    // Hide, for the simulation time (seconds since 1970 UTC).
    void update(double time);

    // The bodies.
    void registerBody(DsAstrBody* body);
    void unregisterBody(DsAstrBody* body);
    const std::vector<DsAstrBody*>& getAllBodies() const { return allBodies_; }
    const std::vector<std::unique_ptr<DsAstrBody>>& getTopBodies() const { return topBodies_; }
    DsAstrBody* findBody(const std::string& name) const;
    // Adds a body made outside the data file (a list file) as a top-level body.
    void addTopBody(std::unique_ptr<DsAstrBody> body);

    // Sim modes.
    int getSimModeCount() const { return int(simModeNames_.size()); }
    int getSimModeIndex() const { return simModeIndex_; }
    const std::vector<std::string>& getSimModeNames() const { return simModeNames_; }
    const std::vector<SimModeRates>& getSimModeRates() const { return simModeRates_; }
    std::string getSimModeName() const;
    // An index outside the modes becomes 0; the first body is selected.
    void simMode(int index);

    // Selection.
    void select(int index, int tellCamera, int steps);
    int getSelectedIndex() const { return selectedIndex_; }
    DsAstrBody* getSelectedBody() const;
    std::string getSelectedName() const;
    std::string getSelectedTexture() const;
    std::string getAtmosphere() const;
    std::string getPlaceName() const;
    std::string getPlaceWeather() const;
    std::string getPlacePanorama() const;
    Vector3 getTrans() const;
    Vector3 getObserveTrans(int atRate2, double distance) const;
    Quaternion getObserveRot() const;
    double getRadius() const;
    int getPlaceIndex() const;
    double getPlaceLat() const;
    double getPlaceLon() const;
    Vector3 getTransByName(const std::string& name) const;
    double getSunRadius() const;
    double getRadiusRate() const;
    double getOrbitRate() const;
    int isBodyShown(const std::string& name) const;
    // The camera's turn towards a body for a view mode.
    Quaternion getLookRot(const std::string& name, int mode) const;

    // Switches and scale.
    int getScale() const { return scale_; }
    void setScale(int on) { scale_ = on; }
    ScalarTransition& getScaleTransition() { return scaleTransition_; }
    double getScaleTransitionValue() const { return scaleTransition_.getValue(); }
    bool isScaleTransitionRunning() const { return scaleTransition_.isRunning(); }
    int getClouds() const { return clouds_; }
    const float* getAmbientColor() const { return ambientColor_; }

    // The belt of the "AstrBelt" block.
    double getBeltInnerRadius() const { return beltInnerRadius_; }
    double getBeltOuterRadius() const { return beltOuterRadius_; }
    std::string getBeltTextureName() const { return beltTextureName_; }
    std::string getShadowTextureName() const { return shadowTextureName_; }

    // What the view answers, or the neutral values without one.
    ModelServices* getServices() const { return services_; }
    void setServices(ModelServices* services) { services_ = services; }
    int getCameraMode() const;
    double getCameraPlaceDist() const;
    Vector3 getCameraPos() const;
    int getOrbitPoints() const;
    std::string getDefaultPlaceName() const;

    // Object lists (SsystemLists.cpp): comets, asteroids and spacecraft under
    // the Sun and artificial satellites under the first Earth-type body, added
    // by name from the records of their orbit directories and listed in list
    // files; the place list. Paths are relative to the data directory.
    ListSettings getListSettings() const;
    // Records of a kind's orbit directory (type code 6, 7, 9 or 10), as the
    // last load of its list found them.
    const std::vector<BodyFileName>& getFileRecords(int type) const;
    // The records of the bodies that the files' "Name:" lines name, and of the
    // satellites whose element-set titles the files hold; sorted by file name.
    static void scanOrbitDir(std::vector<BodyFileName>& records, const std::string& dir);
    static void scanASatelliteDir(std::vector<BodyFileName>& records, const std::string& dir);
    void addComet(const std::string& name);
    void addAsteroid(const std::string& name);
    void addSpacecraft(const std::string& name);
    void addASatellite(const std::string& name);
    // A name, or "All"; only bodies of the kind go.
    void removeComet(const std::string& name);
    void removeAsteroid(const std::string& name);
    void removeSpacecraft(const std::string& name);
    void removeASatellite(const std::string& name);
    // Rescan the kind's directory, then replace its bodies by those the list
    // names; false (bodies kept) when the list cannot be opened.
    bool loadCometList(const std::string& path);
    bool loadAsteroidList(const std::string& path);
    bool loadSpacecraftList(const std::string& path);
    bool loadASatelliteList(const std::string& path);
    bool saveCometList(const std::string& path);
    bool saveAsteroidList(const std::string& path);
    bool saveSpacecraftList(const std::string& path);
    bool saveASatelliteList(const std::string& path);
    // The four body lists from one file (the default list). Returns true.
    bool loadLists(const std::string& path);
    bool loadPlaceList(const std::string& path);
    bool savePlaceList(const std::string& path);
    void ensureDefaultPlaces();
    // Place commands on the selected body's selected place.
    void addPlace();
    void removePlace();
    void setPlaceName(const std::string& name);
    void placePanorama(const std::string& name);
    // Display states of the bodies named in a blank-separated text ("All":
    // every body).
    void showAstrBodies(const std::string& names);
    void hideAstrBodies(const std::string& names);
    void hlightAstrBodies(const std::string& names);

private:
    struct ObjectKind;
    static const ObjectKind& objectKind(int type);
    DsAstrBody* kindParent(const ObjectKind& kind) const;
    std::vector<BodyFileName>& records(const ObjectKind& kind);
    void addBody(const ObjectKind& kind, const std::string& name);
    void removeBodies(const ObjectKind& kind, const std::string& name);
    bool loadBodyList(const ObjectKind& kind, const std::string& path);
    bool saveBodyList(const ObjectKind& kind, const std::string& path);
    void setStatesByNames(const std::string& names, int state);

    void readBelt(class DataFile& file);
    void clearBodies();

    ModelServices* services_;
    std::vector<SimModeRates> simModeRates_;
    std::vector<std::unique_ptr<DsAstrBody>> topBodies_;
    std::vector<std::string> simModeNames_;
    std::vector<DsAstrBody*> allBodies_;
    int simModeIndex_ = 0;
    int selectedIndex_ = 0;
    int listsBuilt_ = 0;
    int name_ = 1;
    int axis_ = 0;
    int orbit_ = 1;
    int angular_ = 0;
    int scale_ = 0;
    int fullShadow_ = 0;
    int halfShadow_ = 0;
    int dust_ = 0;
    int astrBelt_ = 0;
    int hideIfLanding_ = 1;
    int clouds_ = 0;
    std::string shadowTextureName_ = "./textures/shadow.bmp";
    double beltInnerRadius_ = 22.0;
    double beltOuterRadius_ = 32.0;
    ColorTransition nameColor_;
    float sunColor_[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float ambientColor_[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    ScalarTransition cloudsOpacity_;
    ScalarTransition scaleTransition_;
    int fullRebuild_ = 1;
    std::string beltTextureName_ = "./textures/astrbelt.png";
    std::vector<BodyFileName> cometFiles_;
    std::vector<BodyFileName> asteroidFiles_;
    std::vector<BodyFileName> spacecraftFiles_;
    std::vector<BodyFileName> aSatelliteFiles_;
};
