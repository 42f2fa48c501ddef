#include "ui/OrvexGLLink.h"

#include "engine/Orvex.h"
#include "engine/OrvexGL.h"
#include "model/DsAstrBody.h"
#include "model/Ssystem.h"

// Each call asks the view for its current root, so that a rebuilt engine is
// the one reached.
class OrvexGLLink::RootOfView : public EngineLink::Root {
public:
    explicit RootOfView(const QPointer<OrvexGL>& view) : view_(view) {}

    Orvex* orvex() const { return view_ ? view_->getRoot() : nullptr; }

    int processScenarioLine(const std::string& line) override {
        return orvex()->processScenarioLine(line);
    }
    std::string getCommandValue(const std::string& name) override {
        return orvex()->getCommandValue(name);
    }
    void runScript(const std::string& text, int runAll) override {
        orvex()->runScript(text, runAll);
    }
    int openScenario(const std::string& file, int runAll) override {
        return orvex()->openScenario(file, runAll);
    }
    void startScenario() override { orvex()->startScenario(); }
    void stopScenario() override { orvex()->stopScenario(); }
    int getPlaying() override { return orvex()->getPlaying(); }
    void clearLog() override { orvex()->clearLog(); }
    std::string getLog() override { return orvex()->getLog(); }
    void setRecording(int on) override { orvex()->setRecording(on); }
    int isRecording() override { return orvex()->isRecording(); }
    std::string getStateText() override { return orvex()->getStateText(); }
    std::string getDataDir() override { return orvex()->getDataDir(); }
    std::string getInitStatesFile() override { return orvex()->getInitStatesFile(); }
    std::string getStartFailure() override { return orvex()->getStartFailure(); }
    std::string getOrbitDir(int kind) override {
        const ListSettings paths = orvex()->getListSettings();
        switch (kind) {
        case CometOrbits:
            return paths.cometDir;
        case AsteroidOrbits:
            return paths.asteroidDir;
        case SpacecraftOrbits:
            return paths.spacecraftDir;
        case ASatelliteOrbits:
            return paths.aSatelliteDir;
        default:
            return {};
        }
    }
    std::vector<std::pair<std::string, std::string>> getBodyDataOrbitFiles() override {
        const Ssystem* ssystem = orvex()->getSsystem();
        return ssystem ? ssystem->getDataOrbitFiles()
                       : std::vector<std::pair<std::string, std::string>>();
    }
    int getClassCount() override { return orvex()->interp.getClassCount(); }
    std::string getClassName(int i) override { return orvex()->interp.getClassName(i); }
    int getCommandCount(int i) override { return orvex()->interp.getCommandCount(i); }
    std::string getCommandName(int i, int j) override {
        return orvex()->interp.getCommandName(i, j);
    }
    bool isCommandListed(int i, int j) override { return orvex()->interp.isCommandListed(i, j); }
    std::string getCommandHelp(int i, int j) override {
        return orvex()->interp.getCommandHelp(i, j);
    }
    bool hasSelectedBody() override { return selectedBody() != nullptr; }
    std::string formatPlace(int index) override { return selectedBody()->formatPlace(index); }
    void clearPlaces() override { selectedBody()->clearPlaces(); }
    void addPlace(const std::string& record) override { selectedBody()->addPlace(record); }
    void ensureDefaultPlace() override { selectedBody()->ensureDefaultPlace(); }

private:
    DsAstrBody* selectedBody() const {
        const Ssystem* ssystem = orvex()->getSsystem();
        return ssystem ? ssystem->getSelectedBody() : nullptr;
    }

    const QPointer<OrvexGL>& view_;
};

OrvexGLLink::OrvexGLLink(OrvexGL* view, QObject* parent)
    : EngineLink(parent), view_(view), root_(std::make_unique<RootOfView>(view_)) {
    connect(view, &OrvexGL::updated, this, &EngineLink::updated);
    connect(view, &OrvexGL::keyEvent, this, &EngineLink::keyEvent);
    connect(view, &OrvexGL::scenarioEnd, this, &EngineLink::scenarioEnd);
    connect(view, &OrvexGL::mouseModeChanged, this, &EngineLink::mouseModeChanged);
}

OrvexGLLink::~OrvexGLLink() = default;

EngineLink::Root* OrvexGLLink::root() const {
    return root_->orvex() ? root_.get() : nullptr;
}

void OrvexGLLink::setMouseMode(int mode) {
    EngineLink::setMouseMode(mode);
    if (view_)
        view_->setMouseMode(mode);
}

QImage OrvexGLLink::grabFrame() {
    return view_ ? view_->grabFrameBuffer(false) : QImage();
}
