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
//
// Its command words (SsystemCommands.cpp) call the actions of
// SsystemActions.cpp; their value texts are in SsystemValues.cpp and the
// state and option lines in SsystemSaved.cpp.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/Base.h"
#include "engine/ColorTransition.h"
#include "engine/Quaternion.h"
#include "engine/Random15.h"
#include "engine/ScalarTransition.h"
#include "engine/Vector3.h"
#include "graphics/LabelBatch.h"
#include "model/DotBatch.h"
#include "model/ListFile.h"
#include "model/ListSettings.h"
#include "model/UnitSpheres.h"

class DsAstrBody;
class Main;
class ModelServices;
class LabelFont;
class Texture;
class OrbitNameIndex;
class TwoLineElementSets;
struct OrbitRecords;

struct SimModeRates {
    double radiusRateOff = 1.0;
    double radiusRateOn = 1.0;
    double orbitRateOff = 1.0;
    double orbitRateOn = 1.0;
};

// How one kind of overlay line is drawn (orbits, highlighted orbits, comet,
// asteroid and spacecraft orbits, rotation axes, angular marks): a GL line
// width in pixels and an RGB colour.
struct LineSetting {
    double width = 1.0;
    double color[3] = {0.0, 0.0, 0.0};
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
    // Takes many bodies out of the list at once; they are marked unlisted.
    void unregisterBodies(const std::unordered_set<const DsAstrBody*>& leaving);
    // A listed body's name has changed from oldName.
    void renamedBody(DsAstrBody* body, const std::string& oldName);
    // While a list loads, the element sets of a file, read at its first use;
    // null otherwise, or when the file cannot be opened.
    const TwoLineElementSets* knownElementSets(const std::string& path);
    const std::vector<DsAstrBody*>& getAllBodies() const { return allBodies_; }
    const std::vector<std::unique_ptr<DsAstrBody>>& getTopBodies() const { return topBodies_; }
    // The bodies of the data file that name an orbit file ("Orbit:"), each
    // as (body name, file as written).
    const std::vector<std::pair<std::string, std::string>>& getDataOrbitFiles() const {
        return dataOrbitFiles_;
    }
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
    // The Sun's radius as it is, whatever the scale it is drawn at.
    double getSunTrueRadius() const;
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

    // The command class.
    int execute() override;
    std::string getValue() override;
    // Sim mode, shown bodies, selection, place, switches, scale and clouds.
    std::string saveStates() override;
    // Line settings, name colour and font, sun and ambient colour.
    std::string saveOptions() override;

    // Actions of the command words (SsystemActions.cpp). Camera moves they
    // cause hold the interpreter's recording off, so that a recorded scenario
    // gets the user's command and not the camera change that follows it.
    void simModeName(const std::string& name);
    // The first shown body of that name.
    void astrName(const std::string& name, int tellCamera, int steps);
    // The next (previous) shown body, wrapping around; the camera follows.
    void selectNext(int steps);
    void selectPrev(int steps);

    // Display switches: on sets 1, off 0, the toggle calls on while it is 0.
    int getNameSwitch() const { return name_; }
    int getAxis() const { return axis_; }
    int getOrbit() const { return orbit_; }
    int getAngular() const { return angular_; }
    int getFullShadow() const { return fullShadow_; }
    int getHalfShadow() const { return halfShadow_; }
    int getDust() const { return dust_; }
    int getAstrBelt() const { return astrBelt_; }
    int getHideIfLanding() const { return hideIfLanding_; }
    void nameOn();
    void nameOff();
    void nameTog();
    void axisOn();
    void axisOff();
    void axisTog();
    void orbitOn();
    void orbitOff();
    void orbitTog();
    // Also every body's angular mark.
    void angularOn();
    void angularOff();
    void angularTog();
    // The real scale (the bodies' second radius and orbit rates) at once.
    void scaleOn();
    void scaleOff();
    void scaleTog();
    // Animates the change to the real (or model) scale over frames and keeps
    // the camera where it is by rescaling its distance, which counts in radii
    // of the selected body. Nothing when the scale is already so.
    void scaleTo(int real, int frames);
    // On: every moon's shadow mark (the switch stays 0 without moons).
    void fullShadowOn();
    void fullShadowOff();
    void fullShadowTog();
    void halfShadowOn();
    void halfShadowOff();
    void halfShadowTog();
    void dustOn();
    void dustOff();
    void dustTog();
    void astrBeltOn();
    void astrBeltOff();
    void astrBeltTog();
    // The clouds switch keeps any integer; the toggle flips it to 1 from 0
    // and to 0 from anything else.
    void setClouds(int value);
    void cloudsTog();
    void hideIfLanding(int value) { hideIfLanding_ = value; }

