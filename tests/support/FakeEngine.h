// A stand-in for the GL view's engine link in window tests. Its root,
// `recorded`, keeps every command line, script, query and place operation the
// windows send and answers queries from a table ("Undefined" for a name it has
// no answer for); the link can play the view's signals. Until `started` is set
// it behaves as a view whose engine has not started: it has no root.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/EngineLink.h"

namespace orvextest {

class FakeRoot : public EngineLink::Root {
public:
    int processScenarioLine(const std::string& line) override {
        lines.push_back(line);
        auto logged = logOnLine.find(line);
        if (logged != logOnLine.end())
            log += logged->second;
        return 1;
    }
    std::string getCommandValue(const std::string& name) override {
        queries.push_back(name);
        auto found = answers.find(name);
        return found == answers.end() ? "Undefined" : found->second;
    }
    void runScript(const std::string& text, int runAll) override {
        scripts.push_back({text, runAll});
    }
    int openScenario(const std::string& file, int runAll) override {
        scenarios.push_back({file, runAll});
        return 1;
    }
    void startScenario() override { playing = 1; }
    void stopScenario() override { playing = 0; }
    int getPlaying() override { return playing; }
    void clearLog() override { log.clear(); }
    std::string getLog() override { return log; }
    void setRecording(int on) override { recording = on; }
    int isRecording() override { return recording; }
    std::string getStateText() override { return stateText; }
    std::string getDataDir() override { return dataDir; }
    std::string getInitStatesFile() override { return initStatesFile; }
    std::string getStartFailure() override { return startFailure; }
    std::string getOrbitDir(int kind) override {
        static const char* const dirs[] = {"./data/orbits/comets/", "./data/orbits/asteroids/",
                                           "./data/orbits/spacecrafts/",
                                           "./data/orbits/asatellites/"};
        return kind >= 0 && kind < 4 ? dirs[kind] : "";
    }
    std::vector<std::pair<std::string, std::string>> getBodyDataOrbitFiles() override {
        return bodyDataOrbitFiles;
    }
    int getClassCount() override { return int(classes.size()); }
    std::string getClassName(int i) override { return classes.at(std::size_t(i)).name; }
    int getCommandCount(int i) override { return int(classes.at(std::size_t(i)).commands.size()); }
    std::string getCommandName(int i, int j) override {
        return classes.at(std::size_t(i)).commands.at(std::size_t(j));
    }
    bool isCommandListed(int i, int j) override {
        const ClassListing& c = classes.at(std::size_t(i));
        return c.hidden.count(c.commands.at(std::size_t(j))) == 0;
    }
    std::string getCommandHelp(int i, int j) override {
        if (i < 0 || i >= int(classes.size()))
            return {};
        const ClassListing& c = classes[std::size_t(i)];
        if (j < 0 || j >= int(c.commands.size()))
            return {};
        auto found = c.help.find(c.commands[std::size_t(j)]);
        return found == c.help.end() ? std::string() : found->second;
    }
    bool hasSelectedBody() override { return selectedBody; }
    std::string formatPlace(int index) override {
        return index >= 0 && index < int(places.size()) ? places[std::size_t(index)] : "";
    }
    void clearPlaces() override { places.clear(); }
    void addPlace(const std::string& record) override { places.push_back(record); }
    void ensureDefaultPlace() override {
        for (const std::string& place : places)
            if (place.rfind("Surface ", 0) == 0)
                return;
        places.push_back("Surface 0 0");
    }
    struct Run {
        std::string text;
        int runAll;
    };
    struct ClassListing {
        std::string name;
        std::vector<std::string> commands;
        // Commands left out of the listings, and help lines by command.
        std::set<std::string> hidden = {};
        std::map<std::string, std::string> help = {};
    };

    std::vector<std::string> lines;
    std::vector<std::string> queries;
    std::map<std::string, std::string> answers;
    std::vector<Run> scripts;
    std::vector<Run> scenarios;
    std::vector<ClassListing> classes;
    std::vector<std::string> places;
    bool selectedBody = true;
    int playing = 0;
    int recording = 0;
    std::string log;
    // What running a line adds to the log (as "Camera.RecordView" does).
    std::map<std::string, std::string> logOnLine;
    std::string stateText;
    std::string dataDir = ".";
    std::string initStatesFile = "./scenarios/init.scn";
    std::string startFailure;
    // The bodies of the body data file with the orbit files they name.
    std::vector<std::pair<std::string, std::string>> bodyDataOrbitFiles;
};

class FakeEngine : public EngineLink {
public:
    explicit FakeEngine(bool started = true) : started(started) {}

    EngineLink::Root* root() const override { return started ? &recorded : nullptr; }

    void setMouseMode(int mode) override {
        EngineLink::setMouseMode(mode);
        mouseModes.push_back(mode);
    }

    // The view's signals, as the engine would send them.
    void emitUpdated() { emit updated(); }
    void emitKeyEvent() { emit keyEvent(); }
    void emitScenarioEnd() { emit scenarioEnd(); }
    void emitMouseModeChanged(int mode) { emit mouseModeChanged(mode); }

    bool started;
    mutable FakeRoot recorded;
    std::vector<int> mouseModes;
};

} // namespace orvextest
