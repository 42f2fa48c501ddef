// The bookmarks of the control window: the menu built from "bookmarks.xml",
// the home page, adding the page shown, the dialog's edits, and what the
// file holds after the window is gone.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTranslator>

#include "app/BookmarkFile.h"
#include "app/StartupState.h"
#include "engine/LogMessage.h"
#include "support/MainFormFixture.h"
#include "support/NextModal.h"
#include "ui/OrderedListItem.h"
#include "ui/OrvexBookmarkForm.h"
#include "ui/QOrderedListView.h"

namespace {

using orvextest::NextModal;

const char* const toursFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<bookmarks>"
    "<home uri=\"./htmls/tour.html\"/>"
    "<folder name=\"Tours\"><bookmark name=\"Sky\" uri=\"./htmls/sky.html\"/>"
    "<folder name=\"Later\"/></folder>"
    "<bookmark name=\"Site\" uri=\"http://example.org/\"/>"
    "<folder name=\"Empty\"/>"
    "<bookmark name=\"Blank\" uri=\"\"/>"
    "</bookmarks>";

class Bookmarks : public orvextest::MainFormFixture {
protected:
    // A new window on the bookmarks file as it is now (the old one writes it).
    void restart(const QByteArray& file = QByteArray()) {
        form.reset();
        if (!file.isNull()) {
            QFile out(bookmarksFile());
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        form = std::make_unique<orvextest::AnsweringForm>();
        form->setForms(projForm.get(), mediaForm.get());
    }
    QString bookmarksFile() const { return programFile("bookmarks.xml"); }
    QByteArray fileBytes() const {
        QFile in(bookmarksFile());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    OrvexBookmarkForm* bookmarks() const { return form->bookmarkForm; }

    // The menu as text: "-" for a separator, a submenu as "name[entries]".
    static QStringList shape(const QMenu* menu) {
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator())
                entries << "-";
            else if (action->menu())
                entries << action->text() + "[" + shape(action->menu()).join(",") + "]";
            else
                entries << action->text();
        }
        return entries;
    }
    static QAction* entry(const QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }
    static void choose(QAction* action) {
        ASSERT_NE(action, nullptr);
        action->trigger();
        QCoreApplication::processEvents();
    }
    // Answers the bookmark name question with text, noting its caption and label.
    std::function<void(QWidget*)> answer(const QString& text) {
        return [this, text](QWidget* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            if (!input)
                return NextModal::reject(dialog);
            asked << input->windowTitle() + "|" + input->labelText();
            input->setTextValue(text);
            input->accept();
        };
    }

