// One orbit directory of comets, asteroids or spacecraft as the object lists
// see it: files come in from anywhere and go out by the name of the object
// they declare. The directory is read by the engine's own rules (the same
// entries in the same order, the same first "Name:"), so the file removed for
// an object is the one the engine loaded it from.
#pragma once

#include <QString>
#include <string>
#include <vector>

class OrbitFileStore {
public:
    // dir as the engine has it configured (8-bit, usually ending in "/").
    explicit OrbitFileStore(std::string dir);

    // Whether some line of the file contains text; false when it cannot be read.
    static bool fileContains(const QString& path, const QString& text);

    // The path of the directory's file that declares name (dir + entry, as
    // the engine names it); empty when no file does.
    std::string findOrbitFile(const std::string& name) const;
    // The name a file declares, read as the engine reads it; empty when it
    // declares none or is no regular file.
    static std::string declaredName(const QString& file);
    // Whether path is the same file as one of files (links followed).
    static bool isAmong(const std::string& path, const std::vector<std::string>& files);

    // Whether file lies in the directory itself, decided on canonical paths
    // (links and "." or ".." resolved); false while either does not exist.
    bool holds(const QString& file) const;
    // Where file is copied to: its name in the directory.
    QString destination(const QString& file) const;
    // Copies file in, replacing a file of the same name only once the whole
    // copy is written. On failure error says why and the directory keeps
    // what it had.
    bool copyIn(const QString& file, QString& error) const;
    // The same to another destination (an older file of the directory).
    static bool copy(const QString& file, const QString& destination, QString& error);

    // Deletes a file found by findOrbitFile; on failure error says why.
    static bool remove(const std::string& path, QString& error);

private:
    QString dirPath() const;

    std::string dir_;
};
