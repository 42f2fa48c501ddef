// The application root: the Main that makes the engine this planetarium. It
// holds the command objects the main configuration file brings into being,
// the data paths of the object lists, the GL state every drawing class relies
// on, the frame step (device buttons, scenario, clock, bodies) and the draw
// order of one frame. Its own commands are Main's, under the class word
// "Orvex" ("Orvex.SaveOptions Default").
//
// The GL view creates one root when it first initialises OpenGL and deletes
// it with itself (with its context current, so that display lists and
// textures go with it).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/FrameTimer.h"
#include "engine/Main.h"
#include "model/ListSettings.h"

class Camera;
class Console;
class Constes;
class Detail;
class Fstars;
class Galaxies;
class Lscape;
class InputDevice;
class LabelFont;
class LabelFontLink;
class Markers;
class OrvexModelServices;
class OrvexServices;
class Render;
class Space;
class Ssystem;
class Timer;

class Orvex : public Main {
public:
    // Creates the input device (it reads "uidinit.cfg" from the working
    // directory and maps the device program's shared block).
    Orvex();
    ~Orvex() override;

    const char* getVersion() const override { return "7.0"; }

    // With the GL context current: the label font, the extension loader, the
    // GL state, texture sharing, then Main's start-up (option and initial
    // state files, the configuration, the command-help file).
    void init() override;
    // The main configuration reader: constructs the command objects, hands
    // each keyword's file to its loader, and loads the object lists at the end.
    int readConfigEntry(DataFile& file) override;
    // Takes "InitStates:", "Options:" and "ScenarioDir:" from the
    // configuration file before the start files are read.
    void readStartFileNames() override;
    // Builds every object's display lists (force 1 at start-up).
    void initCommandObjects(int force) override;

    // One frame of elapsedMs real milliseconds: device buttons through the
    // key map, Main's step, the frame-rate meter, the clock and the bodies.
    // Non-zero in the frame in which the running scenario finished.
    int frame(unsigned elapsedMs) override;
    // Draws the frame for one eye (0 in mono, the signed eye offset in stereo).
    void draw(double eyeOffset);

    // The size of the view and the GL viewport.
    void setSize(int width, int height) override;
    // Mouse input goes to the camera while input is enabled. Button codes:
    // 4 left, 1 right, 2 middle.
    void mouseButton(int code, int pressed, int x, int y) override;
    void mouseMove(int x, int y) override;
    void setMousePosition(int x, int y) override;
    // 0 normal, 1 mouse-look (the view sends offsets from its centre).
    void setMouseMode(int mode);
    int getMouseMode() const { return mouseMode; }

    const std::string& getCodecName() const { return codecName; }
    const std::string& getLocale() const { return lists.locale; }
    // The object lists' files and orbit directories, the version, the locale
    // and the data directory they are relative to.
    ListSettings getListSettings() const;

    // The command objects; null until the configuration has been read.
    Timer* getTimer() const { return timer.get(); }
    Console* getConsole() const { return console.get(); }
    Ssystem* getSsystem() const { return ssystem.get(); }
    Camera* getCamera() const { return camera.get(); }
    Space* getSpace() const { return space.get(); }
    Constes* getConstes() const { return constes.get(); }
    Galaxies* getGalaxies() const { return galaxies.get(); }
    Fstars* getFstars() const { return fstars.get(); }
    Lscape* getLscape() const { return lscape.get(); }
    Markers* getMarkers() const { return markers.get(); }
    Render* getRender() const { return render.get(); }
    Detail* getDetail() const { return detail.get(); }

    // Frames per second as the console shows them.
    const FrameTimer& getFrameRateMeter() const { return frameRateMeter; }
    InputDevice& getInputDevice() { return *inputDevice; }
    // Replaces the root's input device (tests map a private block).
    void setInputDevice(std::unique_ptr<InputDevice> device);

    // The GL state set once at start-up that every drawing class relies on
    // (back-face culling, blending, lighting, ...); tests that draw use it too.
    static void initGLState();

private:
    // The clock's step for a frame of elapsedMs milliseconds.
    void advanceClock(unsigned elapsedMs);
    // Runs the key-map lines of the device buttons pressed since the last frame.
    void runDeviceButtons();
    // Constructs the command objects in their registry order, and connects them.
    void createCommandObjects();
    // Hands every label font to its Detail font row.
    void connectFontRows();
    // Loads the object lists the configuration named.
    void loadLists();
    // Clears what killed saves left in the folders the program writes in.
    void removeStaleTemporaries() const;
    struct ConfigKeyword;
    // The configuration keywords, each with what it does with its word.
    std::vector<ConfigKeyword> configKeywords();
    // The keywords that name the start files and the scenario directory.
    std::vector<ConfigKeyword> startFileKeywords();
    // The keywords of the file with their words, in file order (pointing into
    // keywords); a keyword without a word is left out.
    using ConfigEntries = std::vector<std::pair<const ConfigKeyword*, std::string>>;
    static ConfigEntries readKeywords(DataFile& file, const std::vector<ConfigKeyword>& keywords);
    // The star sphere: the sky's objects turned by the view and the ecliptic.
    void drawStarSphere(double eyeOffset);

    std::unique_ptr<LabelFont> glText;
    // The Detail font rows of the classes that are no font owners themselves.
    std::vector<std::unique_ptr<LabelFontLink>> fontLinks;
    std::unique_ptr<Timer> timer;
    std::unique_ptr<Console> console;
    std::unique_ptr<Ssystem> ssystem;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<Space> space;
    std::unique_ptr<Constes> constes;
    std::unique_ptr<Galaxies> galaxies;
    std::unique_ptr<Fstars> fstars;
    std::unique_ptr<Lscape> lscape;
    std::unique_ptr<Markers> markers;
    std::unique_ptr<Render> render;
    std::unique_ptr<Detail> detail;
    // What the command objects ask of each other through the root.
    std::unique_ptr<OrvexServices> services;
    std::unique_ptr<OrvexModelServices> modelServices;

    // The list paths (and the locale) of the configuration.
    ListSettings lists;
    std::string codecName = "Shift-JIS";
    int mouseMode = 0;
    FrameTimer frameRateMeter;
    std::unique_ptr<InputDevice> inputDevice;
};
