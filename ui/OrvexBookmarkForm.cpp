#include "ui/OrvexBookmarkForm.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/MainFormBuild.h"
#include "app/OrvexMainForm.h"
#include "engine/LogMessage.h"
#include "ui/OrderedTree.h"
#include "ui/QOrderedListView.h"

namespace {

using MainFormBuild::make;

const char* const fileName = "bookmarks.xml";

void fillLevel(QTreeWidget* view, QTreeWidgetItem* parent,
               const std::vector<BookmarkEntry>& entries) {
    QTreeWidgetItem* after = nullptr;
    for (const BookmarkEntry& entry : entries) {
        OrderedListItem* item = nullptr;
        if (entry.folder) {
            item =
                parent ? new OrderedFolderItem(parent, after) : new OrderedFolderItem(view, after);
        } else {
            item = parent ? new OrderedListItem(parent, after) : new OrderedListItem(view, after);
            item->setText(1, entry.uri);
            item->setIcon(QOrderedListView::leafIcon());
        }
        item->setText(0, entry.name);
        fillLevel(view, item, entry.children);
        if (entry.folder)
            OrderedTree::setOpen(item, true);
        after = item;
    }
}

BookmarkEntry entryOf(const QTreeWidgetItem* item) {
    BookmarkEntry entry;
    entry.folder = OrderedTree::isFolder(item);
    entry.name = item->text(0);
    if (!entry.folder)
        entry.uri = item->text(1);
    for (int i = 0; i < item->childCount(); ++i)
        entry.children.push_back(entryOf(item->child(i)));
    return entry;
}

// The items of one level from first on.
QList<QTreeWidgetItem*> levelFrom(QTreeWidgetItem* first) {
    QList<QTreeWidgetItem*> items;
    if (!first)
        return items;
    QTreeWidgetItem* parent = first->parent();
    QTreeWidget* view = first->treeWidget();
    const int count = parent ? parent->childCount() : view->topLevelItemCount();
    const int start = parent ? parent->indexOfChild(first) : view->indexOfTopLevelItem(first);
    for (int i = start; i < count; ++i)
        items << (parent ? parent->child(i) : view->topLevelItem(i));
    return items;
}

// Runs what a menu entry starts once the menu has let go of the entry: what
// it starts rebuilds the menu, and with it the entry.
template <class Run> void whenChosen(QAction* action, QObject* receiver, Run run) {
    QObject::connect(action, &QAction::triggered, receiver, run, Qt::QueuedConnection);
}

} // namespace

