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

// The folders translation files may be in, in the order they are looked in:
// "./translations" of the working directory (the data set), "translations"
// beside the program (a build), and the installed data folder
// "../share/orvex-studio/translations" from the program's folder.
QStringList translationDirs(const QString& programFolder);
// The first of them that holds a translation of the program
// ("OrvexStudio_*.qm"); the working directory's when none does.
QString translationDir(const QString& programFolder);
// translationDir for the running program's folder.
QString translationDir();
// Loads prefix + locale (".qm"; "de_AT" falls back to "de") from dir into the
// translator. False, and the translator empty, when no file fits.
bool loadTranslator(QTranslator& translator, const QString& prefix, const QString& locale,
                    const QString& dir = translationDir());

EngineLink* glView();
void setGlView(EngineLink* link);

} // namespace StartupState
