#include "app/StartupState.h"

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
