// The viewpoint, as the command class "Camera". Three view modes:
//   Examine (0): the eye orbits the selected body at a distance counted in
//                body radii; the view turns freely or follows a target.
//   Observe (1): the eye stands at the selected place; the view is given by
//                altitude, azimuth and zoom, and the place's weather shows.
//   Fly (2):     the eye moves freely with the devices' velocity.
// A change of mode can be animated (the simulation clock stands still while
// it runs). Each draw starts with updateView, which steers by the input
// devices, advances the weather particles, computes the pose of the mode and
// loads the projection and model-view matrices for the eye.
//
// Angles in commands and value texts are degrees; inside they become radians
// with whole turns removed (toRadians). Sources: Camera.cpp (state, modes and
// the per-frame view), CameraMouse.cpp (mouse navigation), CameraTargets.cpp
// (look and trace targets), CameraCommands.cpp (the 76 command words) and
// CameraValues.cpp (value texts, saved lines and view recording).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "engine/Base.h"
#include "engine/Quaternion.h"
#include "engine/RotationTransition.h"
#include "engine/ScalarTransition.h"
#include "engine/Vector3.h"

class CloudSwitch;
class InputDevice;
class LandscapeState;
class Main;
class MarkerTargets;
class ParticleSystem;
class SkyLookTargets;
class Ssystem;
class Timer;

class Camera : public Base {
public:
    enum Mode { Examine = 0, Observe = 1, Fly = 2 };
    // What the view rotation follows.
    enum TargetKind {
        NoTarget = 0,
        FixedTarget = 1,  // targetRot (a sky direction, a constellation ...)
        MarkerTarget = 2, // a marker placed in 3-D
        PlaceTarget = 3,  // the selected place
        BodyTarget = 4    // a named body
    };
    enum MouseState {
        Idle = 0,
        ExamineRotate = 1,
        ExamineDistance = 2,
        ObserveAltAz = 3,
        ObserveZoom = 4,
        FlyRotate = 5
    };
    // Mouse button codes as the GL view passes them.
    static constexpr int LeftButton = 4;
    static constexpr int MiddleButton = 2;
    static constexpr int RightButton = 1;
    // The sky target sets, in the order look and trace search them.
    enum SkyTargetSet { Constellations, Galaxies, FixedStars, SkyTargetSetCount };

    // Registers "Camera" with 69 of its 76 words and creates the particle
    // system and the input device: the one given (tests pass one on a private
    // block), else its own on the shared block "uidinit.cfg" names.
    explicit Camera(Main* owner);
    Camera(Main* owner, std::unique_ptr<InputDevice> device);
    ~Camera() override;

    const char* getName() const override { return "Camera"; }
    int execute() override;
    std::string getValue() override;
    std::string saveStates() override;
    std::string saveOptions() override;

    // Neighbours the root connects; each may be null (nothing selected, no
    // weather, no sky targets).
    void setSsystem(Ssystem* ssystem) { ssystem_ = ssystem; }
    void setTimer(Timer* timer) { timer_ = timer; }
    void setLandscape(const LandscapeState* landscape) { landscape_ = landscape; }
    void setMarkers(const MarkerTargets* markers) { markers_ = markers; }
    void setSkyTargets(SkyTargetSet set, const SkyLookTargets* targets) {
        skyTargets_[set] = targets;
    }
    void setClouds(CloudSwitch* clouds) { clouds_ = clouds; }

    // Getters other classes read.
    Vector3 getPos() const { return pos_; }
    Quaternion getViewRot() const { return viewRot_; }
    double getFov() const { return fovTr_.getValue(); }
    double getZoom() const { return zoomTr_.getValue(); }
    double getOrientAltitude() const { return altTr_.getValue(); }
    double getOrientAzimuth() const { return azTr_.getValue(); }
    int getMode() const { return mode_; }
    int getPrevMode() const { return prevMode_; }
    int isAnimating() const { return animCounter_.getValue() > 0.0 ? 1 : 0; }
    // The running mode change's frames left, and its length: their ratio
    // tells the body drawing how far a change has come.
    double getAnimCounter() const { return animCounter_.getValue(); }
    int getAnimSteps() const { return animSteps_; }
    int getHeadLight() const { return headLight_; }
    double getDist() const { return distTr_.getValue(); }
    double getPlaceDist() const { return placeDistTr_.getValue(); }
    int getMouseState() const { return mouseState_; }
    int getTargetKind() const { return targetKind_; }
    const std::string& getTargetName() const { return targetName_; }
    // The current sim mode's near and far values: clipping planes and
    // bounds of the distance.
    double getRadiusRate() const;
    double getOrbitRate() const;
    ParticleSystem& getParticles() { return *particles_; }
    const ParticleSystem& getParticles() const { return *particles_; }

