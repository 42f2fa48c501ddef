// The control window's actions, tool bar and menus, and their texts.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/MainFormIcons.h"
#include "app/OrvexMainForm.h"

namespace {

using ActionMember = QAction* OrvexMainForm::*;
using GroupMember = QActionGroup* OrvexMainForm::*;
using Slot = void (OrvexMainForm::*)();
using ToggleSlot = void (OrvexMainForm::*)(bool);

constexpr int noIcon = -1;

// One action: where it is kept, its group, its texts (text, menu text, tool
// tip, accelerator; null for none), its icon and the slot it runs.
struct ActionSpec {
    ActionMember action;
    const char* name;
    GroupMember group;
    bool toggle;
    const char* text;
    const char* menuText;
    const char* toolTip;
    const char* accel;
    int icon;
    Slot slot;
    ToggleSlot toggledSlot;
};

#define ICON(name) static_cast<int>(MainFormIcon::name)

const ActionSpec actionSpecs[] = {
    {&OrvexMainForm::fileNewAction, "fileNewAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Init State"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Init State"), nullptr,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+N"), ICON(FileNew), &OrvexMainForm::fileNew, nullptr},
    {&OrvexMainForm::fileOpenAction, "fileOpenAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Open"), QT_TRANSLATE_NOOP("OrvexMainForm", "&Open..."),
     nullptr, QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+O"), ICON(FileOpen),
     &OrvexMainForm::fileOpen, nullptr},
    {&OrvexMainForm::fileSaveAction, "fileSaveAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save"), QT_TRANSLATE_NOOP("OrvexMainForm", "&Save"),
     nullptr, QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+S"), ICON(FileSave),
     &OrvexMainForm::fileSave, nullptr},
    {&OrvexMainForm::fileSaveAsAction, "fileSaveAsAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save As"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save &As..."), nullptr, nullptr, noIcon,
     &OrvexMainForm::fileSaveAs, nullptr},
    {&OrvexMainForm::filePrintAction, "filePrintAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Print"), QT_TRANSLATE_NOOP("OrvexMainForm", "&Print..."),
     nullptr, QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+P"), ICON(FilePrint),
     &OrvexMainForm::filePrint, nullptr},
    {&OrvexMainForm::fileExitAction, "fileExitAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Exit"), QT_TRANSLATE_NOOP("OrvexMainForm", "E&xit"),
     nullptr, nullptr, noIcon, &OrvexMainForm::fileExit, nullptr},
    {&OrvexMainForm::editStoreAction, "editStoreAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Store State"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Store State"), nullptr,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+C"), ICON(EditStore), &OrvexMainForm::editStore,
     nullptr},
    {&OrvexMainForm::editRestoreAction, "editRestoreAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Restore State"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Restore State"), nullptr,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+V"), ICON(EditRestore), &OrvexMainForm::editRestore,
     nullptr},
    {&OrvexMainForm::helpContentsAction, "helpContentsAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Contents"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "&Contents..."), nullptr, nullptr, ICON(HelpContents),
     &OrvexMainForm::helpContents, nullptr},
    {&OrvexMainForm::helpIndexAction, "helpIndexAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Index"), QT_TRANSLATE_NOOP("OrvexMainForm", "&Index..."),
     nullptr, nullptr, ICON(HelpIndex), &OrvexMainForm::helpIndex, nullptr},
    {&OrvexMainForm::helpAboutAction, "helpAboutAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "About"), QT_TRANSLATE_NOOP("OrvexMainForm", "&About"),
     nullptr, nullptr, noIcon, &OrvexMainForm::helpAbout, nullptr},
    {&OrvexMainForm::viewNormalAction, "viewNormalAction",
     &OrvexMainForm::viewOrvexWindowActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "&Normal window Orvex"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "&Normal window Orvex"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal window Orvex"), nullptr, noIcon,
     &OrvexMainForm::viewNormal, nullptr},
    {&OrvexMainForm::viewFullScreenAction, "viewFullScreenAction",
     &OrvexMainForm::viewOrvexWindowActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "&Full screen Orvex"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "&Full screen Orvex"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Full screen Orvex"), nullptr, noIcon,
     &OrvexMainForm::viewFullScreen, nullptr},
    {&OrvexMainForm::viewEmbedAction, "viewEmbedAction", &OrvexMainForm::viewOrvexWindowActionGroup,
     true, QT_TRANSLATE_NOOP("OrvexMainForm", "&Embed Orvex"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "&Embed Orvex"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Orvex embed in the control window"), nullptr, noIcon,
     &OrvexMainForm::viewEmbed, nullptr},
    {&OrvexMainForm::fileSaveImageAction, "fileSaveImageAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save Image..."),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save &Image..."), nullptr,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Ctrl+I"), noIcon, &OrvexMainForm::fileSaveImage, nullptr},
    {&OrvexMainForm::viewStyleWindowsXPAction, "viewStyleWindowsXPAction",
     &OrvexMainForm::viewStyleActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "WindowsXP style"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "WindowsXP style"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "WindowsXP style GUI"), nullptr, noIcon,
     &OrvexMainForm::viewStyleWindowsXP, nullptr},
    {&OrvexMainForm::viewStyleWindowsAction, "viewStyleWindowsAction",
     &OrvexMainForm::viewStyleActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Windows style"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Windows style"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Windows style GUI"), nullptr, noIcon,
     &OrvexMainForm::viewStyleWindows, nullptr},
    {&OrvexMainForm::viewStyleDarkAction, "viewStyleDarkAction",
     &OrvexMainForm::viewStyleActionGroup, true, QT_TRANSLATE_NOOP("OrvexMainForm", "Dark style"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Dark style"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Dark style GUI"), nullptr, noIcon,
     &OrvexMainForm::viewStyleDark, nullptr},
    {&OrvexMainForm::viewMouseNormalAction, "viewMouseNormalAction",
     &OrvexMainForm::viewMouseActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal mouse Mode"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal mouse Mode"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal mouse Mode"), nullptr, noIcon,
     &OrvexMainForm::viewMouseNormal, nullptr},
    {&OrvexMainForm::viewMouseTBAction, "viewMouseTBAction", &OrvexMainForm::viewMouseActionGroup,
     true, QT_TRANSLATE_NOOP("OrvexMainForm", "Trackball mouse Mode"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Trackball mouse Mode"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Trackball mouse Mode"), nullptr, noIcon,
     &OrvexMainForm::viewMouseTB, nullptr},
    {&OrvexMainForm::scenarioOpenAction, "scenarioOpenAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Open Scenario"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Open Scenario..."), nullptr, nullptr, ICON(ScenarioOpen),
     &OrvexMainForm::scenarioOpenSlot, nullptr},
    {&OrvexMainForm::scenarioSaveAction, "scenarioSaveAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save Scenario"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save Scenario"), nullptr, nullptr, ICON(ScenarioSaveAs),
     &OrvexMainForm::scenarioSaveSlot, nullptr},
    {&OrvexMainForm::scenarioSaveAsAction, "scenarioSaveAsAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save Scenario As"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Save Scenario As..."), nullptr, nullptr,
     ICON(ScenarioSaveAs), &OrvexMainForm::scenarioSaveAsSlot, nullptr},
    {&OrvexMainForm::scenarioNewAction, "scenarioNewAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "New Scenario"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "New Scenario"), nullptr, nullptr, ICON(ScenarioNew),
     &OrvexMainForm::scenarioNewSlot, nullptr},
    {&OrvexMainForm::scenarioRecAction, "scenarioRecAction", nullptr, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Record Operations"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Record Operations"), nullptr, nullptr, ICON(Record),
     nullptr, &OrvexMainForm::scenarioRecSlot},
    {&OrvexMainForm::scenarioPlayAction, "scenarioPlayAction", nullptr, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Play Scenario"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Play Scenario"), nullptr, nullptr, ICON(Play), nullptr,
     &OrvexMainForm::scenarioPlaySlot},
    {&OrvexMainForm::layoutBAction, "layoutBAction", &OrvexMainForm::layoutActionGroup, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Browser layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Browser layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Browser layout"), nullptr, ICON(LayoutB),
     &OrvexMainForm::layoutBSlot, nullptr},
    {&OrvexMainForm::layoutBCAction, "layoutBCAction", &OrvexMainForm::layoutActionGroup, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Browser/Control layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Browser/Control layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Browser/Control layout"), nullptr, ICON(LayoutBC),
     &OrvexMainForm::layoutBCSlot, nullptr},
    {&OrvexMainForm::layoutSBAction, "layoutSBAction", &OrvexMainForm::layoutActionGroup, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation/Browser layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation/Browser layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation/Browser layout"), nullptr, ICON(LayoutSB),
     &OrvexMainForm::layoutSBSlot, nullptr},
    {&OrvexMainForm::layoutSCAction, "layoutSCAction", &OrvexMainForm::layoutActionGroup, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation/Control layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation/Control layout"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation/Control layout"), nullptr, ICON(LayoutSC),
     &OrvexMainForm::layoutSCSlot, nullptr},
    {&OrvexMainForm::viewMediaNormalAction, "viewMediaNormalAction",
     &OrvexMainForm::viewMediaWindowActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal window Media Viewer"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal window Media Viewer"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Normal window Media Viewer"), nullptr, noIcon,
     &OrvexMainForm::viewMediaNormalSlot, nullptr},
    {&OrvexMainForm::viewMediaFullScreenAction, "viewMediaFullScreenAction",
     &OrvexMainForm::viewMediaWindowActionGroup, true,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Full screen Media Viewer"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Full screen Media Viewer"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Full screen Media Viewer"), nullptr, noIcon,
     &OrvexMainForm::viewMediaFullScreenSlot, nullptr},
    {&OrvexMainForm::viewResetWindowsAction, "viewResetWindowsAction", nullptr, false,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Reset windows"),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Reset windows"), nullptr, nullptr, noIcon,
     &OrvexMainForm::viewResetWindowsSlot, nullptr},
};

