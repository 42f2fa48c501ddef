#include "ui/OrvexProjForm.h"

#include <QCloseEvent>
#include <QGLFormat>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>

#include "app/EngineLink.h"
#include "app/StartupState.h"
#include "engine/DisplayConfig.h"
#include "engine/OrvexGL.h"
#include "ui/MediaPlayerPane.h"
#include "ui/OrvexGLLink.h"
#include "ui/ViewFocusFrame.h"
#include "ui/WindowStack.h"

namespace {

// Stereo drawing needs stereo buffers (quad buffers, or the stencil buffer
// of the row mask) in every GL widget made from now on.
void requestStereoWhenConfigured() {
    const DisplayConfig config;
    if (config.getStereoMode() != DisplayConfig::Mono)
        QGLFormat::setDefaultFormat(config.glFormat());
}

} // namespace

OrvexProjForm::OrvexProjForm(QWidget* parent, const char* name)
    : QWidget(parent), placement_("/Orvex/OrvexGL") {
    if (name)
        setObjectName(name);
    // The view takes the default format when it is made.
    requestStereoWhenConfigured();
    auto* view = new OrvexGL;
    engine_ = new OrvexGLLink(view, this);
    build(view);
}

OrvexProjForm::OrvexProjForm(QWidget* view, EngineLink* engine, QWidget* parent, const char* name)
    : QWidget(parent), engine_(engine), placement_("/Orvex/OrvexGL") {
    if (name)
        setObjectName(name);
    if (!engine_)
        engine_ = new EngineLink(this);
    requestStereoWhenConfigured();
    build(view);
}

void OrvexProjForm::build(QWidget* view) {
    stack = WindowStack::fill(this, mainLayout);

    // A window given no view shows a black pane.
    view_ = view ? view : new QWidget;
    if (!view)
        WindowStack::paintBackground(view_, Qt::black);
    view_->setParent(stack);
    view_->setFocusPolicy(Qt::StrongFocus);
    stack->addWidget(view_);
    view_->setFocus();
    new ViewFocusFrame(this, view_);

    imageLabel = WindowStack::addImageLabel(stack);

    mediaPlayerAXAX = new MediaPlayerPane(stack);
    mediaPlayerAXAX->setObjectName("mediaPlayerAXAX");
    stack->addWidget(mediaPlayerAXAX);
    stack->setCurrentIndex(0);

    placement_.restore(this, StartupState::isReset());
}

OrvexProjForm::~OrvexProjForm() {
    // The view goes first: with it goes the engine.
    delete view_;
    view_ = nullptr;
    placement_.save();
}

void OrvexProjForm::restoreGeometry() {
    placement_.apply(this);
}

void OrvexProjForm::resetGeometry(const QRect& rect) {
    placement_.reset(this, rect);
}

void OrvexProjForm::mediaPlay() {
    mediaPlayerAXAX->play();
}

void OrvexProjForm::mediaPause() {
    mediaPlayerAXAX->pause();
}

void OrvexProjForm::mediaStop() {
    mediaPlayerAXAX->stop();
}

void OrvexProjForm::setMediaControls(bool on) {
    mediaPlayerAXAX->setControlsVisible(on);
}

void OrvexProjForm::setVisible(bool visible) {
    placement_.changingVisibility(this, visible);
    QWidget::setVisible(visible);
}

void OrvexProjForm::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    placement_.track(this);
}

void OrvexProjForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    placement_.shown(this);
}

void OrvexProjForm::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        placement_.noteState(this);
}

void OrvexProjForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    setWindowTitle(tr("Orvex Studio") +
                   QString::asprintf(" [ %i x %i ]", e->size().width(), e->size().height()));
    placement_.track(this);
}

void OrvexProjForm::closeEvent(QCloseEvent* e) {
    emit closed();
    e->accept();
}
