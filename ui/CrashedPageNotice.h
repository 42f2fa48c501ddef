// Stands in the browser pane for a page whose renderer ended: the pane says
// so and offers Reload, where it would be blank and deaf to the keyboard.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QWebEngineView;

class CrashedPageNotice : public QWidget {
    Q_OBJECT
public:
    // Covers view (a sibling in its layout) while its page has ended.
    explicit CrashedPageNotice(QWebEngineView* view, QWidget* parent = nullptr);

    QPushButton* reloadButton() const { return reload_; }
    void languageChange();

signals:
    void reloadRequested();

private:
    void pageEnded();
    void pageBack();

    QWebEngineView* view_;
    QLabel* text_;
    QPushButton* reload_;
};
