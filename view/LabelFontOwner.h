// A class that draws its labels in one font which the Detail font commands
// set ("Detail.ConsoleFont Arial 14 1"): it takes the new font, rebuilds
// whatever it compiled with the old one so the change shows, and reports the
// font as its "%s %g %i" text.
#pragma once

#include <string>

class LabelFontOwner {
public:
    virtual ~LabelFontOwner() = default;

    // "_" in the family stands for a blank; style bits 1 bold, 2 italic,
    // 4 underline, 8 strike-out.
    virtual void setLabelFont(const std::string& family, float size, int style) = 0;
    virtual std::string getLabelFontSpec() const = 0;
};
