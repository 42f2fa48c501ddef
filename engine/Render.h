// The command class "Render": the whole-screen fade and the motion blur. The
// root calls drawBlur before the scene and drawFade after everything else.
#pragma once

#include <memory>
#include <string>

#include "engine/Base.h"
#include "engine/ScreenFader.h"

class Main;

class Render : public Base {
public:
    explicit Render(Main* owner);
    ~Render() override;

    const char* getName() const override;
    int execute() override;
    std::string getValue() override;
    // Render.FaderColor, Render.Blur and Render.BlurCount; no option lines.
    std::string saveStates() override;

    // (Re)builds the stipple lists when they were built before or force is
    // non-zero.
    void init(int force);
    void drawBlur();
    void drawFade();
    // The blur strength in effect: the count, or 0 while the blur is switched
    // off. The view keeps the old picture only while this is above 0, so a
    // switched-off blur never leaves trails.
    int getBlurCount() const;
    void setAlphaBlend(int on);

    ScreenFader& getFader() { return *fader; }

private:
    Main* owner;
    std::unique_ptr<ScreenFader> fader;
    int built = 0;
};