    QStringList asked;
};

const QStringList tail = {"-", "Add Bookmark...", "Edit Bookmarks...", "Set current page as Home"};

TEST_F(Bookmarks, TheMenuFollowsTheTreeAndItsEntriesNavigate) {
    // The first start wrote the default file.
    EXPECT_EQ(fileBytes(), BookmarkFile::defaultContent());
    EXPECT_EQ(bookmarks()->parent(), form.get());
    EXPECT_EQ(form->bookmarkMenu->objectName(), "bookmarkMenu");
    EXPECT_EQ(bookmarks()->baseDir(), programDir());
    EXPECT_EQ(bookmarks()->gl(), &engine);

    restart(toursFile);
    EXPECT_EQ(shape(form->bookmarkMenu),
              QStringList({"Tours[Sky,Later,-,Add Bookmark...]", "Site", "Empty", "Blank"}) + tail);
    EXPECT_EQ(bookmarks()->windowTitle(), "Bookmark Edit");

    QMenu* tours = entry(form->bookmarkMenu, "Tours")->menu();
    choose(entry(tours, "Sky"));
    EXPECT_EQ(form->browserUrlLine->text(), programDir() + "/htmls/sky.html");
    // An empty folder and a bookmark without an address do nothing.
    choose(entry(form->bookmarkMenu, "Empty"));
    choose(entry(form->bookmarkMenu, "Blank"));
    EXPECT_EQ(form->browserUrlLine->text(), programDir() + "/htmls/sky.html");

    // The home page is the one the file names.
    EXPECT_EQ(bookmarks()->home(), "./htmls/tour.html");
    form->browserHomeSlot();
    EXPECT_EQ(form->browserUrlLine->text(), programDir() + "/htmls/tour.html");
}

TEST_F(Bookmarks, AnAmpersandInANameShowsInTheMenu) {
    restart("<bookmarks><folder name=\"R&amp;D\"><bookmark name=\"Sun &amp; Moon\" "
            "uri=\"./a.html\"/></folder><folder name=\"A&amp;B\"/></bookmarks>");
    const QList<QAction*> top = form->bookmarkMenu->actions();
    ASSERT_GE(top.size(), 2);
    EXPECT_EQ(top[0]->iconText(), "R&D");
    EXPECT_EQ(top[1]->iconText(), "A&B");
    ASSERT_NE(top[0]->menu(), nullptr);
    EXPECT_EQ(top[0]->menu()->actions().at(0)->iconText(), "Sun & Moon");
}

TEST_F(Bookmarks, TheDialogAndMenuSpeakGerman) {
    QTranslator german;
    ASSERT_TRUE(StartupState::loadTranslator(german, "OrvexStudio_", "de",
                                             QString::fromStdString(orvextest::translationDir())));
    QCoreApplication::installTranslator(&german);
    restart();
    EXPECT_EQ(bookmarks()->windowTitle(), "Lesezeichen bearbeiten");
    EXPECT_EQ(bookmarks()->folderButton->text(), "Ordner");
    EXPECT_EQ(shape(form->bookmarkMenu).mid(1),
              QStringList({"-", QString::fromUtf8("Lesezeichen hinzuf\xc3\xbcgen..."),
                           "Lesezeichen bearbeiten...", "Aktuelle Seite als Startseite"}));
    QCoreApplication::removeTranslator(&german);
}

TEST_F(Bookmarks, ThePageShownIsAddedAndMadeHome) {
    restart(toursFile);
    const QString page = programFile("htmls/page.html");
    form->browserUrlLine->setText(page);

    {
        NextModal name(answer("Mine"));
        choose(entry(entry(form->bookmarkMenu, "Tours")->menu(), "Add Bookmark..."));
        EXPECT_TRUE(name.seen());
    }
    EXPECT_EQ(asked, QStringList{"Orvex|Enter bookmark name : "});
    EXPECT_EQ(shape(entry(form->bookmarkMenu, "Tours")->menu()),
              QStringList({"Sky", "Later", "Mine", "-", "Add Bookmark..."}));

    // Cancelled, or an empty name: nothing added, the menu built anew.
    QPointer<QAction> before = entry(form->bookmarkMenu, "Add Bookmark...");
    for (bool cancel : {true, false}) {
        NextModal name(cancel ? std::function<void(QWidget*)>(NextModal::reject) : answer(""));
        choose(entry(form->bookmarkMenu, "Add Bookmark..."));
        EXPECT_TRUE(name.seen());
    }
    EXPECT_TRUE(before.isNull());
    {
        NextModal name(answer("Top"));
        choose(entry(form->bookmarkMenu, "Add Bookmark..."));
    }
    EXPECT_EQ(shape(form->bookmarkMenu), QStringList({"Tours[Sky,Later,Mine,-,Add Bookmark...]",
                                                      "Site", "Empty", "Blank", "Top"}) +
                                             tail);

    choose(entry(form->bookmarkMenu, "Set current page as Home"));
    EXPECT_EQ(bookmarks()->home(), page);

    // Written relative to the program directory, read back the same.
    restart();
    const BookmarkTree tree = bookmarks()->bookmarks();
    EXPECT_EQ(tree.home, "./htmls/page.html");
    ASSERT_EQ(tree.entries.size(), 5u);
    EXPECT_EQ(tree.entries[0].children.at(2).uri, "./htmls/page.html");
    EXPECT_EQ(tree.entries[4].name, "Top");
    form->browserHomeSlot();
    EXPECT_EQ(form->browserUrlLine->text(), page);
}

TEST_F(Bookmarks, TheDialogEditsTheTreeInPlace) {
    OrvexBookmarkForm* dialog = bookmarks();
    QOrderedListView* list = dialog->bmListView;
    ASSERT_EQ(list->topLevelItemCount(), 1);
    QTreeWidgetItem* site = list->topLevelItem(0);

    // As it opens, the keyboard is on the list, which shows it.
    {
        std::string focus;
        NextModal look([&](QWidget* shown) {
            QTest::qWaitForWindowActive(shown);
            QWidget* mark = list->viewport()->findChild<QWidget*>("focusMark");
            focus = QApplication::focusWidget() != list ? "not on the list"
                    : list->currentIndex().isValid()    ? ""
                    : mark && mark->isVisible()         ? ""
                                                        : "no mark";
            NextModal::reject(shown);
        });
        dialog->bookmarkEditSlot();
        EXPECT_EQ(focus, "");
    }

    // A new entry is selected, so typing names it (and not the entry before).
    list->setCurrentItem(site);
    dialog->folderSlot();
    QTreeWidgetItem* folder = list->topLevelItem(1);
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->isSelected());
    EXPECT_EQ(dialog->nameEdit->text(), "new folder");
    EXPECT_FALSE(dialog->uriEdit->isEnabled());
    dialog->nameEdit->setText("Mine");
    EXPECT_EQ(folder->text(0), "Mine");
    EXPECT_EQ(site->text(0), "Orvex Studio Web Site");

