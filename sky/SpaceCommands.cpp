// The "Space" commands, their value texts and the saved state and option lines.
#include <cmath>

#include "engine/CommandArgs.h"
#include "engine/Main.h"
#include "engine/Quaternion.h"
#include "sky/CelestialGrid.h"
#include "sky/MilkyWay.h"
#include "sky/Space.h"
#include "sky/StarCatalog.h"

namespace {

// The command words in registration order; MwayRot is kept out of the listing.
struct SpaceCommand {
    const char* word;
    bool hidden;
};
const SpaceCommand commands[] = {
    {"Stars", false},         {"StarsStyle", false},     {"Mway", false},
    {"Frame", false},         {"Magnitude", false},      {"MaxMagnitude", false},
    {"FrameDisp", false},     {"FrameColor", false},     {"FrameFont", false},
    {"MwayDisp", false},      {"MwayRot", true},         {"MwayStyle", false},
    {"MwayTexture", false},   {"StarsStylePrev", false}, {"StarsStyleNext", false},
    {"StarsTog", false},      {"MwayTog", false},        {"MwayStylePrev", false},
    {"MwayStyleNext", false}, {"FrameTog", false},
};

const char* const starsStyleWords[] = {"Points", "Textured", "PointSprites"};

const char* starsStyleWord(int style) {
    return style == Space::Points     ? "Points"
           : style == Space::Textured ? "Textured"
                                      : "PointSprites";
}

const char* mwayStyleWord(int style) {
    return style == MilkyWay::Polygon ? "Polygon" : "Textured";
}

// Degrees to radians with whole turns removed (truncating toward zero).
double commandRadians(double degrees) {
    const double pi = 3.141592653589793;
    return degrees * pi / 180.0 - std::trunc(degrees / 360.0) * 2.0 * pi;
}

std::string colorText(const double* c) {
    return CommandArgs::formatReal(c[0]) + CommandArgs::formatReal(c[1]) +
           CommandArgs::formatReal(c[2]);
}

} // namespace

void Space::registerCommands() {
    if (!owner)
        return;
    for (const SpaceCommand& command : commands)
        owner->interp.addCommand("Space", command.word, command.hidden);
}

int Space::execute() {
    if (!owner)
        return 0;
    const std::string& word = owner->interp.commandWord;
    CommandArgs& args = owner->interp.args;
    if (word == "Stars") {
        int on = 0;
        args.readInt(on);
        stars = on != 0;
    } else if (word == "StarsStyle") {
        const std::string style = args.readWord();
        int found = -1;
        for (int s = 0; s < 3; ++s)
            if (style == starsStyleWords[s])
                found = s;
        // Another word changes nothing; the command still succeeds, so the
        // rest of its line runs.
        if (found >= 0)
            setStarsStyle(found);
    } else if (word == "Mway") {
        int on = 0;
        args.readInt(on);
        on ? milkyWay->show() : milkyWay->hide();
    } else if (word == "Frame") {
        int on = 0;
        args.readInt(on);
        on ? grid->show() : grid->hide();
    } else if (word == "Magnitude") {
        float m = 0.0f;
        args.readFloat(m);
        setMagnitude(m);
    } else if (word == "FrameDisp") {
        double width = 0.0;
        double color[3] = {0.0, 0.0, 0.0};
        args.readDouble(width).readDouble(color[0]).readDouble(color[1]).readDouble(color[2]);
        grid->setDisp(width, color);
    } else if (word == "FrameColor") {
        double color[3] = {0.0, 0.0, 0.0};
        args.readDouble(color[0]).readDouble(color[1]).readDouble(color[2]);
        grid->setColor(color);
    } else if (word == "FrameFont") {
        std::string family;
        float size = 0.0f;
        int style = 0;
        args.readWord(family).readFloat(size).readInt(style);
        grid->setFont(family, size, style);
    } else if (word == "MwayDisp") {
        int count = 0;
        double color[3] = {0.0, 0.0, 0.0};
        args.readInt(count).readDouble(color[0]).readDouble(color[1]).readDouble(color[2]);
        milkyWay->setDisp(count, color);
    } else if (word == "MwayRot") {
        double a[3] = {0.0, 0.0, 0.0};
        args.readDouble(a[0]).readDouble(a[1]).readDouble(a[2]);
        milkyWay->setRotation(
            Quaternion(commandRadians(a[0]), commandRadians(a[1]), commandRadians(a[2])));
    } else if (word == "MwayStyle") {
        const std::string style = args.readWord();
        milkyWay->setStyle(style == "Textured"  ? MilkyWay::Textured
                           : style == "Polygon" ? MilkyWay::Polygon
                                                : CommandArgs::toInt(style));
    } else if (word == "MwayTexture") {
        setMwayTexture(args.readWord());
    } else if (word == "StarsStylePrev") {
        setStarsStyle(starsStyle == Points     ? Textured
                      : starsStyle == Textured ? PointSprites
                                               : Points);
    } else if (word == "StarsStyleNext") {
        setStarsStyle(starsStyle == Points         ? PointSprites
                      : starsStyle == PointSprites ? Textured
                                                   : Points);
    } else if (word == "StarsTog") {
        stars = !stars;
    } else if (word == "MwayTog") {
        milkyWay->toggle();
    } else if (word == "MwayStylePrev" || word == "MwayStyleNext") {
        milkyWay->setStyle(milkyWay->getStyle() == MilkyWay::Polygon ? MilkyWay::Textured
                                                                     : MilkyWay::Polygon);
    } else if (word == "FrameTog") {
        grid->toggle();
    } else {
        return 0; // MaxMagnitude only answers queries
    }
    return 1;
}

