#include "app/BrowserLinks.h"

#include <QDir>
#include <QFileInfo>

#include "app/EngineLink.h"
#include "app/PathBelow.h"

namespace BrowserLinks {

namespace {

const char* const mediaWords[] = {"bmp", "png", "gif", "jpg", "jpeg", "avi", "wmv", "mpg", "mpeg"};

// The escapes a command link may carry, decoded in this order.
const struct {
    const char* from;
    const char* to;
} commandEscapes[] = {{"/?", "?"},  {"%20", " "}, {"%5b", "["}, {"%5c", "\\"},
                      {"%5d", "]"}, {"%7c", ":"}, {"%7e", "~"}};

bool containsWord(const QString& text, const char* word) {
    return text.contains(QLatin1String(word), Qt::CaseSensitive);
}

// The canonical form of a directory or file; empty when it does not exist.
QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

QString extension(const QString& url) {
    const int dot = url.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? url : url.mid(dot + 1);
}

bool hasMediaWord(const QString& text) {
    for (const char* word : mediaWords)
        if (containsWord(text, word))
            return true;
    return false;
}

QString commandText(const QString& url) {
    QString text = url.mid(int(std::char_traits<char>::length(commandScheme)));
    if (url.endsWith(QLatin1Char('/')) && !text.isEmpty())
        text.chop(1);
    for (const auto& escape : commandEscapes)
        text.replace(QLatin1String(escape.from), QLatin1String(escape.to), Qt::CaseSensitive);
    return text;
}

Decision decide(const QString& url) {
    Decision decision;
    if (url.startsWith(QLatin1String(commandScheme), Qt::CaseSensitive)) {
        decision.kind = Decision::Command;
        decision.command = EngineLink::toEngineText(commandText(url));
        return decision;
    }
    const QString ext = extension(url);
    if (ext == QLatin1String("scn"))
        decision.kind = Decision::Scenario;
    else if (hasMediaWord(ext))
        decision.kind = Decision::Media;
    return decision;
}

QString oneCommandPerLine(const QString& text) {
    // The command language's delimiters: blank, tab, CR, LF and ";".
    const auto isDelimiter = [](QChar c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';';
    };
    QString lines;
    int i = 0;
    while (i < text.size()) {
        int end = i;
        while (end < text.size() && isDelimiter(text[end]))
            ++end;
        const QStringRef gap = text.midRef(i, end - i);
        i = end;
        while (end < text.size() && !isDelimiter(text[end]))
            ++end;
        const QString word = text.mid(i, end - i);
        const bool lineStart = lines.isEmpty() || lines.endsWith('\n');
        if (gap.contains('\n') || gap.contains('\r'))
            lines += gap.toString().remove(';');
        else if (gap.contains(';'))
            lines += lineStart || word.isEmpty() ? QString() : QStringLiteral("\n");
        else
            lines += gap;
        lines += word;
        i = end;
    }
    return lines;
}

QString resolvePath(const QString& path, const QString& programDir) {
    QString resolved = path;
    if (resolved.startsWith(QLatin1String("./")))
        resolved = programDir + resolved.mid(1);
    resolved.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return resolved;
}

QUrl toUrl(const QString& text, const QString& programDir) {
    const QUrl url(text, QUrl::TolerantMode);
    // One letter before the colon is a drive, not a scheme.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    if (QDir::isAbsolutePath(text))
        return QUrl::fromLocalFile(QDir::cleanPath(text));
    return QUrl::fromLocalFile(QDir::cleanPath(QDir(programDir).filePath(text)));
}

bool isTrustedLocation(const QUrl& url, const QString& programDir) {
    if (!url.isLocalFile() || programDir.isEmpty())
        return false;
    const QString dir = canonical(programDir);
    const QString file = canonical(url.toLocalFile());
    if (dir.isEmpty() || file.isEmpty())
        return false;
    return !pathBelow(file, dir).isEmpty(); // the directory itself is no page
}

FileKind fileKind(const QString& fileName) {
    const QString ext = extension(fileName);
    if (containsWord(ext, "html") || containsWord(ext, "htm"))
        return FileKind::Html;
    if (hasMediaWord(ext))
        return FileKind::Media;
    if (containsWord(ext, "scn"))
        return FileKind::Scenario;
    return FileKind::Other;
}

} // namespace BrowserLinks
