// One named mark of Markers: a text, a line between two points or two named
// objects, or a point; placed in the scene's world coordinates or on the
// screen (x from 0 at the left to 1 at the right, y from 0 at the top to 1 at
// the bottom). Position and colour may move over nominal frames.
#pragma once

#include <memory>
#include <string>

#include "engine/ColorTransition.h"
#include "engine/VectorTransition.h"
#include "graphics/LabelFont.h"

struct MarkerItem {
    // Kinds; 2 and 3 are never set and draw nothing.
    static constexpr int Text = 1;
    static constexpr int Line = 4;
    static constexpr int DynamicLine = 5; // its ends follow two named objects
    static constexpr int Point = 6;

    std::string name; // compared byte for byte
    std::string text;
    int inWorld = 1;
    int kind = Text;
    VectorTransition position;    // the text's anchor, the point, a line's first end
    VectorTransition endPosition; // a line's second end
    ColorTransition color;
    double pointSize = 1.0;
    double lineWidth = 2.0;
    int visible = 0;
    // The text compiled with the font; compiled at the next draw when stale
    // (commands run where there may be no GL context).
    unsigned displayList = 0;
    bool listStale = true;
    std::unique_ptr<LabelFont> font;
    std::string fromName; // a dynamic line's ends
    std::string toName;
};
