// The bookmarks file "bookmarks.xml": a tree of named addresses in folders and
// one home address. Reading creates a missing file with the default content;
// a file that cannot be read or does not parse is left alone for good (it may
// hold the user's bookmarks), so nothing is written over it. Writing replaces
// the file in one step, with addresses under the program directory made
// relative ("./...").
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "platform/PartlyReadFiles.h"

// One entry of the bookmark tree. Folders have no address; a bookmark may
// have children too (an older file may nest them), which are kept.
struct BookmarkEntry {
    bool folder = false;
    QString name;
    QString uri;
    std::vector<BookmarkEntry> children;

    bool operator==(const BookmarkEntry& other) const;
    bool operator!=(const BookmarkEntry& other) const { return !(*this == other); }
};

struct BookmarkTree {
    QString home;
    std::vector<BookmarkEntry> entries;

    bool operator==(const BookmarkTree& other) const;
    bool operator!=(const BookmarkTree& other) const { return !(*this == other); }
};

class BookmarkFile {
public:
    enum class Status {
        Unread,
        Read,       // the file's bookmarks
        Created,    // it was missing: written with the default content
        Default,    // it was missing and could not be created: the default content
        Unreadable, // it exists but cannot be opened
        Malformed   // not XML, or not a bookmarks document
    };

    // fileName as given (relative names against the working directory of now).
    explicit BookmarkFile(const QString& fileName);

    // The absolute name the file is read from and written to.
    const QString& fileName() const { return fileName_; }
    Status status() const { return status_; }
    // Why the last read left the file alone (empty otherwise).
    const QString& error() const { return error_; }
    // False after a read that found a file it must not write over.
    bool isWritable() const;

    // Reads the file (creating a missing one); reports a file it has to leave
    // alone through the log and answers an empty tree then.
    BookmarkTree read();
    // Whether the file is no longer as the last read found it or the last
    // write left it: another program or user saved it since. A file that is
    // gone is not: a write makes it again.
    bool changedSinceRead() const;
    // Replaces the file with the tree; baseDir is the program directory.
    // Refuses (false) while the file is not writable or has changed since it
    // was read, and on any failure, which leaves the file as it was; error
    // (when given) says why it failed.
    bool write(const BookmarkTree& tree, const QString& baseDir, QString* error = nullptr);
    // Writes the tree into a new file beside this one ("bookmarks-kept-1.xml",
    // the first such name that is free), for a file that changed since it
    // was read; the name written, or empty (with error) when none could be.
    QString writeBeside(const BookmarkTree& tree, const QString& baseDir,
                        QString* error = nullptr) const;

    // The default content: the declaration, a home page under the program
    // directory and one bookmark of the program's web site.
    static QByteArray defaultContent();
    // The tree of a document; false (with the reason) when it is not a
    // bookmarks document.
    static bool parse(const QByteArray& bytes, BookmarkTree* tree, QString* error);
    // The text written for a tree.
    static QByteArray serialize(const BookmarkTree& tree, const QString& baseDir);
    // An address as it is written: back slashes become "/", and a local file
    // (a path or a "file:" address) inside baseDir becomes "./" and its path
    // under baseDir, canonical paths compared. Anything else is unchanged.
    static QString relativeAddress(const QString& uri, const QString& baseDir);

private:
    QString fileName_;
    // The file as the last read found it or the last write left it; none
    // when a read saw it change under it.
    std::optional<platform::FileIdentity> identity_;
    Status status_ = Status::Unread;
    QString error_;
};
