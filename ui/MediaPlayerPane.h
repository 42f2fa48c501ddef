// The player the GL window and the media viewer embed: pictures are shown
// scaled to fit (keeping their proportions) on black, movies are played by the
// toolkit's media player, stretched to fit as well. An optional bar of
// playback controls sits below.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;
class QStackedLayout;
class QVideoWidget;

class MediaPlayerPane : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerPane(QWidget* parent = nullptr);
    ~MediaPlayerPane() override;

    // Shows a file: a picture (".bmp", ".gif", ".png", ".jpg", ".jpeg", any
    // case) at once, anything else as a movie that starts playing.
    void setUrl(const QString& file);
    const QString& url() const { return url_; }
    bool isShowingPicture() const;

    void play();
    void pause();
    void stop();
    // The playback bar: shown ("full") or hidden ("none").
    void setControlsVisible(bool on);
    bool controlsVisible() const;

    static bool isPictureFile(const QString& file);

protected:
    // Scales the picture again whenever its label changes size.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The movie player is made on first use: most runs never play a movie.
    QMediaPlayer* player();
    void showPicture();
    void updatePosition(qint64 ms);
    void updateDuration(qint64 ms);

    QString url_;
    QPixmap picture_;
    QStackedLayout* pages_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QVideoWidget* video_ = nullptr;
    QMediaPlayer* player_ = nullptr;
    QWidget* controls_ = nullptr;
    QSlider* position_ = nullptr;
};