    // Mode changes. animate 0 changes at once; steps below 1 take the
    // animation length; placeEntry 1 descends to (or climbs from) the place
    // through the atmosphere.
    void setMode(int newMode, int animate, int steps, int placeEntry);
    // Examine goes to Observe; Observe and Fly go to Examine.
    void modeTog(int animate, int steps, int placeEntry);
    void modePrev(int animate, int steps, int placeEntry);
    void selectMode(int on);
    void headLightOn() { headLight_ = 1; }
    void headLightOff() { headLight_ = 0; }
    void headLightTog() { headLight_ = headLight_ == 0; }
    // At least 1.5 radii.
    void setDist(double d);
    // Below 1 becomes 60.
    void setAnimLength(int frames);
    void underLimit(double limit) { underLimit_ = limit; }
    void zoomMaxLimit(double limit) { zoomMaxLimit_ = limit; }
    void zoomMinLimit(double limit) { zoomMinLimit_ = limit; }
    void placeDist(double h) { placeDistTr_.set(h); }
    void placeDistTo(double h, int steps);
    void setMouseMode(int mode) { mouseMode_ = mode; }
    // In Observe: the selected place's weather into the particles.
    void loadPlaceWeather();
    // Brings the bodies to the clock's time and recomputes the pose.
    void updatePose();
    // Folds the running drag into the committed rotation, distance and
    // Observe angles.
    void commitDrag();

    // The per-frame step: updateView is stepView, then loadViewMatrices.
    void updateView(double eyeOffset);
    void stepView();
    // The projection of the last step: field of view (degrees), near, far.
    double getProjectionFovy() const { return projFovy_; }
    double getNearPlane() const { return projNear_; }
    double getFarPlane() const { return projFar_; }
    // Loads projection and model-view (needs GL).
    void loadViewMatrices(double eyeOffset) const;
    // The weather particles in their own perspective pass (needs GL).
    void drawParticles();
    // The rotation the particle pass turns by: the place's horizon frame
    // with z up, seen along the view.
    Quaternion getParticleFrame() const;

    // Look targets. getLookRot leaves rot unchanged when nothing matches (or
    // the name is the selected body outside Fly); both release the target.
    void getLookRot(const std::string& name, Quaternion& rot);
    void getLookAltAz(const std::string& name, double& altitude, double& azimuth);
    // Follows the named object (body, sky object, marker), or records
    // "Camera.Look None" when there is none.
    void trace(const std::string& name);
    // Rotation towards right ascension a and declination b (degrees).
    Quaternion skyDirToRot(double a, double b) const;
    // The Observe altitude and azimuth (degrees) of a view rotation at the
    // selected place. With no horizontal direction (the zenith) the azimuth
    // is left as it was.
    void rotToAltAz(const Quaternion& q, double& altitude, double& azimuth) const;
    void lookAt(double a, double b, double& altitude, double& azimuth) const;
    // The view rotation that faces the selected place from space, after an
    // optional tilt a about X and turn b about Y (degrees).
    Quaternion placeRebuild(double tiltDegrees = 0.0, double turnDegrees = 0.0) const;

    // Appends the view as command lines to the command log ("RecordView").
    void recordView();

    // Mouse navigation (button codes above).
    void mouseButton(int code, int pressed, int x, int y);
    void mouseMove(int x, int y);
    void setMousePosition(int x, int y);