// The groups, each made just before its first action.
const struct {
    GroupMember group;
    const char* name;
    ActionMember firstAction;
} groupSpecs[] = {
    {&OrvexMainForm::viewOrvexWindowActionGroup, "viewOrvexWindowActionGroup",
     &OrvexMainForm::viewNormalAction},
    {&OrvexMainForm::viewStyleActionGroup, "viewStyleActionGroup",
     &OrvexMainForm::viewStyleWindowsXPAction},
    {&OrvexMainForm::viewMouseActionGroup, "viewMouseActionGroup",
     &OrvexMainForm::viewMouseNormalAction},
    {&OrvexMainForm::layoutActionGroup, "layoutActionGroup", &OrvexMainForm::layoutBAction},
    {&OrvexMainForm::viewMediaWindowActionGroup, "viewMediaWindowActionGroup",
     &OrvexMainForm::viewMediaNormalAction},
};

// The menu bar's items: text and identifier.
const struct {
    QMenu* OrvexMainForm::*menu;
    const char* text;
    int id;
} menuSpecs[] = {
    {&OrvexMainForm::fileMenu, QT_TRANSLATE_NOOP("OrvexMainForm", "&File"), 1},
    {&OrvexMainForm::editMenu, QT_TRANSLATE_NOOP("OrvexMainForm", "&Edit"), 2},
    {&OrvexMainForm::viewMenu, QT_TRANSLATE_NOOP("OrvexMainForm", "&View"), 3},
    {&OrvexMainForm::scenarioMenu, QT_TRANSLATE_NOOP("OrvexMainForm", "&Scenario"), 4},
    {&OrvexMainForm::helpMenu, QT_TRANSLATE_NOOP("OrvexMainForm", "&Help"), 5},
};

