// Which requests of pages outside the program may put a question about
// commands to the user. A page that posts requests from a script, with no
// click, would otherwise open question after question. Once the user refuses,
// the page's site asks nothing more until the user loads a page of it again
// (with the pane's controls: a page that reloads itself stays refused); a
// request that comes while a question is open is refused, not queued; and
// the last requests of a page the user is leaving do not ask.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QUrl>

class CommandGate {
public:
    // Why a request from page may not ask now; empty when it may. holder is
    // the page that holds page as a frame (empty for a page's own request):
    // a frame asks no more once its page is being left.
    QString refusal(const QUrl& page, const QUrl& holder = QUrl()) const;
    // The user said No to a request of page.
    void refuse(const QUrl& page) { refusedSites_.insert(site(page)); }
    // Whether a refusal of page for this reason is the first since its site
    // was last loaded: a page that posts requests in a loop is noted once.
    bool firstRefusal(const QUrl& page, const QString& reason);
    // The user loads page, leaving shown: page's site may ask again, shown
    // asks no more until it is shown again.
    void userLoads(const QUrl& page, const QUrl& shown);
    // The pane shows page (whoever loaded it).
    void shows(const QUrl& page);
    // page was seen to hold frame, from outside the program: a script of the
    // frame may reach into the page, so the page's requests that the user did
    // not make may be the frame's. Kept while the program runs: the page
    // brings its frames back whenever it is shown again.
    void holdsOutsideFrame(const QUrl& page, const QUrl& frame);
    // The first frame from outside the program that page was seen to hold;
    // empty when none.
    QUrl outsideFrameOf(const QUrl& page) const;

    // Marks a question as open while it lives.
    class Asking {
    public:
        explicit Asking(CommandGate& gate) : gate_(gate) { gate_.asking_ = true; }
        ~Asking() { gate_.asking_ = false; }
        Asking(const Asking&) = delete;
        Asking& operator=(const Asking&) = delete;

    private:
        CommandGate& gate_;
    };

private:
    // A page of a web server stands for its whole server (scheme, host and
    // port); a local page for its file.
    static QString site(const QUrl& page);

    QSet<QString> refusedSites_;
    // The refusals noted, by site.
    QHash<QString, QSet<QString>> notedRefusals_;
    // The first frame from outside the program, by page.
    QHash<QUrl, QUrl> outsideFrames_;
    QUrl left_;
    bool asking_ = false;
};
