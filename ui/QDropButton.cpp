#include "ui/QDropButton.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QList>
#include <QMimeData>

namespace {

const char kUriListType[] = "text/uri-list";

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The first URI of a text/uri-list body: lines end in CRLF, "#" starts a comment.
QByteArray firstUri(const QByteArray& list) {
    for (const QByteArray& line : list.split('\n')) {
        const QByteArray uri = line.trimmed();
        if (!uri.isEmpty() && !uri.startsWith('#'))
            return uri;
    }
    return QByteArray();
}

const char kFileScheme[] = "file:///";
// "file://" is cut, so the third "/" stays as the start of a Unix path.
constexpr int kFileSchemeCut = 7;

// A path from a "file:///D:/..." URI: the "/" in front of its drive letter goes.
QString withoutSlashBeforeDrive(const QString& path) {
    const bool drive = path.size() >= 3 && path.at(0) == QLatin1Char('/') &&
                       path.at(2) == QLatin1Char(':') && path.at(1).unicode() < 128 &&
                       path.at(1).isLetter();
    return drive ? path.mid(1) : path;
}

} // namespace

QDropButton::QDropButton(QWidget* parent, const char* name) : QPushButton(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setCheckable(true);
    setAcceptDrops(true);
}

QDropButton::~QDropButton() = default;

QByteArray QDropButton::decodePercentEscapes(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '%' && i + 2 < text.size()) {
            const int high = hexDigit(text.at(i + 1));
            const int low = hexDigit(text.at(i + 2));
            if (high >= 0 && low >= 0 && (high | low) != 0) {
                const int byte = high * 16 + low;
                out.append(byte == 0x7C ? ':' : char(byte));
                i += 2;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QString QDropButton::decodeDrop(const QMimeData* data) {
    if (!data)
        return QString();
    if (data->hasFormat(kUriListType)) {
        QByteArray uri = firstUri(data->data(kUriListType));
        if (!uri.startsWith(kFileScheme))
            return QString::fromUtf8(decodePercentEscapes(uri));
        uri = uri.mid(kFileSchemeCut);
        return withoutSlashBeforeDrive(QString::fromUtf8(decodePercentEscapes(uri)));
    }
    const QString text = data->hasText() ? data->text() : QString();
    if (!text.startsWith(QLatin1String(kFileScheme)))
        return text;
    return withoutSlashBeforeDrive(text.mid(kFileSchemeCut));
}

void QDropButton::dragEnterEvent(QDragEnterEvent* e) {
    e->acceptProposedAction();
}

void QDropButton::dropEvent(QDropEvent* e) {
    e->acceptProposedAction();
    emit dropped(decodeDrop(e->mimeData()));
}
