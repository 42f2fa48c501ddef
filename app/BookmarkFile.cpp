#include "app/BookmarkFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>

#include "app/AtomicSave.h"
#include "app/PathBelow.h"
#include "app/ReadableFile.h"
#include "engine/LogMessage.h"

namespace {

const char* const declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char* const defaultHome = "./htmls/index.html";
const char* const siteUri = "http://orvexstudio.example.org/";
const char* const siteName = QT_TRANSLATE_NOOP("OrvexBookmarkForm", "Orvex Studio Web Site");

QByteArray local(const QString& text) {
    return text.toLocal8Bit();
}

std::optional<platform::FileIdentity> identityOf(const QString& fileName) {
    return platform::fileIdentity(local(fileName).toStdString());
}

// Real bookmark trees are a few folders deep. The document reader and our
// tree both recurse per level, so a file nested deeper than this is refused
// before either sees it rather than overflowing the stack.
constexpr int maxDepth = 256;

// Measured with the streaming reader, which does not recurse. False when the
// nesting passes maxDepth; malformed XML is left for the document reader to
// report with its position.
bool withinDepth(const QByteArray& bytes) {
    QXmlStreamReader reader(bytes);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > maxDepth)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return true;
}

void readLevel(const QDomElement& element, std::vector<BookmarkEntry>& entries, QString& home) {
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull())
            continue;
        const QString tag = child.tagName();
        if (tag == QLatin1String("bookmark") || tag == QLatin1String("folder")) {
            BookmarkEntry entry;
            entry.folder = tag == QLatin1String("folder");
            entry.name = child.attribute(QStringLiteral("name"));
            if (!entry.folder)
                entry.uri = child.attribute(QStringLiteral("uri"));
            readLevel(child, entry.children, home);
            entries.push_back(std::move(entry));
        } else if (tag == QLatin1String("home")) {
            home = child.attribute(QStringLiteral("uri"));
        }
    }
}

// Text as XML 1.0 can hold it: control characters other than tab and line
// ends, non-characters and lone surrogates would make the file unreadable.
QString xmlText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            clean += c;
            clean += text[++i];
            continue;
        }
        if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            continue;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
            continue;
        clean += c;
    }
    return clean;
}

void writeLevel(QDomDocument& doc, QDomElement& parent, const std::vector<BookmarkEntry>& entries,
                const QString& baseDir) {
    for (const BookmarkEntry& entry : entries) {
        QDomElement element =
            doc.createElement(entry.folder ? QStringLiteral("folder") : QStringLiteral("bookmark"));
        element.setAttribute(QStringLiteral("name"), xmlText(entry.name));
        if (!entry.folder)
            element.setAttribute(QStringLiteral("uri"),
                                 xmlText(BookmarkFile::relativeAddress(entry.uri, baseDir)));
        writeLevel(doc, element, entry.children, baseDir);
        parent.appendChild(element);
    }
}

bool writeBytes(const QString& fileName, const QByteArray& bytes, QString* error = nullptr) {
    QString failure;
    if (saveAtomically(fileName, bytes, &failure))
        return true;
    if (error)
        *error = failure;
    logMessage("Bookmarks: cannot write %s: %s\n", local(fileName).constData(),
               local(failure).constData());
    return false;
}

} // namespace

bool BookmarkEntry::operator==(const BookmarkEntry& other) const {
    return folder == other.folder && name == other.name && uri == other.uri &&
           children == other.children;
}

bool BookmarkTree::operator==(const BookmarkTree& other) const {
    return home == other.home && entries == other.entries;
}

BookmarkFile::BookmarkFile(const QString& fileName)
    : fileName_(QDir::current().absoluteFilePath(fileName)) {}

bool BookmarkFile::isWritable() const {
    return status_ == Status::Read || status_ == Status::Created || status_ == Status::Default;
}

