#include "ui/WebBrowserView.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <unistd.h>

#include "engine/LogMessage.h"

namespace {

const char* const schemeName = "orvex";
bool prepared = false;

// Reports clicks on command links, in every frame, before the page's own
// handlers see them. It runs in a world of its own: the pages' scripts cannot
// call the channel, so a report naming the page it came from is genuine.
// Links of frames arrive without their page, as from a page not known, named
// by the frame's address (as the frame says it, when its origin is the one
// the browser reports for the message; else by that origin).
const char* const linkScript = R"(
(function () {
    var isTop = window.top === window;
    var bridge = null, pending = [];
    function report(href, page, frame, byUser) {
        if (bridge)
            bridge.linkClicked(href, page, frame, byUser);
        else
            pending.push([href, page, frame, byUser]);
    }
    function originOf(address) {
        try {
            return new URL(address).origin;
        } catch (e) {
            return '';
        }
    }
    if (isTop && typeof qt !== 'undefined' && qt.webChannelTransport) {
        new QWebChannel(qt.webChannelTransport, function (channel) {
            bridge = channel.objects.orvexLinks;
            pending.forEach(function (p) { bridge.linkClicked(p[0], p[1], p[2], p[3]); });
            pending = [];
        });
        // Frames have no channel: they pass their links up. Anyone can post
        // such a message, so where it came from is not taken from it; only
        // whether a frame posted it, and the origin the browser gives.
        window.addEventListener('message', function (event) {
            var data = event.data;
            if (!data || data.orvexLink !== true || typeof data.href !== 'string')
                return;
            if (event.source === window) {
                report(data.href, '', '', false);
                return;
            }
            var frame = typeof data.frame === 'string' ? data.frame : '';
            if (!frame || originOf(frame) !== event.origin)
                frame = event.origin || 'null';
            report(data.href, '', frame, false);
        });
    }
    function linkOf(node) {
        for (; node; node = node.parentNode)
            if (node.nodeType === 1 && (node.localName === 'a' || node.localName === 'area') &&
                (node.hasAttribute('href') || node.hasAttribute('xlink:href')))
                return node;
        return null;
    }
    function onClick(event) {
        var link = linkOf(event.target);
        if (!link)
            return;
        var href = link.hasAttribute('href') ? link.getAttribute('href')
                                             : link.getAttribute('xlink:href');
        if (!/^\s*orvex:/i.test(href))
            return;
        event.preventDefault();
        // A script's click (of a frame that reached into the page, say)
        // is not the user's.
        if (isTop)
            report(href, window.location.href, '', event.isTrusted === true);
        else
            window.top.postMessage({orvexLink: true, href: href, frame: window.location.href}, '*');
    }
    window.addEventListener('click', onClick, true);
    window.addEventListener('auxclick', onClick, true);
})();
)";

// Serves nothing: a command address is never fetched, nor handed to the desktop.
class RefusingSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    void requestStarted(QWebEngineUrlRequestJob* job) override {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
    }
};

} // namespace

// The object the link script reports to.
class WebBrowserViewBridge : public QObject {
    Q_OBJECT
public:
    explicit WebBrowserViewBridge(WebBrowserView* view) : QObject(view), view_(view) {}

public slots:
    void linkClicked(const QString& href, const QString& page, const QString& frame, bool byUser) {
        emit view_->commandLinkClicked(href, QUrl(page), frame, byUser);
    }

private:
    WebBrowserView* view_;
};

class WebBrowserView::Page : public QWebEnginePage {
public:
    explicit Page(WebBrowserView* view) : QWebEnginePage(view), view_(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        // Addresses the view was told to load were decided before.
        if (type == NavigationTypeTyped && isMainFrame && url.scheme() != QLatin1String(schemeName))
            return true;
        return view_->acceptNavigation(url, isMainFrame);
    }

private:
    WebBrowserView* view_;
};

void WebBrowserView::prepareApplication() {
    if (prepared)
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The page processes refuse to start sandboxed as root.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QWebEngineUrlScheme scheme(schemeName);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    prepared = true;
}

bool WebBrowserView::isPrepared() {
    return prepared;
}

WebBrowserView::WebBrowserView(QWidget* parent) : QWebEngineView(parent) {
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (!profile->urlSchemeHandler(schemeName)) {
        static RefusingSchemeHandler refusing;
        profile->installUrlSchemeHandler(schemeName, &refusing);
    }

    auto* page = new Page(this);
    setPage(page);

    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    channelScript.open(QIODevice::ReadOnly);
    QWebEngineScript script;
    script.setName(QStringLiteral("orvexLinks"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromUtf8(channelScript.readAll()) +
                         QString::fromLatin1(linkScript));
    page->scripts().insert(script);

    bridge_ = new WebBrowserViewBridge(this);
    channel_ = new QWebChannel(this);
    channel_->registerObject(QStringLiteral("orvexLinks"), bridge_);
    page->setWebChannel(channel_, QWebEngineScript::ApplicationWorld);
}

WebBrowserView::~WebBrowserView() = default;

bool WebBrowserView::event(QEvent* e) {
    // The page is drawn by a widget of the engine's, made anew with each
    // renderer (another origin, a failed load, a crashed renderer). The engine
    // adds and polishes the new widget while the old one is still the focus
    // proxy, and makes it the proxy only after that: the chain is mended once
    // the engine is done, whichever order its steps came in.
    if ((e->type() == QEvent::ChildAdded || e->type() == QEvent::ChildPolished ||
         e->type() == QEvent::ChildRemoved) &&
        static_cast<QChildEvent*>(e)->child()->isWidgetType() && !pageWidgetPlacing_) {
        pageWidgetPlacing_ = true;
        QMetaObject::invokeMethod(this, &WebBrowserView::placePageWidget, Qt::QueuedConnection);
    }
    return QWebEngineView::event(e);
}

void WebBrowserView::placePageWidget() {
    pageWidgetPlacing_ = false;
    // A new widget is put last in the window's focus chain: Tab at the page's
    // end would go round to the window's first control. It takes the view's
    // place, right after the view.
    QWidget* pageWidget = focusProxy();
    if (!pageWidget || nextInFocusChain() == pageWidget)
        return;
    // setTabOrder follows focus proxies and skips widgets that take no focus.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusProxy(nullptr);
    setFocusPolicy(Qt::StrongFocus);
    setTabOrder(this, pageWidget);
    setFocusPolicy(policy);
    setFocusProxy(pageWidget);
}

bool WebBrowserView::acceptNavigation(const QUrl& url, bool isMainFrame) {
    if (url.scheme() == QLatin1String(schemeName) || !url.isValid() || url.isEmpty()) {
        logMessage("A command link can only be clicked; the address is ignored.\n");
        return false;
    }
    if (!decide_)
        return true;
    return decide_(url.toString(), isMainFrame ? page()->url() : QUrl(), isMainFrame);
}

#include "WebBrowserView.moc"
