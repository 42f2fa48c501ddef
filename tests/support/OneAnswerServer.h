// A small HTTP server on the loopback address for fetch tests: it answers
// every request with one canned response and closes the connection.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace orvextest {

class OneAnswerServer : public QTcpServer {
public:
    explicit OneAnswerServer(QByteArray response) : response_(std::move(response)) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                socket->write(response_);
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        });
    }
    QUrl url(const char* path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }

    // An answer with the status line, for example "200 OK", and the body;
    // without withLength the body's end is the connection's.
    static QByteArray answer(const char* status, const QByteArray& body, bool withLength = true) {
        QByteArray text = QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: text/plain\r\n";
        if (withLength)
            text += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        text += "Connection: close\r\n\r\n";
        return text + body;
    }

private:
    QByteArray response_;
};

} // namespace orvextest
