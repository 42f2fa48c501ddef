// One transfer of a file that a link points to (a scenario, a picture). The
// bytes are handed on only when the transfer succeeded (a 2xx answer for
// HTTP), stayed within the size cap and did not stall past the timeout, so an
// error page or a runaway download is never used; anything else is a failure
// with its reason. A "file:" address is read here after the regular-file
// check, never by the network layer, whose open of a named pipe would block
// the window. Deleting the object abandons the transfer.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

class NetworkFetch : public QObject {
    Q_OBJECT
public:
    // The longest a transfer may stall.
    static constexpr int timeoutMs = 20000;

    NetworkFetch(const QUrl& url, qint64 maxSize, QObject* parent = nullptr,
                 int stallMs = timeoutMs);
    ~NetworkFetch() override;

    const QUrl& url() const { return url_; }
    bool isFinished() const { return finished_; }
    // Whether an address names a web server (http or https).
    static bool isRemote(const QUrl& url);

signals:
    void fetched(const QByteArray& data);
    void failed(const QString& reason);

private:
    void readLocal();
    void receive();
    void finish();
    void fail(const QString& reason);

    QUrl url_;
    qint64 maxSize_;
    int stallMs_;
    QNetworkAccessManager* network_ = nullptr;
    QNetworkReply* reply_ = nullptr;
    QByteArray data_;
    bool finished_ = false;
};
