#include "ui/HelpViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

QString HelpViewer::classPage(const QString& className) {
    return QStringLiteral("classref_") + className + QStringLiteral(".html");
}

QString HelpViewer::commandAnchor(const QString& className, const QString& command) {
    return className + QLatin1Char('_') + command;
}

QString HelpViewer::findPage(const QString& docDir, const QString& locale, const QString& page) {
    const QString lower = locale.toLower();
    QStringList candidates;
    if (!lower.isEmpty()) {
        candidates << lower;
        const int cut = lower.indexOf(QLatin1Char('_'));
        if (cut > 0)
            candidates << lower.left(cut);
    }
    candidates << QStringLiteral("en_us");
    for (const QString& dir : candidates) {
        const QString file = QDir(docDir).filePath(dir + QLatin1Char('/') + page);
        if (QFileInfo(file).isFile())
            return file;
    }
    return QString();
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* buttons = new QHBoxLayout;
    backButton_ = new QToolButton(this);
    backButton_->setArrowType(Qt::LeftArrow);
    forwardButton_ = new QToolButton(this);
    forwardButton_->setArrowType(Qt::RightArrow);
    homeButton_ = new QToolButton(this);
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addWidget(homeButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);
    layout->addWidget(browser);

    connect(backButton_, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton_, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, backButton_, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton_, &QToolButton::setEnabled);
    connect(homeButton_, &QToolButton::clicked, this, [this] {
        if (!home_.isEmpty())
            browser->setSource(QUrl::fromLocalFile(home_));
    });
    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);
    languageChange();
    resize(640, 560);
}

void HelpViewer::languageChange() {
    setWindowTitle(tr("Orvex Studio Help"));
    backButton_->setToolTip(tr("Back"));
    forwardButton_->setToolTip(tr("Forward"));
    homeButton_->setText(tr("Contents"));
}

void HelpViewer::showPage(const QString& file, const QString& anchor) {
    home_ = QFileInfo(file).dir().filePath(QString::fromLatin1(indexPage));
    QUrl url = QUrl::fromLocalFile(file);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    browser->setSource(url);
    show();
    raise();
    activateWindow();
}
