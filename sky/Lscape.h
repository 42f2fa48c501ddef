// The landscape, as the command class "Lscape": what an observer standing at
// a place on a body sees around and above. While the camera has settled in
// Observe mode it draws, in the place's frame (y up, +z north, -x east), a
// sky gradient, the ground (a panorama picture on a cylinder, the built-in
// relief mesh or a coloured horizon band), the four direction names and the
// shooting stars; in the other modes, and while a mode change runs, a cursor
// marking the selected place on the body.
//
// It also keeps what others read of it: the weather switch and opacity the
// camera gives the place's weather particles, the name of the place every
// body keeps, and the font of the direction names (set by the Detail font
// command too).
//
// Sources: Lscape.cpp (state, lists, direction names), LscapeCommands.cpp
// (the 27 command words, value texts, saved lines), LscapeDraw.cpp (the draw
// pass and the display lists); DirectionNames.cpp reads the names file and
// ShootingStars.cpp runs the meteors.
#pragma once

#include <memory>
#include <string>

#include "engine/Base.h"
#include "engine/ColorTransition.h"
#include "engine/ScalarTransition.h"
#include "sky/DirectionNames.h"
#include "sky/ShootingStars.h"
#include "view/LabelFontOwner.h"
#include "view/LandscapeState.h"

class LabelFont;
class LscapeServices;
class Main;
class Texture;

class Lscape : public Base, public LandscapeState, public LabelFontOwner {
public:
    enum GroundType { Panorama = 0, Mesh = 1, Horizon = 2 };
    enum CursorType { Arrow = 0, Light = 1, Annotate = 2 };

    // Registers "Lscape" and its 27 command words with the owner's
    // interpreter. services may be null (see LscapeServices). Makes no GL call.
    explicit Lscape(Main* owner, LscapeServices* services = nullptr);
    ~Lscape() override;

    const char* getName() const override { return "Lscape"; }
    int execute() override;
    std::string getValue() override;
    // Show, Dir, SstarsRandom, SstarsCenter, SstarsCount, TopColor,
    // BottomColor, Weather, WeatherOpacity.
    std::string saveStates() override;
    // DirColor, GroundColor, HorizonColor, CursorType, CursorSize,
    // GroundType, LscapeHeight, DirFont, KeepDirVisible, DefaultPlaceName.
    std::string saveOptions() override;

    void setServices(LscapeServices* services) { services_ = services; }

    // Configuration entry "Direction:": the names file, relative to the data
    // directory. 1 read, 0 not (names unchanged). The north name "北" in
    // Shift-JIS makes the default place name "表面".
    int loadDirectionNames(const std::string& path);

    // GL set-up (force 1) builds the mesh, cursor, panorama and direction
    // lists; once built, every call rebuilds them. Until then the settings
    // that lists follow are only stored, so commands need no GL.
    void buildLists(int force);
    int isBuilt() const { return built_; }
    // The landscape or the cursor, once per drawn eye, after the bodies
    // (needs GL; builds the lists at the first call if need be).
    void draw();

    // What the camera and the solar-system model read.
    int getWeather() const override { return weather_; }
    double getWeatherOpacity() const override { return weatherOpacity_.getValue(); }
    std::string getDefaultPlaceName() const override { return defaultPlaceName_; }
    const double* getDirColor() const { return dirColor_; }
    // The direction names' font, and its change by the Detail font command:
    // the direction list is rebuilt so the change shows.
    LabelFont& getDirectionFont() { return *font_; }
    void setLabelFont(const std::string& family, float size, int style) override;
    std::string getLabelFontSpec() const override;

