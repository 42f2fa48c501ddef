// The display settings of "stinit.cfg": mono or stereo drawing, the eye
// offset, and the pixel-format and projection settings of the view.
//
// The file is looked for in "../../", "../" and the working directory, in this
// order; every file found is read and later ones override earlier ones, so a
// machine-wide file can sit above the installation and a local one refine it.
#pragma once

#include <cstdint>
#include <string>

class DataFile;
class QGLFormat;

class DisplayConfig {
public:
    static constexpr const char* fileName = "stinit.cfg";

    enum StereoMode { Mono = 0, QuadBuffer = 1, Stencil = 2 };
    enum ProjectType { Direct = 0, Plane = 1, Fisheye = 2, Dome = 3 };

    // Pixel-format flags, as the file's "Accelerated:" and "DepthDontCare:"
    // switch them.
    static constexpr std::uint32_t DoubleBuffer = 0x1;
    static constexpr std::uint32_t DrawToWindow = 0x4;
    static constexpr std::uint32_t SupportOpenGL = 0x20;
    static constexpr std::uint32_t GenericFormat = 0x40;
    static constexpr std::uint32_t GenericAccelerated = 0x1000;
    static constexpr std::uint32_t DepthDontCare = 0x20000000;

    // The defaults, then "stinit.cfg" from dir/../../, dir/../ and dir.
    explicit DisplayConfig(const std::string& dir = ".");
    ~DisplayConfig();
    DisplayConfig(const DisplayConfig&) = delete;
    DisplayConfig& operator=(const DisplayConfig&) = delete;

    // The program's settings, read from the working directory on first use.
    static DisplayConfig& instance();

    // Reads one file; a file that does not open is skipped silently.
    void read(const std::string& path);

    int getStereoMode() const { return stereoMode_; }
    // +offset for swap 1, -offset for swap 2 (eyes exchanged), 0 otherwise.
    double getEyeOffset() const;

    // The format the view asks for: depth always, quad buffers for mode 1, a
    // stencil buffer for mode 2 (it keeps the eye mask).
    QGLFormat glFormat() const;
    // Compares what the view really got with what the stereo mode needs. When
    // the stereo buffers are missing, logs what the context has and falls back
    // to mono (returns false: the view should be made again from glFormat(),
    // which now asks for a plain context with depth).
    bool acceptFormat(const QGLFormat& actual);
    bool acceptContext(bool stereo, int depthBits, int stencilBits);
    // The same check on the current GL context; the view calls it once its
    // context is made (the eyes check on first use otherwise).
    bool checkContext();

    // Select the buffer of each eye before drawing it. Mode 1: the left or
    // right back buffer, cleared. Mode 2: the stencil test against the
    // interleaved eye mask, drawn afresh whenever the viewport size changes.
    void beginLeftEye();
    void beginRightEye();
    // Back to drawing the whole picture into the back buffer.
    void endStereo();

    // The eye mask of mode 2: the left eye gets the even window rows (counted
    // from the bottom), the right eye the odd ones.
    static bool isLeftEyeRow(int y) { return y % 2 == 0; }

    // Settings read and kept for the projection and pixel format.
    float getStereoOffset() const { return stereoOffset_; }
    int getStereoSwap() const { return stereoSwap_; }
    int getColorBits() const { return colorBits_; }
    int getDepthBits() const { return depthBits_; }
    std::uint32_t getPixelFlags() const { return pixelFlags_; }
    int getProjectType() const { return projectType_; }
    int getTextureWidth() const { return textureWidth_; }
    int getTextureHeight() const { return textureHeight_; }
    double getFieldOfView() const { return fieldOfView_; }
    double getTopAngle() const { return topAngle_; }
    double getBottomAngle() const { return bottomAngle_; }
    int getProjectRes() const { return projectRes_; }

private:
    // The keywords that are more than a plain value.
    void readSetting(DataFile& file, const std::string& word, const std::string& path);
    void beginEye(bool left);
    void drawStencilMask(int width, int height);

    int stereoMode_ = Mono;
    float stereoOffset_ = 0.0375f;
    int stereoSwap_ = 1;
    std::uint8_t colorBits_ = 16;
    std::uint8_t depthBits_ = 32;
    std::uint32_t pixelFlags_ = DoubleBuffer | DrawToWindow | SupportOpenGL | GenericFormat;
    int projectType_ = Direct;
    int textureWidth_ = 1024;
    int textureHeight_ = 512;
    double fieldOfView_ = 30.0;
    double topAngle_ = 0.0;
    double bottomAngle_ = 45.0;
    int projectRes_ = 32;

    bool contextChecked_ = false;
    // The viewport size the stencil mask was drawn for (0 0: not drawn).
    int maskWidth_ = 0;
    int maskHeight_ = 0;
};
