#include "app/EngineLink.h"

#include <QTextCodec>

EngineLink::EngineLink(QObject* parent) : QObject(parent) {}

EngineLink::~EngineLink() = default;

int EngineLink::processScenarioLine(const std::string& line) {
    Root* r = root();
    return r ? r->processScenarioLine(line) : 0;
}

std::string EngineLink::getCommandValue(const std::string& name) {
    Root* r = root();
    return r ? r->getCommandValue(name) : std::string();
}

void EngineLink::runScript(const std::string& text, int runAll) {
    if (Root* r = root())
        r->runScript(text, runAll);
}

int EngineLink::openScenario(const std::string& file, int runAll) {
    Root* r = root();
    return r ? r->openScenario(file, runAll) : 0;
}

void EngineLink::startScenario() {
    if (Root* r = root())
        r->startScenario();
}

void EngineLink::stopScenario() {
    if (Root* r = root())
        r->stopScenario();
}

int EngineLink::getPlaying() {
    Root* r = root();
    return r ? r->getPlaying() : 0;
}

void EngineLink::clearLog() {
    if (Root* r = root())
        r->clearLog();
}

std::string EngineLink::getLog() {
    Root* r = root();
    return r ? r->getLog() : std::string();
}

void EngineLink::setRecording(int on) {
    if (Root* r = root())
        r->setRecording(on);
}

int EngineLink::isRecording() {
    Root* r = root();
    return r ? r->isRecording() : 0;
}

std::string EngineLink::getStateText() {
    Root* r = root();
    return r ? r->getStateText() : std::string();
}

std::string EngineLink::getDataDir() {
    Root* r = root();
    return r ? r->getDataDir() : std::string();
}

std::string EngineLink::getStartFailure() {
    Root* r = root();
    return r ? r->getStartFailure() : std::string();
}

std::string EngineLink::getInitStatesFile() {
    Root* r = root();
    return r ? r->getInitStatesFile() : std::string();
}

std::string EngineLink::getOrbitDir(OrbitKind kind) {
    Root* r = root();
    return r ? r->getOrbitDir(kind) : std::string();
}

std::vector<std::pair<std::string, std::string>> EngineLink::getBodyDataOrbitFiles() {
    Root* r = root();
    return r ? r->getBodyDataOrbitFiles() : std::vector<std::pair<std::string, std::string>>();
}

int EngineLink::getClassCount() {
    Root* r = root();
    return r ? r->getClassCount() : 0;
}

std::string EngineLink::getClassName(int i) {
    Root* r = root();
    return r ? r->getClassName(i) : std::string();
}

int EngineLink::getCommandCount(int i) {
    Root* r = root();
    return r ? r->getCommandCount(i) : 0;
}

std::string EngineLink::getCommandName(int i, int j) {
    Root* r = root();
    return r ? r->getCommandName(i, j) : std::string();
}

bool EngineLink::isCommandListed(int i, int j) {
    Root* r = root();
    return r ? r->isCommandListed(i, j) : false;
}

std::string EngineLink::getCommandHelp(int i, int j) {
    Root* r = root();
    return r ? r->getCommandHelp(i, j) : std::string();
}

bool EngineLink::hasSelectedBody() {
    Root* r = root();
    return r ? r->hasSelectedBody() : false;
}

std::string EngineLink::formatPlace(int index) {
    Root* r = root();
    return r && r->hasSelectedBody() ? r->formatPlace(index) : std::string();
}

void EngineLink::clearPlaces() {
    Root* r = root();
    if (r && r->hasSelectedBody())
        r->clearPlaces();
}

void EngineLink::addPlace(const std::string& record) {
    Root* r = root();
    if (r && r->hasSelectedBody())
        r->addPlace(record);
}

void EngineLink::ensureDefaultPlace() {
    Root* r = root();
    if (r && r->hasSelectedBody())
        r->ensureDefaultPlace();
}

std::string EngineLink::toEngineText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QString EngineLink::fromEngineText(const std::string& text) {
    QTextCodec* codec = QTextCodec::codecForLocale();
    return codec->toUnicode(text.data(), int(text.size()));
}