#undef ICON

} // namespace

void OrvexMainForm::buildActions() {
    for (const ActionSpec& entry : actionSpecs) {
        for (const auto& group : groupSpecs) {
            if (group.firstAction == entry.action) {
                auto* made = new QActionGroup(this);
                made->setObjectName(group.name);
                made->setExclusive(true);
                this->*group.group = made;
            }
        }
        QObject* owner = entry.group ? static_cast<QObject*>(this->*entry.group) : this;
        auto* action = new QAction(owner);
        action->setObjectName(entry.name);
        action->setCheckable(entry.toggle);
        if (entry.group)
            (this->*entry.group)->addAction(action);
        if (entry.icon != noIcon)
            action->setIcon(mainFormIcon(static_cast<MainFormIcon>(entry.icon)));
        this->*entry.action = action;
    }
    // The layout actions form a group but are no toggles: the group must not
    // keep one of them checked.
    layoutActionGroup->setExclusive(false);
    editRestoreAction->setEnabled(false);
}

void OrvexMainForm::connectActions() {
    for (const ActionSpec& entry : actionSpecs) {
        QAction* action = this->*entry.action;
        if (entry.toggledSlot)
            connect(action, &QAction::toggled, this, entry.toggledSlot);
        else
            connect(action, &QAction::triggered, this, entry.slot);
    }
}

