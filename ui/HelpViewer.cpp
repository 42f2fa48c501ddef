#include "ui/HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

QString HelpViewer::helpDirectory(const QString& baseDir, const QString& locale) {
    const QDir doc(QDir(baseDir).filePath(QStringLiteral("doc")));
    const QString candidates[] = {locale, locale.toLower(), locale.section('_', 0, 0).toLower()};
    for (const QString& candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        const QString dir = doc.filePath(candidate);
        if (QFileInfo(QDir(dir).filePath(QString::fromLatin1(contentsPage))).isFile())
            return dir;
    }
    return doc.filePath(QString::fromLatin1(fallbackLocale));
}

HelpViewer* HelpViewer::showPage(QWidget* owner, const QString& file, const QString& anchor) {
    auto* viewer = owner ? owner->findChild<HelpViewer*>(QString::fromLatin1(windowName),
                                                         Qt::FindDirectChildrenOnly)
                         : nullptr;
    if (!viewer)
        viewer = new HelpViewer(owner);
    viewer->open(file, anchor);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QString::fromLatin1(windowName));
    setWindowTitle(tr("Orvex Studio Help"));

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    auto makeButton = [&](const QString& text) {
        auto* button = new QToolButton(this);
        button->setText(text);
        buttons->addWidget(button);
        return button;
    };
    backButton = makeButton(tr("Back"));
    forwardButton = makeButton(tr("Forward"));
    contentsButton = makeButton(tr("Contents"));
    buttons->addStretch(1);

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(browser);

    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(backButton, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QToolButton::setEnabled);
    connect(contentsButton, &QToolButton::clicked, this, &HelpViewer::showContents);
    resize(760, 560);
}

void HelpViewer::open(const QString& file, const QString& anchor) {
    currentFile_ = file;
    const QFileInfo info(file);
    contentsFile_ = info.dir().filePath(QString::fromLatin1(contentsPage));
    pageFound_ = info.isFile();
    if (!pageFound_) {
        browser->setHtml(tr("<h3>Help page not found</h3><p>There is no help page <tt>%1</tt>.</p>")
                             .arg(file.toHtmlEscaped()));
        return;
    }
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    browser->setSource(url);
}

void HelpViewer::showContents() {
    open(contentsFile_, QString());
}
