// The command class of the marks that scenario scripts place ("Markers"):
// texts, lines and points, in the scene or on the screen, each named, each
// with its colour, font, anchor, width or size, and animated position and
// colour. The root draws them after the landscape; the camera looks at and
// follows marks placed in the scene.
//
// Commands (a "Set" word for a name that has no mark fails):
//   Show n, ShowTog, Clear, Add name,
//   SetText name text..., SetLine name from to, SetDLine name from to,
//   SetPoint name size, SetColor name r g b a, SetColorTo name r g b a frames,
//   SetWidth name w, SetSize name s, SetJustify name anchor (1-9),
//   SetFont name family size style, SetShow name n,
//   SetPos2 name x y, SetPos2To name x y frames,
//   SetPos3 name x y z, SetPos3To name x y z frames.
// State lines "Markers.Clear" and "Markers.Show n": the marks are not saved.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Base.h"
#include "view/LookTargets.h"
#include "view/MarkerItem.h"

class Main;
class Ssystem;

class Markers : public Base, public MarkerTargets {
public:
    // Registers "Markers" and its nineteen words with the owner's interpreter.
    explicit Markers(Main* owner);
    ~Markers() override;

    const char* getName() const override { return "Markers"; }
    int execute() override;
    std::string getValue() override;
    std::string saveStates() override;

    // The bodies lines may name; null: lines reach only marks.
    void setSsystem(const Ssystem* s) { ssystem = s; }

    // The first mark of exactly that name, or null.
    MarkerItem* find(const std::string& name) const;
    // Creates the mark, or resets the one of that name: a white invisible
    // text showing its name, in the world. An existing mark keeps its
    // positions, font and anchor and the names of its line's ends.
    MarkerItem& add(const std::string& name);
    // Removes every mark.
    void clear();
    int isShown() const { return show; }
    const std::vector<std::unique_ptr<MarkerItem>>& getItems() const { return items; }

    // A mark of that name placed in the world, and its position now ((0, 0, 0)
    // when there is none).
    bool hasPos3(const std::string& name) const override;
    Vector3 getPos3(const std::string& name) const override;
    // Where a line's end lies: a body shown in the current sim mode, else a
    // mark in the world, else (0, 0, 0).
    Vector3 objectPosition(const std::string& name) const;

    // Per frame, after the landscape, with the scene's model-view in place.
    // Touches no GL state when nothing is to be drawn.
    void draw();

private:
    // Compiles a mark's text into its display list (needs GL).
    static void compileList(MarkerItem& item);
    void drawWorldItem(const MarkerItem& item) const;

    Main* owner;
    const Ssystem* ssystem = nullptr;
    std::vector<std::unique_ptr<MarkerItem>> items;
    int show = 1;
};
