#include "ui/NetworkFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

NetworkFetch::NetworkFetch(const QUrl& url, qint64 maxSize, QObject* parent)
    : QObject(parent), url_(url), maxSize_(maxSize), network_(new QNetworkAccessManager(this)) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
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

void NetworkFetch::receive() {
    if (finished_)
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
    reply_->disconnect(this);
    reply_->abort();
    emit failed(reason);
}
