#include "app/SatelliteDownload.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QUrlQuery>
#include <string>
#include <vector>

#include "app/AtomicSave.h"
#include "app/ReadableFile.h"
#include "engine/LogMessage.h"
#include "model/TwoLineElements.h"

namespace {

QByteArray local(const QString& text) {
    return text.toLocal8Bit();
}

bool isSuccess(int status) {
    return status >= 200 && status < 300;
}

// Query text as part of a file name: only characters that mean nothing to a
// file system or a shell, and no leading dot that would hide the file.
QString fileNamePart(const QString& text) {
    QString part;
    for (const QChar c : text) {
        const bool plain = (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('.') ||
                           c == QLatin1Char('-') || c == QLatin1Char('_');
        part += plain ? c : QLatin1Char('_');
    }
    while (part.startsWith(QLatin1Char('.')))
        part[0] = QLatin1Char('_');
    return part;
}

} // namespace

SatelliteDownload::SatelliteDownload(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)) {
    // Element files often move to https or a new address; never follow a
    // redirect from https back to plain http.
    manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    manager_->setTransferTimeout(timeoutMs_);
}

void SatelliteDownload::setTransferTimeout(int ms) {
    timeoutMs_ = ms;
    manager_->setTransferTimeout(ms);
}

SatelliteDownload::~SatelliteDownload() {
    index_ = -1;
    if (reply_) {
        disconnect(reply_, nullptr, this, nullptr);
        reply_->abort();
    }
}

QStringList SatelliteDownload::readUrlList(const QString& file, QString* error) {
    QFile list;
    QString why;
    if (!openCheckedPath(list, file, why)) {
        logMessage("Could not open satellite URL list file %s: %s.\n", local(file).constData(),
                   local(why).constData());
        if (error)
            *error = why;
        return {};
    }
    QByteArray text = list.read(urlListMaxBytes);
    if (!list.atEnd()) {
        logMessage("Satellite URL list file %s: only its first %lld bytes are read.\n",
                   local(file).constData(), static_cast<long long>(urlListMaxBytes));
        // A URL cut off by the limit would fetch something else; one whose
        // line end lies just past it is whole.
        const QByteArray after = list.peek(1);
        if (!text.endsWith('\n') && after != "\n" && after != "\r")
            text.truncate(text.lastIndexOf('\n') + 1);
    }
    QStringList urls;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray url = line.trimmed();
        if (!url.isEmpty())
            urls.append(QString::fromUtf8(url));
    }
    return urls;
}

QByteArray SatelliteDownload::elementText(const QByteArray& received) {
    QByteArray stored;
    stored.reserve(received.size() + 1);
    for (const QByteArray& line : received.split('\n')) {
        if (line.isEmpty())
            continue;
        stored += line.trimmed();
        stored += '\n';
    }
    return stored;
}

namespace {

QString fieldName(ElementField field) {
    switch (field) {
    case ElementField::EpochYear:
        return SatelliteDownload::tr("epoch year");
    case ElementField::EpochDay:
        return SatelliteDownload::tr("epoch day");
    case ElementField::MeanMotionDot:
        return SatelliteDownload::tr("rate of the mean motion");
    case ElementField::Inclination:
        return SatelliteDownload::tr("inclination");
    case ElementField::Node:
        return SatelliteDownload::tr("ascending node");
    case ElementField::Eccentricity:
        return SatelliteDownload::tr("eccentricity");
    case ElementField::ArgPerigee:
        return SatelliteDownload::tr("argument of perigee");
    case ElementField::MeanAnomaly:
        return SatelliteDownload::tr("mean anomaly");
    case ElementField::MeanMotion:
        return SatelliteDownload::tr("mean motion");
    }
    return QString();
}

// The fault of the set titled title, in the user's language.
QString faultText(const ElementSetFault& fault, const QString& title) {
    const QString line = QString::number(fault.line);
    const QString text = QString::fromStdString(fault.text);
    ElementFieldRange range{};
    switch (fault.kind) {
    case ElementSetFault::None:
        break;
    case ElementSetFault::TitleTooLong:
        return SatelliteDownload::tr("the title of the element set %1 has %2 characters, more "
                                     "than %3")
            .arg(title)
            .arg(fault.length)
            .arg(kElementTitleMaxLength);
    case ElementSetFault::LineMissing:
        return SatelliteDownload::tr("the element set %1 is not whole: line %2 is missing")
            .arg(title, line);
    case ElementSetFault::LineLength:
        return SatelliteDownload::tr("line %1 of the element set %2 has %3 characters instead "
                                     "of %4")
            .arg(line, title)
            .arg(fault.length)
            .arg(kElementLineLength);
    case ElementSetFault::LineColumns:
        return SatelliteDownload::tr("line %1 of the element set %2 is not in the columns of an "
                                     "element line")
            .arg(line, title);
    case ElementSetFault::Checksum:
        return SatelliteDownload::tr("line %1 of the element set %2 fails its checksum")
            .arg(line, title);
    case ElementSetFault::CatalogueNumbers:
        return SatelliteDownload::tr("the two lines of the element set %1 name different "
                                     "catalogue numbers")
            .arg(title);
    case ElementSetFault::NotANumber:
        return SatelliteDownload::tr("the %1 in line %2 of the element set %3 is no number")
            .arg(fieldName(fault.field), line, title);
    case ElementSetFault::OutOfRange:
        elementFieldRange(fault.field, range);
        if (range.lowestExcluded)
            return SatelliteDownload::tr("the %1 in line %2 of the element set %3 is %4, not "
                                         "above %5")
                .arg(fieldName(fault.field), line, title, text, QString::number(range.lowest));
        return SatelliteDownload::tr("the %1 in line %2 of the element set %3 is %4, outside %5 "
                                     "to %6")
            .arg(fieldName(fault.field), line, title, text, QString::number(range.lowest),
                 QString::number(range.highest, 'g', 12));
    case ElementSetFault::PerigeeInsideEarth:
        return SatelliteDownload::tr("the perigee of the element set %1 lies inside the Earth")
            .arg(title);
    }
    return QString();
}

// Text of an answer shown in a message: a page or a title may be long.
QString shown(const std::string& line) {
    return QString::fromUtf8(QByteArray::fromStdString(line).left(40));
}

} // namespace