OrvexBookmarkForm::OrvexBookmarkForm(QWidget* parent, const char* name, bool modal,
                                     Qt::WindowFlags flags)
    : QDialog(parent, flags) {
    setObjectName(QString::fromLatin1(name ? name : "OrvexBookmarkForm"));
    setModal(modal);

    bmListView = new QOrderedListView(this, "bmListView");
    bmListView->setColumnCount(2);
    addButton = make<QPushButton>("addButton", this);
    folderButton = make<QPushButton>("folderButton", this);
    removeButton = make<QPushButton>("removeButton", this);
    nameLabel = make<QLabel>("nameLabel", this);
    nameEdit = make<QLineEdit>("nameEdit", this);
    uriLabel = make<QLabel>("uriLabel", this);
    uriEdit = make<QLineEdit>("uriEdit", this);
    fileNoticeLabel = make<QLabel>("fileNoticeLabel", this);
    fileNoticeLabel->setWordWrap(true);
    fileNoticeLabel->hide();
    // Nothing to edit until an entry is selected.
    nameEdit->setEnabled(false);
    uriEdit->setEnabled(false);

    auto* buttons = MainFormBuild::vbox("buttonLayout", 0, 6);
    for (QPushButton* button : {addButton, folderButton, removeButton})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* top = MainFormBuild::hbox("listLayout", 0, 6);
    top->addWidget(bmListView, 1);
    top->addLayout(buttons);
    auto* edits = MainFormBuild::grid("editLayout");
    edits->addWidget(nameLabel, 0, 0);
    edits->addWidget(nameEdit, 0, 1);
    edits->addWidget(uriLabel, 1, 0);
    edits->addWidget(uriEdit, 1, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(11, 11, 11, 11);
    column->setSpacing(6);
    column->addWidget(fileNoticeLabel);
    column->addLayout(top, 1);
    column->addLayout(edits);
    // Every change counts at once: closing is all the dialog needs.
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttonBox->setObjectName("buttonBox");
    column->addWidget(buttonBox);

    languageChange();
    resize(QSize(353, 343).expandedTo(minimumSizeHint()));

    using F = OrvexBookmarkForm;
    connect(addButton, &QPushButton::clicked, this, &F::addSlot);
    connect(folderButton, &QPushButton::clicked, this, &F::folderSlot);
    connect(removeButton, &QPushButton::clicked, this, &F::removeSlot);
    connect(nameEdit, &QLineEdit::textChanged, this, &F::nameChangedSlot);
    connect(uriEdit, &QLineEdit::textChanged, this, &F::uriChangedSlot);
    connect(bmListView, &QTreeWidget::itemSelectionChanged, this, &F::bmListSlot);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    setTabOrder(bmListView, addButton);
    setTabOrder(addButton, folderButton);
    setTabOrder(folderButton, removeButton);
    setTabOrder(removeButton, nameEdit);
    setTabOrder(nameEdit, uriEdit);
    setTabOrder(uriEdit, buttonBox);

    init();
}

OrvexBookmarkForm::~OrvexBookmarkForm() {
    destroy();
}

void OrvexBookmarkForm::languageChange() {
    setWindowTitle(tr("Bookmark Edit"));
    addButton->setText(tr("Add"));
    folderButton->setText(tr("Folder"));
    removeButton->setText(tr("Remove"));
    uriLabel->setText(tr("URI : "));
    nameLabel->setText(tr("Name : "));
    bmListView->setHeaderLabels({tr("Bookmark"), tr("URI")});
    fileNoticeLabel->setText(unsavedNotice());
}

void OrvexBookmarkForm::init() {
    bmListView->setRootIsDecorated(true);
    bmListView->setAllColumnsShowFocus(true);
    bmListView->header()->setStretchLastSection(true);
    nameEdit->setFocus();

    file_ = std::make_unique<BookmarkFile>(QString::fromLatin1(fileName));
    read_ = file_->read();
    homeUri_ = read_.home;
    fillLevel(bmListView, nullptr, read_.entries);
    fileNoticeLabel->setText(unsavedNotice());
    fileNoticeLabel->setVisible(!file_->isWritable());
}

QString OrvexBookmarkForm::unsavedNotice() const {
    if (!file_ || file_->isWritable())
        return QString();
    return tr("The bookmarks file %1 could not be read (%2). It is left as it is: bookmarks "
              "added or changed now will not be saved.")
        .arg(file_->fileName(), file_->error());
}

void OrvexBookmarkForm::destroy() {
    saveAtExit();
}

QString OrvexBookmarkForm::saveAtExit() {
    if (written_ || !file_)
        return QString();
    written_ = true;
    const BookmarkTree tree = bookmarks();
    // A session that changed nothing leaves the file to whoever wrote it since.
    if (tree == read_)
        return QString();
    if (!file_->isWritable())
        return tr("The bookmarks added or changed now are not saved: the bookmarks file %1 could "
                  "not be read (%2), and it is left as it is.")
            .arg(file_->fileName(), file_->error());
    QString error;
    if (file_->changedSinceRead()) {
        // Another program or user saved it: neither side's bookmarks are dropped.
        const QString kept = file_->writeBeside(tree, baseDir_, &error);
        logMessage("Bookmarks: %s changed since it was read; it is left as it is, and this "
                   "session's bookmarks are %s%s\n",
                   file_->fileName().toLocal8Bit().constData(),
                   kept.isEmpty() ? "not saved: " : "saved in ",
                   (kept.isEmpty() ? error : kept).toLocal8Bit().constData());
        if (kept.isEmpty())
            return tr("The bookmarks file %1 changed since the program read it, and the "
                      "bookmarks of this session could not be saved beside it:\n%2")
                .arg(file_->fileName(), error);
        return tr("The bookmarks file %1 changed since the program read it: another program or "
                  "user saved it. It is left as it is, and the bookmarks of this session are "
                  "saved in %2, so that none is lost.")
            .arg(file_->fileName(), kept);
    }
    if (file_->write(tree, baseDir_, &error))
        return QString();
    return tr("The bookmarks could not be saved to %1:\n%2").arg(file_->fileName(), error);
}

BookmarkTree OrvexBookmarkForm::bookmarks() const {
    BookmarkTree tree;
    tree.home = homeUri_;
    for (int i = 0; i < bmListView->topLevelItemCount(); ++i)
        tree.entries.push_back(entryOf(bmListView->topLevelItem(i)));
    return tree;
}

void OrvexBookmarkForm::setGL(EngineLink* view) {
    gl_ = view;
}

void OrvexBookmarkForm::setMenu(QMenu* menu) {
    menu_ = menu;
    if (OrvexMainForm* main = owner())
        baseDir_ = main->programDir();
}

void OrvexBookmarkForm::setHome(const QString& uri) {
    homeUri_ = uri;
}

QString OrvexBookmarkForm::home() {
    return homeUri_;
}

OrvexMainForm* OrvexBookmarkForm::owner() const {
    return menu_ ? qobject_cast<OrvexMainForm*>(menu_->parent()) : nullptr;
}

QTreeWidgetItem* OrvexBookmarkForm::selectedItem() const {
    const QList<QTreeWidgetItem*> items = bmListView->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

// The menu.

void OrvexBookmarkForm::buildMenuTail() {
    setFocus();
    if (OrvexMainForm* main = owner())
        main->setFocus();
    rebuildMenu();
}

void OrvexBookmarkForm::rebuildMenu() {
    bookmarkMenuIds_.clear();
    addBookmarkMenuIds_.clear();
    if (!menu_)
        return;
    // Every folder's submenu is a child of the bookmark menu, gone with it here.
    qDeleteAll(menu_->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    menu_->clear();
    buildMenu(bmListView->topLevelItem(0), menu_);
    whenChosen(menu_->addAction(tr("Edit Bookmarks...")), this, [this] { bookmarkEditSlot(); });
    whenChosenOnPage(menu_->addAction(tr("Set current page as Home")),
                     [this](const QString& page) { setHome(page); });
}

int OrvexBookmarkForm::addMenuEntry(QMenu* menu, const QString& text, bool bookmark) {
    const int id = ++lastMenuId_;
    QAction* action = bookmark ? menu->addAction(QIcon(*QOrderedListView::leafIcon()), text)
                               : menu->addAction(text);
    action->setData(id);
    if (bookmark)
        whenChosen(action, this, [this, id] { bookmarkSlot(id); });
    else
        whenChosenOnPage(action, [this, id](const QString& page) { addBookmark(id, page); });
    return id;
}

void OrvexBookmarkForm::whenChosenOnPage(QAction* action,
                                         const std::function<void(const QString&)>& run) {
    // The page shown when the entry is chosen: a page may move on by itself
    // before the slot runs, or while the name is asked for.
    connect(action, &QAction::triggered, this, [this, run] {
        OrvexMainForm* main = owner();
        const QString page = main ? main->browserUrl() : QString();
        // Later, as every entry: the menu closes first.
        QMetaObject::invokeMethod(
            this, [run, page] { run(page); }, Qt::QueuedConnection);
    });
}

void OrvexBookmarkForm::buildMenu(QTreeWidgetItem* first, QMenu* menu) {
    QTreeWidgetItem* folder = first ? first->parent() : nullptr;
    const QIcon folderIcon(*QOrderedListView::folderClosedIcon());
    for (QTreeWidgetItem* item : levelFrom(first)) {
        // A menu takes "&" for the next letter's shortcut: the name shows whole.
        const QString name = QString(item->text(0)).replace(QLatin1Char('&'), QLatin1String("&&"));
        if (!OrderedTree::isFolder(item)) {
            bookmarkMenuIds_.append({addMenuEntry(menu, name, true), item});
        } else if (item->childCount() > 0) {
            auto* submenu = new QMenu(name, menu_);
            submenu->setObjectName(item->text(0));
            submenu->setIcon(folderIcon);
            buildMenu(item->child(0), submenu);
            menu->addMenu(submenu);
        } else {
            menu->addAction(folderIcon, name);
        }
    }
    menu->addSeparator();
    addBookmarkMenuIds_.append({addMenuEntry(menu, tr("Add Bookmark..."), false), folder});
}

void OrvexBookmarkForm::bookmarkSlot(int id) {
    for (const MenuEntry& entry : bookmarkMenuIds_)
        if (entry.id == id && !entry.item->text(1).isEmpty())
            emit navigate(entry.item->text(1));
}

void OrvexBookmarkForm::bookmarkAddSlot(int id) {
    OrvexMainForm* main = owner();
    addBookmark(id, main ? main->browserUrl() : QString());
}

void OrvexBookmarkForm::addBookmark(int id, const QString& page) {
    QTreeWidgetItem* folder = nullptr;
    for (const MenuEntry& entry : addBookmarkMenuIds_)
        if (entry.id == id)
            folder = entry.item;
    OrvexMainForm* main = owner();
    bool ok = false;
    // Told where the bookmark is made, since it will be lost at exit.
    const QString notice = unsavedNotice();
    const QString label = notice.isEmpty()
                              ? tr("Enter bookmark name : ")
                              : notice + QStringLiteral("\n\n") + tr("Enter bookmark name : ");
    const QString name =
        QInputDialog::getText(main, tr("Orvex"), label, QLineEdit::Normal, QString(), &ok);
    if (ok && !name.isEmpty()) {
        OrderedListItem* item = nullptr;
        if (folder) {
            item = new OrderedListItem(folder, folder->child(folder->childCount() - 1));
            OrderedTree::setOpen(folder, true);
        } else {
            const int count = bmListView->topLevelItemCount();
            item = new OrderedListItem(bmListView,
                                       count > 0 ? bmListView->topLevelItem(count - 1) : nullptr);
        }
        item->setText(0, name);
        item->setText(1, page);
        item->setIcon(QOrderedListView::leafIcon());
    }
    buildMenuTail();
}

void OrvexBookmarkForm::bookmarkEditSlot() {
    // The menu left the keyboard with the dialog itself, which shows it nowhere.
    bmListView->setFocus();
    exec();
    buildMenuTail();
}

void OrvexBookmarkForm::bookmarkSetHomeSlot() {
    if (OrvexMainForm* main = owner())
        setHome(main->browserUrl());
}

// The dialog.

void OrvexBookmarkForm::startEditing(QTreeWidgetItem* item) {
    bmListView->clearSelection();
    item->setSelected(true);
    bmListView->setCurrentItem(item);
    nameEdit->selectAll();
    nameEdit->setFocus();
}

void OrvexBookmarkForm::addSlot() {
    OrderedListItem* item = bmListView->newItem();
    item->setText(0, tr("new bookmark"));
    item->setIcon(QOrderedListView::leafIcon());
    startEditing(item);
}

void OrvexBookmarkForm::folderSlot() {
    OrderedFolderItem* item = bmListView->newFolder();
    item->setText(0, tr("new folder"));
    startEditing(item);
}

void OrvexBookmarkForm::removeSlot() {
    if (QTreeWidgetItem* item = selectedItem()) {
        bmListView->clearSelection();
        delete item;
        // The menu may name the entry; it must not outlive it.
        rebuildMenu();
    }
    const QSignalBlocker blockName(nameEdit);
    const QSignalBlocker blockUri(uriEdit);
    nameEdit->clear();
    uriEdit->clear();
    nameEdit->setEnabled(false);
    uriEdit->setEnabled(false);
}

void OrvexBookmarkForm::bmListSlot() {
    QTreeWidgetItem* item = selectedItem();
    if (!item)
        return;
    const QSignalBlocker blockName(nameEdit);
    const QSignalBlocker blockUri(uriEdit);
    nameEdit->setEnabled(true);
    nameEdit->setText(item->text(0));
    const bool folder = OrderedTree::isFolder(item);
    uriEdit->setText(folder ? QString() : item->text(1));
    uriEdit->setEnabled(!folder);
}

void OrvexBookmarkForm::nameChangedSlot() {
    if (QTreeWidgetItem* item = selectedItem())
        item->setText(0, nameEdit->text());
}

void OrvexBookmarkForm::uriChangedSlot() {
    QTreeWidgetItem* item = selectedItem();
    if (item && !OrderedTree::isFolder(item))
        item->setText(1, uriEdit->text());
}
