#include "app/ScenarioFetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

ScenarioFetch::ScenarioFetch(const QUrl& url, QObject* parent)
    : QObject(parent), url_(url), network_(std::make_unique<QNetworkAccessManager>()) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &ScenarioFetch::receive);
    connect(reply_, &QNetworkReply::finished, this, &ScenarioFetch::finish);
}

ScenarioFetch::~ScenarioFetch() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        delete reply_;
    }
}

void ScenarioFetch::receive() {
    if (finished_)
        return;
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxSize) {
        fail(QStringLiteral("larger than %1 bytes").arg(maxSize));
        return;
    }
    text_.append(reply_->read(maxSize + 1 - text_.size()));
    if (text_.size() > maxSize)
        fail(QStringLiteral("larger than %1 bytes").arg(maxSize));
}

void ScenarioFetch::finish() {
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
    const int nul = text_.indexOf('\0');
    if (nul >= 0)
        text_.truncate(nul);
    emit fetched(text_);
}

void ScenarioFetch::fail(const QString& reason) {
    finished_ = true;
    text_.clear();
    reply_->disconnect(this);
    reply_->abort();
    emit failed(reason);
}
