// The browser pane: navigation, the link decision for every navigation of the
// page and its frames, command links played as scenarios, scenario files
// fetched and played, media links handed to the media viewer.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWebEngineHistory>

#include "app/BrowserLinks.h"
#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/Requester.h"
#include "app/ScenarioFetch.h"
#include "engine/LogMessage.h"
#include "ui/CrashedPageNotice.h"
#include "ui/WebBrowserView.h"

namespace {

// What the caption calls a page: its title; without one (the view then
// reports the address) a page of this machine by its file name, which keeps
// the folders of the user's disk out of the caption, any other by its address.
QString pageName(const QString& title, const QUrl& url, const QString& address) {
    if (!title.isEmpty() && QUrl(title) != url && title != url.toString())
        return title;
    if (url.isLocalFile())
        return url.fileName();
    return address;
}

} // namespace

void OrvexMainForm::buildWebView() {
    if (!WebBrowserView::isPrepared())
        return;
    browserView = new WebBrowserView(browserAX);
    browserView->setObjectName(QStringLiteral("browserView"));
    auto* layout = new QVBoxLayout(browserAX);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browserView);
    browserAX->setFocusProxy(browserView);
    browserCrashNotice = new CrashedPageNotice(browserView, browserAX);
    layout->addWidget(browserCrashNotice);
    connect(browserCrashNotice, &CrashedPageNotice::reloadRequested, this,
            &OrvexMainForm::browserReloadSlot);
    browserView->setDecider([this](const QString& url, const QUrl& origin, bool isMainFrame) {
        return beforeNavigate(url, isMainFrame ? Requester::page(origin)
                                               : Requester::frame(url, browserView->url()));
    });
    // The click was kept from the view: whatever the decision, it follows nothing.
    // Queued: a question asked inside the page's message would hold the page's
    // later messages until it closed, so they would queue up behind it.
    connect(
        browserView, &WebBrowserView::commandLinkClicked, this,
        [this](const QString& href, const QUrl& page, const QString& frame, bool byUser) {
            beforeNavigate(href, frame.isEmpty() ? Requester::page(page, byUser)
                                                 : Requester::frame(frame, browserView->url()));
        },
        Qt::QueuedConnection);
    // The view's address is its top page's. The page's navigations the view
    // makes without asking (within the page, from its history) and those that
    // end elsewhere than decided (stopped, a download) end here too.
    connect(browserView, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
        commandGate_.shows(url);
        showTopPage();
    });
    connect(browserView, &QWebEngineView::titleChanged, this, &OrvexMainForm::showTopPage);
    connect(browserView, &QWebEngineView::loadFinished, this, &OrvexMainForm::showTopPage);
}

void OrvexMainForm::showTopPage() {
    const QUrl url = browserView->url();
    if (url.isEmpty())
        return;
    setWindowTitle(pageName(browserView->title(), url, url.toString()) + QStringLiteral(" - ") +
                   windowTitle_);
    // The line keeps the address as it was given while it names the page.
    if (BrowserLinks::toUrl(browserUrlLine->text(), programDir_) != url)
        showAddress(url.toString(), false);
}

void OrvexMainForm::showAddress(const QString& address, bool byUser) {
    // What the user is typing stays, whatever the page does meanwhile.
    if (byUser || !(browserUrlLine->hasFocus() && browserUrlLine->isModified()))
        browserUrlLine->setText(address);
}

QString OrvexMainForm::resolvePath(const QString& path) {
    return BrowserLinks::resolvePath(path, programDir_);
}

QString OrvexMainForm::browserUrl() {
    // The page shown, also while the user edits the line.
    if (browserView && !browserView->url().isEmpty() &&
        BrowserLinks::toUrl(browserUrlLine->text(), programDir_) != browserView->url())
        return browserView->url().toString();
    return browserUrlLine->text();
}

