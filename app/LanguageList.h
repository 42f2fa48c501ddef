// The interface languages the program has translations for: the locale of
// every "OrvexStudio_<locale>.qm" file, with "en_us" (the untranslated
// interface) always first. A language's position in the list is the
// identifier of its item in the language menu.
#pragma once

#include <QString>
#include <QStringList>

namespace LanguageList {

constexpr const char* untranslated = "en_us";

// The languages of the plain files in dir, sorted by file name without regard
// to case; "en_us" once, first. A missing directory gives "en_us" alone.
QStringList scan(const QString& dir);

// The list the language menu was built from.
const QStringList& current();
void setCurrent(const QStringList& languages);

} // namespace LanguageList