    // Per-body marks of the bodies a text names, blank-separated ("All" for
    // every body). Showing a mark on any body switches its overlay on.
    void showAngulars(const std::string& names);
    void hideAngulars(const std::string& names);
    void showFullShadows(const std::string& names);
    void hideFullShadows(const std::string& names);
    void showHalfShadows(const std::string& names);
    void hideHalfShadows(const std::string& names);

    // The selected body's places. Every one of these has the camera reload
    // the selected place's weather, also without a selected body.
    void selectPlace(int index);
    void selectPlace(const std::string& name);
    void selectNextPlace();
    void placePrev();
    // A manual change of the observer's latitude or longitude (degrees)
    // moves the body's home place there and clears its weather. Latitudes
    // stay within -90..90; the "To" forms animate over frames.
    void placeLat(double degrees);
    void placeLon(double degrees);
    void placeLatTo(double degrees, int frames);
    void placeLonTo(double degrees, int frames);
    void refPlaceLatTo(double delta, int frames);
    void refPlaceLonTo(double delta, int frames);

    // Line settings; the orbit kinds' display lists are rebuilt by the
    // commands that change them.
    void orbitDisp(const LineSetting& line) { orbitLine_ = line; }
    void orbithDisp(const LineSetting& line) { hlightOrbitLine_ = line; }
    void asteroidOrbitDisp(const LineSetting& line) { asteroidOrbitLine_ = line; }
    void axisDisp(const LineSetting& line) { axisLine_ = line; }
    void angularDisp(const LineSetting& line) { angularLine_ = line; }
    const LineSetting& getOrbitDisp() const { return orbitLine_; }
    const LineSetting& getOrbithDisp() const { return hlightOrbitLine_; }
    const LineSetting& getCometOrbitDisp() const { return cometOrbitLine_; }
    const LineSetting& getAsteroidOrbitDisp() const { return asteroidOrbitLine_; }
    const LineSetting& getSpacecraftOrbitDisp() const { return spacecraftOrbitLine_; }
    const LineSetting& getAxisDisp() const { return axisLine_; }
    const LineSetting& getAngularDisp() const { return angularLine_; }

    // Name labels, sun, ambient light and clouds.
    LabelFont& getNameFont() { return *nameFont_; }
    // RGBA, at once.
    void nameColor(const double* rgba) { nameColor_.set(rgba); }
    // The colour now (animated while a change runs).
    const double* getNameColor() const { return nameColor_.getValue(); }
    const float* getSunColor() const { return sunColor_; }
    void cloudsOpacity(double value) { cloudsOpacity_.set(value); }
    // Over frames nominal frames (0 or fewer count as 1).
    void setCloudsOpacityTo(double value, int frames);
    double getCloudsOpacity() const { return cloudsOpacity_.getValue(); }

