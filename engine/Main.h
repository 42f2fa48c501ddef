// Base of the root command object. It owns the interpreter and the scenario
// runner, turns the elapsed milliseconds of a frame into nominal frames, reads
// the initial-state, option and main configuration files, writes state, option
// and scenario files, and runs key bindings. It is itself a command class whose
// class word its creator passes ("Orvex" for the application root).
//
// Every file operation runs with the working directory switched to the data
// directory (and then the scenario directory) and switched back afterwards.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Base.h"
#include "engine/CommandArgs.h"
#include "engine/Interpreter.h"
#include "platform/PartlyReadFiles.h"

class DataFile;
class KeyMap;

class Main : public Base {
public:
    // Registers the class word and its twelve command words first of all classes.
    explicit Main(const char* classWord);
    ~Main() override;

    // Command class: Frame, Playing, Input, FPS, RunScenario, LoadScenario,
    // Wait, WaitNext, Next, InputTog, LoadOptions, SaveOptions.
    const char* getName() const override;
    int execute() override;
    std::string getValue() override;
    // One line: "<class word>.FPS <fps>".
    std::string saveOptions() override;
    virtual const char* getVersion() const;

    // Start-up: reads the initial-state and options files from the data and
    // scenario directories, then the configuration (readConfig) and the
    // command-help file "./data/argshelp.def". Does nothing once configured.
    virtual void init();
    // Reads the main configuration file through readConfigEntry, runs the
    // option lines at once and starts the initial-state text as a stepped
    // scenario. Sets the configured flag on success.
    void readConfig(const std::string& initialStateText, const std::string& optionsText);
    // The derived root reads the configuration keywords and creates every
    // command object. Returns 1.
    virtual int readConfigEntry(DataFile& file) = 0;
    // Called once after the configuration has been read (force = 1).
    virtual void initCommandObjects(int force);

    // One frame of elapsedMs milliseconds: ticks every transition and steps the
    // scenario by the frame's nominal frames. Returns non-zero when the stepped
    // scenario stopped during this frame. Does nothing until configured.
    virtual int frame(unsigned elapsedMs);
    virtual void setSize(int width, int height);
    void setAspect(double aspect);
    virtual void mouseButton(int code, int pressed, int x, int y);
    virtual void mouseMove(int x, int y);
    virtual void setMousePosition(int x, int y);
    // Runs the line bound to the Windows virtual-key code with the current
    // Shift/Ctrl state, unless input is off.
    void keyPress(int virtualKey);
    // The line the key map binds to the key with that Shift/Ctrl state; ""
    // when none. The view keeps such keys from the windows' shortcuts.
    std::string keyBinding(int virtualKey, bool shiftDown, bool ctrlDown) const;

    // Scenario runner.
    // Runs one line: a condition "?query OP value?first:second", a command
    // line, or a scenario file name (a failed line holding ".scn"). 1 ran, 0
    // failed, or the result of the file it opened.
    int processScenarioLine(const std::string& line);
    // Loads a scenario file and steps it (runAll 0) or runs it all at once with
    // immediate transitions (runAll != 0). 0 only when the file does not open.
    int openScenario(const std::string& file, int runAll);
    // The same for a script text.
    void runScript(const std::string& text, int runAll);
    void startScenario();
    void stopScenario();
    // One frame of the stepped scenario: lines up to the next wait run.
    void scenarioStep();
    int getPlaying() const { return playing; }

    // Queries, log and gathered lines (the windows' view of the engine).
    std::string getCommandValue(const std::string& query) { return interp.getValue(query); }
    void clearLog() { interp.clearLog(); }
    // The log text, ending in "\n" when not empty.
    std::string getLog() const;
    void setRecording(int on) { interp.setRecording(on); }
    int isRecording() const { return interp.isRecording(); }
    // Every class's state (option) lines, ending in "\n"; "" until configured.
    std::string getStateText();
    std::string getOptionsText();

