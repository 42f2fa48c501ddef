// Answers every modal dialog the code under test opens, one after the other
// (each through a NextModal): a message box has its text kept and the button
// of the answer's text clicked (it is closed when it has no such button);
// any other dialog goes to the given action, or is closed without one.
#pragma once

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "support/NextModal.h"

namespace orvextest {

class ModalAnswers {
public:
    explicit ModalAnswers(QString answer = {}, std::function<void(QWidget*)> dialog = {})
        : answer_(std::move(answer)), dialog_(std::move(dialog)) {
        next();
    }
    // The texts of the message boxes, in the order they came.
    QStringList texts;

private:
    void next() {
        modals_.push_back(std::make_unique<NextModal>([this](QWidget* widget) {
            // The next one is waited for from here, so this one is not taken for it.
            next();
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box) {
                if (dialog_)
                    dialog_(widget);
                else
                    NextModal::reject(widget);
                return;
            }
            texts << box->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer_) {
                    button->click();
                    return;
                }
            NextModal::reject(widget);
        }));
    }
    QString answer_;
    std::function<void(QWidget*)> dialog_;
    std::vector<std::unique_ptr<NextModal>> modals_;
};

} // namespace orvextest
