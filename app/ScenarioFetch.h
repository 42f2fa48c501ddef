// One transfer of a scenario file that a link in the browser pane points to,
// within the size cap of a scenario (NetworkFetch says when a transfer
// counts). Text after a NUL byte is dropped, as scenario files are read.
// Deleting the object abandons the transfer.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include "ui/NetworkFetch.h"

class ScenarioFetch : public QObject {
    Q_OBJECT
public:
    // The largest scenario text a link may bring.
    static constexpr qint64 maxSize = 1024 * 1024;

    explicit ScenarioFetch(const QUrl& url, QObject* parent = nullptr);

    const QUrl& url() const { return fetch_->url(); }
    bool isFinished() const { return fetch_->isFinished(); }

signals:
    // The whole text, up to its first NUL byte.
    void fetched(const QByteArray& text);
    // Why nothing was fetched, for the log.
    void failed(const QString& reason);

private:
    NetworkFetch* fetch_;
};