    dialog->addSlot();
    ASSERT_EQ(folder->childCount(), 1);
    QTreeWidgetItem* page = folder->child(0);
    EXPECT_TRUE(page->isSelected());
    EXPECT_EQ(dialog->nameEdit->text(), "new bookmark");
    EXPECT_TRUE(dialog->uriEdit->isEnabled());
    dialog->nameEdit->setText("Page");
    dialog->uriEdit->setText("./p.html");
    EXPECT_EQ(page->text(0), "Page");
    EXPECT_EQ(page->text(1), "./p.html");
    EXPECT_EQ(folder->text(0), "Mine");

    // Choosing an entry shows it.
    list->setCurrentItem(site);
    EXPECT_EQ(dialog->nameEdit->text(), "Orvex Studio Web Site");
    EXPECT_TRUE(dialog->uriEdit->text().startsWith("http://"));

    // The dialog runs modally; the menu shows its changes when it closes.
    {
        NextModal close;
        dialog->bookmarkEditSlot();
        EXPECT_TRUE(close.seen());
    }
    EXPECT_EQ(shape(form->bookmarkMenu),
              QStringList({"Orvex Studio Web Site", "Mine[Page,-,Add Bookmark...]"}) + tail);

    // Remove takes the folder with its children, and the menu with them.
    list->setCurrentItem(folder);
    dialog->removeSlot();
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(dialog->nameEdit->text().isEmpty());
    EXPECT_FALSE(dialog->nameEdit->isEnabled());
    EXPECT_FALSE(dialog->uriEdit->isEnabled());
    EXPECT_EQ(site->text(0), "Orvex Studio Web Site");
    EXPECT_EQ(shape(form->bookmarkMenu), QStringList({"Orvex Studio Web Site"}) + tail);
}

