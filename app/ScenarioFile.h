// Scenario files as the editor opens and saves them: read whole, decoded with
// the engine's text codec (or, when the bytes are not valid in it, with UTF-8
// or byte for byte as Latin-1), and written back with the codec they were read
// with, the line ends they had and a UTF-8 byte-order mark when they began
// with one (no part of the text), atomically, so that saving never cuts,
// re-encodes or half-writes a file. A file whose text a NUL byte ends early
// is never written over: what the editor holds of it is only a part.
#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

class ScenarioFile {
public:
    // Reads the file whole. False, with the reason in error(), when it cannot
    // be read; what was read before then stays.
    bool read(const QString& fileName);
    // Whether the last read took the whole file, not only the text before a NUL byte.
    bool readWhole() const { return readInPart_.isEmpty(); }
    // Whether fileName is the file the last read took only in part, which
    // write refuses.
    bool readInPart(const QString& fileName) const;
    // Writes text to the file with the codec and line ends of the last read (the
    // engine's codec and "\n" for a new file). A text that codec cannot hold is
    // written as UTF-8 instead. False, with the reason in error(), when the
    // file could not be written or is the one last read in part; the old
    // file is then left as it was.
    bool write(const QString& fileName, const QString& text);
    // Whether writing text would change the bytes of a line it shares with the
    // text last read or written: that codec cannot hold text, and UTF-8
    // writes such a line otherwise.
    bool changesKeptLines(const QString& text) const;

    // The text of the last read or write, line ends as "\n".
    const QString& text() const { return text_; }
    const QString& error() const { return error_; }
    // The name of the codec of the last read or write.
    QByteArray codecName() const;

    // Decodes the bytes of a file as above and remembers the codec.
    QString decode(const QByteArray& file);

private:
    // The codec write uses for text.
    QTextCodec* codecFor(const QString& text) const;

    QTextCodec* codec_ = nullptr;
    bool crlf_ = false;
    bool byteOrderMark_ = false;
    QString text_;
    QString error_;
    // The file (its canonical path) the last read took only in part; empty
    // when it was read whole.
    QString readInPart_;
};
