// Opening a file for reading only when it is a regular file: opening a
// named pipe blocks until some other program writes to it, which would hang
// the window; a device or a directory holds nothing to read.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

// Opens file read-only with the extra mode bits; on failure error holds why.
inline bool openRegularForReading(QFile& file, QString& error,
                                  QIODevice::OpenMode extra = QIODevice::NotOpen) {
    if (QFileInfo(file.fileName()).exists() && !QFileInfo(file.fileName()).isFile()) {
        error = QCoreApplication::translate("ReadableFile", "not a regular file");
        return false;
    }
    if (file.open(QIODevice::ReadOnly | extra))
        return true;
    error = file.errorString();
    return false;
}
