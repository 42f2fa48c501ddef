// The player the GL window and the media viewer embed: pictures are shown
// scaled to fit (keeping their proportions) on black, movies are played by the
// toolkit's media player, stretched to fit as well. Addresses on a web server
// (http, https) are fetched over the network: a picture within a size cap,
// a movie streamed by the player. A medium that cannot be shown leaves a
// message on the black page and in the log. An optional bar of playback
// controls sits below.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class NetworkFetch;
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

    // The largest picture fetched from a web server.
    static constexpr qint64 maxRemotePicture = 32 * 1024 * 1024;

    // Shows a file or web address: a picture (".bmp", ".gif", ".png", ".jpg",
    // ".jpeg", any case) at once (a remote one when it has arrived), anything
    // else as a movie that starts playing.
    void setUrl(const QString& file);
    const QString& url() const { return url_; }
    bool isShowingPicture() const;
    // What the black page says when a medium could not be shown; empty otherwise.
    const QString& message() const { return message_; }

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
    void showFailure(const QString& reason);
    void fetchPicture(const QUrl& url);
    void updatePosition(qint64 ms);
    void updateDuration(qint64 ms);

    QString url_;
    QString message_;
    QPixmap picture_;
    QStackedLayout* pages_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QVideoWidget* video_ = nullptr;
    QMediaPlayer* player_ = nullptr;
    NetworkFetch* fetch_ = nullptr; // the remote picture under way
    QWidget* controls_ = nullptr;
    QSlider* position_ = nullptr;
};
