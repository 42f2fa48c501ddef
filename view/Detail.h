// The render-detail settings of the whole scene, as the command class
// "Detail": how bodies are rasterised (Draw), how finely spheres and orbits
// are tessellated (Body, Orbit), whether overlays blend (AlphaBlend), which
// bodies are textured (Texture), the texture filter and the texture directory.
// The drawing classes read the settings when they build lists or draw; a
// change that is baked into display lists has them rebuilt at once. Seven font
// commands set the label fonts of other classes under this one class word.
#pragma once

#include <array>
#include <set>
#include <string>

#include "engine/Base.h"

class DetailListener;
class LabelFontOwner;
class Main;

class Detail : public Base {
public:
    enum DrawMode { Wire = 0, Adaptive = 1, Solid = 2 };
    enum Level { Low = 0, Mid = 1, High = 2 };
    enum TextureMode { TextureNone = 0, TextureSelected = 1, TextureAlways = 2 };
    enum Filter { Nearest = 0, Linear = 1 };
    // The classes whose label fonts the font commands set, in command order.
    enum FontRow {
        SsystemFont,
        ConstesFont,
        GalaxiesFont,
        FstarsFont,
        ConsoleFont,
        LscapeFont,
        FrameFont,
        FontRowCount
    };

    // Registers "Detail" and its 30 command words.
    explicit Detail(Main* owner);

    const char* getName() const override { return "Detail"; }
    int execute() override;
    std::string getValue() override;
    // Draw, Body, Orbit, AlphaBlend, Texture, Filter and TexDir, one line each.
    std::string saveOptions() override;

    // Who is told of changes, and who owns each label font; null (the
    // default) acts on nothing.
    void setListener(DetailListener* listener) { listener_ = listener; }
    void setFontOwner(FontRow row, LabelFontOwner* owner) { fontOwners_[row] = owner; }

    int getDraw() const { return drawMode_; }
    int getDrawMode() const { return drawMode_; }
    // Sphere slices: 12, 24 or 36 for Low, Mid and High (12 for other values).
    int getBodySlices() const;
    // Orbit points: 64, 128 or 256 (64 for other values).
    int getOrbitPoints() const;
    int getBodyLevel() const { return bodyLevel_; }
    int getOrbitLevel() const { return orbitLevel_; }
    int getAlphaBlend() const { return alphaBlend_; }
    int getTextureMode() const { return textureMode_; }
    int getFilter() const { return filter_; }
    std::string getTexDir() const { return texDir_; }
    // The texture directory's file of the same file part (the text after the
    // last "/") when it exists, else the shipped directory's (logged once per
    // file and directory), else what is there in either under that name (a
    // folder, a pipe, a dead link, which the loader refuses by its own
    // name), else the name unchanged. An empty texture directory is the
    // current (data) directory.
    std::string getTexturePath(const std::string& name) const;
    static constexpr const char* defaultTexDir = "./textures";

    void setDraw(int mode) { drawMode_ = mode; }
    // Body, Orbit and Filter rebuild the display lists when the value changes.
    void body(int level);
    void orbit(int level);
    void filter(int value);
    // Also tells the fade overlay.
    void alphaBlend(int on);
    void setTextureMode(int mode) { textureMode_ = mode; }
    // Drops one trailing "/" or "\", then always rebuilds the display lists
    // and reloads the Milky Way texture.
    void texDir(const std::string& dir);

private:
    // Stores the level and rebuilds when it changed.
    void changeLevel(int& field, int value);
    void rebuild();

    Main* owner_;
    DetailListener* listener_ = nullptr;
    std::array<LabelFontOwner*, FontRowCount> fontOwners_{};
    int drawMode_ = Solid;
    int bodyLevel_ = Low;
    int orbitLevel_ = Low;
    int alphaBlend_ = 1;
    int textureMode_ = TextureSelected;
    int filter_ = Nearest;
    std::string texDir_ = defaultTexDir;
    // The files already reported as taken from the shipped directory.
    mutable std::set<std::string> fallbacksLogged_;
};
