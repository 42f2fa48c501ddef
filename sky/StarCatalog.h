// The catalogue stars that Space draws in its Textured and PointSprites
// styles: up to 256 colour groups (group k takes colour k of the colour map),
// each star with a position and a magnitude, drawn as a camera-facing glow
// square or as a point sprite.
//
// Positions are stored in a galactic frame turned half a turn about the
// galactic pole; the drawing carries them back into the star sphere's J2000
// equatorial frame (applyFrame).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

class Texture;

struct CatalogGroup {
    // Three floats per star in each of the first three arrays.
    std::vector<float> positions;
    std::vector<float> rights; // unit vectors across the square, perpendicular to the position
    std::vector<float> ups;
    std::vector<float> magnitudes;
    float color[3] = {1.0f, 1.0f, 1.0f};

    int count() const { return static_cast<int>(magnitudes.size()); }
};

class StarCatalog {
public:
    static constexpr int GroupCount = 256;
    // Sprite size in pixels of a star of brightness 1 (magnitude 1.5).
    static constexpr float SpritePixels = 14.0f;

    StarCatalog();
    ~StarCatalog();
    StarCatalog(const StarCatalog&) = delete;
    StarCatalog& operator=(const StarCatalog&) = delete;

    // The catalogue file (path as given). A file that does not open or is
    // damaged leaves the catalogue as it was. 1 read, 0 not.
    int loadStars(const std::string& path);
    // The colour map: a count K (at most 256), then one "r g b" line per
    // group. 1 read; 0 for an empty name or a file that does not open.
    int loadColorMap(const std::string& path);
    // The star glow, loaded without mipmaps, filtered GL_NEAREST and clamped.
    int loadTexture(const std::string& path);
    bool hasTexture() const;

    // Sprites wanted (style PointSprites) or not (Textured).
    void setPointSprites(int on);
    int getPointSprites() const { return sprites; }

    // Draws the catalogue with the square size factor s (the camera's field
    // of view in degrees / 45). Needs the current GL context.
    //
    // Sprites are one display list, in which stars of equal size share one
    // point size and one GL_POINTS primitive. Squares are drawn from vertex
    // arrays whose corners move only when s changes. Both pictures equal a
    // star-by-star drawing in colour-group order, since the stars are added
    // into the frame (blending GL_SRC_ALPHA, GL_ONE), in whatever order.
    void draw(float s);

    const CatalogGroup& getGroup(int k) const { return groups[k]; }
    int getStarCount() const;

    // f(m) = (1 − (m − 1.5)/18)^4.5: 1 at magnitude 1.5, 2 at −1.5, 0.27 at 6.
    // Stars too faint for the formula (beyond magnitude 19.5), and a magnitude
    // that is no number, get 0.
    static double brightness(float magnitude);
    // Multiplies the current GL matrix by the catalogue's frame transform.
    static void applyFrame();

    // Whether the GL offers point sprites (GL_ARB_point_sprite or
    // GL_NV_point_sprite); decided at the first draw. Tests may decide it.
    void setSpriteSupport(int supported) { spriteSupport = supported; }
    // Times the sprite list was compiled or the squares were laid out, for
    // tests and benchmarks.
    int getBuildCount() const { return buildCount; }

private:
    bool spritesInUse();
    void buildSpriteList();
    void layOutSquares(float s);
    void drawSquares();
    // Drops the compiled sprites and the laid-out squares after a change.
    void dropList();

    std::array<CatalogGroup, GroupCount> groups;
    unsigned list = 0; // the sprites
    std::unique_ptr<Texture> texture;
    float sizeFactor = 1.0f;
    int sprites = 0;
    int spriteSupport = -1; // -1 not asked yet
    int buildCount = 0;

    // The squares as vertex arrays: four corners per star, group after group.
    // Only a new size factor moves the corners, so a zoom costs no recompile.
    std::vector<float> squareCorners;
    std::vector<float> squareTexCoords;
    float squareFactor = 0.0f;
    bool squaresValid = false;
};
