// The browser pane: navigation, the link decision for every navigation of the
// page and its frames, command links played as scenarios, scenario files
// fetched and played, media links handed to the media viewer.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/BrowserLinks.h"
#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/ScenarioFetch.h"
#include "engine/LogMessage.h"
#include "ui/WebBrowserView.h"

namespace {

// How many lines a question about commands shows.
const int shownLines = 24;

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
    browserView->setDecider([this](const QString& url, const QUrl& origin) {
        return beforeNavigate(url, origin, false);
    });
    // The click was kept from the view: whatever the decision, it follows nothing.
    connect(browserView, &WebBrowserView::commandLinkClicked, this,
            [this](const QString& href, const QUrl& frame) { beforeNavigate(href, frame, false); });
    connect(browserView, &QWebEngineView::titleChanged, this, [this](const QString& title) {
        const QUrl url = browserView->url();
        setWindowTitle(pageName(title, url, url.toString()) + QStringLiteral(" - ") + windowTitle_);
    });
}

QString OrvexMainForm::resolvePath(const QString& path) {
    return BrowserLinks::resolvePath(path, programDir_);
}

QString OrvexMainForm::browserUrl() {
    return browserUrlLine->text();
}

bool OrvexMainForm::beforeNavigate(const QString& url, const QUrl& origin, bool byUser) {
    const BrowserLinks::Decision decision = BrowserLinks::decide(url);
    const bool trustedOrigin = byUser || BrowserLinks::isTrustedLocation(origin, programDir_);
    switch (decision.kind) {
    case BrowserLinks::Decision::Command:
        if (trustedOrigin ||
            confirmCommands(origin.toString(), EngineLink::fromEngineText(decision.command)))
            runBrowserCommand(decision.command);
        return false;
    case BrowserLinks::Decision::Scenario:
        startScenarioFetch(url, trustedOrigin);
        return false;
    case BrowserLinks::Decision::Media:
        mediaDropped(url);
        return false;
    case BrowserLinks::Decision::Navigate:
        break;
    }
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
    scenarioEdit->setPlainText(EngineLink::fromEngineText(text));
    // The link's text is not the user's work; what is recorded next follows it.
    scenarioEdit->document()->setModified(false);
    scenarioEdit->moveCursor(QTextCursor::End);
}

void OrvexMainForm::startScenarioFetch(const QString& url, bool trustedOrigin) {
    // A new link abandons the fetch before it, with whatever it received.
    if (scenarioDownload) {
        scenarioDownload->disconnect(this);
        scenarioDownload->deleteLater();
    }
    const QUrl target = BrowserLinks::toUrl(url, programDir_);
    const bool trusted = trustedOrigin && BrowserLinks::isTrustedLocation(target, programDir_);
    scenarioDownload = new ScenarioFetch(target, this);
    connect(scenarioDownload, &ScenarioFetch::fetched, this,
            [this, url, trusted](const QByteArray& text) {
                const std::string script = text.toStdString();
                if (trusted || confirmCommands(url, EngineLink::fromEngineText(script)))
                    runBrowserCommand(script);
            });
    connect(scenarioDownload, &ScenarioFetch::failed, this, [url](const QString& reason) {
        logMessage("Could not fetch scenario %s: %s\n", url.toLocal8Bit().constData(),
                   reason.toLocal8Bit().constData());
    });
}

bool OrvexMainForm::confirmCommands(const QString& from, const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > shownLines) {
        const int more = lines.size() - shownLines;
        lines = lines.mid(0, shownLines);
        lines << tr("... and %n more line(s)", nullptr, more);
    }
    const QString place = from.isEmpty() ? tr("A page") : from;
    const QString question =
        tr("%1 is not a page of this program and wants to run these commands:").arg(place) +
        QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
        tr("Run them?");
    return QMessageBox::question(this, tr("Orvex Studio"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void OrvexMainForm::browserPrevSlot() {
    if (browserView)
        browserView->back();
}

void OrvexMainForm::browserNextSlot() {
    if (browserView)
        browserView->forward();
}

void OrvexMainForm::browserStopSlot() {
    if (browserView)
        browserView->stop();
}

void OrvexMainForm::browserReloadSlot() {
    if (browserView)
        browserView->reload();
}

void OrvexMainForm::browserUrlSlot() {
    bookmarkNavigate(browserUrlLine->text());
}

void OrvexMainForm::bookmarkNavigate(const QString& url) {
    const QString resolved = resolvePath(url);
    if (beforeNavigate(resolved, QUrl(), true) && browserView)
        browserView->load(BrowserLinks::toUrl(resolved, programDir_));
}
