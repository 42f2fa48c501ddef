// The web page view of the browser pane. Every navigation, of the page or of
// any frame, is put to `decide` before the view follows it. Command links
// ("orvex://...") are read from the page as written: a script injected into
// every frame, in a world of its own that the pages cannot reach, reports the
// raw address of a clicked link and keeps the view from following it, since a
// parsed URL has lost the case of its host part. A command address that
// reaches the view any other way cannot be read exactly and is refused, and
// the command scheme is registered with a handler that serves nothing, so no
// such address ever leaves the program. Downloads are never started.
#pragma once

#include <QUrl>
#include <QWebEngineView>
#include <functional>

class QWebChannel;
class WebBrowserViewBridge;

class WebBrowserView : public QWebEngineView {
    Q_OBJECT
public:
    // What the view asks before every navigation: the address as text, the
    // page the request came from (empty when it is not known, as for a frame
    // of the page), and whether it is the page's own navigation rather than
    // one of a frame in it. True lets the view follow it.
    using Decider = std::function<bool(const QString& url, const QUrl& origin, bool isMainFrame)>;

    // Must run before the application object is created: shared GL contexts,
    // the command scheme, and (as root) no sandbox for the page processes.
    static void prepareApplication();
    // Whether prepareApplication ran: without it no view can be made.
    static bool isPrepared();

    explicit WebBrowserView(QWidget* parent = nullptr);
    ~WebBrowserView() override;

    void setDecider(Decider decider) { decide_ = std::move(decider); }

signals:
    // A clicked link whose address begins with the command scheme in any
    // case, exactly as the page wrote it, and the page it was clicked in
    // (empty for a frame of the page: frames cannot say so reliably). frame
    // names the frame of the page that passed it up (empty for the page's
    // own): its address, or only its origin where the address it gives
    // belongs to another; never to be trusted. byUser: the page's own link
    // was clicked by the user (a click of the mouse or a key), not by a
    // script.
    void commandLinkClicked(const QString& href, const QUrl& page, const QString& frame,
                            bool byUser);

protected:
    bool event(QEvent* e) override;

private:
    class Page;
    friend class Page;

    bool acceptNavigation(const QUrl& url, bool isMainFrame);
    // Puts the widget the page is drawn with right after the view in the
    // window's focus chain, where Tab reaches it and it hands the focus on.
    void placePageWidget();

    Decider decide_;
    WebBrowserViewBridge* bridge_ = nullptr;
    QWebChannel* channel_ = nullptr;
    bool pageWidgetPlacing_ = false;
};