    // Rebuilds the bodies' display lists, and the shared ones when a full
    // rebuild is due. Before the first forced call it builds nothing.
    void makeDisplayLists(int force);
    void makeOrbitList();
    void makeHlightOrbitList();
    void makeAsteroidOrbitList();

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
    // A name, or "All"; only bodies of the kind go. A name also goes from
    // what its list kept without an orbit file; "All" leaves those kept.
    void removeComet(const std::string& name);
    void removeAsteroid(const std::string& name);
    void removeSpacecraft(const std::string& name);
    void removeASatellite(const std::string& name);
    // Starts reading the four orbit directories of the list settings on a
    // thread of their own; the list loads take the records over (or read
    // themselves what was not read ahead).
    void scanOrbitDirsAhead();
    // Rescan the kind's directory, then replace its bodies by those the list
    // names; false (bodies kept) when the list cannot be opened. Names that
    // no orbit file declares (missing for now, or unreadable) stay in the
    // list for the saves, and are logged. A list is saved only once loaded,
    // and never over a file that its load did not read whole.
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
    // The words that load and save the list of a kind ("Comet", "Place").
    ListCommands listCommands(const std::string& kind) const {
        return {std::string(getName()) + ".Load" + kind + "List",
                std::string(getName()) + ".Save" + kind + "List"};
    }
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

    // Drawing (SsystemDraw.cpp, SsystemDisplayLists.cpp; GL current). draw
    // takes the inverse of the camera's view rotation, which turns the name
    // labels to the screen.
    void draw(const Quaternion& rotation);
    // A rotation axis through the body, twice its radius each way.
    void drawAxis(double radius);
    void drawAngulars();
    // The angles of the unit orbit circle's points (radians, from -pi/2 back
    // to it) for an orbit detail of so many points: the two segments next to
    // the start, where the body stands, eight times finer.
    static std::vector<double> orbitCircleAngles(int points);
    // The circle's vertices, (cos a, 0, sin a), inside glBegin and glEnd.
    void emitOrbitCircle();
    // A line strip of the vertices in a line setting; at the Mid and High
    // orbit detail over a glow of half the colour, two pixels wider, which
    // may leave the depth buffer as it is.
    void drawGlowingLine(const LineSetting& line, bool glowWritesNoDepth,
                         const std::function<void()>& vertices) const;
    void makeShadowSphereList();
    void makeBeltList();
    // The detail settings changed: everything is rebuilt.
    void rebuildAllDisplayLists();
    // A body made after the lists were built compiles its own at once (or at
    // the next draw when no GL context is current).
    void makeBodyDisplayLists(DsAstrBody& body);
    // The dots of the bodies seen from afar: open during the scene pass.
    DotBatch& getDotBatch() { return dots_; }
    // At the first frame after the lists were built, with the frame's camera
    // matrices current: starts decoding, side by side, the maps of the bodies
    // that the frame shows as globes, before the star sphere is drawn.
    void prefetchMaps();
    // Whether the body in the slot is left out of the walk of the pass: in
    // the scene pass, a small body that the records already drew as a dot
    // (or hid); in the second pass, any small body of nothing but a dot.
    bool isDrawnFromRecord(int slot, int pass) const;
    // The projected diameter the records measured for the body at the last
    // scene pass, when they drew it.
    void recordedDiameter(const DsAstrBody* body, float& diameter) const;
    // Something that the frame's records hold may have changed since the
    // update (a command, a state, a body added, moved or removed).
    void noteBodyChange() { ++bodyChanges_; }
    // The Earths and Moons, whose shadows fall on one another.
    const std::vector<DsAstrBody*>& getShadowCasters();
    // The name labels of a frame, drawn together.
    LabelBatch& getLabelBatch() { return labels_; }
    int isFullRebuildPending() const { return fullRebuild_; }
    int areListsBuilt() const { return listsBuilt_; }
    unsigned getOrbitList() const { return orbitList_; }
    unsigned getHlightOrbitList() const { return hlightOrbitList_; }
    unsigned getAsteroidOrbitList() const { return asteroidOrbitList_; }
    unsigned getShadowSphereList() const { return shadowSphereList_; }
    // The sphere of radius 1 (normals and texture coordinates) at the body
    // detail, which the round bodies draw scaled; compiled when first asked
    // for at a detail.
    unsigned getUnitSphereList();
    // The unit sphere for a globe of that projected diameter in pixels: a
    // coarser one for a globe a few pixels across (UnitSpheres::slicesFor).
    unsigned getUnitSphereList(float projectedDiameter);
    unsigned getBeltList() const { return beltList_; }
    // The view's answers for the drawing (the neutral ones without a view).
    const ModelServices& view() const;

private:
    struct ObjectKind;
    static const ObjectKind& objectKind(int type);
    DsAstrBody* kindParent(const ObjectKind& kind) const;
    const OrbitRecords& records(const ObjectKind& kind) const;
    void addBody(const ObjectKind& kind, const std::string& name);
    void removeBodies(const ObjectKind& kind, const std::string& name);
    // reportKept: log the names kept without an orbit file.
    bool loadBodyList(const ObjectKind& kind, const std::string& path, bool reportKept);
    // Logs the files of the kind's orbit directory that were not read whole,
    // each once while it stays so (start-up loads every directory twice);
    // list: the list file being loaded, empty when it could not be opened.
    void tellUnreadable(const ObjectKind& kind, const std::string& list);
    // After a save of one kind wrote file: the other kinds whose list is the
    // same file take their other entries again from it.
    void takeOthersEntries(const ObjectKind& saved, const std::string& file,
                           const std::optional<platform::FileIdentity>& before);
    // Drops a name the user removed from what the loads of its file kept.
    void forgetKept(const ObjectKind& kind, const std::string& name);
    bool saveBodyList(const ObjectKind& kind, const std::string& path);
    // The places of a body from an orbit file live in the body while it is
    // there and in the place list's kept lines while it is not: a body that
    // goes leaves its places there, one that comes takes its lines.
    void keepPlaces(const DsAstrBody& body);
    void takeKeptPlaces(DsAstrBody& body);
    void setStatesByNames(const std::string& names, int state);

