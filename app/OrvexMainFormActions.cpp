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

#define TR(text) QT_TRANSLATE_NOOP("OrvexMainForm", text)
#define ICON(name) static_cast<int>(MainFormIcon::name)

const ActionSpec actionSpecs[] = {
    {&OrvexMainForm::fileNewAction, "fileNewAction", nullptr, false, TR("Init State"),
     TR("Init State"), nullptr, TR("Ctrl+N"), ICON(FileNew), &OrvexMainForm::fileNew, nullptr},
    {&OrvexMainForm::fileOpenAction, "fileOpenAction", nullptr, false, TR("Open"), TR("&Open..."),
     nullptr, TR("Ctrl+O"), ICON(FileOpen), &OrvexMainForm::fileOpen, nullptr},
    {&OrvexMainForm::fileSaveAction, "fileSaveAction", nullptr, false, TR("Save"), TR("&Save"),
     nullptr, TR("Ctrl+S"), ICON(FileSave), &OrvexMainForm::fileSave, nullptr},
    {&OrvexMainForm::fileSaveAsAction, "fileSaveAsAction", nullptr, false, TR("Save As"),
     TR("Save &As..."), nullptr, nullptr, noIcon, &OrvexMainForm::fileSaveAs, nullptr},
    {&OrvexMainForm::filePrintAction, "filePrintAction", nullptr, false, TR("Print"),
     TR("&Print..."), nullptr, TR("Ctrl+P"), ICON(FilePrint), &OrvexMainForm::filePrint, nullptr},
    {&OrvexMainForm::fileExitAction, "fileExitAction", nullptr, false, TR("Exit"), TR("E&xit"),
     nullptr, nullptr, noIcon, &OrvexMainForm::fileExit, nullptr},
    {&OrvexMainForm::editStoreAction, "editStoreAction", nullptr, false, TR("Store State"),
     TR("Store State"), nullptr, TR("Ctrl+C"), ICON(EditStore), &OrvexMainForm::editStore, nullptr},
    {&OrvexMainForm::editRestoreAction, "editRestoreAction", nullptr, false, TR("Restore State"),
     TR("Restore State"), nullptr, TR("Ctrl+V"), ICON(EditRestore), &OrvexMainForm::editRestore,
     nullptr},
    {&OrvexMainForm::helpContentsAction, "helpContentsAction", nullptr, false, TR("Contents"),
     TR("&Contents..."), nullptr, nullptr, ICON(HelpContents), &OrvexMainForm::helpContents,
     nullptr},
    {&OrvexMainForm::helpIndexAction, "helpIndexAction", nullptr, false, TR("Index"),
     TR("&Index..."), nullptr, nullptr, ICON(HelpIndex), &OrvexMainForm::helpIndex, nullptr},
    {&OrvexMainForm::helpAboutAction, "helpAboutAction", nullptr, false, TR("About"), TR("&About"),
     nullptr, nullptr, noIcon, &OrvexMainForm::helpAbout, nullptr},
    {&OrvexMainForm::viewNormalAction, "viewNormalAction",
     &OrvexMainForm::viewOrvexWindowActionGroup, true, TR("&Normal window Orvex"),
     TR("&Normal window Orvex"), TR("Normal window Orvex"), nullptr, noIcon,
     &OrvexMainForm::viewNormal, nullptr},
    {&OrvexMainForm::viewFullScreenAction, "viewFullScreenAction",
     &OrvexMainForm::viewOrvexWindowActionGroup, true, TR("&Full screen Orvex"),
     TR("&Full screen Orvex"), TR("Full screen Orvex"), nullptr, noIcon,
     &OrvexMainForm::viewFullScreen, nullptr},
    {&OrvexMainForm::viewEmbedAction, "viewEmbedAction", &OrvexMainForm::viewOrvexWindowActionGroup,
     true, TR("&Embed Orvex"), TR("&Embed Orvex"), TR("Orvex embed in the control window"), nullptr,
     noIcon, &OrvexMainForm::viewEmbed, nullptr},
    {&OrvexMainForm::fileSaveImageAction, "fileSaveImageAction", nullptr, false,
     TR("Save Image..."), TR("Save &Image..."), nullptr, TR("Ctrl+I"), noIcon,
     &OrvexMainForm::fileSaveImage, nullptr},
    {&OrvexMainForm::viewStyleWindowsXPAction, "viewStyleWindowsXPAction",
     &OrvexMainForm::viewStyleActionGroup, true, TR("WindowsXP style"), TR("WindowsXP style"),
     TR("WindowsXP style GUI"), nullptr, noIcon, &OrvexMainForm::viewStyleWindowsXP, nullptr},
    {&OrvexMainForm::viewStyleWindowsAction, "viewStyleWindowsAction",
     &OrvexMainForm::viewStyleActionGroup, true, TR("Windows style"), TR("Windows style"),
     TR("Windows style GUI"), nullptr, noIcon, &OrvexMainForm::viewStyleWindows, nullptr},
    {&OrvexMainForm::viewStyleDarkAction, "viewStyleDarkAction",
     &OrvexMainForm::viewStyleActionGroup, true, TR("Dark style"), TR("Dark style"),
     TR("Dark style GUI"), nullptr, noIcon, &OrvexMainForm::viewStyleDark, nullptr},
    {&OrvexMainForm::viewMouseNormalAction, "viewMouseNormalAction",
     &OrvexMainForm::viewMouseActionGroup, true, TR("Normal mouse Mode"), TR("Normal mouse Mode"),
     TR("Normal mouse Mode"), nullptr, noIcon, &OrvexMainForm::viewMouseNormal, nullptr},
    {&OrvexMainForm::viewMouseTBAction, "viewMouseTBAction", &OrvexMainForm::viewMouseActionGroup,
     true, TR("Trackball mouse Mode"), TR("Trackball mouse Mode"), TR("Trackball mouse Mode"),
     nullptr, noIcon, &OrvexMainForm::viewMouseTB, nullptr},
    {&OrvexMainForm::scenarioOpenAction, "scenarioOpenAction", nullptr, false, TR("Open Scenario"),
     TR("Open Scenario..."), nullptr, nullptr, ICON(ScenarioOpen), &OrvexMainForm::scenarioOpenSlot,
     nullptr},
    {&OrvexMainForm::scenarioSaveAction, "scenarioSaveAction", nullptr, false, TR("Save Scenario"),
     TR("Save Scenario"), nullptr, nullptr, ICON(ScenarioSaveAs), &OrvexMainForm::scenarioSaveSlot,
     nullptr},
    {&OrvexMainForm::scenarioSaveAsAction, "scenarioSaveAsAction", nullptr, false,
     TR("Save Scenario As"), TR("Save Scenario As..."), nullptr, nullptr, ICON(ScenarioSaveAs),
     &OrvexMainForm::scenarioSaveAsSlot, nullptr},
    {&OrvexMainForm::scenarioNewAction, "scenarioNewAction", nullptr, false, TR("New Scenario"),
     TR("New Scenario"), nullptr, nullptr, ICON(ScenarioNew), &OrvexMainForm::scenarioNewSlot,
     nullptr},
    {&OrvexMainForm::scenarioRecAction, "scenarioRecAction", nullptr, true, TR("Record Operations"),
     TR("Record Operations"), nullptr, nullptr, ICON(Record), nullptr,
     &OrvexMainForm::scenarioRecSlot},
    {&OrvexMainForm::scenarioPlayAction, "scenarioPlayAction", nullptr, true, TR("Play Scenario"),
     TR("Play Scenario"), nullptr, nullptr, ICON(Play), nullptr, &OrvexMainForm::scenarioPlaySlot},
    {&OrvexMainForm::layoutBAction, "layoutBAction", &OrvexMainForm::layoutActionGroup, false,
     TR("Browser layout"), TR("Browser layout"), TR("Browser layout"), nullptr, ICON(LayoutB),
     &OrvexMainForm::layoutBSlot, nullptr},
    {&OrvexMainForm::layoutBCAction, "layoutBCAction", &OrvexMainForm::layoutActionGroup, false,
     TR("Browser/Control layout"), TR("Browser/Control layout"), TR("Browser/Control layout"),
     nullptr, ICON(LayoutBC), &OrvexMainForm::layoutBCSlot, nullptr},
    {&OrvexMainForm::layoutSBAction, "layoutSBAction", &OrvexMainForm::layoutActionGroup, false,
     TR("Simulation/Browser layout"), TR("Simulation/Browser layout"),
     TR("Simulation/Browser layout"), nullptr, ICON(LayoutSB), &OrvexMainForm::layoutSBSlot,
     nullptr},
    {&OrvexMainForm::layoutSCAction, "layoutSCAction", &OrvexMainForm::layoutActionGroup, false,
     TR("Simulation/Control layout"), TR("Simulation/Control layout"),
     TR("Simulation/Control layout"), nullptr, ICON(LayoutSC), &OrvexMainForm::layoutSCSlot,
     nullptr},
    {&OrvexMainForm::viewMediaNormalAction, "viewMediaNormalAction",
     &OrvexMainForm::viewMediaWindowActionGroup, true, TR("Normal window Media Viewer"),
     TR("Normal window Media Viewer"), TR("Normal window Media Viewer"), nullptr, noIcon,
     &OrvexMainForm::viewMediaNormalSlot, nullptr},
    {&OrvexMainForm::viewMediaFullScreenAction, "viewMediaFullScreenAction",
     &OrvexMainForm::viewMediaWindowActionGroup, true, TR("Full screen Media Viewer"),
     TR("Full screen Media Viewer"), TR("Full screen Media Viewer"), nullptr, noIcon,
     &OrvexMainForm::viewMediaFullScreenSlot, nullptr},
    {&OrvexMainForm::viewResetWindowsAction, "viewResetWindowsAction", nullptr, false,
     TR("Reset windows"), TR("Reset windows"), nullptr, nullptr, noIcon,
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
    {&OrvexMainForm::fileMenu, TR("&File"), 1}, {&OrvexMainForm::editMenu, TR("&Edit"), 2},
    {&OrvexMainForm::viewMenu, TR("&View"), 3}, {&OrvexMainForm::scenarioMenu, TR("&Scenario"), 4},
    {&OrvexMainForm::helpMenu, TR("&Help"), 5},
};

#undef ICON

} // namespace

