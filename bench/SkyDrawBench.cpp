// Frames of the default sky (stars, Milky Way, grid) at 1280 x 800 in each
// star style, drawn as the root draws them each frame, with GL finishing the
// frame. The frame rate is the items-per-second counter. Run under a display
// (xvfb-run) with the shipped data; "Zoom" changes the view every frame. The
// times are wall-clock times: GL does much of its work outside this process's
// CPU time.
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>

#include "engine/Main.h"
#include "platform/NumericLocale.h"
#include "sky/Space.h"
#include "sky/SpaceServices.h"
#include "tests/sky/SkyScene.h"

// GLEW's header does not go with Qt's GL header; its loader is all this needs.
extern "C" {
GLenum glewInit(void);
extern GLboolean glewExperimental;
}

namespace {

const int width = 1280;
const int height = 800;

class BenchRoot : public Main {
public:
    BenchRoot() : Main("Orvex") {}
    int readConfigEntry(DataFile&) override { return 1; }
};

class Zoom : public SpaceServices {
public:
    double getViewAngle() const override { return angle; }
    std::string getTexturePath(const std::string& name) const override { return name; }
    double angle = 45.0;
};

// One GL window and the shipped sky, made once for every benchmark.
struct Sky {
    Sky() {
        static int argc = 1;
        static char name[] = "bench";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
        platform::resetNumericLocale();
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setVersion(2, 1);
        format.setDepthBufferSize(24);
        window = std::make_unique<QWindow>();
        window->setSurfaceType(QWindow::OpenGLSurface);
        window->setFormat(format);
        window->resize(width, height);
        window->create();
        window->show();
        context = std::make_unique<QOpenGLContext>();
        context->setFormat(format);
        valid = context->create() && context->makeCurrent(window.get());
        glewExperimental = GL_TRUE;
        valid = valid && glewInit() == 0; // GLEW_OK
        if (!valid)
            return;
        glViewport(0, 0, width, height);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glEnableClientState(GL_VERTEX_ARRAY);
        root.setDataDir(ORVEX_SHARE_DIR);
        space.loadSpaceFile("./data/stars/hipparcos.dhb");
        space.loadStars(std::string(ORVEX_SHARE_DIR) + "/data/stars/catalog.dsc");
        space.loadStarsColorMap(std::string(ORVEX_SHARE_DIR) + "/data/stars/starcolor.map");
        space.loadStarTexture(std::string(ORVEX_SHARE_DIR) + "/textures/star.png");
        space.setMwayFile("./textures/mway.jpg");
        space.buildLists(1);
    }

    void frame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        orvextest::lookAtSky(83.8, 1.0, zoom.angle, double(width) / height);
        space.drawMwayAndFrame();
        space.drawStars();
        glFinish();
    }

    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<QWindow> window;
    std::unique_ptr<QOpenGLContext> context;
    bool valid = false;
    Zoom zoom;
    BenchRoot root;
    Space space{&root, &zoom};
};

Sky& sky() {
    static Sky instance;
    return instance;
}

void drawSky(benchmark::State& state, const char* style, bool zooming) {
    Sky& s = sky();
    if (!s.valid) {
        state.SkipWithError("no GL context");
        return;
    }
    s.root.interp.executeLine(std::string("Space.StarsStyle ") + style);
    s.zoom.angle = 45.0;
    s.frame();
    int step = 0;
    for (auto _ : state) {
        if (zooming)
            s.zoom.angle = 45.0 - (step++ % 100) * 0.2;
        s.frame();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(drawSky, Points, "Points", false)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawSky, Textured, "Textured", false)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawSky, PointSprites, "PointSprites", false)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawSky, TexturedZoom, "Textured", true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawSky, PointSpritesZoom, "PointSprites", true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
