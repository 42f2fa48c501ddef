// A minimal HTTP server on 127.0.0.1 (an ephemeral port) for download tests:
// answers each GET from a table of paths, one request per connection, and
// records the paths asked for. An answer can declare another length than it
// sends (a transfer that breaks off) or send no length at all; a path can
// have header lines of its own (a redirection's Location), or never be
// answered at all (a stalled server).
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <map>
#include <set>

namespace orvextest {

class LocalHttpServer {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        // The Content-Length sent: -1 the body's size, -2 none.
        qint64 declaredLength = -1;
    };

    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
    }

    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

    std::map<QString, Answer> answers;
    // Further header lines of a path's answer, each ending in CRLF.
    std::map<QString, QByteArray> headers;
    // Paths whose request is taken and never answered.
    std::set<QString> silent;
    QStringList requested;

private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { serve(socket); });
        }
    }

    void serve(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        const QString path = QString::fromLatin1(words.value(1));
        pending_.erase(socket);
        requested.append(path);
        if (silent.count(path))
            return;

        auto found = answers.find(path);
        const Answer answer = found != answers.end() ? found->second : Answer{404, "no such file"};
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\n";
        if (answer.declaredLength != -2) {
            const qint64 length =
                answer.declaredLength == -1 ? answer.body.size() : answer.declaredLength;
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        const auto extra = headers.find(path);
        if (extra != headers.end())
            head += extra->second;
        head += "Connection: close\r\n\r\n";
        socket->write(head + answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> pending_;
};

} // namespace orvextest
