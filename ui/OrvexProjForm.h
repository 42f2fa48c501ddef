// The window that holds the simulation view: a normal or full-screen window of
// its own (a second screen, a projector). Behind the view, on a stack, it keeps
// a picture label. It remembers its normal geometry across runs, shows its
// client size in its caption and reports when the user closes it.
#pragma once

#include <QRect>
#include <QWidget>

class OrvexGL;
class QHBoxLayout;
class QLabel;
class QStackedWidget;

class OrvexProjForm : public QWidget {
    Q_OBJECT
public:
    // Asks for stereo buffers when the display settings are stereo, then
    // creates the GL view (page 0 of the stack, with the keyboard focus).
    explicit OrvexProjForm(QWidget* parent = nullptr, const char* name = nullptr);
    // Deletes the view, and with it the engine, then saves the geometry.
    ~OrvexProjForm() override;

    // Back to the normal geometry, unless maximised, full screen or embedded.
    void restoreGeometry();
    const QRect& normalGeometry() const { return normal; }

    QHBoxLayout* mainLayout = nullptr;
    QStackedWidget* stack = nullptr;
    OrvexGL* orvexGL = nullptr;
    QLabel* imageLabel = nullptr;

signals:
    void closed();

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Neither maximised nor full screen, nor embedded in another window.
    bool isPlainWindow() const;
    void trackGeometry();

    QRect normal;
};
