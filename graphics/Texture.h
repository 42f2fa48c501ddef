// One GL 2-D texture loaded from a picture file. With sharing on, loaded
// files are registered by name and later loads of the same file share the GL
// texture with a use count, so each file is uploaded once.
//
// Without a current GL context a load still decodes the picture (so its
// result is known) and keeps it; the upload, and any wrap, filter or
// environment settings made meanwhile, happen at the first call made with a
// context current.
#pragma once

#include <memory>
#include <string>
#include <vector>

class Texture {
public:
    Texture();
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Sharing by file name, off until the root's GL set-up turns it on.
    static void setSharing(int on);
    static int getSharing();
    // Deletes the GL texture of every registered file and empties the registry.
    static void deleteAll();

    // Loads the file unless it is the one already loaded (force 0). Shares a
    // registered texture of the same name unless force is set; otherwise the
    // picture is decoded, rounded to power-of-two sides and uploaded. A
    // texture loaded before gives up its previous picture first. Returns 1
    // when the texture is usable, 0 when the file gave no picture; the name
    // is kept either way.
    int load(const std::string& fileName, int force);
    // Builds mipmaps at the next load.
    void setMipmap(int on) { mipmap = on; }

    // Each binds the texture and sets the GL parameter (values are GL enums).
    void setEnvMode(float mode);
    void setWrap(float s, float t);
    void setFilter(float min, float mag);

    // Binds the texture for drawing (the caller enables texturing); blending
    // is switched on while the picture has an alpha channel.
    void enable();
    void disable();

    int isLoaded() const { return loaded; }
    const std::string& getName() const { return name; }
    // The GL texture name: 0 until the picture is uploaded.
    unsigned getGLName() const;
    int getHasAlpha() const;
    // The uploaded size (after rounding), 0 when not loaded.
    int getWidth() const;
    int getHeight() const;

    // A copy of the registry, for tests and diagnostics.
    struct RegistryEntry {
        std::string name;
        int hasAlpha = 0;
        unsigned glName = 0;
        int useCount = 0; // users beyond the first
    };
    static std::vector<RegistryEntry> getRegistry();

private:
    struct Share; // one picture: registered, or the texture's own when sharing is off
    static std::vector<std::shared_ptr<Share>>& registry();

    bool makeCurrentWork(); // uploads and applies recorded settings; false without GL
    void release();

    std::string name;
    int mipmap = 0;
    int loaded = 0;
    std::shared_ptr<Share> share;

    // Settings made while they could not reach GL yet.
    enum Pending { envPending = 1, wrapPending = 2, filterPending = 4 };
    int pending = 0;
    float envMode = 0;
    float wrapS = 0, wrapT = 0;
    float minFilter = 0, magFilter = 0;
};
