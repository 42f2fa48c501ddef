// The on-screen text overlay, as the command class "Console": the selected
// body and place with the place's latitude and longitude, the simulation time
// and, on request, the measured frame rate, drawn in pixels over the finished
// scene. The same place and time texts answer the queries "PlaceName" and
// "TimeText"; "SimModeName" answers the current sim mode's name.
#pragma once

#include <memory>
#include <string>

#include "engine/Base.h"
#include "engine/ColorTransition.h"
#include "view/LabelFontOwner.h"

class Detail;
class FrameTimer;
class LabelFont;
class Main;
class Ssystem;
class Timer;

class Console : public Base, public LabelFontOwner {
public:
    enum Mode { Default = 0, NamesOnly = 1, TimeOnly = 2 };
    enum Line { PlaceLine, TimeLine, FpsLine };

    // Registers "Console" and its 12 command words; hidden, white, default font.
    explicit Console(Main* owner);
    ~Console() override;

    const char* getName() const override { return "Console"; }
    int execute() override;
    std::string getValue() override;
    // "Console.Show <0|1>".
    std::string saveStates() override;
    // Mode, TextColor, TextFont and FPS lines.
    std::string saveOptions() override;

    // The classes whose texts the overlay shows; each may be null, and its
    // text is then empty (the root connects them).
    void setSsystem(const Ssystem* ssystem) { ssystem_ = ssystem; }
    void setTimer(const Timer* timer) { timer_ = timer; }
    void setDetail(const Detail* detail) { detail_ = detail; }
    void setFrameTimer(const FrameTimer* frameTimer) { frameTimer_ = frameTimer; }

    // The overlay pass over the finished frame; the argument has no effect.
    // Needs GL; with the overlay hidden it touches no GL state.
    void draw(int pass);
    void setMouseMode(int mode) { mouseMode_ = mode; }
    int getMouseMode() const { return mouseMode_; }

    // The font of every overlay line; "Detail.ConsoleFont" sets it too.
    LabelFont& getFont() { return *font_; }
    void setLabelFont(const std::string& family, float size, int style) override;
    std::string getLabelFontSpec() const override;

    int getShow() const { return show_; }
    int getMode() const { return mode_; }
    int getFps() const { return fps_; }
    double getPosX() const { return posX_; }
    double getPosY() const { return posY_; }

    // "Body:Place", the body alone without a selected place, "" without a body.
    std::string getPlaceText() const;
    // The place text and, with a place, " N:dd.mm E:ddd.mm".
    std::string getPlaceLine() const;
    std::string getTimeText() const;
    // "FPS:%.2f" of the measured frame rate.
    std::string getFpsText() const;

    // Decimal degrees to degrees.minutes: 35.6895 gives 35.40 (35° 40').
    // A fraction that rounds to 60 minutes is the next whole degree.
    static float degToDegMin(float degrees);
    // " N:35.40 E:139.41" for a latitude and longitude in decimal degrees.
    static std::string formatCoordinates(double latitude, double longitude);
    // Where a line of pixel height h stands in a view of w by h pixels
    // (y counted downwards from the top): the time line half a line above the
    // bottom, the place line a line above it, both moved by the position
    // fractions; the frame-rate line stays in the top-left corner.
    static void linePosition(Line line, int lineHeight, int width, int height, double posX,
                             double posY, int& x, int& y);

private:
    Main* owner_;
    const Ssystem* ssystem_ = nullptr;
    const Timer* timer_ = nullptr;
    const Detail* detail_ = nullptr;
    const FrameTimer* frameTimer_ = nullptr;
    int show_ = 0;
    int fps_ = 0;
    int mouseMode_ = 0;
    int mode_ = Default;
    double posX_ = 0.0;
    double posY_ = 0.0;
    std::unique_ptr<LabelFont> font_;
    ColorTransition textColor_;
};