    // Writers; "Default" or "" names the initial-state file (scenario, state)
    // or the options file. 1 written, 0 not configured or not writable, or
    // the file is one the last load of it did not read whole.
    int saveStateFile(const std::string& file);
    int saveOptionsFile(const std::string& file);
    int saveScenario(const std::string& file);

    // Directories and file names. setDataDir sets the scenario directory too.
    void setDataDir(const std::string& path);
    const std::string& getDataDir() const { return dataDir; }
    const std::string& getScenarioDir() const { return scenarioDir; }
    void setScenarioDir(const std::string& path) { scenarioDir = path; }
    const std::string& getConfigFile() const { return configFile; }
    void setConfigFile(const std::string& path) { configFile = path; }
    const std::string& getInitStatesFile() const { return initStatesFile; }
    void setInitStatesFile(const std::string& path) { initStatesFile = path; }
    const std::string& getOptionsFile() const { return optionsFile; }
    void setOptionsFile(const std::string& path) { optionsFile = path; }

    void setNotifyCallback(std::function<void()> callback) { notifyCallback = std::move(callback); }

    // The start file that could not be read when the start-up left the
    // engine unconfigured, and why; empty otherwise. The window and the
    // command driver tell the user.
    const std::string& getStartFailure() const { return startFailure_; }
    const std::string& getStartFailureReason() const { return startFailureReason_; }

    // Settings other classes read.
    int isConfigured() const { return configured; }
    int getInput() const { return input; }
    double getFps() const { return fps; }
    // Nominal frames of the current frame.
    double getFrameStep() const { return frameStep; }
    // Nominal frames the stepped scenario has counted in its waits.
    double getScenarioFrames() const { return scenarioFrames; }
    double getWait() const { return wait; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    double getAspect() const { return aspect; }
    KeyMap& getKeyMap() { return *keyMap; }

    // The command interpreter every class registers with.
    Interpreter interp;

protected:
    std::string dataDir;
    std::string scenarioDir;
    std::string configFile = "./data/config.def";
    std::string initStatesFile = "./scenarios/init.scn";
    std::string optionsFile = "./scenarios/options.scn";
    int width = 640;
    int height = 480;
    double aspect = 640.0 / 480.0;
    int input = 1;
    double fps = 30.0;
    double frameStep = 0.0;
    double scenarioFrames = 0.0;
    int playing = 0;
    int configured = 0;
    int scenarioEnded = 0;
    CommandArgs scenario;
    // Nominal frames to wait; negative waits for "Next".
    double wait = 0.0;
    // Raised by a key or device binding; the next frame calls notifyCallback.
    int notifyPending = 0;
    std::function<void()> notifyCallback;
    std::unique_ptr<KeyMap> keyMap;

    // Before the start files are read: takes the configuration's own names
    // for them, so that the files read at start are those saved later.
    // Nothing in Main.
    virtual void readStartFileNames() {}
    // The path of a scenario file name while the data directory is current:
    // the start files are data-directory paths like every configured path,
    // other names lie in the scenario directory.
    std::string scenarioPath(const std::string& name) const;

private:
    // Reads a scenario text whole, up to the first NUL byte (a NUL with more
    // after it is logged, and why says it ended the text), after a UTF-8
    // byte-order mark that begins it. A file that does not open or is no
    // regular file, that has a line longer than platform::maxLineBytes, is
    // longer than platform::maxTextFileBytes or fails to read is refused:
    // false, with the reason in why for the
    // caller's one message.
    static bool readWholeFile(const std::string& path, std::string& text, std::string& why);
    // Writes text and one blank into the file (scenarioPath).
    int writeScenarioFile(const std::string& file, const std::string& text);
    // Runs every line of a text at once with immediate transitions.
    void runAll(const std::string& text);

    std::string classWord_;
    std::string startFailure_;
    std::string startFailureReason_;
    // The scenario files the start and the loads (options, initial state,
    // any scenario) read, so that no writer puts the part read over the whole.
    platform::PartlyReadFiles partlyRead_;
    int openDepth_ = 0;
    int stepDepth_ = 0;
    bool countedInStep_ = false;
    int restartsInStep_ = 0;
};
