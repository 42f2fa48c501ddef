// A label font that the Detail font commands reach through the root, for the
// classes that keep it behind their own commands (the bodies' names, the
// constellation names, the grid labels): what setting it means is given as
// two functions.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "view/LabelFontOwner.h"

class LabelFontLink : public LabelFontOwner {
public:
    using Setter = std::function<void(const std::string& family, float size, int style)>;
    using Getter = std::function<std::string()>;

    LabelFontLink(Setter set, Getter get) : set_(std::move(set)), get_(std::move(get)) {}

    void setLabelFont(const std::string& family, float size, int style) override {
        set_(family, size, style);
    }
    std::string getLabelFontSpec() const override { return get_(); }

private:
    Setter set_;
    Getter get_;
};
