// Acts on the next modal dialog the code under test opens (a message box, a
// file or print dialog) from inside that dialog's own event loop: it waits
// for the dialog to become the active modal widget, then runs the action once.
// File questions are never answered this way: the windows ask them through
// their fileChooser, which the tests replace.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <utility>

namespace orvextest {

class NextModal {
public:
    explicit NextModal(std::function<void(QWidget*)> action = reject) : action_(std::move(action)) {
        // A dialog open already (this one made from inside it) is not the next.
        QPointer<QWidget> open = QApplication::activeModalWidget();
        if (!open)
            clearQuitRequest();
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this, open] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == open || !dialog->isVisible())
                return;
            timer_.stop();
            seen_ = true;
            action_(dialog);
        });
        timer_.start();
    }
    NextModal(const NextModal&) = delete;
    NextModal& operator=(const NextModal&) = delete;

    // Whether a dialog came.
    bool seen() const { return seen_; }

    // Closes the dialog as Escape would.
    static void reject(QWidget* dialog) {
        if (auto* d = qobject_cast<QDialog*>(dialog))
            d->reject();
        else
            dialog->close();
    }

    // A control window closed by an earlier test asks the application to quit
    // (as it should); until the application's loop has run, every dialog's
    // loop would then end at once. One turn of that loop clears the request.
    static void clearQuitRequest() {
        QEventLoop probe;
        QTimer::singleShot(0, &probe, [&probe] { probe.exit(0); });
        if (probe.exec() == 0)
            return;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

private:
    std::function<void(QWidget*)> action_;
    QTimer timer_;
    bool seen_ = false;
};

} // namespace orvextest
