// The media viewer: a top-level window that shows one picture or movie at a
// time, such as a file dropped on the control panel's media button or a media
// link followed in the browser pane. Like the GL window it remembers its
// normal geometry and shows its size (and file) in its caption.
#pragma once

#include <QString>
#include <QWidget>

#include "ui/WindowPlacement.h"

class MediaPlayerPane;
class QHBoxLayout;
class QLabel;
class QStackedWidget;

class OrvexMediaForm : public QWidget {
public:
    explicit OrvexMediaForm(QWidget* parent = nullptr, const char* name = nullptr);
    ~OrvexMediaForm() override;

    // Clears the picture label and shows the black page.
    void clear();
    // Takes a path or file URL (percent escapes, back slashes), makes the file
    // it names current and shows it.
    void setMedia(const QString& path);
    // Shows the current file in the player when its extension is supported.
    void showMedia();

    // The file shown last, decoded; empty until the first setMedia.
    const QString& currentFile() const { return currentFile_; }
    void resetGeometry(const QRect& rect);
    const QRect& normalGeometry() const { return placement_.normalGeometry(); }
    // Hidden after it was closed maximised or full screen: a plain window at
    // its normal place again (WindowPlacement::leaveHiddenState).
    void leaveHiddenState() { placement_.leaveHiddenState(this, Qt::WindowNoState); }
    void setVisible(bool visible) override;
    // Whether the settings held a place from an earlier run.
    bool hasSavedPlace() const { return placement_.hasSavedPlace(); }

    // The path rules, kept apart for the tests.
    // Percent escapes decoded (%7C gives ":"; a malformed escape stays as it
    // is) and back slashes turned into slashes, through the local encoding.
    static QString decodePath(const QString& path);
    // The eight upper-case extensions the viewer accepts in any case, lowered.
    static QString lowerKnownExtensions(const QString& path);
    // Whether the text after the last "." holds a supported extension (case
    // matters: the known upper-case ones are lowered first by setMedia).
    static bool isSupported(const QString& file);
    // A file URL's local path; a plain path as it is.
    static QString localPath(const QString& file);

    QStackedWidget* stack = nullptr;
    QHBoxLayout* mainLayout = nullptr;
    QLabel* imageLabel = nullptr;
    MediaPlayerPane* mediaPlayerAXAX = nullptr;

protected:
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QString currentFile_;
    // The current file with the known extensions lowered: what the extension
    // test looks at, while the file is opened by its real name.
    QString extensionProbe_;
    WindowPlacement placement_;
};
