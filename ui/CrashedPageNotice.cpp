#include "ui/CrashedPageNotice.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

CrashedPageNotice::CrashedPageNotice(QWebEngineView* view, QWidget* parent)
    : QWidget(parent), view_(view) {
    setObjectName(QStringLiteral("crashedPageNotice"));
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(this);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignCenter);
    reload_ = new QPushButton(this);
    reload_->setObjectName(QStringLiteral("crashedPageReload"));
    layout->addStretch();
    layout->addWidget(text_);
    layout->addWidget(reload_, 0, Qt::AlignCenter);
    layout->addStretch();
    languageChange();
    hide();
    connect(reload_, &QPushButton::clicked, this, &CrashedPageNotice::reloadRequested);
    connect(view->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    pageEnded();
            });
    // Any load brings a new renderer, and the page with it.
    connect(view, &QWebEngineView::loadStarted, this, &CrashedPageNotice::pageBack);
}

void CrashedPageNotice::languageChange() {
    text_->setText(tr("The page stopped working."));
    reload_->setText(tr("&Reload"));
}

void CrashedPageNotice::pageEnded() {
    // The window's own: it keeps it while another window is active. None
    // when the keyboard went with the page's widget.
    QWidget* focus = window()->focusWidget();
    const bool hadKeyboard = !focus || focus == view_ || view_->isAncestorOf(focus);
    show();
    view_->hide();
    if (hadKeyboard)
        reload_->setFocus();
}

void CrashedPageNotice::pageBack() {
    if (isHidden())
        return;
    const bool hadKeyboard = window()->focusWidget() == reload_;
    view_->show();
    hide();
    if (hadKeyboard)
        view_->setFocus();
}
