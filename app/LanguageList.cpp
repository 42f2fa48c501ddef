#include "app/LanguageList.h"

#include <QDir>

namespace LanguageList {

namespace {

const QString prefix = QStringLiteral("OrvexStudio_");
const QString extension = QStringLiteral(".qm");

QStringList& languages() {
    static QStringList list{QString::fromLatin1(untranslated)};
    return list;
}

} // namespace

QStringList scan(const QString& dir) {
    QStringList found{QString::fromLatin1(untranslated)};
    const QStringList files =
        QDir(dir).entryList({prefix + "*" + extension}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        const QString locale =
            file.mid(prefix.size(), file.size() - prefix.size() - extension.size());
        if (!locale.isEmpty() && locale != QLatin1String(untranslated))
            found.append(locale);
    }
    return found;
}

const QStringList& current() {
    return languages();
}

void setCurrent(const QStringList& list) {
    languages() = list;
}

} // namespace LanguageList
