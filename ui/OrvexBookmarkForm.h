// The bookmarks of the browser pane: a tree of named addresses in folders and
// one home address, read from "bookmarks.xml" in the program directory when
// the dialog is made and written back at exit (or when it is destroyed). The
// dialog "Bookmark Edit" edits the tree in place (it has only a Close button:
// every change counts); the bookmark menu of the main window is built from the
// tree and offers adding the page shown as a bookmark and making it the home
// page.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

#include "app/BookmarkFile.h"

class EngineLink;
class OrvexMainForm;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QMenu;
class QOrderedListView;
class QPushButton;
class QTreeWidgetItem;

class OrvexBookmarkForm : public QDialog {
    Q_OBJECT
public:
    explicit OrvexBookmarkForm(QWidget* parent = nullptr, const char* name = nullptr,
                               bool modal = false, Qt::WindowFlags flags = Qt::WindowFlags());
    ~OrvexBookmarkForm() override;

    // Reads the file into the tree (the constructor's last step).
    virtual void init();
    // Writes the tree back (the destructor's first step), unless saveAtExit
    // has.
    virtual void destroy();
    // Writes the tree back once, as the program ends. What the user must be
    // told when the bookmarks of this session are not saved (the file and
    // why); empty when they are, or when nothing changed since the read.
    QString saveAtExit();
    // Fills one level of a menu: first and the items after it.
    virtual void buildMenu(QTreeWidgetItem* first, QMenu* menu);
    // Rebuilds the whole bookmark menu.
    virtual void buildMenuTail();
    virtual void setGL(EngineLink* view);
    // The bookmark menu; its parent, the main window, gives the program
    // directory and the page shown.
    virtual void setMenu(QMenu* menu);
    virtual void setHome(const QString& uri);
    virtual QString home();

    // The tree as the dialog holds it now.
    BookmarkTree bookmarks() const;
    const BookmarkFile& file() const { return *file_; }
    // The program directory addresses are written relative to.
    const QString& baseDir() const { return baseDir_; }
    // What the user is told while the bookmarks file is left alone because it
    // could not be read: that changes will not be saved. Empty otherwise.
    QString unsavedNotice() const;
    EngineLink* gl() const { return gl_; }

    QOrderedListView* bmListView = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* folderButton = nullptr;
    QPushButton* removeButton = nullptr;
    QLabel* nameLabel = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLabel* uriLabel = nullptr;
    QLineEdit* uriEdit = nullptr;
    // Shown above the list while changes cannot be saved.
    QLabel* fileNoticeLabel = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

public slots:
    virtual void addSlot();
    virtual void folderSlot();
    virtual void removeSlot();
    virtual void bmListSlot();
    virtual void nameChangedSlot();
    virtual void uriChangedSlot();
    // The entries of the bookmark menu, by the ids the menu gave them.
    virtual void bookmarkSlot(int id);
    virtual void bookmarkAddSlot(int id);
    virtual void bookmarkEditSlot();
    virtual void bookmarkSetHomeSlot();

signals:
    void navigate(const QString& uri);

protected slots:
    virtual void languageChange();

private:
    // The main window, the parent of the menu (null without one).
    OrvexMainForm* owner() const;
    // Runs run with the page shown when action is chosen.
    void whenChosenOnPage(QAction* action, const std::function<void(const QString&)>& run);
    // Adds a bookmark of page under the folder of the menu entry id, asking its name.
    void addBookmark(int id, const QString& page);
    QTreeWidgetItem* selectedItem() const;
    // Puts a new entry into the dialog's care: selected, its name ready to type.
    void startEditing(QTreeWidgetItem* item);
    void rebuildMenu();
    int addMenuEntry(QMenu* menu, const QString& text, bool bookmark);

    struct MenuEntry {
        int id;
        QTreeWidgetItem* item; // a bookmark, or the folder of an "Add Bookmark..." (or none)
    };

    std::unique_ptr<BookmarkFile> file_;
    BookmarkTree read_; // as the file gave it
    QString homeUri_;
    QString baseDir_;
    QPointer<QMenu> menu_;
    EngineLink* gl_ = nullptr;
    QVector<MenuEntry> bookmarkMenuIds_;
    QVector<MenuEntry> addBookmarkMenuIds_;
    int lastMenuId_ = 0;
    bool written_ = false;
};
