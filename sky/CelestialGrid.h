// The equatorial coordinate grid of the star sphere: a wire sphere of radius 1
// with meridians every 15 degrees and parallels every 10, hour labels along
// the equator and declination labels along four meridians. Space owns it and
// draws it after the Milky Way and before the stars.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Vector3.h"

class LabelFont;

struct GridLabel {
    Vector3 position; // on the star sphere
    std::string text;
    int anchor; // LabelFont anchor code
};

class CelestialGrid {
public:
    CelestialGrid();
    virtual ~CelestialGrid();
    CelestialGrid(const CelestialGrid&) = delete;
    CelestialGrid& operator=(const CelestialGrid&) = delete;

    void show() { shown = 1; }
    void hide() { shown = 0; }
    void toggle() { shown = !shown; }
    int isShown() const { return shown; }

    // Line width (0 or less becomes 1) and line colour.
    void setDisp(double width, const double color[3]);
    // "%g %g %g %g" of the line width and colour.
    std::string getDispText() const;
    double getLineWidth() const { return lineWidth; }
    const double* getLineColor() const { return lineColor; }
    // The label colour.
    void setColor(const double color[3]);
    const double* getColor() const { return labelColor; }

    // A new label font unless family ("_" for a blank), size and style are
    // the current ones; built lists are rebuilt with it at once.
    void setFont(const std::string& family, float size, int style);
    // "%s %g %i" of the label font.
    std::string getFontSpec() const;

    // Compiles the lines and labels lists.
    void buildLists();
    void draw();
    int isBuilt() const { return built; }
    int getBuildCount() const { return buildCount; }
    unsigned getListBase() const { return listBase; }

    // Where each label goes: 0h to 23h along the equator (anchor 1), then the
    // declinations from -90 to 90 along the meridians 0h, 6h, 12h and 18h
    // (anchor 7), the poles labelled once, on the 0h meridian.
    static std::vector<GridLabel> labels();

private:
    void deleteLists();

    unsigned listBase = 0; // base: lines, base + 1: labels
    int built = 0;
    int shown = 1;
    double labelColor[3] = {0.15, 0.15, 0.15};
    double lineWidth = 1.0;
    double lineColor[3] = {0.15, 0.15, 0.15};
    std::unique_ptr<LabelFont> font;
    int buildCount = 0;
};
