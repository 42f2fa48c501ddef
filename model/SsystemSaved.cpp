// The state and option lines of Ssystem: command lines that, run in order,
// restore the model's situation and its appearance, their numbers written
// with the digits that read back the same value. Display states other
// than Show, the per-body marks, panoramas, the object lists and
// HideIfLanding are not part of them.
#include "engine/CommandArgs.h"
#include "graphics/LabelFont.h"
#include "model/DsAstrBody.h"
#include "model/Ssystem.h"
#include "model/SsystemWords.h"

std::string Ssystem::saveStates() {
    CommandArgs lines;
    auto line = [&](const char* word) -> CommandArgs& {
        return lines.beginCommand(getName(), word);
    };
    // The sim mode first: making it current selects the first body again.
    line("SimModeName").appendWord(getSimModeName());
    line("ShowAstrBodies").appendWord("All");
    line("AstrName").appendWord(getSelectedName());
    if (const DsAstrBody* body = getSelectedBody()) {
        line("PlaceName").appendWord(body->getPlaceName());
        line("PlaceLat").appendExactDouble(body->getSelectedPlaceLat());
        line("PlaceLon").appendExactDouble(body->getSelectedPlaceLon());
    } else {
        line("PlaceName").appendWord("None");
    }
    line("Name").appendInt(name_);
    line("Axis").appendInt(axis_);
    line("Orbit").appendInt(orbit_);
    line("Angular").appendInt(angular_);
    line("Scale").appendWord(scale_ ? "Real" : "Model");
    line("FullShadow").appendInt(fullShadow_);
    line("HalfShadow").appendInt(halfShadow_);
    line("Dust").appendInt(dust_);
    line("AstrBelt").appendInt(astrBelt_);
    line("Clouds").appendInt(clouds_);
    line("CloudsOpacity").appendExactDouble(getCloudsOpacity());
    return lines.getText();
}

std::string Ssystem::saveOptions() {
    CommandArgs lines;
    const std::pair<const char*, const LineSetting*> settings[] = {
        {"OrbitDisp", &orbitLine_},
        {"OrbithDisp", &hlightOrbitLine_},
        {"CometOrbitDisp", &cometOrbitLine_},
        {"AsteroidOrbitDisp", &asteroidOrbitLine_},
        {"SpacecraftOrbitDisp", &spacecraftOrbitLine_},
        {"AxisDisp", &axisLine_},
        {"AngularDisp", &angularLine_},
    };
    for (const auto& [word, setting] : settings) {
        lines.beginCommand(getName(), word)
            .appendExactDouble(setting->width)
            .appendExactDoubles(setting->color, 3);
    }
    lines.beginCommand(getName(), "NameColor").appendExactDoubles(getNameColor(), 4);
    lines.beginCommand(getName(), "NameFont").appendWord(nameFont_->getFontSpec());
    lines.beginCommand(getName(), "SunColor");
    for (int i = 0; i < 3; ++i)
        lines.appendExactFloat(sunColor_[i]);
    lines.beginCommand(getName(), "AmbientColor");
    for (int i = 0; i < 3; ++i)
        lines.appendExactFloat(ambientColor_[i]);
    return lines.getText();
}
