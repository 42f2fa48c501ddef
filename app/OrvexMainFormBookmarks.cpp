// The browser pane's bookmarks: the bookmark dialog and its menu, and the home
// page the bookmarks name.
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include "app/OrvexMainForm.h"
#include "ui/OrvexBookmarkForm.h"

namespace {

// The home page while the bookmarks name none.
const char* const defaultHome = "./htmls/index.html";

} // namespace

void OrvexMainForm::buildBookmarks() {
    bookmarkForm = new OrvexBookmarkForm(this);
    bookmarkMenu = new QMenu(this);
    bookmarkMenu->setObjectName(QStringLiteral("bookmarkMenu"));
    bookmarkForm->setMenu(bookmarkMenu);
    bookmarkForm->buildMenuTail();
    connect(bookmarkForm, &OrvexBookmarkForm::navigate, this, &OrvexMainForm::bookmarkNavigate);
    const QString notice = bookmarkForm->unsavedNotice();
    if (!notice.isEmpty())
        statusBar()->showMessage(notice);
}

void OrvexMainForm::saveBookmarks() {
    // The bookmarks are saved as the program ends: a failure is the user's
    // last chance to learn of it.
    const QString failure = bookmarkForm ? bookmarkForm->saveAtExit() : QString();
    if (!failure.isEmpty())
        showWarning(failure);
}

void OrvexMainForm::browserHomeSlot() {
    const QString home = bookmarkForm ? bookmarkForm->home() : QString();
    bookmarkNavigate(home.isEmpty() ? QString::fromLatin1(defaultHome) : home);
}

void OrvexMainForm::bookmarkSlot() {
    if (bookmarkMenu)
        bookmarkMenu->popup(bookmarkButton->mapToGlobal(QPoint(0, bookmarkButton->height() - 1)));
}