TEST_F(Bookmarks, ExitKeepsWhatTheFileMustNotLose) {
    // A file that does not parse: told in the log, left byte for byte.
    const QByteArray broken = "<?xml version=\"1.0\"?>\n<bookmarks><folder name=\"x\">\n";
    {
        LogCapture log;
        restart(broken);
        EXPECT_TRUE(log.contains("bookmarks.xml is not a bookmarks file"));
    }
    EXPECT_EQ(shape(form->bookmarkMenu), tail);
    form->browserHomeSlot();
    EXPECT_EQ(form->browserUrlLine->text(), programDir() + "/htmls/index.html");
    bookmarks()->addSlot();
    restart();
    EXPECT_EQ(fileBytes(), broken);

    // A bookmark inside a bookmark and an address outside ASCII stay as they
    // are, and the file goes to the program directory even when the working
    // directory has changed since.
    const QByteArray nested = "<bookmarks><home uri=\"./htmls/über.html\"/>"
                              "<bookmark name=\"Outer\" uri=\"./htmls/außen.html\">"
                              "<bookmark name=\"Inner\" uri=\"http://example.org/ü\"/></bookmark>"
                              "</bookmarks>";
    restart(nested);
    const BookmarkTree before = bookmarks()->bookmarks();
    ASSERT_EQ(before.entries.size(), 1u);
    ASSERT_EQ(before.entries[0].children.size(), 1u);
    EXPECT_EQ(before.entries[0].uri, "./htmls/außen.html");
    orvextest::TempDir elsewhere;
    platform::CurrentDirGuard moved(elsewhere.path());
    form.reset();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(elsewhere.file("bookmarks.xml"))));
    BookmarkTree after;
    QString error;
    ASSERT_TRUE(BookmarkFile::parse(fileBytes(), &after, &error));
    EXPECT_EQ(after, before);
    EXPECT_TRUE(fileBytes().contains("http://example.org/ü"));
}

// The bookmarks are written at exit: a save that fails there, or a file
// left alone, is told with the file and the reason when the session's
// changes are lost; nothing is said when none are.
TEST_F(Bookmarks, ABookmarkSaveThatFailsAtExitIsTold) {
    const QFile::Permissions writable = QFile::permissions(bookmarksFile());
    const auto exitWith = [&](bool changed, bool byClose) {
        if (changed)
            bookmarks()->addSlot();
        form->warnings.clear();
        if (byClose)
            form->close();
        else
            form->fileExit();
        const QStringList told = form->warnings;
        restart();
        return told;
    };
    // A file no one may write (root neither): the save fails.
    for (const bool byClose : {false, true}) {
        const QByteArray before = fileBytes();
        ASSERT_TRUE(QFile::setPermissions(bookmarksFile(), QFile::ReadOwner | QFile::ReadGroup));
        EXPECT_TRUE(exitWith(false, byClose).isEmpty());
        const QStringList told = exitWith(true, byClose);
        ASSERT_EQ(told.size(), 1) << byClose;
        EXPECT_TRUE(
            told[0].startsWith("The bookmarks could not be saved to " + bookmarksFile() + ":\n"))
            << told[0].toStdString();
        EXPECT_GT(told[0].size(),
                  ("The bookmarks could not be saved to " + bookmarksFile()).size() + 2);
        EXPECT_EQ(fileBytes(), before);
        ASSERT_TRUE(QFile::setPermissions(bookmarksFile(), writable));
    }
    // Written: the new bookmark is there, and nothing is said.
    EXPECT_TRUE(exitWith(true, false).isEmpty());
    EXPECT_TRUE(fileBytes().contains("new bookmark"));

    // A file that could not be read is left alone, and says so.
    const QByteArray broken = "<bookmarks><folder>";
    restart(broken);
    EXPECT_TRUE(exitWith(false, false).isEmpty());
    EXPECT_EQ(exitWith(true, false),
              QStringList("The bookmarks added or changed now are not saved: the bookmarks file " +
                          bookmarksFile() +
                          " could not be read (line 1, column 20: unexpected end "
                          "of file), and it is left as it is."));
    EXPECT_EQ(fileBytes(), broken);
}