    // Degrees to radians with whole turns removed.
    static double toRadians(double degrees);

private:
    struct Pose {
        Vector3 pos;
        Quaternion rot;
    };

    // Registers the command words with the owner's interpreter.
    void registerCommands();
    // The pose of a mode; rot holds the rotation kept when none is found.
    void computePose(int mode, Pose& pose);
    Quaternion examineRotation(int mode, const Quaternion& held, bool& offsetApplies);
    void steerByDevices();
    void animateMode(double r);
    void endModeAnimation();
    // With the data directory current.
    void loadEffect(const std::string& file);
    const SkyLookTargets* findSkyTarget(const std::string& name) const;
    // The rotation toward a marker placed in 3-D, from the view's centre or
    // (fromPlace) from the observer; false when there is no such marker or
    // it lies at that very point.
    bool markerLookRot(const std::string& name, bool fromPlace, Quaternion& rot) const;
    void dropTarget();
    void logLookNone();
    // Drag helpers.
    void foldDrag();
    void restartRotateDrag(int x, int y);
    void limitDistance();
    void limitAltitude();
    void limitZoom();
    double distanceRate() const;
    bool scaleOn() const;
    bool hasPlace() const;
    std::string selectedName() const;
    Quaternion observeRot() const;
    Vector3 bodyTrans() const;
    double bodyRadius() const;
    Vector3 observeTrans(int atRate2) const;

    Main* owner_;
    Ssystem* ssystem_ = nullptr;
    Timer* timer_ = nullptr;
    const LandscapeState* landscape_ = nullptr;
    const MarkerTargets* markers_ = nullptr;
    std::array<const SkyLookTargets*, SkyTargetSetCount> skyTargets_{};
    CloudSwitch* clouds_ = nullptr;

    int nearPlaneOverride_ = 0;
    ScalarTransition animCounter_;
    int animSteps_ = 60;
    int mode_ = Examine;
    int prevMode_ = Examine;
    int targetKind_ = NoTarget;
    Vector3 pos_;
    Quaternion viewRot_;
    Vector3 velocity_;
    double speedScale_ = 1.0;
    int mouseState_ = Idle;
    int pressX_ = 0, pressY_ = 0, pressX0_ = 0;
    int invertMouse_ = 0;
    double animSense_ = 360.0;
    int viewLogFormat_ = 0;
    double accelDistRate_[2] = {1.0, 1.0};
    Pose start_;
    Pose end_;
    double dragAngleX_ = 0.0, dragAngleY_ = 0.0, dragAngleZ_ = 0.0;
    double spinRateX_ = 0.0, spinRateY_ = 0.0;
    double prevDragX_ = 0.0, prevDragY_ = 0.0;
    double pendingDist_ = 0.0;
    Quaternion baseRot_;
    double dist_ = 5.0;
    RotationTransition rot_;
    ScalarTransition distTr_;
    int animLength_ = 60;
    int leavingPlace_ = 0;
    int placeEntry_ = 0;
    std::string targetName_;
    Quaternion targetRot_;
    double altOffset_ = 0.0, azOffset_ = 0.0, zoomOffset_ = 0.0;
    double altBase_ = 0.0, azBase_ = 0.0, zoomBase_ = 45.0;
    ScalarTransition placeDistTr_;
    ScalarTransition altTr_, azTr_;
    ScalarTransition fovTr_;
    ScalarTransition zoomTr_;
    double underLimit_ = 0.0;
    double zoomMaxLimit_ = 45.0;
    double zoomMinLimit_ = 5.0;
    RotationTransition offsetRot_;
    int headLight_ = 0;
    int selectMode_ = 0;
    std::string consteName_; // answered by CurConste and ConsteName; nothing sets it
    double mouseX_ = 0.0, mouseY_ = 0.0;
    int prevButtons_ = 0;
    int mouseMode_ = 0;
    std::unique_ptr<ParticleSystem> particles_;
    int psystem_ = 1;
    int animWasRunning_ = 0;
    std::unique_ptr<InputDevice> inputDevice_;
    double projFovy_ = 45.0;
    double projNear_ = 1.0;
    double projFar_ = 1.0;
};
