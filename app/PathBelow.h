// Whether a path lies inside a directory, decided on whole path components
// ("/data2/x" is not inside "/data"): the part of path below dir, "" for dir
// itself, a null text when path is not inside. Both are compared as given;
// callers canonicalise them first where links and ".." must not count.
#pragma once

#include <QString>

inline QString pathBelow(const QString& path, const QString& dir) {
    if (path.isEmpty() || dir.isEmpty())
        return QString();
    if (path == dir)
        return QStringLiteral("");
    const QString prefix = dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
    return path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
}