void OrvexMainForm::buildToolBarAndMenus() {
    toolBar = new QToolBar(this);
    toolBar->setIconSize(QSize(22, 22));
    addToolBar(Qt::TopToolBarArea, toolBar);
    toolBar->addAction(fileNewAction);
    toolBar->addAction(fileOpenAction);
    toolBar->addSeparator();
    toolBar->addAction(editStoreAction);
    toolBar->addAction(editRestoreAction);
    toolBar->addSeparator();
    toolBar->addAction(layoutBCAction);
    toolBar->addAction(layoutBAction);
    toolBar->addAction(layoutSBAction);
    toolBar->addAction(layoutSCAction);
    toolBar->addSeparator();
    toolBar->addAction(helpContentsAction);

    // In no menu or tool bar: the window itself carries its shortcut.
    addAction(fileSaveAction);

    menuBar()->setObjectName("MenuBar");
    fileMenu = new QMenu(this);
    fileMenu->addActions({fileNewAction, fileOpenAction});
    fileMenu->addSeparator();
    fileMenu->addActions({fileSaveImageAction, filePrintAction});
    fileMenu->addSeparator();
    fileMenu->addAction(fileExitAction);

    editMenu = new QMenu(this);
    editMenu->addActions({editStoreAction, editRestoreAction});

    viewMenu = new QMenu(this);
    viewMenu->addActions({viewEmbedAction, viewNormalAction, viewFullScreenAction});
    viewMenu->addSeparator();
    viewMenu->addActions({viewMediaNormalAction, viewMediaFullScreenAction});
    viewMenu->addSeparator();
    viewMenu->addAction(viewResetWindowsAction);
    viewMenu->addSeparator();
    viewMenu->addActions({layoutBCAction, layoutBAction, layoutSBAction, layoutSCAction});
    viewMenu->addSeparator();
    viewMenu->addActions({viewStyleWindowsXPAction, viewStyleWindowsAction, viewStyleDarkAction});
    // Two separators in a row: the language menu goes between them.
    viewMenu->addSeparator();
    viewMenu->addSeparator();
    viewMenu->addActions({viewMouseNormalAction, viewMouseTBAction});

    scenarioMenu = new QMenu(this);
    scenarioMenu->addActions(
        {scenarioNewAction, scenarioOpenAction, scenarioSaveAction, scenarioSaveAsAction});
    scenarioMenu->addSeparator();
    scenarioMenu->addActions({scenarioRecAction, scenarioPlayAction});

    helpMenu = new QMenu(this);
    helpMenu->addActions({helpContentsAction, helpIndexAction});
    helpMenu->addSeparator();
    helpMenu->addAction(helpAboutAction);

    for (const auto& entry : menuSpecs)
        menuBar()->addMenu(this->*entry.menu)->setData(entry.id);
}

void OrvexMainForm::setActionTexts() {
    for (const ActionSpec& entry : actionSpecs) {
        QAction* action = this->*entry.action;
        // What a tool button or tool tip shows, and what a menu shows.
        action->setIconText(tr(entry.text));
        action->setToolTip(entry.toolTip ? tr(entry.toolTip) : action->iconText());
        action->setText(tr(entry.menuText));
        if (entry.accel)
            action->setShortcut(QKeySequence(tr(entry.accel)));
    }
    toolBar->setWindowTitle(tr("Tools"));
    for (QAction* item : menuBar()->actions()) {
        for (const auto& entry : menuSpecs)
            if (item->data().toInt() == entry.id)
                item->setText(tr(entry.text));
    }
}
