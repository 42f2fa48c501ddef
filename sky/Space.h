// The command class of the star background ("Space"): the stars of the space
// file (magnitude groups drawn as plain points), the star catalogue (glow
// squares or point sprites), the celestial grid and the Milky Way. The root
// draws it twice per frame inside the star sphere: first the Milky Way and
// the grid, then the stars.
//
// The space file comes in three forms chosen by its extension: ".dsp" text,
// ".dsb" binary, and ".dhb" binary magnitude classes read lazily, only as far
// as the magnitude limit reaches.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Base.h"
#include "sky/StarGroup.h"

namespace platform {
class CurrentDirGuard;
}

class CelestialGrid;
class Main;
class MilkyWay;
class SpaceServices;
class StarCatalog;

class Space : public Base {
public:
    // Star styles.
    static constexpr int Points = 0;
    static constexpr int Textured = 1;
    static constexpr int PointSprites = 2;

    // Registers "Space" and its twenty command words with the owner's
    // interpreter. services may be null (see SpaceServices).
    explicit Space(Main* owner, SpaceServices* services = nullptr);
    ~Space() override;

    const char* getName() const override;
    int execute() override;
    std::string getValue() override;
    // Space.Stars, Space.Mway, Space.Frame.
    std::string saveStates() override;
    // Magnitude, FrameDisp, FrameColor, FrameFont, MwayDisp, StarsStyle,
    // MwayStyle, MwayTexture.
    std::string saveOptions() override;

    void setServices(SpaceServices* s) { services = s; }

    // Configuration entries ("Space:", "Stars:", "StarsColorMap:",
    // "StarTexture:", "Mway:"). Results 1 loaded, 0 not.
    int loadSpaceFile(const std::string& path);
    int loadStars(const std::string& path);
    int loadStarsColorMap(const std::string& path);
    int loadStarTexture(const std::string& name);
    void setMwayFile(const std::string& name) { mwayFile = name; }
    // Starts decoding the Milky Way's picture on a worker thread, for the
    // build to take (the rest of the configuration is read meanwhile).
    void prefetchMwayTexture() const;

    // Does nothing before the first call with force set; then builds the
    // points list, the grid lists and the Milky Way's texture and lists.
    void buildLists(int force);
    // Loads the Milky Way texture (after the texture directory changed) and
    // rebuilds its lists; only once built.
    void loadMwayTexture();

    // The per-frame draws, inside the root's star sphere.
    void drawMwayAndFrame();
    void drawStars();

    void setMagnitude(float m);
    float getMagnitude() const { return magnitude; }
    float getMaxMagnitude() const { return maxMagnitude; }
    void setStarsStyle(int style);
    int getStarsStyle() const { return starsStyle; }
    int isStarsShown() const { return stars; }
    int isBuilt() const { return built; }

    // The point size of a star of magnitude m; bodies seen from afar compare
    // their projected size with it.
    static float getStarSize(float m);

    // The turns the points list and each ".dhb" group list make, which carry
    // the stored positions into the star sphere.
    static void applyPointsFrame();
    static void applyHipparcosGroupFrame();

    const std::vector<StarGroup>& getGroups() const { return groups; }
    const std::vector<StarRecord>& getSingleStars() const { return singles; }
    const std::string& getSpaceFilePath() const { return spaceFilePath; }
    // The ".dhb" groups read so far, in reading order (for tests).
    const std::vector<int>& getHipparcosReads() const { return hipparcosReads; }
    unsigned getPointsList() const { return pointsList; }

    StarCatalog& getCatalog() { return *catalog; }
    CelestialGrid& getGrid() { return *grid; }
    MilkyWay& getMilkyWay() { return *milkyWay; }

private:
    void registerCommands();
    // Space-file readers: each first empties the groups and single stars.
    int readAsciiStars(const std::string& path);
    int readBinaryStars(const std::string& path);
    int readHipparcosStars(const std::string& path);
    // Reads a ".dsp" or ".dsb" file and compiles each group's list at once;
    // compile answers whether the group draws anything.
    int readGroupFile(const std::string& path, int (*read)(const std::string&, SpaceFileContents&),
                      bool (*compile)(const StarGroupPositions&));
    // Reads the ".dhb" groups the current limit newly admits.
    int loadHipparcosGroups();
    void buildStarLists();
    void clearGroups();
    bool isHipparcosFile() const;

    // Readers and texture loads run in the root's data directory.
    void enterDataDir(platform::CurrentDirGuard& guard) const;
    std::string texturePath(const std::string& name) const;
    double starSizeFactor() const;
    void setMwayTexture(const std::string& name);

    Main* owner;
    SpaceServices* services;
    int built = 0;
    std::string spaceFilePath;
    std::vector<StarGroup> groups;
    std::vector<StarRecord> singles;
    int starsStyle = Points;
    float magnitude = 6.0f;
    float maxMagnitude = 6.0f;
    unsigned pointsList = 0;
    std::unique_ptr<MilkyWay> milkyWay;
    std::unique_ptr<CelestialGrid> grid;
    int stars = 1;
    std::string mwayFile;
    std::unique_ptr<StarCatalog> catalog;
    std::vector<int> hipparcosReads;
};