    void readBelt(class DataFile& file);
    // Keeps the orbit files of a body read from the data file and of its subtree.
    void noteOrbitFiles(const DsAstrBody& body);
    void clearBodies();
    // The command words of the constructor's registration.
    void registerCommands();
    // Runs a camera call, when there is a camera, with the interpreter's
    // recording held off.
    void withCamera(const std::function<void(ModelServices&)>& call);
    // The bodies a names text names; "All" is every body and ends the text.
    int markBodies(const std::string& names, const std::function<void(DsAstrBody&)>& mark);
    // Moves the observer's latitude (or longitude) to the target in degrees,
    // over frames nominal frames or at once for 0.
    void moveObserver(DsAstrBody& body, int latitude, double target, int frames);
    // A place action: on the selected body when there is one, then the
    // camera reloads the selected place's weather.
    template <class Action> void onPlaces(Action action);

    Main* owner_;
    ModelServices* services_;
    std::vector<SimModeRates> simModeRates_;
    std::vector<std::unique_ptr<DsAstrBody>> topBodies_;
    std::vector<std::pair<std::string, std::string>> dataOrbitFiles_;
    std::vector<std::string> simModeNames_;
    std::vector<DsAstrBody*> allBodies_;
    // The first body of each name in allBodies_, and how many bear it.
    struct BodyName {
        DsAstrBody* first = nullptr;
        int count = 0;
    };
    std::unordered_map<std::string, BodyName> bodiesByName_;
    DsAstrBody* firstNamed(const std::string& name) const;
    void forgetName(const DsAstrBody* body, const std::string& name);
    int simModeIndex_ = 0;
    int selectedIndex_ = 0;
    int listsBuilt_ = 0;
    bool mapsPrefetchDue_ = false;
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
    std::unique_ptr<LabelFont> nameFont_;
    LineSetting orbitLine_{1.0, {0.0, 0.75, 0.0}};
    LineSetting hlightOrbitLine_{1.0, {0.75, 0.75, 0.0}};
    LineSetting cometOrbitLine_{1.0, {0.75, 0.75, 0.0}};
    LineSetting asteroidOrbitLine_{1.0, {0.75, 0.5, 0.0}};
    LineSetting spacecraftOrbitLine_{1.0, {0.0, 0.5, 0.75}};
    LineSetting axisLine_{2.0, {0.75, 0.75, 0.75}};
    LineSetting angularLine_{1.0, {0.0, 0.0, 1.0}};
    ColorTransition nameColor_;
    float sunColor_[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float ambientColor_[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    ScalarTransition cloudsOpacity_;
    ScalarTransition scaleTransition_;
    int fullRebuild_ = 1;
    std::string beltTextureName_ = "./textures/astrbelt.png";
    std::shared_ptr<const OrbitRecords> cometFiles_;
    std::shared_ptr<const OrbitRecords> asteroidFiles_;
    std::shared_ptr<const OrbitRecords> spacecraftFiles_;
    std::shared_ptr<const OrbitRecords> aSatelliteFiles_;
    std::unique_ptr<OrbitNameIndex> orbitIndex_;
    // What the list loads learned, for the saves.
    ListLoad cometLoad_;
    ListLoad asteroidLoad_;
    ListLoad spacecraftLoad_;
    ListLoad aSatelliteLoad_;
    ListLoad placeLoad_;
    platform::PartlyReadFiles partlyRead_;
    // The orbit files logged as not read whole, with the reason, by kind.
    std::unordered_map<int, std::set<std::pair<std::string, std::string>>> toldUnreadable_;
    // The element files read during a list load, present while it lasts.
    using ElementFiles = std::unordered_map<std::string, std::unique_ptr<TwoLineElementSets>>;
    std::unique_ptr<ElementFiles> elementFiles_;

    // The shared display lists (0 until built) and what they were built with.
    void compileOrbitList(unsigned& list, const LineSetting& line, bool glowWritesNoDepth);
    void releaseDisplayLists();
    unsigned orbitList_ = 0;
    unsigned hlightOrbitList_ = 0;
    unsigned asteroidOrbitList_ = 0;
    unsigned shadowSphereList_ = 0;
    unsigned beltList_ = 0;
    UnitSpheres unitSpheres_;
    std::unique_ptr<Texture> shadowTexture_;
    std::unique_ptr<Texture> beltTexture_;
    int beltBuiltLevel_ = -1;
    std::string beltBuiltPath_;
    Random15 beltRandom_;
    // A rebuild asked for while no GL context was current (a command from
    // the windows) runs at the next draw; force as it was asked.
    int listsPending_ = 0;
    int pendingForce_ = 0;
    DotBatch dots_;
    LabelBatch labels_;

    // What the scene pass needs of every body, by its index in allBodies_:
    // recorded by the update while it has the body at hand, so that the
    // scene pass reads one compact array for the thousands of dots.
    struct FrameBody {
        Vector3 trans;
        double radius = 0.0; // current display radius
        float dotSize = 0.0f;
        float rgb[3] = {};
        int state = 0;
        bool plain = false; // the body's isPlainSmallBody
    };
    void recordFrameBody(std::size_t slot, DsAstrBody& body);
    // Records every body again when something changed since the update.
    void refreshFrameBodies();
    std::vector<FrameBody> frameBodies_;
    // Gives every body the slots of its children, when bodies came or went.
    void recordChildSlots();
    // Before the walk of the scene pass: the plain small bodies seen as dots
    // (tens of thousands of asteroids) go into their own batch from the
    // records alone, which is drawn after the walk's dots.
    void gatherRecordDots();
    bool recordsCurrent() const;
    DotBatch recordDots_;
    std::vector<char> fromRecord_;
    std::vector<float> recordDiameters_;
    bool recordPass_ = false;
    unsigned long slotsAt_ = ~0ul;
    unsigned long bodyChanges_ = 0;
    unsigned long recordedAt_ = ~0ul;
    std::vector<DsAstrBody*> shadowCasters_;
    bool castersListed_ = false; // cleared when a body comes or goes
};