Requester OrvexMainForm::judged(const Requester& request) const {
    Requester who = request.within(browserView ? browserView->url() : QUrl());
    // A frame from elsewhere may script the page that holds it: what the
    // page asks for without the user's own click or key is the frame's.
    if (who.kind() == Requester::Page && !who.byUser()) {
        const QUrl frame = commandGate_.outsideFrameOf(who.page());
        if (!frame.isEmpty())
            who = Requester::frame(frame.toString(), who.page());
    }
    return who;
}

bool OrvexMainForm::beforeNavigate(const QString& url, const Requester& request) {
    const BrowserLinks::Decision decision = BrowserLinks::decide(url);
    const Requester who = judged(request);
    // A frame's address is only what it says: its requests are never trusted.
    const bool trusted = who.kind() == Requester::User ||
                         (who.kind() == Requester::Page && !request.page().isEmpty() &&
                          BrowserLinks::isTrustedLocation(who.page(), programDir_));
    switch (decision.kind) {
    case BrowserLinks::Decision::Command:
        if (trusted || mayRunOutsideCommands(who, EngineLink::fromEngineText(decision.command)))
            runBrowserCommand(decision.command);
        return false;
    case BrowserLinks::Decision::Scenario:
        startScenarioFetch(url, trusted, who);
        return false;
    case BrowserLinks::Decision::Media:
        mediaDropped(url);
        return false;
    case BrowserLinks::Decision::Navigate:
        break;
    }
    // The line and the caption name the page shown: a frame's navigation,
    // whatever its kind, leaves them as they are.
    if (request.isFrame()) {
        // A frame of the page's own making (about:blank, srcdoc) is the page's.
        const QUrl frame = BrowserLinks::toUrl(url, programDir_);
        if (frame.scheme() != QLatin1String("about") &&
            !BrowserLinks::isTrustedLocation(frame, programDir_))
            commandGate_.holdsOutsideFrame(request.page(), frame);
        return true;
    }
    setWindowTitle(pageName(QString(), BrowserLinks::toUrl(url, programDir_), url) +
                   QStringLiteral(" - ") + windowTitle_);
    showAddress(url, request.kind() == Requester::User);
    return true;
}

void OrvexMainForm::runBrowserCommand(const std::string& text) {
    // While recording, the lines the text runs (over several frames when it
    // waits) are recorded from the engine's log as they run, each once.
    const bool recording = gl_ && gl_->isRecording();
    if (gl_)
        gl_->runScript(text, 0);
    // Text the user has not saved stays as it is, and so does the text a
    // save is asking about (a fetch may end while its dialog is open).
    if (recording || holdsUnsavedText() || savingScenario_)
        return;
    // The link's text is not the user's work, nor the file's; what is
    // recorded next follows it.
    showTextOfNoFile(EngineLink::fromEngineText(text));
    scenarioEdit->moveCursor(QTextCursor::End);
}

void OrvexMainForm::startScenarioFetch(const QString& url, bool trustedOrigin,
                                       const Requester& who) {
    const QUrl target = BrowserLinks::toUrl(url, programDir_);
    const bool trusted = trustedOrigin && BrowserLinks::isTrustedLocation(target, programDir_);
    // The user's own address asks for itself; a page's fetch is named by the
    // scenario's address, a frame's by the frame and its page.
    Requester asking = who.kind() == Requester::User ? Requester::page(target) : who;
    if (!asking.isFrame())
        asking = asking.askingFor(url);
    if (!trusted && gateRefuses(asking))
        return;
    // A new link abandons the fetch before it, with whatever it received.
    if (scenarioDownload) {
        scenarioDownload->disconnect(this);
        scenarioDownload->deleteLater();
    }
    scenarioDownload = new ScenarioFetch(target, this);
    connect(scenarioDownload, &ScenarioFetch::fetched, this,
            [this, trusted, asking](const QByteArray& text) {
                const std::string script = text.toStdString();
                if (trusted || mayRunOutsideCommands(asking, EngineLink::fromEngineText(script)))
                    runBrowserCommand(script);
            });
    connect(scenarioDownload, &ScenarioFetch::failed, this, [url](const QString& reason) {
        logMessage("Could not fetch scenario %s: %s\n", url.toLocal8Bit().constData(),
                   reason.toLocal8Bit().constData());
    });
}