// Another program's or user's save during the session is never written over.
TEST_F(Bookmarks, ExitKeepsTheBookmarksOthersSavedMeanwhile) {
    const auto add = [&](orvextest::AnsweringForm& window, const QString& name) {
        NextModal answered(answer(name));
        choose(entry(window.bookmarkMenu, "Add Bookmark..."));
    };
    // Added on disk while the program ran; the session changed nothing.
    restart(toursFile);
    QByteArray theirs = toursFile;
    theirs.replace("</bookmarks>", "<bookmark name=\"Theirs\" uri=\"http://example.org/t\"/>"
                                   "</bookmarks>");
    {
        QFile out(bookmarksFile());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(theirs);
    }
    form->fileExit();
    restart();
    EXPECT_EQ(fileBytes(), theirs);
    EXPECT_TRUE(form->warnings.isEmpty());

    // Two users on one folder each add one: the first exit saves its own,
    // the second is told and its bookmarks are kept beside the file.
    auto second = std::make_unique<orvextest::AnsweringForm>();
    second->setForms(projForm.get(), mediaForm.get());
    add(*form, "First");
    add(*second, "Second");
    form->fileExit();
    EXPECT_TRUE(form->warnings.isEmpty());
    second->fileExit();
    const QString kept = programFile("bookmarks-kept-1.xml");
    ASSERT_EQ(second->warnings.size(), 1);
    EXPECT_TRUE(second->warnings[0].contains(bookmarksFile()));
    EXPECT_TRUE(second->warnings[0].contains(kept));
    QFile keptFile(kept);
    ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
    const QByteArray keptBytes = keptFile.readAll();
    for (const QByteArray& bytes : {fileBytes(), keptBytes})
        EXPECT_TRUE(bytes.contains("name=\"Theirs\"") && bytes.contains("name=\"Sky\""));
    EXPECT_TRUE(fileBytes().contains("\"First\"") && !fileBytes().contains("Second"));
    EXPECT_TRUE(keptBytes.contains("\"Second\"") && !keptBytes.contains("First"));
}

TEST_F(Bookmarks, AFileThatCannotBeReadIsToldAndNeverOverwritten) {
    QByteArray deep = "<bookmarks>";
    for (int i = 0; i < 300; ++i)
        deep += "<folder name=\"f\">";
    for (int i = 0; i < 300; ++i)
        deep += "</folder>";
    deep += "</bookmarks>";
    restart(deep);

    const QString notice = "The bookmarks file " + bookmarksFile() +
                           " could not be read (folders nested deeper than 256 levels). It is "
                           "left as it is: bookmarks added or changed now will not be saved.";
    EXPECT_EQ(bookmarks()->unsavedNotice(), notice);
    EXPECT_EQ(form->statusBar()->currentMessage(), notice);
    EXPECT_FALSE(bookmarks()->fileNoticeLabel->isHidden());
    EXPECT_EQ(bookmarks()->fileNoticeLabel->text(), notice);
    {
        NextModal name(answer("Mine"));
        choose(entry(form->bookmarkMenu, "Add Bookmark..."));
        EXPECT_TRUE(name.seen());
    }
    EXPECT_EQ(asked, QStringList{"Orvex|" + notice + "\n\nEnter bookmark name : "});
    restart();
    EXPECT_EQ(fileBytes(), deep);

    // A file that reads well says nothing.
    restart(toursFile);
    EXPECT_TRUE(bookmarks()->unsavedNotice().isEmpty());
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(bookmarks()->fileNoticeLabel->isHidden());
}

} // namespace

TEST_F(Bookmarks, TheDialogClosesThroughItsCloseButton) {
    OrvexBookmarkForm* dialog = bookmarks();
    bool closedByButton = false;
    {
        NextModal close([&](QWidget* w) {
            auto* box = w->findChild<QDialogButtonBox*>();
            QPushButton* button = box ? box->button(QDialogButtonBox::Close) : nullptr;
            if (button && button->isVisible())
                button->click();
            closedByButton = !w->isVisible();
            // Without a working button the dialog must not wait for a human.
            if (!closedByButton)
                NextModal::reject(w);
        });
        dialog->bookmarkEditSlot();
        EXPECT_TRUE(close.seen());
    }
    EXPECT_TRUE(closedByButton);
    EXPECT_FALSE(dialog->isVisible());
}
