// The scenario runner of Main: stepped scenarios with waits, scripts run at
// once with immediate transitions, condition lines and scenario file names.
#include "engine/Main.h"

#include "engine/LogMessage.h"
#include "engine/ScenarioCondition.h"
#include "engine/Transition.h"
#include "platform/CurrentDirGuard.h"

namespace {

// Scenarios that open each other without a wait in between nest on the stack;
// past this depth the next one is refused.
constexpr int MaxScenarioNesting = 32;
// A scenario that restarts itself without reaching a wait would run forever
// within one frame; past this many restarts in one step it is stopped.
constexpr int MaxRestartsPerStep = 100;

class DepthCount {
public:
    explicit DepthCount(int& depth) : depth_(depth) { ++depth_; }
    ~DepthCount() { --depth_; }
    DepthCount(const DepthCount&) = delete;
    DepthCount& operator=(const DepthCount&) = delete;

private:
    int& depth_;
};

bool namesScenarioFile(std::string_view text) {
    return text.find(".scn") != std::string_view::npos;
}

} // namespace

int Main::processScenarioLine(const std::string& line) {
    // A chosen branch may be another condition: the chain is followed in
    // place within the one line, so a long chain costs neither stack nor
    // copies of the rest of the line per level.
    std::string_view rest(line);
    // A second branch runs to the end of the line: it names a file when the
    // line's last ".scn" lies within it. Searching each level's branch anew
    // would make a chain's time grow with the square of its length.
    const std::string_view whole = ScenarioCondition::trim(line);
    const std::size_t lastFileMark = line.rfind(".scn");
    const auto namesFile = [&](std::string_view branch) {
        const auto begin = static_cast<std::size_t>(branch.data() - line.data());
        if (branch.data() + branch.size() != whole.data() + whole.size())
            return namesScenarioFile(branch);
        return lastFileMark != std::string::npos && lastFileMark >= begin;
    };
    for (;;) {
        const std::string_view trimmed = ScenarioCondition::trim(rest);
        if (trimmed.empty() || trimmed[0] != '?')
            break;
        ScenarioCondition condition;
        if (!condition.parse(trimmed))
            return 0;
        const std::string_view branch = condition.branchFor(interp.getValue(condition.query));
        if (namesFile(branch))
            return openScenario(std::string(branch), 0);
        rest = branch;
    }
    const std::string command = rest.size() == line.size() ? line : std::string(rest);
    if (interp.executeLine(command) != 0)
        return 1;
    // A line that is no command but names a scenario file opens it.
    if (namesScenarioFile(command))
        return openScenario(command, 0);
    return 0;
}

int Main::openScenario(const std::string& file, int runAllLines) {
    if (openDepth_ >= MaxScenarioNesting) {
        logMessage("Scenario file %s not opened: scenarios nested more than %d deep.", file.c_str(),
                   MaxScenarioNesting);
        return 0;
    }
    const DepthCount depth(openDepth_);
    std::string text;
    {
        const platform::CurrentDirGuard dataGuard(dataDir);
        std::string why;
        const bool opened = readWholeFile(scenarioPath(file), text, why);
        partlyRead_.note(scenarioPath(file), why);
        if (!opened) {
            logFileFailure("Could not open scenario file " + file + "\n.", scenarioPath(file), why);
            return 0;
        }
        if (!runAllLines) {
            // An empty file leaves a running scenario running.
            if (!text.empty()) {
                scenario.setText(text);
                startScenario();
                scenarioStep();
            }
            return 1;
        }
    }
    runAll(text);
    return 1;
}

void Main::runScript(const std::string& text, int runAllLines) {
    if (runAllLines) {
        runAll(text);
        return;
    }
    scenario.setText(text);
    startScenario();
}

void Main::runAll(const std::string& text) {
    // The stepped scenario is dropped; if one was running it ends at its next
    // step, unless it is counting down a wait.
    scenario.setText(std::string());
    // Every animated change reaches its target at once, so the end state of
    // the script is exact.
    const int previousMode = Transition::getGlobalMode();
    Transition::setGlobalMode(Transition::Immediate);
    CommandArgs items(text);
    while (items.getPos() < items.getText().size()) {
        const std::string item = items.readRest();
        if (!item.empty())
            processScenarioLine(item);
    }
    Transition::setGlobalMode(previousMode);
}

void Main::startScenario() {
    playing = 1;
    scenarioFrames = 0.0;
    wait = 0.0;
    scenario.setPos(0);
    if (stepDepth_ > 0)
        ++restartsInStep_;
}

void Main::stopScenario() {
    playing = 0;
    scenarioEnded = 1;
}

void Main::scenarioStep() {
    if (!playing)
        return;
    if (stepDepth_ == 0) {
        countedInStep_ = false;
        restartsInStep_ = 0;
    }
    const DepthCount depth(stepDepth_);
    for (;;) {
        if (scenario.atLastCharacter()) {
            if (wait <= 0.0) {
                playing = 0;
                scenarioEnded = 1;
                // While recording, the lines this step ran are still to be
                // taken into the recording after the frame.
                if (!interp.isRecording())
                    interp.clearLog();
                return;
            }
            break; // finish the countdown first
        }
        if (wait < 0.0)
            return; // held until "Next"
        if (wait > 0.0)
            break;
        processScenarioLine(scenario.readRest());
        if (!playing)
            return; // stopped by the line
        if (restartsInStep_ > MaxRestartsPerStep) {
            logMessage("Scenario stopped: it restarts itself without a wait.");
            stopScenario();
            return;
        }
    }
    // A scenario loaded by a line of this step has already counted this
    // frame in its own step.
    if (countedInStep_)
        return;
    countedInStep_ = true;
    scenarioFrames += frameStep;
    wait -= frameStep;
    if (wait < 0.0)
        wait = 0.0;
}