BookmarkTree BookmarkFile::read() {
    QByteArray bytes;
    Status found = Status::Read;
    const std::optional<platform::FileIdentity> before = identityOf(fileName_);
    if (!QFileInfo(fileName_).exists() && !QFileInfo(fileName_).isSymLink()) {
        bytes = defaultContent();
        found = writeBytes(fileName_, bytes) ? Status::Created : Status::Default;
        identity_ = identityOf(fileName_);
    } else {
        QFile file(fileName_);
        QString error;
        if (!openRegularForReading(file, error) || !readWholeFile(file, bytes, error)) {
            logMessage("Bookmarks: cannot read %s (%s); it is left as it is and bookmark "
                       "changes are not saved\n",
                       local(fileName_).constData(), local(error).constData());
            status_ = Status::Unreadable;
            error_ = error;
            return {};
        }
        // Written while it was read, it holds more than was read.
        const std::optional<platform::FileIdentity> after = identityOf(fileName_);
        identity_ = before == after ? after : std::nullopt;
    }

    BookmarkTree tree;
    QString error;
    if (!parse(bytes, &tree, &error)) {
        logMessage("Bookmarks: %s is not a bookmarks file (%s); it is left as it is and "
                   "bookmark changes are not saved\n",
                   local(fileName_).constData(), local(error).constData());
        status_ = Status::Malformed;
        error_ = error;
        return {};
    }
    status_ = found;
    error_.clear();
    return tree;
}

bool BookmarkFile::changedSinceRead() const {
    const std::optional<platform::FileIdentity> now = identityOf(fileName_);
    return now && (!identity_ || *now != *identity_);
}

bool BookmarkFile::write(const BookmarkTree& tree, const QString& baseDir, QString* error) {
    if (!isWritable() || changedSinceRead() ||
        !writeBytes(fileName_, serialize(tree, baseDir), error))
        return false;
    identity_ = identityOf(fileName_);
    return true;
}

QString BookmarkFile::writeBeside(const BookmarkTree& tree, const QString& baseDir,
                                  QString* error) const {
    const QFileInfo info(fileName_);
    for (int n = 1; n < 1000; ++n) {
        const QString name = info.dir().filePath(
            QStringLiteral("%1-kept-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
        if (QFileInfo(name).exists() || QFileInfo(name).isSymLink())
            continue;
        return writeBytes(name, serialize(tree, baseDir), error) ? name : QString();
    }
    if (error)
        *error = QCoreApplication::translate("BookmarkFile", "no free name beside it");
    return QString();
}

QByteArray BookmarkFile::defaultContent() {
    const QString name = QCoreApplication::translate("OrvexBookmarkForm", siteName);
    return QByteArray(declaration) + "<bookmarks>\n    <home uri=\"" + defaultHome +
           "\" />\n    <bookmark uri=\"" + siteUri + "\" name=\"" + name.toHtmlEscaped().toUtf8() +
           "\" />\n</bookmarks>";
}

bool BookmarkFile::parse(const QByteArray& bytes, BookmarkTree* tree, QString* error) {
    if (!withinDepth(bytes)) {
        *error = QCoreApplication::translate("BookmarkFile", "folders nested deeper than %1 levels")
                     .arg(maxDepth);
        return false;
    }
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc.setContent(bytes, &message, &line, &column)) {
        *error = QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(message);
        return false;
    }
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("bookmarks")) {
        *error =
            QCoreApplication::translate("BookmarkFile", "the document is \"%1\", not \"bookmarks\"")
                .arg(root.tagName());
        return false;
    }
    *tree = BookmarkTree();
    readLevel(root, tree->entries, tree->home);
    return true;
}

QByteArray BookmarkFile::serialize(const BookmarkTree& tree, const QString& baseDir) {
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("bookmarks"));
    doc.appendChild(root);
    QDomElement home = doc.createElement(QStringLiteral("home"));
    home.setAttribute(QStringLiteral("uri"), xmlText(relativeAddress(tree.home, baseDir)));
    root.appendChild(home);
    writeLevel(doc, root, tree.entries, baseDir);
    return QByteArray(declaration) + doc.toString().toUtf8();
}

QString BookmarkFile::relativeAddress(const QString& uri, const QString& baseDir) {
    QString address = uri;
    address.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (baseDir.isEmpty())
        return address;

    QString path;
    if (address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        // A query or fragment has no place in a plain path: such addresses stay.
        const QUrl url(address);
        if (!url.isLocalFile() || url.hasQuery() || url.hasFragment())
            return address;
        path = url.toLocalFile();
        if (!QDir::isAbsolutePath(path))
            return address;
    } else if (QDir::isAbsolutePath(address)) {
        path = address;
    } else {
        return address;
    }

    // As written first (a link inside the program directory stays a link),
    // then with links and ".." resolved.
    QString below = pathBelow(QDir::cleanPath(path), QDir::cleanPath(baseDir));
    if (below.isNull())
        below =
            pathBelow(QFileInfo(path).canonicalFilePath(), QFileInfo(baseDir).canonicalFilePath());
    if (below.isNull())
        return address;
    return below.isEmpty() ? QStringLiteral(".") : QStringLiteral("./") + below;
}
