// The two whole-screen effects of the Render commands: a fade to a colour (a
// possibly translucent rectangle over the finished picture) and a motion blur
// (the old picture stays in the colour buffer and is darkened a little each
// frame, leaving trails).
#pragma once

#include <array>

#include "engine/ColorTransition.h"

class ScreenFader {
public:
    using Color = std::array<double, 4>;

    ScreenFader();
    // Deletes the stipple lists; the GL context they were made in should be
    // current.
    virtual ~ScreenFader();
    ScreenFader(const ScreenFader&) = delete;
    ScreenFader& operator=(const ScreenFader&) = delete;

    // The fade colour at once, or animated over a number of nominal frames
    // (0 or less count as 1).
    void setColor(double r, double g, double b, double a);
    void fadeTo(double r, double g, double b, double a, int frames);
    // The fade colour now (the running animation's present value).
    Color getColor() const;

    // With blending the rectangle is translucent; without, translucency is
    // approximated by stipple patterns of 25 %, 50 %, 75 % and 100 % coverage.
    void setAlphaBlend(int on) { alphaBlend = on; }
    int getAlphaBlend() const { return alphaBlend; }

    void setBlurOn(bool on) { blurOn = on; }
    bool getBlurOn() const { return blurOn; }
    // Negative counts become 0.
    void setBlurCount(int count) { blurCount = count > 0 ? count : 0; }
    int getBlurCount() const { return blurCount; }
    // With a count of n every old pixel keeps (1 - 1/n) of its brightness per
    // frame; the view keeps its colour buffer only while this holds.
    bool isBlurActive() const { return blurOn && blurCount > 0; }

    // Which stipple draws a rectangle of this alpha without blending: -1
    // nothing, 0 to 3 the list of 25 % to 100 %, Solid no stipple at all.
    static constexpr int Solid = 4;
    static int stippleFor(double alpha);
    // Row i of stipple list n (rows alternate between two values).
    static unsigned stippleRow(int list, int row);

    // (Re)compiles the four stipple lists.
    void buildStipples();
    // A rectangle over the whole viewport in the current colour. Leaves the
    // projection and modelview matrices as identity and ortho.
    void drawQuad(double alpha);
    // Before the scene: darkens the old picture while the blur is active.
    void drawBlur();
    // After everything else: the fade rectangle, unless its alpha is 0.
    void drawFade();

private:
    int alphaBlend = 1;
    ColorTransition fadeColor;
    bool blurOn = true;
    int blurCount = 0;
    // First of four consecutive display lists, 0 until built.
    unsigned int stippleBase = 0;
};
