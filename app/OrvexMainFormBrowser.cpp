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
#include "app/ScenarioFetch.h"
#include "engine/LogMessage.h"
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

// How a frame's request is named: its address, and the page holding it. The
// question says it in the user's language, the log in its own.
const char* const frameOf = QT_TRANSLATE_NOOP("OrvexMainForm", "%1 (a frame of %2)");

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
    browserView->setDecider([this](const QString& url, const QUrl& origin, bool isMainFrame) {
        return beforeNavigate(url, origin, false, isMainFrame);
    });
    // The click was kept from the view: whatever the decision, it follows nothing.
    // Queued: a question asked inside the page's message would hold the page's
    // later messages until it closed, so they would queue up behind it.
    connect(
        browserView, &WebBrowserView::commandLinkClicked, this,
        [this](const QString& href, const QUrl& page, const QString& frame) {
            beforeNavigate(href, page, false, frame.isEmpty(), frame);
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
    // The line keeps the address as it was given while it names the page,
    // and what the user is typing in it.
    if (BrowserLinks::toUrl(browserUrlLine->text(), programDir_) != url &&
        !(browserUrlLine->hasFocus() && browserUrlLine->isModified()))
        browserUrlLine->setText(url.toString());
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

QString OrvexMainForm::frameName(const QString& frame, const QUrl& holder) const {
    return tr(frameOf).arg(frame, holder.toString());
}

bool OrvexMainForm::beforeNavigate(const QString& url, const QUrl& origin, bool byUser,
                                   bool topFrame, const QString& frame) {
    const BrowserLinks::Decision decision = BrowserLinks::decide(url);
    // A frame's address is only what it says: its requests are never trusted.
    const bool trustedOrigin =
        byUser || (topFrame && BrowserLinks::isTrustedLocation(origin, programDir_));
    // The page a request without its page came from: the one shown.
    const QUrl page = byUser || !origin.isEmpty() || !browserView ? origin : browserView->url();
    switch (decision.kind) {
    case BrowserLinks::Decision::Command: {
        const QString text = EngineLink::fromEngineText(decision.command);
        bool agreed = trustedOrigin;
        if (!agreed && !topFrame) {
            // A frame asks by its own address, with the page that holds it.
            agreed = mayRunOutsideCommands(QUrl(frame), frameName(frame, page), text, page);
        } else if (!agreed) {
            // A request a page's script posts to its own window comes without
            // its page: it is named by the page. Inside a page of the program
            // its script may be a frame's of the same origin that reached
            // into the page: it is not named by the program's page.
            agreed = mayRunOutsideCommands(
                page,
                BrowserLinks::isTrustedLocation(page, programDir_) ? QString() : page.toString(),
                text);
        }
        if (agreed)
            runBrowserCommand(decision.command);
        return false;
    }
    case BrowserLinks::Decision::Scenario:
        startScenarioFetch(url, trustedOrigin, page, !topFrame);
        return false;
    case BrowserLinks::Decision::Media:
        mediaDropped(url);
        return false;
    case BrowserLinks::Decision::Navigate:
        break;
    }
    // The line and the caption name the page shown: a frame's navigation,
    // whatever its kind, leaves them as they are.
    if (!topFrame)
        return true;
    setWindowTitle(pageName(QString(), BrowserLinks::toUrl(url, programDir_), url) +
                   QStringLiteral(" - ") + windowTitle_);
    browserUrlLine->setText(url);
    return true;
}

void OrvexMainForm::runBrowserCommand(const std::string& text) {
    // While recording, the lines the text runs (over several frames when it
    // waits) are recorded from the engine's log as they run, each once.
    const bool recording = gl_ && gl_->isRecording();
    if (gl_)
        gl_->runScript(text, 0);
    // Text the user has not saved stays as it is.
    if (recording || holdsUnsavedText())
        return;
    // The link's text is not the user's work, nor the file's; what is
    // recorded next follows it.
    showTextOfNoFile(EngineLink::fromEngineText(text));
    scenarioEdit->moveCursor(QTextCursor::End);
}

void OrvexMainForm::startScenarioFetch(const QString& url, bool trustedOrigin, const QUrl& page,
                                       bool inFrame) {
    const QUrl target = BrowserLinks::toUrl(url, programDir_);
    const bool trusted = trustedOrigin && BrowserLinks::isTrustedLocation(target, programDir_);
    // The user's own address asks for itself, and so does a frame's, which
    // is named with the page that holds it.
    const QUrl asking = page.isEmpty() || inFrame ? target : page;
    const QUrl holder = inFrame ? page : QUrl();
    const QString from = inFrame ? frameName(url, page) : url;
    if (!trusted && gateRefuses(asking, from, holder))
        return;
    // A new link abandons the fetch before it, with whatever it received.
    if (scenarioDownload) {
        scenarioDownload->disconnect(this);
        scenarioDownload->deleteLater();
    }
    scenarioDownload = new ScenarioFetch(target, this);
    connect(scenarioDownload, &ScenarioFetch::fetched, this,
            [this, from, trusted, asking, holder](const QByteArray& text) {
                const std::string script = text.toStdString();
                if (trusted ||
                    mayRunOutsideCommands(asking, from, EngineLink::fromEngineText(script), holder))
                    runBrowserCommand(script);
            });
    connect(scenarioDownload, &ScenarioFetch::failed, this, [url](const QString& reason) {
        logMessage("Could not fetch scenario %s: %s\n", url.toLocal8Bit().constData(),
                   reason.toLocal8Bit().constData());
    });
}

bool OrvexMainForm::gateRefuses(const QUrl& page, const QString& from, const QUrl& holder) {
    const QString refusal = commandGate_.refusal(page, holder);
    if (refusal.isEmpty())
        return false;
    // A frame is named as in the question, in the log's language. A request
    // without a name was posted inside a page of the program, as a rule by a
    // frame of elsewhere.
    QString named = from;
    if (!holder.isEmpty())
        named = QString::fromLatin1(frameOf).arg(page.toString(), holder.toString());
    else if (from.isEmpty())
        named = QStringLiteral("a frame of ") + page.toString();
    if (commandGate_.firstRefusal(page, refusal))
        logMessage("Commands of %s refused: %s (noted once until the page is loaded again)\n",
                   named.toLocal8Bit().constData(), refusal.toLocal8Bit().constData());
    return true;
}

bool OrvexMainForm::mayRunOutsideCommands(const QUrl& page, const QString& from,
                                          const QString& text, const QUrl& holder) {
    if (gateRefuses(page, from, holder))
        return false;
    bool agreed = false;
    {
        const CommandGate::Asking asking(commandGate_);
        agreed = confirmCommands(from, BrowserLinks::oneCommandPerLine(text));
    }
    if (!agreed)
        commandGate_.refuse(page);
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
    if (beforeNavigate(resolved, QUrl(), true) && browserView) {
        commandGate_.userLoads(target, browserView->url());
        browserView->load(target);
    }
}
