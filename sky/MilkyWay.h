// The band of the Milky Way on the star sphere, in one of two styles:
// Polygon, seven nested flat-shaded brightness contours growing brighter
// toward the core, or Textured, one band mesh lit by the Milky Way panorama.
// Both meshes are program data (MilkyWayMeshData.h). Space owns it and draws
// it first inside the star sphere.
#pragma once

#include <memory>
#include <string>

#include "engine/Quaternion.h"

class Texture;

class MilkyWay {
public:
    static constexpr int Polygon = 0;
    static constexpr int Textured = 1;
    static constexpr int LayerCount = 7;

    MilkyWay();
    virtual ~MilkyWay();
    MilkyWay(const MilkyWay&) = delete;
    MilkyWay& operator=(const MilkyWay&) = delete;

    void show() { shown = 1; }
    void hide() { shown = 0; }
    void toggle() { shown = !shown; }
    int isShown() const { return shown; }

    // How many layers are drawn (below 1 counts as 1) and their full colour.
    void setDisp(int count, const double color[3]);
    // "%i %g %g %g" of the layer count and the colour.
    std::string getDispText() const;
    int getLayerCount() const { return layerCount; }
    const double* getColor() const { return color; }

    // Stored, but each draw sets the rotation of its style, so it shows no effect.
    void setRotation(const Quaternion& q) { rotation = q; }
    const Quaternion& getRotation() const { return rotation; }

    // Stored as given; any non-zero style draws Textured (when a texture loaded).
    void setStyle(int s) { style = s; }
    int getStyle() const { return style; }

    // Keeps the name and drops the texture and the lists; the next buildList
    // loads the file.
    void setTexture(const std::string& fileName);
    const std::string& getTextureFile() const { return textureFile; }
    bool hasTexture() const { return texture != nullptr; }

    // Loads the texture when named and not loaded, and compiles the eight lists.
    void buildList();
    void draw();

    // The rotations each style draws its mesh with.
    static Quaternion polygonRotation();
    static Quaternion texturedRotation();
    // How many layers a draw shows: the count, at most the seven layers.
    int getDrawnLayerCount() const;

private:
    void deleteLists();

    unsigned listBase = 0;
    int shown = 1;
    int layerCount = LayerCount;
    double color[3] = {0.15, 0.15, 0.15};
    Quaternion rotation;
    std::unique_ptr<Texture> texture;
    std::string textureFile;
    int style = Textured;
};