void OrvexMainForm::buildActions() {
    for (const ActionSpec& spec : actionSpecs) {
        for (const auto& group : groupSpecs) {
            if (group.firstAction == spec.action) {
                auto* made = new QActionGroup(this);
                made->setObjectName(group.name);
                made->setExclusive(true);
                this->*group.group = made;
            }
        }
        QObject* owner = spec.group ? static_cast<QObject*>(this->*spec.group) : this;
        auto* action = new QAction(owner);
        action->setObjectName(spec.name);
        action->setCheckable(spec.toggle);
        if (spec.group)
            (this->*spec.group)->addAction(action);
        if (spec.icon != noIcon)
            action->setIcon(mainFormIcon(static_cast<MainFormIcon>(spec.icon)));
        this->*spec.action = action;
    }
    // The layout actions form a group but are no toggles: the group must not
    // keep one of them checked.
    layoutActionGroup->setExclusive(false);
    editRestoreAction->setEnabled(false);
}

void OrvexMainForm::connectActions() {
    for (const ActionSpec& spec : actionSpecs) {
        QAction* action = this->*spec.action;
        if (spec.toggledSlot)
            connect(action, &QAction::toggled, this, spec.toggledSlot);
        else
            connect(action, &QAction::triggered, this, spec.slot);
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

    for (const auto& spec : menuSpecs)
        menuBar()->addMenu(this->*spec.menu)->setData(spec.id);
}

void OrvexMainForm::setActionTexts() {
    for (const ActionSpec& spec : actionSpecs) {
        QAction* action = this->*spec.action;
        // What a tool button or tool tip shows, and what a menu shows.
        action->setIconText(tr(spec.text));
        action->setToolTip(spec.toolTip ? tr(spec.toolTip) : action->iconText());
        action->setText(tr(spec.menuText));
        if (spec.accel)
            action->setShortcut(QKeySequence(tr(spec.accel)));
    }
    toolBar->setWindowTitle(tr("Tools"));
    for (QAction* item : menuBar()->actions()) {
        for (const auto& spec : menuSpecs)
            if (item->data().toInt() == spec.id)
                item->setText(tr(spec.text));
    }
}
