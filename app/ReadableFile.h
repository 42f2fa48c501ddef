// Opening a file for reading only when it is a regular file: opening a
// named pipe blocks until some other program writes to it, which would hang
// the window; a device or a directory holds nothing to read.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <string>

#include "platform/ReadLimits.h"
#include "platform/RegularFile.h"

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

// The whole of a file opened by openRegularForReading, when it holds at most
// maxBytes (a huge file is refused by its size, an endless one that reports
// none by what was read); false with the reason in error otherwise.
inline bool readWholeFile(QFile& file, QByteArray& bytes, QString& error,
                          qint64 maxBytes = qint64(platform::maxTextFileBytes)) {
    bytes.clear();
    if (file.size() <= maxBytes) {
        char piece[65536];
        qint64 got;
        while ((got = file.read(piece, sizeof piece)) > 0 && bytes.size() + got <= maxBytes)
            bytes.append(piece, int(got));
        if (got < 0) {
            error = file.errorString();
            bytes.clear();
            return false;
        }
        if (got == 0)
            return true;
    }
    bytes.clear();
    error = QCoreApplication::translate("ReadableFile", "longer than %1 bytes").arg(maxBytes);
    return false;
}

// Opens file, which has no name of its own, read-only on the local file path
// through the platform's check: a pipe is refused by what it is without
// waiting for a writer, and nothing can take the name's place between the
// check and the read. On failure error holds why.
inline bool openCheckedPath(QFile& file, const QString& path, QString& error) {
    std::string why;
    std::FILE* handle =
        platform::openRegularFile(QFile::encodeName(path).toStdString(), true, &why);
    if (!handle) {
        error = QString::fromLocal8Bit(why.c_str());
        return false;
    }
    if (file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    error = file.errorString();
    std::fclose(handle);
    return false;
}

// The whole of the local file path, checked and read as the two above do.
inline bool readCheckedPath(const QString& path, QByteArray& bytes, QString& error,
                            qint64 maxBytes = qint64(platform::maxTextFileBytes)) {
    QFile file;
    return openCheckedPath(file, path, error) && readWholeFile(file, bytes, error, maxBytes);
}
