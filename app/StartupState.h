// The values start-up decides for the whole run: whether the program was
// started with "-reset", the interface locale, and the GL view's link to the
// engine (which the dialogs reach the engine through).
#pragma once

#include <QString>
#include <QStringList>

class EngineLink;
class QTranslator;

namespace StartupState {

// The switch that ignores saved window places and the single-instance check.
constexpr const char* resetSwitch = "-reset";
// The name of the single-instance lock.
constexpr const char* instanceName = "OrvexStudio_Instance";

bool isReset();
void setReset(bool on);
// True when an argument after the program name is exactly "-reset".
bool hasResetSwitch(const QStringList& arguments);

// The interface locale, for example "de" or "en_US".
QString locale();
void setLocale(const QString& name);
// "/Orvex/locale" from the settings, the machine's locale name by default.
QString readLocale();

// Where the translation files are, relative to the working directory.
constexpr const char* translationDir = "./translations";
// Loads prefix + locale (".qm"; "de_AT" falls back to "de") from dir into the
// translator. False, and the translator empty, when no file fits.
bool loadTranslator(QTranslator& translator, const QString& prefix, const QString& locale,
                    const QString& dir = QString::fromLatin1(translationDir));

EngineLink* glView();
void setGlView(EngineLink* link);

} // namespace StartupState
