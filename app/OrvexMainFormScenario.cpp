// The "Scenario Edit" page's editor: editing, recording (the engine's command
// log moved into the editor after every frame), playing, the two pairs of
// toggles kept in step with the engine, and scenario files opened and saved.
#include <QAction>
#include <QDateTimeEdit>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <vector>

#include "app/BrowserLinks.h"
#include "app/CommandText.h"
#include "app/EngineLink.h"
#include "app/EngineSave.h"
#include "app/OrvexMainForm.h"
#include "app/ScenarioFile.h"
#include "engine/LogMessage.h"

namespace {

const char* const openFilter =
    "All Files (*.*);;Scenario Files (*.scn);;Html Files (*.htm *.html);;"
    "Media Files (*.bmp *.png *.gif *.jpg *.jpeg *.avi *.wmv *.mpg *.mpeg)";
const char* const saveFilter = "Scenario file (*.scn)";

// The least time between two changes of the date and time display.
const qint64 timeDisplayMs = 250;

// Sets a toggle without running its slot.
template <class Toggle> void setQuietly(Toggle* toggle, bool on) {
    const QSignalBlocker blocker(toggle);
    toggle->setChecked(on);
}

} // namespace

void OrvexMainForm::insertEngineText(const std::string& text) {
    QString lines = EngineLink::fromEngineText(text);
    while (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    if (lines.isEmpty())
        return;
    // Never into a line: a command split by recorded text, or recorded text
    // run on to what the user was typing, fails when played.
    QTextCursor cursor = scenarioEdit->textCursor();
    cursor.clearSelection();
    if (cursor.atBlockStart()) {
        // Before the line, which stays below them with the cursor.
        cursor.insertText(lines + QLatin1Char('\n'));
    } else {
        // After the line, the cursor at the end of the last line inserted.
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(QLatin1Char('\n') + lines);
    }
    scenarioEdit->setTextCursor(cursor);
}

void OrvexMainForm::moveLogIntoEditor() {
    const std::string log = gl_->getLog();
    gl_->clearLog();
    if (!log.empty())
        insertEngineText(log);
}

void OrvexMainForm::setRecordToggles(bool on) {
    setQuietly(scenarioRecButton, on);
    setQuietly(scenarioRecAction, on);
}

void OrvexMainForm::setPlayToggles(bool on) {
    setQuietly(scenarioPlayButton, on);
    setQuietly(scenarioPlayAction, on);
}

bool OrvexMainForm::holdsUnsavedText() const {
    return scenarioEdit->document()->isModified() && !scenarioEdit->document()->isEmpty();
}

bool OrvexMainForm::mayReplaceEditorText() {
    return !holdsUnsavedText() || confirmDiscard();
}

bool OrvexMainForm::confirmDiscard() {
    return askBeforeLosingWork(tr("The scenario in the editor has not been saved. Discard it?"));
}

void OrvexMainForm::scenarioNewSlot() {
    if (!mayReplaceEditorText())
        return;
    showTextOfNoFile(QString());
}

void OrvexMainForm::showTextOfNoFile(const QString& text) {
    // Replacing the text clears the editor's undo history too, so undo never
    // brings back the file's text under no name.
    scenarioEdit->setPlainText(text);
    scenarioEdit->document()->setModified(false);
    // The editor no longer shows the file opened or saved before: its first
    // Save asks for a name rather than writing over that file.
    scenarioFileName.clear();
    scenarioFile_.reset();
}

void OrvexMainForm::scenarioCutSlot() {
    if (scenarioEdit->textCursor().hasSelection())
        scenarioEdit->cut();
}

void OrvexMainForm::scenarioCopySlot() {
    if (scenarioEdit->textCursor().hasSelection())
        scenarioEdit->copy();
}

void OrvexMainForm::scenarioPasteSlot() {
    scenarioEdit->paste();
}

void OrvexMainForm::scenarioUndoSlot() {
    scenarioEdit->undo();
}

void OrvexMainForm::scenarioRedoSlot() {
    scenarioEdit->redo();
}

void OrvexMainForm::scenarioEditSlot() {
    scenarioEdit->document()->setModified(true);
}

void OrvexMainForm::scenarioStateSlot() {
    if (gl_)
        insertEngineText(gl_->getStateText());
}

void OrvexMainForm::scenarioCameraSlot() {
    if (!gl_)
        return;
    gl_->clearLog();
    gl_->processScenarioLine("Camera.RecordView");
    insertEngineText(gl_->getLog());
    gl_->clearLog();
}

void OrvexMainForm::scenarioRecSlot(bool on) {
    if (updatingInterface)
        return;
    // Both toggles of the pair follow the one the user turned.
    setRecordToggles(on);
    if (!gl_)
        return;
    if (on) {
        gl_->clearLog();
        gl_->setRecording(1);
        // Recording and playing exclude each other: a playing scenario stops.
        setPlayToggles(false);
        if (gl_->getPlaying())
            gl_->stopScenario();
    } else {
        gl_->setRecording(0);
    }
}

void OrvexMainForm::scenarioPlaySlot(bool on) {
    if (updatingInterface)
        return;
    setPlayToggles(on);
    if (!gl_)
        return;
    if (on) {
        gl_->clearLog();
        gl_->runScript(EngineLink::toEngineText(scenarioEdit->toPlainText()), 0);
        gl_->startScenario();
        // The lines played are not recorded back into the editor.
        setRecordToggles(false);
        gl_->setRecording(0);
    } else {
        gl_->stopScenario();
    }
}

void OrvexMainForm::scenarioEndSlot() {
    setPlayToggles(false);
    if (gl_)
        gl_->stopScenario();
    updateInterface();
}

void OrvexMainForm::playScenarioFile(const std::string& file) {
    gl_->openScenario(file, 0);
    // A scenario without waits has run to its end inside the call, between
    // frames, where no frame reports the end: the panel is refreshed here.
    if (!gl_->getPlaying())
        scenarioEndSlot();
}

void OrvexMainForm::showEngineTime() {
    timeDisplayTimer_->stop();
    timeShown_.start();
    if (!gl_ || !gl_->hasRoot())
        return;
    const bool wasUpdating = updatingInterface;
    updatingInterface = true;
    const std::vector<int> t = CommandText::readInts(gl_->getCommandValue("Timer.TimeTextLoc"));
    if (t.size() >= 6) {
        const QDateTime shown(QDate(t[0], t[1], t[2]), QTime(t[3], t[4], t[5]),
                              dateTimeEdit->timeSpec());
        if (shown.isValid() && shown != dateTimeEdit->dateTime())
            dateTimeEdit->setDateTime(shown);
    }
    updatingInterface = wasUpdating;
}

void OrvexMainForm::orvexUpdatedSlot() {
    if (!gl_ || !gl_->hasRoot())
        return;
    reportStartFailure();
    const bool wasUpdating = updatingInterface;
    updatingInterface = true;

    if (!timeShown_.isValid() || timeShown_.elapsed() >= timeDisplayMs) {
        showEngineTime();
    } else if (!timeDisplayTimer_->isActive()) {
        timeDisplayTimer_->start(int(timeDisplayMs - timeShown_.elapsed()));
    }

    // Each toggle follows the engine on its own, so that a pair never disagrees.
    const bool playing = gl_->getPlaying() != 0;
    if (scenarioPlayButton->isChecked() != playing || scenarioPlayAction->isChecked() != playing)
        setPlayToggles(playing);
    const bool recording = gl_->isRecording() != 0;
    if (scenarioRecButton->isChecked() != recording || scenarioRecAction->isChecked() != recording)
        setRecordToggles(recording);

    if (recording)
        moveLogIntoEditor();
    updatingInterface = wasUpdating;
}

void OrvexMainForm::scenarioOpenSlot() {
    fileOpen();
}

void OrvexMainForm::scenarioSaveSlot() {
    fileSave();
}

void OrvexMainForm::scenarioSaveAsSlot() {
    fileSaveAs();
}

QString OrvexMainForm::askOpenFileName() {
    FileQuestion question;
    question.caption = tr("Open a scenario file ...");
    question.filter = QString::fromLatin1(openFilter);
    return fileChooser(question).file;
}

QString OrvexMainForm::askSaveFileName() {
    FileQuestion question;
    question.mode = FileQuestion::Mode::Save;
    question.caption = tr("Save a scenario file as ...");
    question.directory = scenarioFileName;
    question.filter = QString::fromLatin1(saveFilter);
    return fileChooser(question).file;
}

void OrvexMainForm::reportStartFailure() {
    const std::string file = gl_->getStartFailure();
    if (file.empty() || file == reportedStartFailure_)
        return;
    reportedStartFailure_ = file;
    showWarning(
        tr("The simulation could not start: the file %1 is missing or cannot be read.\n"
           "Check the data directory %2.")
            .arg(EngineLink::fromEngineText(file), EngineLink::fromEngineText(gl_->getDataDir())));
}

void OrvexMainForm::showWarning(const QString& text) {
    QMessageBox::warning(this, tr("Orvex Studio"), text);
}

bool OrvexMainForm::saveThroughEngine(const std::string& line, const QString& heading) {
    const QString failure = runEngineSave(gl_, line);
    if (failure.isEmpty())
        return true;
    showWarning(heading + QLatin1Char('\n') + failure);
    return false;
}

void OrvexMainForm::fileOpen() {
    const QString file = askOpenFileName();
    if (file.isEmpty())
        return;
    switch (BrowserLinks::fileKind(file)) {
    case BrowserLinks::FileKind::Html:
        bookmarkNavigate(file);
        break;
    case BrowserLinks::FileKind::Media:
        mediaDropped(file);
        break;
    case BrowserLinks::FileKind::Scenario:
        if (mayReplaceEditorText())
            openScenarioFile(file);
        break;
    case BrowserLinks::FileKind::Other:
        break;
    }
}

void OrvexMainForm::openScenarioFile(const QString& fileName) {
    if (!scenarioFile_)
        scenarioFile_ = std::make_unique<ScenarioFile>();
    // A file not read leaves the editor its text and its file: the next Save
    // would otherwise put that text over the file.
    const bool read = scenarioFile_->read(fileName);
    if (read) {
        scenarioFileName = fileName;
        scenarioEdit->setPlainText(scenarioFile_->text());
        scenarioEdit->document()->setModified(false);
        scenarioFile_->setShown(editorLines());
    } else {
        logMessage("Could not read scenario file %s: %s\n", fileName.toLocal8Bit().constData(),
                   scenarioFile_->error().toLocal8Bit().constData());
    }
    if (gl_) {
        gl_->clearLog();
        playScenarioFile(EngineLink::toEngineText(fileName));
        gl_->clearLog();
    }
    if (!read)
        showWarning(
            tr("The scenario %1 could not be opened:\n%2").arg(fileName, scenarioFile_->error()));
    else if (!scenarioFile_->readWhole())
        showWarning(tr("The scenario %1 was not read whole: a NUL byte ends its text early, and "
                       "the editor shows only the text before it.\nSave does not write over this "
                       "file; Save Scenario As can keep the text under another name.")
                        .arg(fileName));
    else if (const QList<int> lines = scenarioFile_->changedWhenEdited(); !lines.isEmpty())
        showWarning(tr("These lines of the scenario %1 cannot be written again as they are "
                       "once edited: %2.\n%3 writes their characters as other bytes than the "
                       "file holds, or the editor shows them otherwise (a paragraph separator "
                       "as a line break). Save writes them as they are while they are not "
                       "edited.")
                        .arg(fileName, lineNumbers(lines),
                             QString::fromLatin1(scenarioFile_->codecName())));
}

QStringList OrvexMainForm::editorLines() const {
    // The blocks as the editor holds them: its plain text would give
    // non-breaking spaces as spaces and line separators as line breaks.
    return ScenarioFile::blocksOf(*scenarioEdit->document());
}

QString OrvexMainForm::lineNumbers(const QList<int>& lines) {
    const int shown = 12;
    QStringList numbers;
    for (int i = 0; i < lines.size() && i < shown; ++i)
        numbers << QString::number(lines[i]);
    QString text = numbers.join(QStringLiteral(", "));
    if (lines.size() > shown)
        text += tr(" and %1 more").arg(lines.size() - shown);
    return text;
}

void OrvexMainForm::fileSave() {
    const QScopedValueRollback<bool> saving(savingScenario_, true);
    if (scenarioFileName.isEmpty()) {
        fileSaveAs();
        return;
    }
    saveScenario(scenarioFileName);
}

bool OrvexMainForm::saveScenario(const QString& fileName) {
    if (!scenarioFile_)
        scenarioFile_ = std::make_unique<ScenarioFile>();
    const QStringList lines = editorLines();
    // No question for a save that write refuses all the same.
    if (!scenarioFile_->readInPart(fileName)) {
        // Opened again, the file must show what the editor shows; where it
        // would not, no other question matters.
        if (const int line = scenarioFile_->firstLineReadOtherwise(lines); line > 0) {
            if (!askBeforeLosingWork(
                    tr("Saved now, %1 would not open again as the editor shows it: from line %2 "
                       "on, its bytes would read back as other characters or other lines.\n"
                       "Save %1 all the same?")
                        .arg(fileName)
                        .arg(line)))
                return false;
        } else if (scenarioFile_->changesKeptLines(lines)) {
            if (!askBeforeLosingWork(
                    tr("The scenario was read as %1, which cannot hold all of the text now in the "
                       "editor. Saved as UTF-8, the lines that were not edited change too and may "
                       "read otherwise than before.\nSave %2 as UTF-8 all the same?")
                        .arg(QString::fromLatin1(scenarioFile_->codecName()), fileName)))
                return false;
        } else if (const QList<int> changed = scenarioFile_->changedLines(lines);
                   !changed.isEmpty() &&
                   !askBeforeLosingWork(
                       tr("These lines of %1 were edited, and written now they change "
                          "beyond what was typed: %2.\n%3 writes some of their characters as "
                          "other bytes than the file held, or the editor shows them otherwise "
                          "than the file holds them.\nSave %4 all the same?")
                           // The lines are those of the file last opened or
                           // saved, which Save As does not write.
                           .arg(scenarioFileName, lineNumbers(changed),
                                QString::fromLatin1(scenarioFile_->codecName()), fileName))) {
            return false;
        }
    }
    if (scenarioFile_->write(fileName, lines)) {
        scenarioEdit->document()->setModified(false);
        return true;
    }
    // The text stays modified: it is not on disk.
    showWarning(
        tr("The scenario could not be saved as %1:\n%2").arg(fileName, scenarioFile_->error()));
    return false;
}

void OrvexMainForm::fileSaveAs() {
    const QScopedValueRollback<bool> saving(savingScenario_, true);
    // "rec1" is saved as "rec1.scn", a name the open dialog's filters list.
    const QString file = withFilterExtension(askSaveFileName(), QString::fromLatin1(saveFilter));
    if (file.isEmpty())
        return;
    // The editor takes the name, and the next dialog its folder, only with
    // the text written under it: Save would otherwise go on failing there,
    // and leave the file opened as it was.
    if (saveScenario(file))
        scenarioFileName = file;
}
