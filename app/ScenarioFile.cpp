#include "app/ScenarioFile.h"

#include "app/ReadableFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QTextCodec>

#include "app/AtomicSave.h"
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

} // namespace

QString ScenarioFile::decode(const QByteArray& file) {
    // A byte-order mark an editor put first is no part of the text (the
    // engine skips it too); it is written back.
    const int mark = int(platform::byteOrderMarkLength(file.constData(), std::size_t(file.size())));
    byteOrderMark_ = mark > 0;
    const QByteArray bytes = file.mid(mark);
    crlf_ = bytes.contains("\r\n");
    QString text;
    // The engine reads scenarios in its own codec, the one the view made the
    // locale's; a file written elsewhere may be UTF-8; anything else is kept
    // byte for byte.
    QTextCodec* const candidates[] = {QTextCodec::codecForLocale(),
                                      QTextCodec::codecForName("UTF-8")};
    codec_ = nullptr;
    for (QTextCodec* codec : candidates)
        if (decodes(codec, bytes, text)) {
            codec_ = codec;
            break;
        }
    if (!codec_) {
        codec_ = QTextCodec::codecForName("ISO-8859-1");
        text = codec_->toUnicode(bytes);
    }
    if (crlf_)
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

bool ScenarioFile::read(const QString& fileName) {
    QFile file(fileName);
    if (!openRegularForReading(file, error_))
        return false;
    QByteArray bytes;
    if (!readWholeFile(file, bytes, error_))
        return false;
    // The engine stops at the first NUL byte; so does the editor.
    const int nul = bytes.indexOf('\0');
    readInPart_.clear();
    if (nul >= 0) {
        bytes.truncate(nul);
        readInPart_ = QFileInfo(fileName).canonicalFilePath();
    }
    text_ = decode(bytes);
    error_.clear();
    return true;
}

QTextCodec* ScenarioFile::codecFor(const QString& text) const {
    QTextCodec* codec = codec_ ? codec_ : QTextCodec::codecForLocale();
    return codec->canEncode(text) ? codec : QTextCodec::codecForName("UTF-8");
}

bool ScenarioFile::changesKeptLines(const QString& text) const {
    QTextCodec* const was = codec_ ? codec_ : QTextCodec::codecForLocale();
    QTextCodec* const now = codecFor(text);
    if (now == was)
        return false;
    const QStringList before = text_.split(QLatin1Char('\n'));
    const QSet<QString> kept(before.begin(), before.end());
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (kept.contains(line) && was->fromUnicode(line) != now->fromUnicode(line))
            return true;
    return false;
}

bool ScenarioFile::readInPart(const QString& fileName) const {
    return !readInPart_.isEmpty() && QFileInfo(fileName).canonicalFilePath() == readInPart_;
}

bool ScenarioFile::write(const QString& fileName, const QString& text) {
    if (readInPart(fileName)) {
        error_ = QCoreApplication::translate(
            "ScenarioFile",
            "only the text before its first NUL byte was read; the rest would be lost");
        return false;
    }
    QTextCodec* const codec = codecFor(text);
    QString body = text;
    if (crlf_)
        body.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QByteArray bytes =
        (byteOrderMark_ ? QByteArray(platform::utf8ByteOrderMark) : QByteArray()) +
        codec->fromUnicode(body.constData(), body.size(), &state);

    if (!saveAtomically(fileName, bytes, &error_))
        return false;
    codec_ = codec;
    text_ = text;
    error_.clear();
    return true;
}

QByteArray ScenarioFile::codecName() const {
    return codec_ ? codec_->name() : QTextCodec::codecForLocale()->name();
}
