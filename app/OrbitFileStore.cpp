#include "app/OrbitFileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/AtomicSave.h"
#include "app/ReadableFile.h"
#include "model/ModelFile.h"
#include "platform/RegularFile.h"

OrbitFileStore::OrbitFileStore(std::string dir) : dir_(std::move(dir)) {}

bool OrbitFileStore::fileContains(const QString& path, const QString& text) {
    QFile file(path);
    QString error;
    if (!openRegularForReading(file, error, QIODevice::Text))
        return false;
    // Lines are taken in bounded pieces, and no further than a real file
    // goes, so that a huge or endless file costs a bounded read.
    QTextStream in(&file);
    QString line;
    while (file.pos() <= qint64(platform::maxTextFileBytes) &&
           in.readLineInto(&line, qint64(platform::maxLineBytes))) {
        if (line.contains(text))
            return true;
    }
    return false;
}

std::string OrbitFileStore::findOrbitFile(const std::string& name) const {
    for (const std::string& entry : orbitFileNames(dir_)) {
        std::string declared;
        if (readDeclaredName(dir_ + entry, declared) && declared == name)
            return dir_ + entry;
    }
    return {};
}

QString OrbitFileStore::dirPath() const {
    return QFile::decodeName(QByteArray::fromStdString(dir_.empty() ? "." : dir_));
}

bool OrbitFileStore::holds(const QString& file) const {
    const QString dir = QFileInfo(dirPath()).canonicalFilePath();
    const QFileInfo chosen(file);
    return !dir.isEmpty() && chosen.exists() && chosen.canonicalPath() == dir;
}

QString OrbitFileStore::destination(const QString& file) const {
    return QDir(QDir(dirPath()).absolutePath()).filePath(QFileInfo(file).fileName());
}

std::string OrbitFileStore::declaredName(const QString& file) {
    std::FILE* opened = platform::openRegularFile(QFile::encodeName(file).toStdString(), true);
    if (!opened)
        return {};
    std::string name;
    if (!readDeclaredName(fileno(opened), name))
        name.clear();
    std::fclose(opened);
    return name;
}

bool OrbitFileStore::isAmong(const std::string& path, const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        std::error_code failure;
        if (std::filesystem::equivalent(path, file, failure))
            return true;
    }
    return false;
}

bool OrbitFileStore::copyIn(const QString& file, QString& error) const {
    return copy(file, destination(file), error);
}

bool OrbitFileStore::copy(const QString& file, const QString& destination, QString& error) {
    QFile source(file);
    if (!openRegularForReading(source, error))
        return false;
    QByteArray data;
    if (!readWholeFile(source, data, error))
        return false;
    return saveAtomically(destination, data, &error);
}

bool OrbitFileStore::remove(const std::string& path, QString& error) {
    std::error_code failure;
    if (std::filesystem::remove(path, failure))
        return true;
    error = failure ? QString::fromLocal8Bit(failure.message().c_str())
                    : QStringLiteral("The file does not exist.");
    return false;
}
