// The windows' way to write a file whole or not at all (see
// platform/AtomicFile.h), with Qt's names and texts.
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes as the whole content of fileName. False, with the reason in
// *error when given, when it cannot; the old file then stays as it was.
bool saveAtomically(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);
