// Scenario files as the editor opens and saves them: read whole, decoded with
// the engine's text codec (or, when the bytes are not valid in it, with UTF-8
// or byte for byte as Latin-1), and written atomically, so that saving never
// cuts or half-writes a file. A save writes each line the user did not edit
// as the bytes it was read as, with its own line end (CR, LF or CRLF), and a
// UTF-8 byte-order mark when the file began with one (no part of the text);
// an edited or new line is written with the file's codec and its most common
// line end; an empty line after a lone CR never ends in LF, which would read
// as one CRLF end with that CR. A file whose text a NUL byte ends early is
// never written over: what the editor holds of it is only a part.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QTextCodec;
class QTextDocument;

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

    // The lines an editor shows of text(), as it holds them (a text widget
    // shows some characters as line breaks): the lines of the last read or
    // write that a save compares with. Each line of text() by default.
    void setShown(const QStringList& lines);
    // The file's lines (from 1) that cannot be written again as they were
    // read once edited: their bytes are not those the codec writes for their
    // characters, or the editor does not show them as they are.
    QList<int> changedWhenEdited() const;
    // Those of them that writing lines would change: edited, or no longer
    // together as the editor showed them.
    QList<int> changedLines(const QStringList& lines) const;

    // Writes lines with the codec of the last read (the engine's codec for a
    // new file), the lines not edited since the last read or write as they
    // were. Lines that codec cannot hold are written as UTF-8 instead, the
    // lines not edited too. False, with the reason in error(), when the file
    // could not be written or is the one last read in part; the old file is
    // then left as it was.
    bool write(const QString& fileName, const QStringList& lines);
    bool write(const QString& fileName, const QString& text) {
        return write(fileName, text.split(QLatin1Char('\n')));
    }
    // Whether writing lines would change the bytes of a line not edited: that
    // codec cannot hold them, and UTF-8 writes such a line otherwise.
    bool changesKeptLines(const QStringList& lines) const;
    bool changesKeptLines(const QString& text) const {
        return changesKeptLines(text.split(QLatin1Char('\n')));
    }
    // The first of lines (from 1) that the file write would write reads back
    // otherwise, read as read does and shown as an editor shows it (bytes
    // that read as other characters, a mark or a NUL byte); 0 for none.
    int firstLineReadOtherwise(const QStringList& lines) const;

    // The lines a plain-text editor shows of text, and those a document holds.
    static QStringList shownLines(const QString& text);
    static QStringList blocksOf(const QTextDocument& document);

    // The text of the last read or write, line ends as "\n".
    const QString& text() const { return text_; }
    const QString& error() const { return error_; }
    // The name of the codec of the last read or write.
    QByteArray codecName() const;

private:
    // Lines of the file, shown as a run of lines of the editor (one and one
    // unless the editor shows them otherwise).
    struct Run {
        int firstShown = 0, shownCount = 0;
        int firstLine = 0, lineCount = 0;
        QByteArray bytes;      // the lines with the ends between them
        QByteArray end;        // the end of the last line; none at the end of the file
        bool asWritten = true; // writing the shown lines anew gives these bytes
    };
    struct Line {
        QByteArray bytes, end;
        QString text;
    };
    // Takes the bytes of a file as its text; false when a NUL byte ends it early.
    bool take(QByteArray bytes);
    // Splits the bytes into lines decoded with codec_, and shows them as they are.
    void takeLines(const QByteArray& bytes);
    // The file write writes for lines.
    QByteArray bytesFor(const QStringList& lines) const;
    // The codec write uses for lines.
    QTextCodec* codecFor(const QStringList& lines) const;
    QTextCodec* codec() const;
    QByteArray encode(QTextCodec* codec, const QStringList& lines, int from, int count) const;
    // The run of lines whose shown lines stand together, unedited, from after[at].
    int keptRun(const std::vector<int>& match, int at) const;
    // The end written after line, the end before it being before.
    QByteArray endOf(const Line& line, const QByteArray& before) const;

    QTextCodec* codec_ = nullptr;
    bool byteOrderMark_ = false;
    QByteArray lineEnd_ = "\n"; // the most common one of the file
    std::vector<Line> lines_;
    QStringList shown_;
    std::vector<Run> runs_;
    std::vector<int> runOf_; // for each shown line, its run or -1
    QString text_;
    QString error_;
    // The file (its canonical path) the last read took only in part; empty
    // when it was read whole.
    QString readInPart_;
};