QString SatelliteDownload::elementFault(const QByteArray& stored) {
    std::vector<std::string> lines;
    for (const QByteArray& line : stored.split('\n'))
        lines.push_back(line.toStdString());
    int sets = 0;
    for (const ElementFilePart& part : elementFileParts(lines)) {
        if (!part.isSet)
            return tr("the answer holds a line outside any element set: %1")
                .arg(shown(lines[part.first]));
        TwoLineElements set;
        const ElementSetFault fault = readElementSet(lines, part, set);
        if (fault)
            return faultText(fault, shown(lines[part.first]));
        ++sets;
    }
    return sets > 0 ? QString() : tr("the answer holds no element sets");
}

QString SatelliteDownload::storedName(const QUrl& url) {
    const QUrlQuery query(url);
    for (const auto& item : query.queryItems(QUrl::FullyDecoded))
        if (item.first.compare(QLatin1String("GROUP"), Qt::CaseInsensitive) == 0 &&
            !item.second.isEmpty())
            return fileNamePart(item.second) + QLatin1String(".tle");
    const QString name = url.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return {};
    if (!url.hasQuery())
        return name;
    return name + QLatin1Char('_') + fileNamePart(url.query(QUrl::FullyDecoded));
}

bool SatelliteDownload::start(const QStringList& urls, const QString& directory) {
    if (isRunning() || urls.isEmpty())
        return false;
    urls_ = urls;
    namesUsed_.clear();
    outcomes_.clear();
    directory_ = directory;
    index_ = 0;
    text_.clear();
    tooLarge_ = false;
    fetchCurrent();
    return true;
}

void SatelliteDownload::fetchCurrent() {
    // A loop, not a recursion: a long list of unusable lines is skipped in one go.
    while (index_ < urls_.size()) {
        const QString& text = urls_.at(index_);
        const QUrl url(text);
        if (!url.isValid() || url.isRelative()) {
            logMessage("Satellite download: %s is not a URL; skipped.\n", local(text).constData());
            addOutcome(index_, tr("not a web address"));
        } else if (storedName(url).isEmpty()) {
            logMessage("Satellite download: %s names no file to store; skipped.\n",
                       local(text).constData());
            addOutcome(index_, tr("the address names no file to store"));
        } else if (namesUsed_.contains(storedName(url))) {
            logMessage("Satellite download: %s would be stored as %s like an earlier address "
                       "of the list; skipped.\n",
                       local(text).constData(), local(storedName(url)).constData());
            // Named by its address: the name is the earlier address's.
            outcomes_.append(
                {text, false, tr("an earlier address of the list is stored under the same name")});
        } else if (url.isLocalFile()) {
            namesUsed_.append(storedName(url));
            addOutcome(index_, fetchLocal(url));
        } else {
            namesUsed_.append(storedName(url));
            reply_ = manager_->get(QNetworkRequest(url));
            connect(reply_, &QNetworkReply::metaDataChanged, this, &SatelliteDownload::checkSize);
            connect(reply_, &QNetworkReply::readyRead, this, &SatelliteDownload::received);
            connect(reply_, &QNetworkReply::finished, this, &SatelliteDownload::fetched);
            return;
        }
        ++index_;
    }
    finishAll();
}

void SatelliteDownload::checkSize() {
    if (!reply_ || tooLarge_)
        return;
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxBytes_)
        dropTooLarge();
}

