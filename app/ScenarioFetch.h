// One transfer of a scenario file that a link in the browser pane points to.
// The text is handed on only when the transfer succeeded (a 2xx answer for
// HTTP) and stayed within the size cap, so an error page or a runaway
// download is never played. Text after a NUL byte is dropped, as scenario
// files are read. Deleting the object abandons the transfer.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

class ScenarioFetch : public QObject {
    Q_OBJECT
public:
    // The largest scenario text a link may bring.
    static constexpr qint64 maxSize = 1024 * 1024;

    explicit ScenarioFetch(const QUrl& url, QObject* parent = nullptr);
    ~ScenarioFetch() override;

    const QUrl& url() const { return url_; }
    bool isFinished() const { return finished_; }

signals:
    // The whole text, up to its first NUL byte.
    void fetched(const QByteArray& text);
    // Why nothing was fetched, for the log.
    void failed(const QString& reason);

private:
    void receive();
    void finish();
    void fail(const QString& reason);

    QUrl url_;
    std::unique_ptr<QNetworkAccessManager> network_;
    QNetworkReply* reply_ = nullptr;
    QByteArray text_;
    bool finished_ = false;
};