std::string Space::getValue() {
    if (!owner)
        return "Undefined";
    const std::string& word = owner->interp.commandWord;
    if (word == "Stars")
        return CommandArgs::formatInt(stars);
    if (word == "StarsStyle")
        return starsStyleWord(starsStyle);
    if (word == "Mway")
        return CommandArgs::formatInt(milkyWay->isShown());
    if (word == "Frame")
        return CommandArgs::formatInt(grid->isShown());
    if (word == "Magnitude")
        return CommandArgs::formatReal(magnitude);
    if (word == "MaxMagnitude")
        return CommandArgs::formatReal(maxMagnitude);
    if (word == "FrameDisp")
        return " " + grid->getDispText();
    if (word == "FrameColor")
        return colorText(grid->getColor());
    if (word == "FrameFont")
        return grid->getFontSpec();
    if (word == "MwayDisp")
        return " " + milkyWay->getDispText();
    if (word == "MwayStyle")
        return mwayStyleWord(milkyWay->getStyle());
    return "Undefined";
}

std::string Space::saveStates() {
    CommandArgs out;
    out.beginCommand("Space", "Stars").appendInt(stars);
    out.beginCommand("Space", "Mway").appendInt(milkyWay->isShown());
    out.beginCommand("Space", "Frame").appendInt(grid->isShown());
    return out.getText();
}

std::string Space::saveOptions() {
    CommandArgs out;
    out.beginCommand("Space", "Magnitude").appendExactFloat(magnitude);
    out.beginCommand("Space", "FrameDisp").append(" " + grid->getDispText());
    out.beginCommand("Space", "FrameColor").appendExactDoubles(grid->getColor(), 3);
    out.beginCommand("Space", "FrameFont").append(" " + grid->getFontSpec());
    out.beginCommand("Space", "MwayDisp").append(" " + milkyWay->getDispText());
    out.beginCommand("Space", "StarsStyle").append(std::string(" ") + starsStyleWord(starsStyle));
    out.beginCommand("Space", "MwayStyle")
        .append(std::string(" ") + mwayStyleWord(milkyWay->getStyle()));
    out.beginCommand("Space", "MwayTexture").append(" " + mwayFile);
    return out.getText();
}
