// The control window's icons, drawn when first asked for: scenario tools
// 16 x 16, file and edit actions 22 x 22, help 16 x 16, layouts 20 x 20.
#pragma once

#include <QPixmap>

enum class MainFormIcon {
    // Scenario tools.
    ScenarioNew,
    ScenarioOpen,
    ScenarioSaveAs,
    Cut,
    Copy,
    Paste,
    Undo,
    Redo,
    RecordState,
    RecordView,
    Record,
    Play,
    // File and edit actions.
    FileNew,
    FileOpen,
    FileSave,
    FilePrint,
    EditStore,
    EditRestore,
    // Help.
    HelpContents,
    HelpIndex,
    // Layouts: which panes show (S the simulation, B the browser, C the panel).
    LayoutB,
    LayoutBC,
    LayoutSB,
    LayoutSC
};

QPixmap mainFormIcon(MainFormIcon icon);
