#include "ui/HelpViewer.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

QStringList HelpViewer::localeDirectories(const QString& locale) {
    QStringList dirs;
    for (const QString& candidate : {locale, locale.toLower(), locale.section('_', 0, 0).toLower(),
                                     QString::fromLatin1(fallbackLocale)}) {
        if (!candidate.isEmpty() && !dirs.contains(candidate))
            dirs << candidate;
    }
    return dirs;
}

QString HelpViewer::helpDirectory(const QString& baseDir, const QString& locale) {
    const QString doc = QDir(baseDir).filePath(QStringLiteral("doc"));
    const QString contents = findPage(doc, locale, QString::fromLatin1(contentsPage));
    return contents.isEmpty() ? QDir(doc).filePath(QString::fromLatin1(fallbackLocale))
                              : QFileInfo(contents).path();
}

QString HelpViewer::findPage(const QString& docDir, const QString& locale, const QString& page) {
    for (const QString& dir : localeDirectories(locale)) {
        const QString file = QDir(docDir).filePath(dir + QLatin1Char('/') + page);
        if (QFileInfo(file).isFile())
            return file;
    }
    return QString();
}

QString HelpViewer::classPage(const QString& className) {
    return QStringLiteral("classref_") + className + QStringLiteral(".html");
}

QString HelpViewer::commandAnchor(const QString& className, const QString& command) {
    return className + QLatin1Char('_') + command;
}

HelpViewer* HelpViewer::of(QWidget* owner) {
    auto* viewer = owner ? owner->findChild<HelpViewer*>(QString::fromLatin1(windowName),
                                                         Qt::FindDirectChildrenOnly)
                         : nullptr;
    return viewer ? viewer : new HelpViewer(owner);
}

HelpViewer* HelpViewer::showPage(QWidget* owner, const QString& file, const QString& anchor) {
    HelpViewer* viewer = of(owner);
    viewer->present(file, anchor);
    return viewer;
}

void HelpViewer::present(const QString& file, const QString& anchor) {
    open(file, anchor);
    show();
    raise();
    activateWindow();
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
    // At the top, in reach where the window reaches past a small screen.
    closeButton = makeButton(tr("Close"));

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
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
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

void HelpViewer::changeEvent(QEvent* event) {
    // A page takes its link colours from the palette as it is read: under a
    // new style's palette the page is read again, where the reader was.
    if (event->type() == QEvent::PaletteChange && pageFound_) {
        const int scrolled = browser->verticalScrollBar()->value();
        browser->reload();
        browser->verticalScrollBar()->setValue(scrolled);
    }
    QWidget::changeEvent(event);
}
