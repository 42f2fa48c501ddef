// The engine's command words behind the option dialog's label and line rows,
// in the order of the rows on the page: what the slots send and the refill
// asks for.
#pragma once

namespace OptionFormWords {

struct LabelWords {
    const char* color;
    // Only the body-name and console colours take an alpha; the other colour
    // words read three numbers, and a fourth would be taken as a command.
    bool colorHasAlpha;
    const char* font;
};

inline constexpr LabelWords labels[] = {
    {"Ssystem.NameColor", true, "Ssystem.NameFont"},
    {"Fstars.NameColor", false, "Fstars.NameFont"},
    {"Galaxies.NameColor", false, "Galaxies.NameFont"},
    {"Constes.NameColor", false, "Constes.NameFont"},
    {"Lscape.DirColor", false, "Lscape.DirFont"},
    {"Space.FrameColor", false, "Space.FrameFont"},
    {"Console.TextColor", true, "Console.TextFont"},
};

// Each takes and answers a width and a colour.
inline constexpr const char* lines[] = {
    "Ssystem.OrbitDisp",
    "Ssystem.OrbithDisp",
    "Ssystem.CometOrbitDisp",
    "Ssystem.AsteroidOrbitDisp",
    "Ssystem.SpacecraftOrbitDisp",
    "Ssystem.AxisDisp",
    "Ssystem.AngularDisp",
    "Space.FrameDisp",
    "Constes.LinesDisp",
    "Constes.LineshDisp",
    "Constes.ArtDisp",
    "Constes.ArthDisp",
    "Constes.SepsDisp",
};

} // namespace OptionFormWords
