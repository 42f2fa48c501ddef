#include "app/StartupState.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

#include "app/WindowSettings.h"

namespace StartupState {

namespace {
bool resetFlag = false;
QString currentLocale;
EngineLink* glViewLink = nullptr;
} // namespace

bool isReset() {
    return resetFlag;
}

void setReset(bool on) {
    resetFlag = on;
}

bool hasResetSwitch(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i)
        if (arguments[i] == QLatin1String(resetSwitch))
            return true;
    return false;
}

QString locale() {
    return currentLocale;
}

void setLocale(const QString& name) {
    currentLocale = name;
}

QString readLocale() {
    auto settings = WindowSettings::open();
    return settings->value(WindowSettings::localeKey, QLocale::system().name()).toString();
}

QStringList translationDirs(const QString& programFolder) {
    const QDir program(programFolder);
    return {
        QStringLiteral("./translations"), program.filePath(QStringLiteral("translations")),
        QDir::cleanPath(program.filePath(QStringLiteral("../share/orvex-studio/translations")))};
}

QString translationDir(const QString& programFolder) {
    const QStringList dirs = translationDirs(programFolder);
    for (const QString& dir : dirs)
        if (!QDir(dir).entryList({QStringLiteral("OrvexStudio_*.qm")}, QDir::Files).isEmpty())
            return dir;
    return dirs.first();
}

QString translationDir() {
    return translationDir(QCoreApplication::applicationDirPath());
}

bool loadTranslator(QTranslator& translator, const QString& prefix, const QString& locale,
                    const QString& dir) {
    return translator.load(prefix + locale, dir);
}

EngineLink* glView() {
    return glViewLink;
}

void setGlView(EngineLink* link) {
    glViewLink = link;
}

} // namespace StartupState
