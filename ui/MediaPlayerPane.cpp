#include "ui/MediaPlayerPane.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "engine/LogMessage.h"
#include "platform/RegularFile.h"
#include "ui/NetworkFetch.h"
#include "ui/WindowStack.h"

namespace {

// Why a local file cannot be shown before anything opens it; empty for a
// regular file. Opening a named pipe, in the player or in a picture's read,
// would hold the window until another program wrote to it.
QString notShowable(const QString& file) {
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return QString::fromStdString(platform::notRegularReason(info.st_mode));
    return QString();
}

} // namespace

MediaPlayerPane::MediaPlayerPane(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* screen = new QWidget(this);
    WindowStack::paintBackground(screen, Qt::black);
    pages_ = new QStackedLayout(screen);
    pictureLabel_ = new QLabel(screen);
    pictureLabel_->setAlignment(Qt::AlignCenter);
    // Ignored: the scaled picture must not make its label grow.
    pictureLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pictureLabel_->installEventFilter(this);
    WindowStack::paintBackground(pictureLabel_, Qt::black);
    QPalette palette = pictureLabel_->palette();
    palette.setColor(QPalette::WindowText, Qt::white); // the failure message
    pictureLabel_->setPalette(palette);
    pictureLabel_->setWordWrap(true);
    pages_->addWidget(pictureLabel_);
    video_ = new QVideoWidget(screen);
    video_->setAspectRatioMode(Qt::KeepAspectRatio);
    pages_->addWidget(video_);
    column->addWidget(screen, 1);

    controls_ = new QWidget(this);
    auto* bar = new QHBoxLayout(controls_);
    bar->setContentsMargins(2, 2, 2, 2);
    auto addButton = [&](const QString& text, void (MediaPlayerPane::*slot)()) {
        auto* button = new QPushButton(text, controls_);
        connect(button, &QPushButton::clicked, this, slot);
        bar->addWidget(button);
    };
    addButton(tr("Play"), &MediaPlayerPane::play);
    addButton(tr("Pause"), &MediaPlayerPane::pause);
    addButton(tr("Stop"), &MediaPlayerPane::stop);
    position_ = new QSlider(Qt::Horizontal, controls_);
    connect(position_, &QSlider::sliderMoved, this, [this](int ms) {
        if (player_)
            player_->setPosition(ms);
    });
    bar->addWidget(position_, 1);
    column->addWidget(controls_);
    controls_->hide();
}

MediaPlayerPane::~MediaPlayerPane() {
    if (player_)
        player_->stop();
}

bool MediaPlayerPane::isPictureFile(const QString& file) {
    static const char* const pictures[] = {"bmp", "gif", "png", "jpg", "jpeg"};
    // A web address's query is no part of its file name.
    const QUrl url(file);
    const QString name = NetworkFetch::isRemote(url) ? url.path() : file;
    const QString suffix = QFileInfo(name).suffix().toLower();
    for (const char* extension : pictures)
        if (suffix == QLatin1String(extension))
            return true;
    return false;
}

QMediaPlayer* MediaPlayerPane::player() {
    if (!player_) {
        player_ = new QMediaPlayer(this, QMediaPlayer::VideoSurface);
        player_->setVideoOutput(video_);
        connect(player_, &QMediaPlayer::positionChanged, this, &MediaPlayerPane::updatePosition);
        connect(player_, &QMediaPlayer::durationChanged, this, &MediaPlayerPane::updateDuration);
        connect(player_, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
                [this](QMediaPlayer::Error) { showFailure(player_->errorString()); });
    }
    return player_;
}

void MediaPlayerPane::setUrl(const QString& file) {
    url_ = file;
    message_.clear();
    delete fetch_; // a newer medium abandons the picture still on its way
    fetch_ = nullptr;
    const QUrl remote(file);
    const bool isRemote = NetworkFetch::isRemote(remote);
    const QString refusal = isRemote ? QString() : notShowable(file);
    if (!refusal.isEmpty()) {
        if (player_)
            player_->stop();
        showFailure(refusal);
        return;
    }
    if (isPictureFile(file)) {
        if (player_)
            player_->stop();
        picture_ = QPixmap();
        pages_->setCurrentWidget(pictureLabel_);
        if (isRemote) {
            showPicture();
            fetchPicture(remote);
            return;
        }
        picture_ = QPixmap(file);
        showPicture();
        if (picture_.isNull())
            showFailure(tr("not a picture that can be read"));
        return;
    }
    picture_ = QPixmap();
    pictureLabel_->clear();
    pages_->setCurrentWidget(video_);
    player()->setMedia(isRemote ? remote : QUrl::fromLocalFile(file));
    player_->play();
}

void MediaPlayerPane::fetchPicture(const QUrl& url) {
    fetch_ = new NetworkFetch(url, maxRemotePicture, this);
    connect(fetch_, &NetworkFetch::fetched, this, [this](const QByteArray& data) {
        fetch_->deleteLater();
        fetch_ = nullptr;
        if (!picture_.loadFromData(data)) {
            showFailure(tr("not a picture that can be read"));
            return;
        }
        showPicture();
    });
    connect(fetch_, &NetworkFetch::failed, this, [this](const QString& reason) {
        fetch_->deleteLater();
        fetch_ = nullptr;
        showFailure(reason);
    });
}

void MediaPlayerPane::showFailure(const QString& reason) {
    logMessage("Could not show %s: %s\n", url_.toLocal8Bit().constData(),
               reason.toLocal8Bit().constData());
    picture_ = QPixmap();
    message_ = tr("Could not show %1:\n%2").arg(url_, reason);
    pictureLabel_->setText(message_);
    pages_->setCurrentWidget(pictureLabel_);
}

bool MediaPlayerPane::isShowingPicture() const {
    return pages_->currentWidget() == pictureLabel_ && !picture_.isNull();
}

void MediaPlayerPane::play() {
    if (player_)
        player_->play();
}

void MediaPlayerPane::pause() {
    if (player_)
        player_->pause();
}

void MediaPlayerPane::stop() {
    if (player_)
        player_->stop();
}

void MediaPlayerPane::setControlsVisible(bool on) {
    controls_->setVisible(on);
}

bool MediaPlayerPane::controlsVisible() const {
    return !controls_->isHidden();
}

bool MediaPlayerPane::eventFilter(QObject* watched, QEvent* e) {
    if (watched == pictureLabel_ && e->type() == QEvent::Resize)
        showPicture();
    return QWidget::eventFilter(watched, e);
}

void MediaPlayerPane::showPicture() {
    if (picture_.isNull()) {
        pictureLabel_->setText(message_);
        return;
    }
    pictureLabel_->setPixmap(picture_.scaled(pictureLabel_->size().expandedTo(QSize(1, 1)),
                                             Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MediaPlayerPane::updatePosition(qint64 ms) {
    if (!position_->isSliderDown())
        position_->setValue(int(ms));
}

void MediaPlayerPane::updateDuration(qint64 ms) {
    position_->setRange(0, int(ms));
}
