#include "app/ScenarioFile.h"

#include "app/ReadableFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextDocument>
#include <algorithm>
#include <numeric>

#include "app/AtomicSave.h"
#include "app/LineMatch.h"
#include "platform/ByteOrderMark.h"

namespace {

// text in codec, or null when its bytes are not valid there.
bool decodes(QTextCodec* codec, const QByteArray& bytes, QString& text) {
    if (!codec)
        return false;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

QByteArray encodeLine(QTextCodec* codec, const QString& line) {
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return codec->fromUnicode(line.constData(), line.size(), &state);
}

} // namespace

QTextCodec* ScenarioFile::codec() const {
    return codec_ ? codec_ : QTextCodec::codecForLocale();
}

void ScenarioFile::takeLines(const QByteArray& bytes) {
    lines_.clear();
    int lf = 0, crlf = 0, cr = 0;
    int start = 0;
    for (int i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        const int length = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
        ++(length == 2 ? crlf : c == '\n' ? lf : cr);
        lines_.push_back({bytes.mid(start, i - start), bytes.mid(i, length), QString()});
        i += length - 1;
        start = i + 1;
    }
    lines_.push_back({bytes.mid(start), QByteArray(), QString()});
    lineEnd_ = crlf > lf && crlf >= cr ? "\r\n" : cr > lf && cr > crlf ? "\r" : "\n";
    for (Line& line : lines_) {
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        line.text = codec()->toUnicode(line.bytes.constData(), line.bytes.size(), &state);
    }
}

bool ScenarioFile::read(const QString& fileName) {
    QFile file(fileName);
    if (!openRegularForReading(file, error_))
        return false;
    QByteArray bytes;
    if (!readWholeFile(file, bytes, error_))
        return false;
    readInPart_.clear();
    if (!take(bytes))
        readInPart_ = QFileInfo(fileName).canonicalFilePath();
    error_.clear();
    return true;
}

bool ScenarioFile::take(QByteArray bytes) {
    // The engine stops at the first NUL byte; so does the editor.
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    // A byte-order mark an editor put first is no part of the text (the
    // engine skips it too); it is written back.
    const int mark =
        int(platform::byteOrderMarkLength(bytes.constData(), std::size_t(bytes.size())));
    byteOrderMark_ = mark > 0;
    bytes.remove(0, mark);
    // The engine reads scenarios in its own codec, the one the view made the
    // locale's; a file written elsewhere may be UTF-8; anything else is kept
    // byte for byte.
    QTextCodec* const candidates[] = {QTextCodec::codecForLocale(),
                                      QTextCodec::codecForName("UTF-8")};
    codec_ = QTextCodec::codecForName("ISO-8859-1");
    QString whole;
    for (QTextCodec* codec : candidates)
        if (decodes(codec, bytes, whole)) {
            codec_ = codec;
            break;
        }
    takeLines(bytes);
    QStringList texts;
    for (const Line& line : lines_)
        texts << line.text;
    text_ = texts.join(QLatin1Char('\n'));
    setShown(texts);
    return nul < 0;
}

QByteArray ScenarioFile::encode(QTextCodec* codec, const QStringList& lines, int from,
                                int count) const {
    QByteArray bytes;
    for (int i = from; i < from + count; ++i)
        bytes += (i > from ? lineEnd_ : QByteArray()) + encodeLine(codec, lines[i]);
    return bytes;
}

void ScenarioFile::setShown(const QStringList& shown) {
    shown_ = shown;
    runs_.clear();
    runOf_.assign(size_t(shown.size()), -1);
    QStringList texts;
    for (const Line& line : lines_)
        texts << line.text;
    std::vector<int> match(size_t(shown.size()));
    if (texts == shown)
        std::iota(match.begin(), match.end(), 0);
    else
        match = matchLines(texts, shown);
    // The lines between two matched ones are one run: the editor shows them
    // otherwise.
    const auto addRun = [&](int shown0, int shown1, int line0, int line1) {
        if (line0 == line1)
            return; // no line of the file: lines the editor made
        Run run{shown0, shown1 - shown0, line0, line1 - line0, {}, {}, false};
        for (int i = line0; i < line1; ++i)
            run.bytes += lines_[size_t(i)].bytes + (i + 1 < line1 ? lines_[size_t(i)].end : "");
        run.end = lines_[size_t(line1 - 1)].end;
        run.asWritten =
            run.shownCount > 0 && encode(codec(), shown, shown0, run.shownCount) == run.bytes;
        for (int i = shown0; i < shown1; ++i)
            runOf_[size_t(i)] = int(runs_.size());
        runs_.push_back(run);
    };
    int shownAt = 0, lineAt = 0;
    for (int i = 0; i <= shown.size(); ++i) {
        const int line = i < shown.size() ? match[size_t(i)] : int(lines_.size());
        if (line < 0)
            continue;
        addRun(shownAt, i, lineAt, line);
        if (i < shown.size())
            addRun(i, i + 1, line, line + 1);
        shownAt = i + 1;
        lineAt = line + 1;
    }
}

QList<int> ScenarioFile::changedWhenEdited() const {
    QList<int> numbers;
    for (const Run& run : runs_)
        for (int i = 0; !run.asWritten && i < run.lineCount; ++i)
            numbers << run.firstLine + i + 1;
    return numbers;
}

int ScenarioFile::keptRun(const std::vector<int>& match, int at) const {
    const int shown = match[size_t(at)];
    const int index = shown < 0 ? -1 : runOf_[size_t(shown)];
    if (index < 0 || runs_[size_t(index)].firstShown != shown)
        return 0;
    const int count = runs_[size_t(index)].shownCount;
    for (int k = 1; k < count; ++k)
        if (size_t(at + k) >= match.size() || match[size_t(at + k)] != shown + k)
            return 0;
    return count;
}

QList<int> ScenarioFile::changedLines(const QStringList& lines) const {
    const std::vector<int> match = matchLines(shown_, lines);
    // Where each shown line stands now, the nearest placed ones before and
    // after each, and the new lines before each place.
    std::vector<int> placed(size_t(shown_.size()), -1);
    std::vector<int> newBefore(size_t(lines.size()) + 1, 0);
    QSet<QString> written; // the new lines: a line moved is one of them
    for (size_t at = 0; at < match.size(); ++at) {
        if (match[at] >= 0)
            placed[size_t(match[at])] = int(at);
        else
            written.insert(lines[int(at)]);
        newBefore[at + 1] = newBefore[at] + (match[at] < 0 ? 1 : 0);
    }
    std::vector<int> placedBefore(placed.size() + 1, -1),
        placedFrom(placed.size() + 1, int(lines.size()));
    for (size_t i = 0; i < placed.size(); ++i)
        placedBefore[i + 1] = placed[i] >= 0 ? placed[i] : placedBefore[i];
    for (size_t i = placed.size(); i-- > 0;)
        placedFrom[i] = placed[i] >= 0 ? placed[i] : placedFrom[i + 1];

    QList<int> numbers;
    for (const Run& run : runs_) {
        if (run.asWritten)
            continue;
        const int first = run.firstShown, end = run.firstShown + run.shownCount;
        const int at = run.shownCount > 0 ? placed[size_t(first)] : -1;
        if (at >= 0 && keptRun(match, at) == run.shownCount)
            continue;
        // Deleted, nothing typed in its place and not moved elsewhere, it is
        // no line changed.
        const bool partlyPlaced = placedBefore[size_t(end)] > placedBefore[size_t(first)];
        const int from = placedBefore[size_t(first)] + 1, to = placedFrom[size_t(end)];
        const bool moved = std::any_of(shown_.begin() + first, shown_.begin() + end,
                                       [&](const QString& line) { return written.contains(line); });
        if (run.shownCount > 0 && !partlyPlaced &&
            newBefore[size_t(to)] == newBefore[size_t(from)] && !moved)
            continue;
        for (int i = 0; i < run.lineCount; ++i)
            numbers << run.firstLine + i + 1;
    }
    return numbers;
}

QTextCodec* ScenarioFile::codecFor(const QStringList& lines) const {
    return codec()->canEncode(lines.join(QLatin1Char('\n'))) ? codec()
                                                             : QTextCodec::codecForName("UTF-8");
}

bool ScenarioFile::changesKeptLines(const QStringList& lines) const {
    QTextCodec* const was = codec();
    QTextCodec* const now = codecFor(lines);
    if (now == was)
        return false;
    const std::vector<int> match = matchLines(shown_, lines);
    for (int at = 0; at < lines.size(); ++at)
        if (match[size_t(at)] >= 0 && encodeLine(was, lines[at]) != encodeLine(now, lines[at]))
            return true;
    return false;
}

bool ScenarioFile::readInPart(const QString& fileName) const {
    return !readInPart_.isEmpty() && QFileInfo(fileName).canonicalFilePath() == readInPart_;
}

QByteArray ScenarioFile::bytesFor(const QStringList& lines) const {
    QTextCodec* const codec = codecFor(lines);
    const bool sameCodec = codec == this->codec();
    const std::vector<int> match = matchLines(shown_, lines);
    // Each line to write with the end it was read with: none for a line
    // written anew, nor for the file's last line.
    std::vector<Line> written;
    for (int at = 0; at < lines.size();) {
        const int kept = keptRun(match, at);
        if (kept > 0 && sameCodec) {
            const Run& run = runs_[size_t(runOf_[size_t(match[size_t(at)])])];
            written.insert(written.end(), lines_.begin() + run.firstLine,
                           lines_.begin() + run.firstLine + run.lineCount);
            at += kept;
        } else if (kept > 0) {
            const Run& run = runs_[size_t(runOf_[size_t(match[size_t(at)])])];
            for (int k = 0; k < kept; ++k)
                written.push_back({encodeLine(codec, lines[at + k]),
                                   k + 1 < kept ? lineEnd_ : run.end, QString()});
            at += kept;
        } else {
            written.push_back({encodeLine(codec, lines[at]), QByteArray(), QString()});
            ++at;
        }
    }
    QByteArray body = byteOrderMark_ ? QByteArray(platform::utf8ByteOrderMark) : QByteArray();
    QByteArray end; // the one written last
    for (size_t i = 0; i < written.size(); ++i) {
        body += written[i].bytes;
        if (i + 1 < written.size()) {
            end = endOf(written[i], end);
            body += end;
        }
    }
    return body;
}

QByteArray ScenarioFile::endOf(const Line& line, const QByteArray& before) const {
    const QByteArray end = line.end.isEmpty() ? lineEnd_ : line.end;
    // A lone CR and an LF right after it read as one CRLF end: an empty line
    // after a lone CR, whose end comes right after that CR, ends in a lone CR
    // too. No other two ends read as one: lines hold no CR nor LF.
    if (before == "\r" && line.bytes.isEmpty() && end == "\n")
        return before;
    return end;
}

bool ScenarioFile::write(const QString& fileName, const QStringList& lines) {
    if (readInPart(fileName)) {
        error_ = QCoreApplication::translate(
            "ScenarioFile",
            "only the text before its first NUL byte was read; the rest would be lost");
        return false;
    }
    const QByteArray bytes = bytesFor(lines);
    if (!saveAtomically(fileName, bytes, &error_))
        return false;
    // What was written is what the next save keeps.
    codec_ = codecFor(lines);
    const int mark = byteOrderMark_ ? int(qstrlen(platform::utf8ByteOrderMark)) : 0;
    takeLines(bytes.mid(mark));
    setShown(lines);
    text_ = lines.join(QLatin1Char('\n'));
    error_.clear();
    return true;
}

int ScenarioFile::firstLineReadOtherwise(const QStringList& lines) const {
    ScenarioFile back;
    back.take(bytesFor(lines));
    const QStringList shown = shownLines(back.text());
    for (int i = 0; i < lines.size(); ++i)
        if (i >= shown.size() || shown[i] != lines[i])
            return i + 1;
    return shown.size() > lines.size() ? int(lines.size()) + 1 : 0;
}

QStringList ScenarioFile::blocksOf(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QStringList ScenarioFile::shownLines(const QString& text) {
    QTextDocument document;
    document.setPlainText(text);
    return blocksOf(document);
}

QByteArray ScenarioFile::codecName() const {
    return codec()->name();
}
