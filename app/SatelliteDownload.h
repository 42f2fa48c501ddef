// The artificial-satellite update: fetches element files one after the other
// inside the event loop and stores each, line by line trimmed, in one
// directory under a name made from its URL (storedName). Element servers
// often serve every group from one script ("gp.php?GROUP=stations"), so the
// query takes part in the name, and no two addresses of one run are stored
// under the same name: one group never overwrites another.
//
// Element data on disk is only ever replaced by a complete, successful answer
// that is whole element sets and nothing else: an error page (whatever its status), an answer
// over the size cap, one that is not text or a transfer that breaks off
// leaves the old file as it was (each written whole or not at all). An
// answer the server refuses or one that is too large skips that file and the
// run goes on; a transfer that fails on the way (no connection, time-out,
// broken off) ends the run, since the next fetches would most likely fail
// alike. A "file:" address is read here, not by the network layer, after the
// regular-file check: a named pipe would block the window in its open. One
// that cannot be read (a pipe, a folder, missing, no permission) is skipped
// with its reason. Every skip is logged, and each address's outcome
// is kept for the window to tell the user.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

class SatelliteDownload : public QObject {
    Q_OBJECT
public:
    // Answers larger than this are not stored: a full catalogue of element
    // sets is a few megabytes.
    static constexpr qint64 defaultMaxBytes = 16 * 1024 * 1024;
    // The URL list is read up to this many bytes.
    static constexpr qint64 urlListMaxBytes = 65535;
    // A fetch that receives nothing for this long counts as failed.
    static constexpr int transferTimeoutMs = 60000;

    // What became of one address of the latest run.
    struct Outcome {
        QString group; // the file it is stored as, or the address when it names none
        bool stored = false;
        QString reason; // why it was not stored, in the user's language
    };

    explicit SatelliteDownload(QObject* parent = nullptr);
    // A run still under way is dropped without finishing.
    ~SatelliteDownload() override;

    // The URLs of a list file, one a line, in file order: lines are trimmed,
    // blank ones dropped. Only the first urlListMaxBytes bytes count; a line
    // cut off there is dropped too. Empty when the file cannot be read, with
    // the reason in *error when given.
    static QStringList readUrlList(const QString& file, QString* error = nullptr);
    // The stored form of a received element file: each non-empty line with
    // white space stripped at both ends, followed by a line feed.
    static QByteArray elementText(const QByteArray& received);
    // Why stored text (as elementText makes it) is not whole element sets, in
    // the user's language, or an empty text when it is. Each set is a title,
    // then line 1 and line 2, as the satellite reader takes them
    // (readElementSet, model/TwoLineElements.h): whole lines in the published
    // columns with valid checksums, of one catalogue number, every field a
    // number in its range. Between sets only empty lines and comments ("#")
    // may stand.
    static QString elementFault(const QByteArray& stored);
    // The file name an answer to url is stored under: the last component of
    // its path, or "" when that is no plain file name (empty, ".", "..", or
    // holding a separator or control character). With a query, its "GROUP"
    // item names the file ("<group>.tle"); any other query is added to the
    // last component. Characters other than letters, digits, ".", "-" and "_"
    // become "_" there.
    static QString storedName(const QUrl& url);

    // Starts fetching urls into directory; false (and nothing starts) while a
    // run is under way or when urls is empty.
    bool start(const QStringList& urls, const QString& directory);
    bool isRunning() const { return index_ >= 0; }
    // The index of the URL being fetched; -1 while idle.
    int index() const { return index_; }
    void setMaxBytes(qint64 bytes) { maxBytes_ = bytes; }
    // How long a fetch may receive nothing; transferTimeoutMs unless set.
    void setTransferTimeout(int ms);
    // One entry per address of the latest run, in list order; complete once
    // finishedAll has come.
    const QVector<Outcome>& outcomes() const { return outcomes_; }

signals:
    // Once at the end of every run, however it ended.
    void finishedAll();

private:
    void fetchCurrent();
    void checkSize();
    void dropTooLarge();
    void received();
    void fetched();
    // Reads and stores the local file url names; the reason it was not
    // stored, or an empty text.
    QString fetchLocal(const QUrl& url);
    // Stores an answer; the reason it was not stored, or an empty text.
    QString store(const QString& url, const QByteArray& text);
    void addOutcome(int index, const QString& reason);
    // The addresses from index on, which a failed transfer left unfetched.
    void addUnfetched(int index);
    void next();
    void finishAll();

    QNetworkAccessManager* manager_;
    QPointer<QNetworkReply> reply_;
    QStringList urls_;
    QStringList namesUsed_; // stored names of this run's earlier addresses
    QVector<Outcome> outcomes_;
    int index_ = -1;
    QByteArray text_;
    QString directory_;
    qint64 maxBytes_ = defaultMaxBytes;
    int timeoutMs_ = transferTimeoutMs;
    bool tooLarge_ = false;
};
