#include "ui/NetworkFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "app/ReadableFile.h"

NetworkFetch::NetworkFetch(const QUrl& url, qint64 maxSize, QObject* parent, int stallMs)
    : QObject(parent), url_(url), maxSize_(maxSize), stallMs_(stallMs),
      network_(new QNetworkAccessManager(this)) {
    if (url.isLocalFile()) {
        // Queued: whoever made the fetch connects its signals first.
        QMetaObject::invokeMethod(this, &NetworkFetch::readLocal, Qt::QueuedConnection);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(stallMs);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &NetworkFetch::receive);
    connect(reply_, &QNetworkReply::finished, this, &NetworkFetch::finish);
}

NetworkFetch::~NetworkFetch() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

bool NetworkFetch::isRemote(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

void NetworkFetch::readLocal() {
    QString error;
    if (!readCheckedPath(url_.toLocalFile(), data_, error, maxSize_)) {
        fail(error);
        return;
    }
    finished_ = true;
    emit fetched(data_);
}

void NetworkFetch::receive() {
    // A reply the timeout aborted has nothing more to read.
    if (finished_ || !reply_->isOpen())
        return;
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxSize_) {
        fail(QStringLiteral("larger than %1 bytes").arg(maxSize_));
        return;
    }
    data_.append(reply_->read(maxSize_ + 1 - data_.size()));
    if (data_.size() > maxSize_)
        fail(QStringLiteral("larger than %1 bytes").arg(maxSize_));
}

void NetworkFetch::finish() {
    if (finished_)
        return;
    receive();
    if (finished_)
        return;
    // fail() lets go of the reply before its own abort: a cancel that still
    // arrives here is the stall timeout's.
    if (reply_->error() == QNetworkReply::OperationCanceledError) {
        fail(QStringLiteral("timed out after %1 s").arg(stallMs_ / 1000.0));
        return;
    }
    if (reply_->error() != QNetworkReply::NoError) {
        fail(reply_->errorString());
        return;
    }
    // Only HTTP answers carry a status; other schemes succeed without one.
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        fail(QStringLiteral("answer %1").arg(status.toInt()));
        return;
    }
    finished_ = true;
    emit fetched(data_);
}

void NetworkFetch::fail(const QString& reason) {
    finished_ = true;
    data_.clear();
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
    emit failed(reason);
}
