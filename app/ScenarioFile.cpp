#include "app/ScenarioFile.h"

#include "app/ReadableFile.h"

#include <QFile>
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
    if (nul >= 0)
        bytes.truncate(nul);
    text_ = decode(bytes);
    error_.clear();
    return true;
}

bool ScenarioFile::write(const QString& fileName, const QString& text) {
    QTextCodec* codec = codec_ ? codec_ : QTextCodec::codecForLocale();
    if (!codec->canEncode(text))
        codec = QTextCodec::codecForName("UTF-8");
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
    error_.clear();
    return true;
}

QByteArray ScenarioFile::codecName() const {
    return codec_ ? codec_->name() : QTextCodec::codecForLocale()->name();
}