void SatelliteDownload::dropTooLarge() {
    tooLarge_ = true;
    // Not from inside the reply's own signal: it goes on with its work after
    // the signal returns.
    QMetaObject::invokeMethod(reply_, &QNetworkReply::abort, Qt::QueuedConnection);
}

void SatelliteDownload::received() {
    if (!reply_ || tooLarge_)
        return;
    if (text_.size() + reply_->bytesAvailable() > maxBytes_) {
        dropTooLarge();
        return;
    }
    text_ += reply_->readAll();
}

void SatelliteDownload::fetched() {
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    if (!reply || reply != reply_)
        return;
    reply_ = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->deleteLater();

    const QString url = urls_.value(index_);
    const QByteArray name = local(url);
    if (!tooLarge_ && text_.size() + reply->bytesAvailable() > maxBytes_)
        tooLarge_ = true;
    if (tooLarge_) {
        logMessage("Satellite download: %s is larger than %lld bytes; not stored.\n",
                   name.constData(), static_cast<long long>(maxBytes_));
        addOutcome(index_, tr("the answer is larger than %1 bytes").arg(maxBytes_));
        next();
        return;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply->error() == QNetworkReply::NoError &&
        (!status.isValid() || isSuccess(status.toInt()))) {
        text_ += reply->readAll();
        addOutcome(index_, store(url, text_));
        next();
        return;
    }
    if (status.isValid() && !isSuccess(status.toInt())) {
        // The server is there but has no such file (any more): try the others.
        logMessage("Satellite download: %s answered %d; not stored.\n", name.constData(),
                   status.toInt());
        addOutcome(index_, tr("the server answered %1").arg(status.toInt()));
        next();
        return;
    }
    // The one abort of a reply this object has not dropped is the transfer
    // timeout's, which the network layer calls a cancel.
    const bool timedOut = reply->error() == QNetworkReply::OperationCanceledError;
    const QString seconds = QString::number(timeoutMs_ / 1000.0);
    const QString failure =
        timedOut ? QStringLiteral("timed out after %1 s").arg(seconds) : reply->errorString();
    logMessage("Satellite download: %s failed (%s); the update stops.\n", name.constData(),
               local(failure).constData());
    addOutcome(index_, tr("the transfer failed: %1")
                           .arg(timedOut ? tr("timed out after %1 s").arg(seconds) : failure));
    addUnfetched(index_ + 1);
    finishAll();
}

QString SatelliteDownload::fetchLocal(const QUrl& url) {
    const QString path = url.toLocalFile();
    QByteArray text;
    QString error;
    if (readCheckedPath(path, text, error, maxBytes_))
        return store(urls_.at(index_), text);
    logMessage("Satellite download: %s cannot be read (%s); skipped.\n", local(path).constData(),
               local(error).constData());
    return tr("%1 cannot be read: %2").arg(path, error);
}

QString SatelliteDownload::store(const QString& url, const QByteArray& text) {
    const QByteArray name = local(url);
    if (text.contains('\0')) {
        logMessage("Satellite download: %s is not a text file; not stored.\n", name.constData());
        return tr("the answer is not a text file");
    }
    const QByteArray stored = elementText(text);
    if (stored.isEmpty()) {
        logMessage("Satellite download: %s is empty; not stored.\n", name.constData());
        return tr("the answer is empty");
    }
    // A server's error or login page often comes with a success status, and
    // one broken set would move its satellite to a wrong place.
    const QString fault = elementFault(stored);
    if (!fault.isEmpty()) {
        logMessage("Satellite download: %s is not whole element sets (%s); not stored.\n",
                   name.constData(), local(fault).constData());
        return fault;
    }
    const QString fileName = QDir(directory_).filePath(storedName(QUrl(url)));
    QString failure;
    if (saveAtomically(fileName, stored, &failure))
        return QString();
    logMessage("Satellite download: could not write %s (%s).\n", local(fileName).constData(),
               local(failure).constData());
    return tr("%1 could not be written: %2").arg(fileName, failure);
}

void SatelliteDownload::addOutcome(int index, const QString& reason) {
    const QString& address = urls_.at(index);
    const QString name = storedName(QUrl(address));
    outcomes_.append({name.isEmpty() ? address : name, reason.isEmpty(), reason});
}

void SatelliteDownload::addUnfetched(int index) {
    for (int i = index; i < urls_.size(); ++i)
        addOutcome(i, tr("not fetched: the update stopped at the failed transfer"));
}

void SatelliteDownload::next() {
    ++index_;
    text_.clear();
    tooLarge_ = false;
    fetchCurrent();
}

void SatelliteDownload::finishAll() {
    if (index_ < 0)
        return;
    index_ = -1;
    text_.clear();
    tooLarge_ = false;
    emit finishedAll();
}
