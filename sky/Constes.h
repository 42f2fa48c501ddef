// The command class of the constellations ("Constes"). It owns the
// constellation set, loads it from the main configuration ("ConstesDir:" or
// "Constes:"), maps its thirty command words onto the set, draws it inside
// the star sphere and tells the camera where a constellation lies.
//
// State lines: "Constes.Show 0", then (while shown) each feature that is on
// for "All", then "Constes.CategName". Option lines: the name colour and font,
// the five line styles and BuildArtsFirst.
#pragma once

#include <memory>
#include <string>

#include "engine/Base.h"
#include "engine/Quaternion.h"
#include "engine/Vector3.h"
#include "view/LookTargets.h"

class ConsteSet;
class Main;

class Constes : public Base, public SkyLookTargets {
public:
    // Registers "Constes" and its command words with the owner's interpreter.
    explicit Constes(Main* owner);
    ~Constes() override;

    const char* getName() const override;
    int execute() override;
    std::string getValue() override;
    std::string saveStates() override;
    std::string saveOptions() override;

    // Loads the constellation list, relative to the root's data directory: a
    // path ending in "/" names a directory holding "constes.cdl", any other
    // path a list file or directory. Each call replaces the whole set.
    // Always 1; an unreadable list leaves the set empty.
    int load(const std::string& path);
    // Start-up list building: nothing until the first call with force set;
    // then, when BuildArtsFirst is on, every art list is built at once.
    void buildLists(int force);
    // Inside the star sphere, once per drawn eye. The rotation is not used.
    void draw(const Quaternion& rotation);

    // The camera's questions about a look target, by exact name.
    bool hasConste(const std::string& name) const;
    bool hasLookTarget(const std::string& name) const override { return hasConste(name); }
    // The view rotation toward the constellation's centre (the identity for
    // a name that is not in the set).
    Quaternion getLookRot(const std::string& name) const override;
    // The unit direction of its centre in the star-sphere frame (zero for a
    // name that is not in the set).
    Vector3 getDirection(const std::string& name) const;

    ConsteSet& getConsteSet() { return *consteSet; }
    const ConsteSet& getConsteSet() const { return *consteSet; }
    int isBuilt() const { return built; }
    int getBuildArtsFirst() const { return buildArtsFirst; }

private:
    Main* owner;
    int built = 0;
    std::unique_ptr<ConsteSet> consteSet;
    int buildArtsFirst = 0;
};
