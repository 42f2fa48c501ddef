// What the windows use of the engine: the GL view's root object (commands,
// queries, the scenario runner and recorder, the log, the state text, the
// directories, the interpreter's listings and the places of the selected
// body), the view's mouse mode and frame grab, and the view's four signals.
//
// The root exists only once the GL view has initialised OpenGL, so every root
// operation asks for it first and, while there is none, does nothing and
// answers 0, "" or false. A link whose view has no engine (yet) is a plain
// EngineLink; the GL view supplies one with a root, tests a recording fake.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <string>
#include <utility>
#include <vector>

class EngineLink : public QObject {
    Q_OBJECT
public:
    // The operations of the engine's root object the windows call.
    class Root {
    public:
        virtual ~Root() = default;
        virtual int processScenarioLine(const std::string& line) = 0;
        virtual std::string getCommandValue(const std::string& name) = 0;
        virtual void runScript(const std::string& text, int runAll) = 0;
        virtual int openScenario(const std::string& file, int runAll) = 0;
        virtual void startScenario() = 0;
        virtual void stopScenario() = 0;
        virtual int getPlaying() = 0;
        virtual void clearLog() = 0;
        virtual std::string getLog() = 0;
        virtual void setRecording(int on) = 0;
        virtual int isRecording() = 0;
        virtual std::string getStateText() = 0;
        virtual std::string getDataDir() = 0;
        virtual std::string getInitStatesFile() = 0;
        // The start file that could not be read; empty when the start-up worked.
        virtual std::string getStartFailure() = 0;
        virtual std::string getOrbitDir(int kind) = 0;
        // The bodies of the body data file that name an orbit file, each as
        // (body name, file as the data file writes it).
        virtual std::vector<std::pair<std::string, std::string>> getBodyDataOrbitFiles() = 0;
        virtual int getClassCount() = 0;
        virtual std::string getClassName(int i) = 0;
        virtual int getCommandCount(int i) = 0;
        virtual std::string getCommandName(int i, int j) = 0;
        virtual bool isCommandListed(int i, int j) = 0;
        virtual std::string getCommandHelp(int i, int j) = 0;
        // Places of the selected body; nothing happens without a selected body.
        virtual bool hasSelectedBody() = 0;
        virtual std::string formatPlace(int index) = 0;
        virtual void clearPlaces() = 0;
        virtual void addPlace(const std::string& record) = 0;
        virtual void ensureDefaultPlace() = 0;
    };

    // The orbit directories the object lists scan, one per kind of object.
    enum OrbitKind { CometOrbits = 0, AsteroidOrbits, SpacecraftOrbits, ASatelliteOrbits };

    explicit EngineLink(QObject* parent = nullptr);
    ~EngineLink() override;

    // The engine's root object; null until the engine has started.
    virtual Root* root() const { return nullptr; }
    bool hasRoot() const { return root() != nullptr; }

    // Root operations (each does nothing without a root).
    int processScenarioLine(const std::string& line);
    std::string getCommandValue(const std::string& name);
    void runScript(const std::string& text, int runAll);
    int openScenario(const std::string& file, int runAll);
    void startScenario();
    void stopScenario();
    int getPlaying();
    void clearLog();
    std::string getLog();
    void setRecording(int on);
    int isRecording();
    std::string getStateText();
    std::string getDataDir();
    std::string getInitStatesFile();
    std::string getStartFailure();
    std::string getOrbitDir(OrbitKind kind);
    std::vector<std::pair<std::string, std::string>> getBodyDataOrbitFiles();
    int getClassCount();
    std::string getClassName(int i);
    int getCommandCount(int i);
    std::string getCommandName(int i, int j);
    bool isCommandListed(int i, int j);
    std::string getCommandHelp(int i, int j);
    bool hasSelectedBody();
    std::string formatPlace(int index);
    void clearPlaces();
    void addPlace(const std::string& record);
    void ensureDefaultPlace();

    // The view's own operations, there with or without an engine. Mode 0 is
    // the normal mouse, 1 mouse-look.
    virtual void setMouseMode(int mode) { mouseMode_ = mode; }
    int mouseMode() const { return mouseMode_; }
    // The view's current picture, without alpha; null without a GL view.
    virtual QImage grabFrame() { return QImage(); }

    // Window text to the engine's 8-bit text (the local encoding) and back
    // (the application's default codec, which the view sets from the engine's).
    static std::string toEngineText(const QString& text);
    static QString fromEngineText(const std::string& text);

signals:
    // After the engine has started and after every frame.
    void updated();
    // After a key or device button ran a command through the key map.
    void keyEvent();
    // After a frame in which the running scenario finished.
    void scenarioEnd();
    // Escape pressed in the view: the mode the user asks for.
    void mouseModeChanged(int mode);

protected:
    int mouseMode_ = 0;
};