bool OrvexMainForm::gateRefuses(const Requester& who) {
    const QString refusal = commandGate_.refusal(who.site(), who.holder());
    if (refusal.isEmpty())
        return false;
    if (commandGate_.firstRefusal(who.site(), refusal))
        logMessage("Commands of %s refused: %s (noted once until the page is loaded again)\n",
                   who.logName(programDir_).toLocal8Bit().constData(),
                   refusal.toLocal8Bit().constData());
    return true;
}

bool OrvexMainForm::mayRunOutsideCommands(const Requester& who, const QString& text) {
    if (gateRefuses(who))
        return false;
    bool agreed = false;
    {
        const CommandGate::Asking asking(commandGate_);
        agreed = confirmCommands(who.name(programDir_), BrowserLinks::oneCommandPerLine(text));
    }
    if (!agreed)
        commandGate_.refuse(who.site());
    return agreed;
}

bool OrvexMainForm::confirmCommands(const QString& from, const QString& text) {
    // Every command is in the box, however many: what is not shown is not agreed to.
    QDialog box(this);
    box.setObjectName(QStringLiteral("commandQuestion"));
    box.setWindowTitle(tr("Orvex Studio"));
    auto* layout = new QVBoxLayout(&box);
    const QString place = from.isEmpty() ? tr("A page") : from;
    auto* heading = new QLabel(
        tr("%1 is not a page of this program and wants to run these commands:").arg(place), &box);
    heading->setWordWrap(true);
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);
    auto* commands = new QPlainTextEdit(text, &box);
    commands->setObjectName(QStringLiteral("commands"));
    commands->setReadOnly(true);
    commands->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for a few lines of a usual width, within the screen; the rest scrolls.
    const QFontMetrics metrics = commands->fontMetrics();
    const QRect room = screen()->availableGeometry();
    commands->setMinimumSize(qMin(metrics.averageCharWidth() * 72, room.width() / 2),
                             qMin(metrics.lineSpacing() * 12, room.height() / 3));
    layout->addWidget(commands, 1);
    layout->addWidget(new QLabel(tr("Run them?"), &box));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, &box);
    buttons->button(QDialogButtonBox::Yes)->setAutoDefault(false);
    buttons->button(QDialogButtonBox::No)->setDefault(true);
    buttons->button(QDialogButtonBox::No)->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    return box.exec() == QDialog::Accepted;
}

void OrvexMainForm::browserPrevSlot() {
    if (browserView) {
        commandGate_.userLoads(browserView->history()->backItem().url(), browserView->url());
        browserView->back();
    }
}

void OrvexMainForm::browserNextSlot() {
    if (browserView) {
        commandGate_.userLoads(browserView->history()->forwardItem().url(), browserView->url());
        browserView->forward();
    }
}

void OrvexMainForm::browserStopSlot() {
    if (browserView) {
        browserView->stop();
        // A load stopped before its page showed leaves the page shown as it was.
        commandGate_.shows(browserView->url());
    }
}

void OrvexMainForm::browserReloadSlot() {
    if (browserView) {
        commandGate_.userLoads(browserView->url(), browserView->url());
        browserView->reload();
    }
}

void OrvexMainForm::browserUrlSlot() {
    bookmarkNavigate(browserUrlLine->text());
}

void OrvexMainForm::bookmarkNavigate(const QString& url) {
    const QString resolved = resolvePath(url);
    const QUrl target = BrowserLinks::toUrl(resolved, programDir_);
    // The user's address lifts a refusal of its site; the page shown is left
    // only when the view loads another (not for a command, scenario or media).
    commandGate_.userLoads(target, target);
    if (beforeNavigate(resolved, Requester::user()) && browserView) {
        commandGate_.userLoads(target, browserView->url());
        browserView->load(target);
    }
}
