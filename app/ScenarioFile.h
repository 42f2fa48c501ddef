// Scenario files as the editor opens and saves them: read whole, decoded with
// the engine's text codec (or, when the bytes are not valid in it, with UTF-8
// or byte for byte as Latin-1), and written back with the codec they were read
// with, the line ends they had and a UTF-8 byte-order mark when they began
// with one (no part of the text), atomically, so that saving never cuts,
// re-encodes or half-writes a file.
#pragma once

#include <QByteArray>
#include <QString>

class QTextCodec;

class ScenarioFile {
public:
    // Reads the file whole. False, with the reason in error(), when it cannot be read.
    bool read(const QString& fileName);
    // Writes text to the file with the codec and line ends of the last read (the
    // engine's codec and "\n" for a new file). A text that codec cannot hold is
    // written as UTF-8 instead. False, with the reason in error(), when the
    // file could not be written; the old file is then left as it was.
    bool write(const QString& fileName, const QString& text);

    // The text of the last read, line ends as "\n".
    const QString& text() const { return text_; }
    const QString& error() const { return error_; }
    // The name of the codec of the last read or write.
    QByteArray codecName() const;

    // Decodes the bytes of a file as above and remembers the codec.
    QString decode(const QByteArray& file);

private:
    QTextCodec* codec_ = nullptr;
    bool crlf_ = false;
    bool byteOrderMark_ = false;
    QString text_;
    QString error_;
};