    // Settings, as the commands leave them.
    int getShow() const { return show_; }
    int getDir() const { return dir_; }
    int getGroundType() const { return groundType_; }
    int getCursorType() const { return cursorType_; }
    double getCursorSize() const { return cursorSize_; }
    float getLscapeHeight() const { return lscapeHeight_; }
    int getKeepDirVisible() const { return keepDirVisible_; }
    const double* getTopColor() const { return topColor_.getValue(); }
    const double* getBottomColor() const { return bottomColor_.getValue(); }
    const double* getHorizonColor() const { return horizonColor_.getValue(); }
    const double* getGroundColor() const { return groundColor_.getValue(); }
    const DirectionNames& getDirectionNames() const { return names_; }
    ShootingStars& getShootingStars() { return sstars_; }
    const std::string& getLoadedPanorama() const { return loadedPanorama_; }
    const Texture& getPanoramaTexture() const { return *panoramaTexture_; }
    // How often the direction and cursor lists were compiled (tests).
    int getDirectionListBuilds() const { return directionListBuilds_; }
    int getCursorListBuilds() const { return cursorListBuilds_; }

    // The command handlers.
    void topColor(const double* rgba) { topColor_.set(rgba); }
    void bottomColor(const double* rgba) { bottomColor_.set(rgba); }
    void horizonColor(const double* rgba) { horizonColor_.set(rgba); }
    void groundColor(const double* rgba) { groundColor_.set(rgba); }
    // Over n nominal frames; n below 1 counts as 1.
    void topColorTo(const double* rgba, int n);
    void bottomColorTo(const double* rgba, int n);
    void dirColor(double r, double g, double b);
    void weather(int on) { weather_ = on; }
    void weatherTog() { weather_ = weather_ == 0 ? 1 : 0; }
    void weatherOpacity(double opacity) { weatherOpacity_.set(opacity); }
    void weatherOpacityTo(double opacity, int n) { weatherOpacity_.startTo(opacity, n); }
    void defaultPlaceName(const std::string& name) { defaultPlaceName_ = name; }
    // The font of the names and anchor 2 (bottom-centre); nothing when the
    // font already is that one.
    void dirFont(const std::string& family, float size, int style);
    void cursorType(int type);
    // The radiant, and the streaks fall from it (random directions off).
    void sstarsCenter(double raDegrees, double decDegrees);

private:
    void registerCommands();
    std::string dataDir() const;

    // Drawing (LscapeDraw.cpp).
    void drawGround();
    void drawSky();
    void drawHorizon();
    void drawCursor(double radius);
    // Into the place's frame at its point on the surface.
    void moveToSurface() const;
    void drawDirections();
    void drawShootingStars();
    // Reloads the place's panorama when it, the texture directory or the
    // filter changed; true when a loaded panorama can be drawn.
    bool preparePanorama(const std::string& name);
    void buildMeshList();
    void buildCursorLists();
    void buildPanoramaList();
    void buildDirectionList();
    // Detail settings, or their defaults without services.
    int alphaBlend() const;
    int bodySlices() const;
    std::string texturePath(const std::string& name) const;

    Main* owner_;
    LscapeServices* services_;
    int show_ = 1;
    int dir_ = 1;
    std::unique_ptr<LabelFont> font_;
    std::unique_ptr<Texture> cursorTexture_;
    unsigned cursorList_ = 0;
    std::unique_ptr<Texture> panoramaTexture_;
    std::string loadedPanorama_;
    // The texture directory and filter of the last panorama load.
    bool panoramaRecorded_ = false;
    std::string recordedTexDir_;
    int recordedFilter_ = 0;
    unsigned panoramaList_ = 0;
    unsigned meshList_ = 0;
    unsigned directionList_ = 0;
    ColorTransition topColor_;
    ColorTransition bottomColor_;
    ColorTransition horizonColor_;
    ColorTransition groundColor_;
    double dirColor_[3] = {1.0, 1.0, 1.0};
    ScalarTransition weatherOpacity_;
    ShootingStars sstars_;
    float lscapeHeight_ = 0.0f;
    int groundType_ = Panorama;
    int keepDirVisible_ = 0;
    int weather_ = 0;
    DirectionNames names_;
    int cursorType_ = Arrow;
    double cursorSize_ = 1.0;
    std::string cursorPicture_ = "./textures/cursor.bmp";
    std::string defaultPlaceName_ = "Surface";
    int built_ = 0;
    int directionListBuilds_ = 0;
    int cursorListBuilds_ = 0;
};
