#include "engine/Main.h"

#include <climits>
#include <cmath>

#include "engine/DataFile.h"
#include "engine/KeyMap.h"
#include "engine/LogMessage.h"
#include "engine/RealToInt.h"
#include "engine/Transition.h"
#include "platform/CurrentDirGuard.h"

namespace {

enum class Word {
    Frame,
    Playing,
    Input,
    Fps,
    RunScenario,
    LoadScenario,
    Wait,
    WaitNext,
    Next,
    InputTog,
    LoadOptions,
    SaveOptions
};

struct CommandWord {
    const char* name;
    Word word;
};

// The root's own command words, in registration (and listing) order.
constexpr CommandWord commandWords[] = {
    {"Frame", Word::Frame},
    {"Playing", Word::Playing},
    {"Input", Word::Input},
    {"FPS", Word::Fps},
    {"RunScenario", Word::RunScenario},
    {"LoadScenario", Word::LoadScenario},
    {"Wait", Word::Wait},
    {"WaitNext", Word::WaitNext},
    {"Next", Word::Next},
    {"InputTog", Word::InputTog},
    {"LoadOptions", Word::LoadOptions},
    {"SaveOptions", Word::SaveOptions},
};

bool findWord(const std::string& name, Word& word) {
    for (const CommandWord& entry : commandWords)
        if (name == entry.name) {
            word = entry.word;
            return true;
        }
    return false;
}

} // namespace

Main::Main(const char* classWord)
    : Base(classWord, nullptr), keyMap(std::make_unique<KeyMap>()), classWord_(classWord) {
    interp.addClass(classWord_, this, &Base::executeThunk, &Base::getValueThunk,
                    &Base::saveStatesThunk, &Base::saveOptionsThunk);
    for (const CommandWord& entry : commandWords)
        interp.addCommand(classWord_, entry.name, false);
}

Main::~Main() = default;

const char* Main::getName() const {
    return classWord_.c_str();
}

const char* Main::getVersion() const {
    return "1.0";
}

int Main::execute() {
    Word word;
    if (!findWord(interp.commandWord, word))
        return 0;
    CommandArgs& args = interp.args;
    switch (word) {
    case Word::Frame:
        return 0; // a query only
    case Word::Playing: {
        int n = 0;
        args.readInt(n);
        playing = n;
        if (n != 0)
            startScenario();
        else
            scenarioEnded = 1;
        return 1;
    }
    case Word::Input:
        args.readInt(input);
        return 1;
    case Word::Fps:
        args.readDouble(fps);
        return 1;
    case Word::RunScenario:
        return openScenario(args.readRest(), 1);
    case Word::LoadScenario:
        return openScenario(args.readRest(), 0);
    case Word::Wait:
        args.readDouble(wait);
        if (std::isnan(wait))
            wait = 0.0; // would never count down
        return 1;
    case Word::WaitNext:
        wait = -1.0;
        return 1;
    case Word::Next:
        wait = 0.0;
        return 1;
    case Word::InputTog:
        input = input == 0 ? 1 : 0;
        return 1;
    case Word::LoadOptions: {
        std::string file = args.readWord();
        if (file == "Default")
            file = optionsFile;
        return openScenario(file, 1);
    }
    case Word::SaveOptions:
        return saveOptionsFile(args.readWord());
    }
    return 0;
}

std::string Main::getValue() {
    Word word;
    if (!findWord(interp.commandWord, word))
        return "Undefined";
    switch (word) {
    case Word::Frame: {
        // Truncated toward zero, as an int holds it.
        return CommandArgs::formatInt(truncToInt(scenarioFrames));
    }
    case Word::Playing:
        return CommandArgs::formatInt(playing);
    case Word::Input:
        return CommandArgs::formatInt(input);
    case Word::Fps:
        return CommandArgs::formatReal(fps);
    default:
        return "Undefined";
    }
}

std::string Main::saveOptions() {
    CommandArgs line;
    line.beginCommand(getName(), "FPS").appendExactDouble(fps);
    return line.getText();
}

void Main::initCommandObjects(int) {}

std::string Main::scenarioPath(const std::string& name) const {
    if (name.empty() || name.front() == '/' || scenarioDir.empty() || name == initStatesFile ||
        name == optionsFile)
        return name;
    return scenarioDir.back() == '/' ? scenarioDir + name : scenarioDir + '/' + name;
}

void Main::setDataDir(const std::string& path) {
    dataDir = path;
    scenarioDir = path;
}

int Main::frame(unsigned elapsedMs) {
    if (!configured)
        return 0;
    scenarioEnded = 0;
    // Time in scripts is counted in nominal frames of 1/fps seconds; a frame
    // without elapsed time, or a rate that is not positive, counts as one.
    frameStep = elapsedMs != 0 && fps > 0.0 ? static_cast<double>(elapsedMs) * fps * 0.001 : 1.0;
    Transition::tickAll(frameStep);
    scenarioStep();
    if (notifyPending && notifyCallback)
        notifyCallback();
    const int ended = scenarioEnded;
    notifyPending = 0;
    return ended;
}

void Main::setSize(int w, int h) {
    if (w > 0 && h > 0) {
        width = w;
        height = h;
    }
}

void Main::setAspect(double a) {
    if (a > 0.0)
        aspect = a;
}

void Main::mouseButton(int, int, int, int) {}

void Main::mouseMove(int, int) {}

void Main::setMousePosition(int, int) {}

void Main::keyPress(int virtualKey) {
    if (!input)
        return;
    const std::string line = keyBinding(virtualKey, isShiftDown() != 0, isCtrlDown() != 0);
    if (line.empty())
        return;
    processScenarioLine(line);
    notifyPending = 1;
}

std::string Main::keyBinding(int virtualKey, bool shiftDown, bool ctrlDown) const {
    return keyMap->find(virtualKey, KeyMap::modifierCode(shiftDown, ctrlDown));
}

void Main::init() {
    if (configured)
        return;
    const platform::CurrentDirGuard dataGuard(dataDir);
    readStartFileNames();
    std::string initialStateText, why;
    const bool initialStatesOpened =
        readWholeFile(scenarioPath(initStatesFile), initialStateText, why);
    partlyRead_.note(scenarioPath(initStatesFile), why);
    if (!initialStatesOpened) {
        logFileFailure("Could not open initialStates file " + initStatesFile + "\n.",
                       scenarioPath(initStatesFile), why);
        startFailure_ = initStatesFile;
        startFailureReason_ = why;
        return;
    }
    std::string optionsText;
    const bool optionsOpened = readWholeFile(scenarioPath(optionsFile), optionsText, why);
    partlyRead_.note(scenarioPath(optionsFile), why);
    if (!optionsOpened) {
        logFileFailure("Could not open options file " + optionsFile + "\n.",
                       scenarioPath(optionsFile), why);
        startFailure_ = optionsFile;
        startFailureReason_ = why;
        return;
    }
    readConfig(initialStateText, optionsText);
    // Read after the configuration, so that it sees every class.
    interp.readHelpFile("./data/argshelp.def");
}

void Main::readConfig(const std::string& initialStateText, const std::string& optionsText) {
    if (configured)
        return;
    const platform::CurrentDirGuard guard(dataDir);
    interp.setRecording(0);
    interp.clearLog();
    DataFile file;
    if (!file.open(configFile, DataFile::Read, 0, DataFile::HostOrder)) {
        logFileFailure("Could not open config file", configFile, file.error());
        startFailure_ = configFile;
        startFailureReason_ = file.error();
        return;
    }
    startFailure_.clear();
    startFailureReason_.clear();
    readConfigEntry(file);
    runScript(optionsText, 1);
    scenario.setText(initialStateText);
    startScenario();
    scenarioStep();
    // Stays set even when the initial state already ran to its end: the first
    // frame then reports the end.
    playing = 1;
    initCommandObjects(1);
    configured = 1;
}
