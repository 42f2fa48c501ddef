// The scenario editor on a recording fake engine: the record and play state
// machine with its two pairs of toggles, the per-frame transfer of the
// command log, Record View and Record State, the end of a scenario, the open
// dialog's dispatch and scenario files saved and opened again, never over a
// file not read, read in part, or re-encoded unasked.
#include <QAction>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTextCodec>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <unistd.h>

#include "support/MainFormFixture.h"
#include "support/ModalAnswers.h"
#include "ui/QDropButton.h"

namespace {

using orvextest::MainFormFixture;

class ScenarioEditor : public MainFormFixture {
protected:
    orvextest::FakeRoot& root() { return engine.recorded; }
    bool recordToggles() const {
        EXPECT_EQ(form->scenarioRecButton->isChecked(), form->scenarioRecAction->isChecked());
        return form->scenarioRecButton->isChecked();
    }
    bool playToggles() const {
        EXPECT_EQ(form->scenarioPlayButton->isChecked(), form->scenarioPlayAction->isChecked());
        return form->scenarioPlayButton->isChecked();
    }
    bool modified() const { return form->scenarioEdit->document()->isModified(); }
    QTextCursor cursorAt(int position) const {
        QTextCursor cursor = form->scenarioEdit->textCursor();
        cursor.setPosition(position);
        return cursor;
    }
    void writeFile(const char* name, const QByteArray& bytes) const {
        QFile file(programFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray bytesOf(const char* name) const {
        QFile file(programFile(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    }
    void open(const char* name) {
        form->openName = programFile(name);
        form->fileOpen();
    }
};

TEST_F(ScenarioEditor, RecordOnClearsTheLogAndStopsAPlayingScenario) {
    root().log = "old line\n";
    form->scenarioPlayButton->setChecked(true);
    ASSERT_EQ(root().playing, 1);
    root().log = "old line\n";

    form->scenarioRecButton->setChecked(true);
    EXPECT_EQ(root().recording, 1);
    EXPECT_TRUE(root().log.empty());
    EXPECT_EQ(root().playing, 0);
    EXPECT_TRUE(recordToggles());
    EXPECT_FALSE(playToggles());

    // Off again from the menu: the flag goes, the log stays.
    root().log = "Timer.Speed 2\n";
    form->scenarioRecAction->setChecked(false);
    EXPECT_EQ(root().recording, 0);
    EXPECT_FALSE(recordToggles());
    EXPECT_EQ(root().log, "Timer.Speed 2\n");
}

TEST_F(ScenarioEditor, PlayOnPlaysTheEditorTextAndStopsRecording) {
    form->scenarioRecButton->setChecked(true);
    form->scenarioEdit->setPlainText(
        QString::fromUtf8("Timer.Speed 10\nOrvex.Wait 30\nTimer.Speed 1"));
    root().log = "Timer.Speed 10\n";

    form->scenarioPlayAction->setChecked(true);
    ASSERT_EQ(root().scripts.size(), 1u);
    EXPECT_EQ(root().scripts[0].text, "Timer.Speed 10\nOrvex.Wait 30\nTimer.Speed 1");
    EXPECT_EQ(root().scripts[0].runAll, 0);
    EXPECT_EQ(root().playing, 1);
    EXPECT_EQ(root().recording, 0);
    EXPECT_TRUE(root().log.empty());
    EXPECT_TRUE(playToggles());
    EXPECT_FALSE(recordToggles());

    form->scenarioPlayButton->setChecked(false);
    EXPECT_EQ(root().playing, 0);
    EXPECT_FALSE(playToggles());
}

TEST_F(ScenarioEditor, UnderTheEchoGuardTogglesSendNothing) {
    form->updatingInterface = true;
    form->scenarioRecButton->setChecked(true);
    form->scenarioPlayButton->setChecked(true);
    form->updatingInterface = false;
    EXPECT_EQ(root().recording, 0);
    EXPECT_EQ(root().playing, 0);
    EXPECT_TRUE(root().scripts.empty());
}

TEST_F(ScenarioEditor, EachFrameMovesTheRecordedLinesIntoTheEditor) {
    form->scenarioRecButton->setChecked(true);
    form->scenarioEdit->setPlainText("# mine\n");
    form->scenarioEdit->moveCursor(QTextCursor::End);
    root().log = "Timer.Speed 10\n";
    form->orvexUpdatedSlot();
    root().log = "Space.Stars 0\n";
    form->orvexUpdatedSlot();
    form->orvexUpdatedSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "# mine\nTimer.Speed 10\nSpace.Stars 0\n");
    EXPECT_TRUE(root().log.empty());
    EXPECT_FALSE(form->isUpdatingInterface());

    // Not recording: the log stays in the engine.
    form->scenarioRecButton->setChecked(false);
    root().log = "Timer.Speed 3\n";
    form->orvexUpdatedSlot();
    EXPECT_EQ(root().log, "Timer.Speed 3\n");
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "# mine\nTimer.Speed 10\nSpace.Stars 0\n");
}

TEST_F(ScenarioEditor, EachFrameShowsTheTimeAndPutsTheTogglesInStepQuietly) {
    root().answers["Timer.TimeTextLoc"] = "2024 3 5 12 30 15";
    root().playing = 1;
    root().recording = 1;
    form->orvexUpdatedSlot();
    EXPECT_EQ(form->dateTimeEdit->dateTime(), QDateTime(QDate(2024, 3, 5), QTime(12, 30, 15)));
    EXPECT_TRUE(playToggles());
    EXPECT_TRUE(recordToggles());
    // Following the engine runs nothing.
    EXPECT_TRUE(root().scripts.empty());
    EXPECT_EQ(root().playing, 1);

    root().playing = 0;
    root().answers["Timer.TimeTextLoc"] = "Undefined";
    form->orvexUpdatedSlot();
    EXPECT_FALSE(playToggles());
    EXPECT_TRUE(recordToggles());
    EXPECT_EQ(form->dateTimeEdit->dateTime(), QDateTime(QDate(2024, 3, 5), QTime(12, 30, 15)));
}

TEST_F(ScenarioEditor, TheTimeFollowsAFewTimesASecondAndCatchesUpWhenTheClockStops) {
    const auto at = [](int second) { return QDateTime(QDate(2024, 3, 5), QTime(12, 30, second)); };
    const auto clockAt = [&](int second) {
        root().answers["Timer.TimeTextLoc"] = "2024 3 5 12 30 " + std::to_string(second);
    };
    clockAt(15);
    form->orvexUpdatedSlot();
    EXPECT_EQ(form->dateTimeEdit->dateTime(), at(15));

    // Frames in quick succession, the clock running: the display, whose every
    // change repaints the window, does not follow each frame.
    QElapsedTimer clock;
    clock.start();
    for (int second = 16; second <= 25; ++second) {
        clockAt(second);
        form->orvexUpdatedSlot();
    }
    if (clock.elapsed() < 200) {
        EXPECT_EQ(form->dateTimeEdit->dateTime(), at(15));
    }
    EXPECT_FALSE(form->isUpdatingInterface());

    // The clock stops: no frame changes the time any more, and the display
    // shows where it stopped within moments.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->dateTimeEdit->dateTime() == at(25); }, 3000));
    const size_t asked = root().queries.size();
    QTest::qWait(400);
    EXPECT_EQ(root().queries.size(), asked) << "no frames, no questions";
}

TEST_F(ScenarioEditor, RecordViewAndRecordStateInsertAtTheCursor) {
    root().logOnLine["Camera.RecordView"] = "Camera.Mode Examine\nCamera.Dist 3\n";
    root().log = "pending\n";
    form->scenarioEdit->setPlainText("A\nB\n");
    QTextCursor cursor = form->scenarioEdit->textCursor();
    cursor.setPosition(2);
    form->scenarioEdit->setTextCursor(cursor);
    form->scenarioCameraSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "A\nCamera.Mode Examine\nCamera.Dist 3\nB\n");
    EXPECT_EQ(root().lines.back(), "Camera.RecordView");
    EXPECT_TRUE(root().log.empty());

    root().stateText = "Timer.Speed 1\n";
    root().log = "kept\n";
    form->scenarioStateSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(),
              "A\nCamera.Mode Examine\nCamera.Dist 3\nTimer.Speed 1\nB\n");
    EXPECT_EQ(root().log, "kept\n");
}

TEST_F(ScenarioEditor, TheEndOfAScenarioReleasesThePlayTogglesAndRefreshes) {
    form->scenarioPlayButton->setChecked(true);
    form->scenarioEndSlot();
    EXPECT_FALSE(playToggles());
    EXPECT_EQ(root().playing, 0);
    EXPECT_EQ(form->refreshes, 1);
}

TEST_F(ScenarioEditor, ALinkClickedWhileRecordingIsRecordedInItsPlace) {
    form->scenarioNewSlot();
    form->scenarioRecButton->setChecked(true);
    root().log = "Ssystem.Orbit 1\nCamera.Dist 20\n";
    form->orvexUpdatedSlot();
    // The cursor inside "Camera.Dist 20", a line logged since the last frame.
    form->scenarioEdit->setTextCursor(cursorAt(QString("Ssystem.Orbit 1\nCamera.Di").size()));
    root().log = "Space.Stars 0\n";
    EXPECT_FALSE(form->beforeNavigate("orvex://Timer.Step%203600;Orvex.Wait%2030;Timer.Speed%201",
                                      Requester::user()));
    ASSERT_EQ(root().scripts.size(), 1u);
    EXPECT_EQ(root().scripts[0].text, "Timer.Step 3600;Orvex.Wait 30;Timer.Speed 1");
    // Its lines come from the log as they run, the wait's frames apart: each once.
    root().log += "Timer.Step 3600\nOrvex.Wait 30\n";
    form->orvexUpdatedSlot();
    root().log = "Timer.Speed 1\n";
    form->orvexUpdatedSlot();
    const QString recorded = "Ssystem.Orbit 1\nCamera.Dist 20\nSpace.Stars 0\nTimer.Step 3600\n"
                             "Orvex.Wait 30\nTimer.Speed 1\n";
    EXPECT_EQ(form->scenarioEdit->toPlainText(), recorded);
    EXPECT_TRUE(modified());

    // A line the user is typing, and a selection, stay as they are.
    form->scenarioEdit->moveCursor(QTextCursor::End);
    form->scenarioEdit->insertPlainText("Space.Fra");
    root().log = "Camera.Look Earth\n";
    form->orvexUpdatedSlot();
    QTextCursor selection = cursorAt(QString("Ssystem.Or").size());
    selection.setPosition(QString("Ssystem.Orbit 1\nCamera.Di").size(), QTextCursor::KeepAnchor);
    form->scenarioEdit->setTextCursor(selection);
    root().logOnLine["Camera.RecordView"] = "Camera.Mode Examine\n";
    form->scenarioCameraSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(),
              "Ssystem.Orbit 1\nCamera.Dist 20\nCamera.Mode Examine\nSpace.Stars 0\n"
              "Timer.Step 3600\nOrvex.Wait 30\nTimer.Speed 1\nSpace.Fra\nCamera.Look Earth");
}

TEST_F(ScenarioEditor, UnsavedTextIsNeverReplacedWithoutTheUsersWord) {
    writeFile("tour.scn", "Timer.Speed 10\n");
    form->scenarioEdit->insertPlainText("Markers.Text mine\n");

    // A link or a fetched scenario still runs, but leaves the text alone.
    form->beforeNavigate("orvex://Timer.Speed%202", Requester::user());
    form->bookmarkNavigate(programFile("tour.scn"));
    ASSERT_TRUE(waitFor([&] { return root().scripts.size() == 2; }));
    EXPECT_EQ(root().scripts[1].text, "Timer.Speed 10\n");
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Markers.Text mine\n");
    EXPECT_EQ(form->discardQuestions, 0);

    // New and Open ask; "No" keeps the text and opens nothing.
    form->scenarioNewSlot();
    form->openName = programFile("tour.scn");
    form->fileOpen();
    EXPECT_EQ(form->discardQuestions, 2);
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Markers.Text mine\n");
    EXPECT_TRUE(root().scenarios.empty());
    EXPECT_TRUE(modified());

    form->discard = true;
    form->fileOpen();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 10\n");
    EXPECT_EQ(root().scenarios.size(), 1u);
    // Opened text is not unsaved: New and a link replace it without a question.
    form->beforeNavigate("orvex://Timer.Speed%203", Requester::user());
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 3");
    form->scenarioNewSlot();
    EXPECT_TRUE(form->scenarioEdit->toPlainText().isEmpty());
    EXPECT_EQ(form->discardQuestions, 3);
    // The new text is saved under a name the user gives, never over the tour.
    form->scenarioEdit->insertPlainText("Timer.Speed 4\n");
    form->saveName = programFile("new.scn");
    form->scenarioSaveSlot();
    EXPECT_EQ(form->saveQuestions, 1);
    EXPECT_EQ(bytesOf("tour.scn"), "Timer.Speed 10\n");
    EXPECT_EQ(bytesOf("new.scn"), "Timer.Speed 4\n");
}

// Text a link puts in the editor is not the file's: Save asks for a name.
TEST_F(ScenarioEditor, ALinksTextIsNeverSavedOverTheFileOpenedBefore) {
    const QByteArray tour("Orvex.Wait 1\nOrvex.Wait 2\n");
    writeFile("tour.scn", tour);
    writeFile("link.scn", "Timer.Speed 7\n");
    writeFile("index.html", "<html></html>");
    const QUrl page = QUrl::fromLocalFile(programFile("index.html"));
    const std::function<void()> links[] = {
        [&] { form->beforeNavigate("orvex://Timer.Speed%205", Requester::page(page)); },
        [&] {
            form->beforeNavigate("orvex://Timer.Speed%205",
                                 Requester::page(QUrl("http://example.org/")));
        },
        [&] { form->bookmarkNavigate(programFile("link.scn")); }};
    form->agree = true;
    for (const auto& link : links) {
        open("tour.scn");
        const size_t played = root().scripts.size();
        link();
        ASSERT_TRUE(waitFor([&] { return root().scripts.size() == played + 1; }));
        // Undo does not bring the file's text back under no name.
        form->scenarioUndoSlot();
        EXPECT_FALSE(form->scenarioEdit->toPlainText().contains("Orvex.Wait"));
        form->scenarioEdit->insertPlainText("Camera.Dist 20\n");
        const QString text = form->scenarioEdit->toPlainText();
        const int asked = form->saveQuestions;
        form->scenarioSaveSlot();
        EXPECT_EQ(form->saveQuestions, asked + 1);
        EXPECT_EQ(bytesOf("tour.scn"), tour);
        EXPECT_EQ(form->scenarioEdit->toPlainText(), text);
        EXPECT_TRUE(modified());
        form->discard = true;
    }
    EXPECT_EQ(form->questions.size(), 1u);
    // A link that ends while Save As asks for a name leaves the text being saved.
    open("tour.scn");
    form->saveName = programFile("copy.scn");
    form->whileAsking = links[0];
    form->scenarioSaveAsSlot();
    EXPECT_EQ(bytesOf("copy.scn"), tour);
    EXPECT_EQ(form->scenarioFileName, programFile("copy.scn"));
    EXPECT_TRUE(form->scenarioEdit->toPlainText().contains("Orvex.Wait 2"));
}

TEST_F(ScenarioEditor, LeavingWithUnsavedTextAsksFirst) {
    // Saved or empty text: the window closes without a question.
    EXPECT_TRUE(form->close());
    EXPECT_EQ(form->discardQuestions, 0);

    form->show();
    form->scenarioEdit->insertPlainText("Markers.Text mine\n");
    // "No" keeps the window and the text, from the close box and from File > Exit.
    EXPECT_FALSE(form->close());
    form->fileExit();
    EXPECT_EQ(form->discardQuestions, 2);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Markers.Text mine\n");
    EXPECT_EQ(form->quits, 1);

    form->discard = true;
    EXPECT_TRUE(form->close());
    EXPECT_EQ(form->discardQuestions, 3);
    EXPECT_EQ(form->quits, 2);
    // Only the program ends: the event loops of those that made the window
    // still run.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    EXPECT_EQ(loop.exec(), 0);
}

// Return (and Escape) at a question that would throw the text away keeps it.
TEST_F(ScenarioEditor, ReturnAtAQuestionThatWouldDiscardTheTextKeepsIt) {
    writeFile("tour.scn", "Timer.Speed 10\n");
    form->askForReal = true;
    form->show();
    form->scenarioEdit->insertPlainText("Markers.Text mine\n");
    form->openName = programFile("tour.scn");
    const std::function<void()> actions[] = {[&] { form->scenarioNewSlot(); },
                                             [&] { form->fileOpen(); }, [&] { form->fileExit(); },
                                             [&] { form->close(); }};
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
        for (const auto& action : actions) {
            orvextest::NextModal press([key](QWidget* box) { QTest::keyClick(box, key); });
            action();
            EXPECT_TRUE(press.seen());
        }
    EXPECT_EQ(form->discardQuestions, 8);
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Markers.Text mine\n");
    EXPECT_TRUE(modified());
    EXPECT_TRUE(root().scenarios.empty());
    EXPECT_EQ(form->quits, 0);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ScenarioEditor, EditingCommands) {
    form->scenarioEdit->insertPlainText("Timer.Speed 1");
    EXPECT_TRUE(modified());
    form->discard = true;
    form->scenarioNewSlot();
    EXPECT_EQ(form->discardQuestions, 1);
    EXPECT_TRUE(form->scenarioEdit->toPlainText().isEmpty());
    EXPECT_FALSE(modified());
    form->scenarioEdit->insertPlainText("abc");
    form->scenarioUndoSlot();
    EXPECT_TRUE(form->scenarioEdit->toPlainText().isEmpty());
    form->scenarioRedoSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "abc");
    // Cut with no selection does nothing.
    form->scenarioCutSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "abc");
}

TEST_F(ScenarioEditor, TheOpenDialogDispatchesByExtension) {
    form->openName = "";
    form->fileOpen();
    EXPECT_TRUE(root().scenarios.empty());

    form->openName = programFile("page.xhtml");
    form->fileOpen();
    EXPECT_EQ(form->browserUrlLine->text(), programFile("page.xhtml"));

    form->openName = programFile("pic.png");
    form->fileOpen();
    EXPECT_TRUE(form->mediaButton->isChecked());
    EXPECT_EQ(mediaForm->currentFile(), programFile("pic.png"));

    form->openName = programFile("notes.SCN");
    form->fileOpen();
    EXPECT_TRUE(root().scenarios.empty());
    EXPECT_TRUE(form->scenarioFileName.isEmpty());

    writeFile("tour.scn", "Timer.Speed 10\n");
    root().log = "x\n";
    form->openName = programFile("tour.scn");
    form->fileOpen();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), "Timer.Speed 10\n");
    EXPECT_FALSE(modified());
    EXPECT_EQ(form->scenarioFileName, programFile("tour.scn"));
    ASSERT_EQ(root().scenarios.size(), 1u);
    EXPECT_EQ(root().scenarios[0].text, programFile("tour.scn").toStdString());
    EXPECT_EQ(root().scenarios[0].runAll, 0);
    EXPECT_TRUE(root().log.empty());

    // A file that cannot be read (missing, over the read limit) leaves the
    // editor its text and file and says why; the engine is still asked. Save
    // writes where it did, and the next open works.
    writeFile("huge.scn", "Timer.Speed 1\n");
    ASSERT_EQ(::truncate(programFile("huge.scn").toLocal8Bit().constData(), 100 << 20), 0);
    for (const char* name : {"missing.scn", "huge.scn"}) {
        open(name);
        form->scenarioEdit->append(name);
        form->fileSave();
    }
    EXPECT_EQ(bytesOf("tour.scn"), "Timer.Speed 10\n\nmissing.scn\nhuge.scn");
    EXPECT_EQ(QFileInfo(programFile("huge.scn")).size(), 100 << 20);
    EXPECT_EQ(root().scenarios.size(), 3u);
    ASSERT_EQ(form->warnings.size(), 2);
    EXPECT_TRUE(form->warnings[1].contains(programFile("huge.scn")));
    EXPECT_TRUE(form->warnings[1].endsWith("longer than 67108864 bytes"));
    open("tour.scn");
    EXPECT_EQ(form->scenarioFileName, programFile("tour.scn"));
    EXPECT_EQ(form->warnings.size(), 2);
}

// A NUL byte ends a scenario's text early: the editor says so and saves the
// part under another name only.
TEST_F(ScenarioEditor, AScenarioCutShortIsSavedUnderAnotherNameOnly) {
    const QByteArray bytes("Timer.SetNow\n\0Timer.Speed 9\n", 28);
    writeFile("nul.scn", bytes);
    open("nul.scn");
    form->fileSave();
    EXPECT_EQ(bytesOf("nul.scn"), bytes);
    form->saveName = programFile("part.scn");
    form->fileSaveAs();
    form->scenarioEdit->append("Timer.Speed 2");
    form->fileSave();
    EXPECT_EQ(bytesOf("part.scn"), "Timer.SetNow\n\nTimer.Speed 2");
    ASSERT_EQ(form->warnings.size(), 2);
    EXPECT_TRUE(form->warnings[0].contains("was not read whole"));
    EXPECT_TRUE(form->warnings[1].contains("NUL byte was read"));
}

// In an encoding neither the locale's nor UTF-8 (Shift-JIS, kept byte for
// byte), a typed character it cannot hold would turn the lines not edited
// into UTF-8 of those bytes: only with the user's word.
TEST_F(ScenarioEditor, ASaveThatWouldReencodeTheLinesNotEditedAsksFirst) {
    QTextCodec* saved = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    writeFile("sjis.scn", "Markers.Text \x90\xaf\x8b\xf3");
    open("sjis.scn");
    form->scenarioEdit->append(QString::fromUtf8("Markers.Text \xe2\x98\x85"));
    {
        // Return, then "No".
        orvextest::NextModal enter([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        form->fileSave();
        EXPECT_TRUE(enter.seen());
        orvextest::ModalAnswers no("&No");
        form->fileSave();
        EXPECT_EQ(no.texts.size(), 1);
    }
    EXPECT_EQ(bytesOf("sjis.scn"), "Markers.Text \x90\xaf\x8b\xf3");
    EXPECT_TRUE(modified());
    orvextest::ModalAnswers yes("&Yes");
    form->saveName = programFile("utf8.scn");
    form->fileSaveAs();
    form->fileSave();
    EXPECT_EQ(yes.texts.size(), 1);
    EXPECT_EQ(bytesOf("utf8.scn"), "Markers.Text \xc2\x90\xc2\xaf\xc2\x8b\xc3\xb3\n"
                                   "Markers.Text \xe2\x98\x85");
    // A file cut short by a NUL byte is not saved over: nothing to ask.
    const QByteArray cut("Markers.Text \x90\xaf\x8b\xf3\n\0rest", 23);
    writeFile("cut.scn", cut);
    open("cut.scn");
    form->scenarioEdit->append(QString::fromUtf8("Markers.Text \xe2\x98\x85"));
    form->fileSave();
    EXPECT_EQ(yes.texts.size(), 1);
    EXPECT_EQ(bytesOf("cut.scn"), cut);
    EXPECT_TRUE(form->warnings.last().contains("NUL byte was read"));
    QTextCodec::setCodecForLocale(saved);
}

// The locale's codec (the engine's) for one test.
class LocaleCodec {
public:
    explicit LocaleCodec(const char* name) {
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(name));
    }
    ~LocaleCodec() { QTextCodec::setCodecForLocale(saved_); }

private:
    QTextCodec* saved_ = QTextCodec::codecForLocale();
};

// Files as other editors write them, opened into the editor widget, a line
// typed as a user types it, and saved: the lines not edited go back byte for
// byte; the line typed takes the file's codec and its most common line end.
// Lines that an edit would write otherwise are named at Open, and a save
// that would write them otherwise asks first.
TEST_F(ScenarioEditor, TheLinesNotEditedAreSavedByteForByte) {
    struct Case {
        const char* codec;
        QByteArray bytes;
        QByteArray end;
        int told; // the line named at Open, 0 for none
    };
    const Case cases[] = {
        {"UTF-8", "Timer.Speed 1\rTimer.Speed 2\r", "\r", 0},
        {"UTF-8", "Timer.Speed 1\r\nTimer.Speed 2\nTimer.Speed 3\rTimer.Speed 4\r\n", "\r\n", 0},
        // A non-breaking space, and a line separator inside a comment.
        {"UTF-8",
         "Markers.Text a\xc2\xa0"
         "b\n# x\xe2\x80\xa8Timer.Speed 9\n",
         "\n", 0},
        // A paragraph separator, which the editor shows as a line break.
        {"UTF-8", "# x\xe2\x80\xa9Timer.Speed 9\nTimer.Speed 1", "\n", 1},
        // Bytes Shift-JIS reads as a character that it writes as FA 40.
        {"Shift_JIS", "Markers.Text \x90\xaf\r\nMarkers.Text \xee\xef\r\n", "\r\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const LocaleCodec codec(c.codec);
        writeFile("other.scn", c.bytes);
        form->discard = true;
        form->warnings.clear();
        open("other.scn");
        EXPECT_EQ(form->warnings.size(), c.told ? 1 : 0);
        if (c.told)
            EXPECT_TRUE(form->warnings.value(0).contains(QString("edited: %1.\n").arg(c.told)));
        form->scenarioEdit->moveCursor(QTextCursor::Start);
        QTest::keyClicks(form->scenarioEdit, "Timer.Speed 5");
        QTest::keyClick(form->scenarioEdit, Qt::Key_Return);
        {
            orvextest::ModalAnswers none;
            form->fileSave();
            EXPECT_TRUE(none.texts.isEmpty());
        }
        const QByteArray saved = "Timer.Speed 5" + c.end + c.bytes;
        EXPECT_EQ(bytesOf("other.scn"), saved);
        EXPECT_FALSE(modified());
        if (!c.told)
            continue;
        // The line named edited: Return at the question keeps the file.
        form->scenarioEdit->moveCursor(QTextCursor::End);
        form->scenarioEdit->moveCursor(QTextCursor::PreviousBlock);
        form->scenarioEdit->moveCursor(QTextCursor::EndOfBlock);
        QTest::keyClicks(form->scenarioEdit, "0");
        orvextest::NextModal enter([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        form->fileSave();
        EXPECT_TRUE(enter.seen());
        EXPECT_EQ(bytesOf("other.scn"), saved);
        EXPECT_TRUE(modified());
        // Save As asks too, of the lines of the file they came from.
        orvextest::ModalAnswers no("&No");
        form->saveName = programFile("copy.scn");
        form->fileSaveAs();
        ASSERT_EQ(no.texts.size(), 1);
        EXPECT_TRUE(no.texts[0].startsWith("These lines of " + programFile("other.scn") + " "));
        EXPECT_TRUE(no.texts[0].endsWith("Save " + programFile("copy.scn") + " all the same?"));
    }
}

// Every save opens again as the editor shows it. A blank line typed after a
// line ending in a lone CR, in a file of LF ends, stays a line of its own;
// a save whose bytes would read back as other characters asks first.
TEST_F(ScenarioEditor, ASaveOpensAgainAsTheEditorShowsItOrAsksFirst) {
    const LocaleCodec codec("UTF-8");
    writeFile("cr.scn", "Timer.Speed 1\rTimer.Speed 2\nTimer.Speed 3\n");
    open("cr.scn");
    form->scenarioEdit->moveCursor(QTextCursor::Start);
    form->scenarioEdit->moveCursor(QTextCursor::EndOfBlock);
    QTest::keyClick(form->scenarioEdit, Qt::Key_Return);
    const QString shown = form->scenarioEdit->toPlainText();
    {
        orvextest::ModalAnswers none;
        form->fileSave();
        EXPECT_TRUE(none.texts.isEmpty());
    }
    EXPECT_EQ(bytesOf("cr.scn"), "Timer.Speed 1\r\rTimer.Speed 2\nTimer.Speed 3\n");
    open("cr.scn");
    EXPECT_EQ(form->scenarioEdit->toPlainText(), shown);

    // Not UTF-8, so read byte for byte: without "caf\xe9" the bytes C3 A9
    // would read as UTF-8, one character.
    const QByteArray latin = "Markers.Text \xc3\xa9\nMarkers.Text caf\xe9\n";
    writeFile("latin.scn", latin);
    open("latin.scn");
    QTextCursor line = cursorAt(0);
    line.movePosition(QTextCursor::NextBlock);
    line.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    line.removeSelectedText();
    {
        orvextest::NextModal enter([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        form->fileSave();
        EXPECT_TRUE(enter.seen());
    }
    EXPECT_EQ(bytesOf("latin.scn"), latin);
    EXPECT_TRUE(modified());
    orvextest::ModalAnswers yes("&Yes");
    form->fileSave();
    ASSERT_EQ(yes.texts.size(), 1);
    EXPECT_TRUE(yes.texts[0].contains("would not open again as the editor shows it: from line 1 "));
    EXPECT_EQ(bytesOf("latin.scn"), "Markers.Text \xc3\xa9\n");
    EXPECT_FALSE(modified());
}

// What a save wrote is what the next save compares with: after a first save
// in Latin-1, a character only UTF-8 holds asks before "café" changes.
TEST_F(ScenarioEditor, TheNextSaveComparesWithWhatTheLastOneWrote) {
    const LocaleCodec codec("ISO-8859-1");
    form->scenarioEdit->insertPlainText(QString::fromUtf8("Markers.Text caf\xc3\xa9\n"));
    form->saveName = programFile("cafe.scn");
    form->fileSaveAs();
    EXPECT_EQ(bytesOf("cafe.scn"), "Markers.Text caf\xe9\n");
    form->scenarioEdit->append(QString::fromUtf8("Markers.Text \xe2\x98\x85"));
    orvextest::ModalAnswers no("&No");
    form->fileSave();
    EXPECT_EQ(no.texts.size(), 1);
    EXPECT_EQ(bytesOf("cafe.scn"), "Markers.Text caf\xe9\n");
}

TEST_F(ScenarioEditor, SavingAndOpeningALargeNonAsciiScenarioKeepsItWhole) {
    QTextCodec* saved = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QString text;
    for (int i = 0; text.size() < 80 * 1024; ++i)
        text += QString::fromUtf8("Markers.Text \xc3\xa9toile \xe6\x98\x9f %1\n").arg(i);

    form->scenarioEdit->setPlainText(text);
    form->saveName = programFile("big.scn");
    form->scenarioSaveSlot(); // no name yet: asks for one
    EXPECT_EQ(form->saveQuestions, 1);
    EXPECT_EQ(form->scenarioFileName, programFile("big.scn"));
    EXPECT_FALSE(modified());
    EXPECT_EQ(bytesOf("big.scn"), text.toUtf8());

    form->scenarioNewSlot();
    form->openName = programFile("big.scn");
    form->scenarioOpenSlot();
    EXPECT_EQ(form->scenarioEdit->toPlainText(), text);
    QTextCodec::setCodecForLocale(saved);
}

TEST_F(ScenarioEditor, SaveAsGivesANameWithoutExtensionTheScenarioOne) {
    form->scenarioEdit->insertPlainText("Timer.Speed 1\n");
    form->saveName = programFile("rec1");
    form->scenarioSaveAsSlot();
    EXPECT_EQ(form->scenarioFileName, programFile("rec1.scn"));
    EXPECT_TRUE(QFile::exists(programFile("rec1.scn")));
    EXPECT_FALSE(QFile::exists(programFile("rec1")));
    // An extension the user gave stays.
    form->saveName = programFile("rec2.txt");
    form->scenarioSaveAsSlot();
    EXPECT_EQ(form->scenarioFileName, programFile("rec2.txt"));
    EXPECT_TRUE(QFile::exists(programFile("rec2.txt")));
}

TEST_F(ScenarioEditor, AScenarioThatCannotBeWrittenIsReportedAndStaysModified) {
    form->scenarioEdit->insertPlainText("Timer.Speed 1\n");
    form->scenarioFileName = programFile("no/such/dir/x.scn");
    form->fileSave();
    EXPECT_EQ(form->warnings.size(), 1);
    EXPECT_TRUE(modified());
    // Cancelling save-as changes nothing.
    form->saveName.clear();
    form->scenarioSaveAsSlot();
    EXPECT_EQ(form->scenarioFileName, programFile("no/such/dir/x.scn"));
}

// A Save As that failed, or that the user declined, leaves the editor its
// file, the next dialog's folder and its text unsaved: Save writes the file
// that was open.
TEST_F(ScenarioEditor, AFailedOrDeclinedSaveAsKeepsTheFileTheFolderAndTheText) {
    const LocaleCodec codec("UTF-8");
    writeFile("tour.scn", "Markers.Text caf\xe9\n");
    open("tour.scn");
    form->scenarioEdit->append("Timer.Speed 2");
    // A folder that cannot be written (as root, permissions do not stop
    // writes, so a path through a file stands in).
    form->saveName = programFile("tour.scn/x.scn");
    form->fileSaveAs();
    ASSERT_EQ(form->warnings.size(), 1);
    EXPECT_TRUE(modified());
    EXPECT_EQ(form->scenarioFileName, programFile("tour.scn"));
    form->saveName.clear();
    form->fileSaveAs();
    EXPECT_EQ(form->saveFolders, QStringList({programFile("tour.scn"), programFile("tour.scn")}));

    // The encoding question answered No, by button and by Return.
    form->scenarioEdit->append(QString::fromUtf8("Markers.Text \xe2\x98\x85"));
    form->saveName = programFile("utf8.scn");
    {
        orvextest::ModalAnswers no("&No");
        form->fileSaveAs();
        EXPECT_EQ(no.texts.size(), 1);
    }
    {
        orvextest::NextModal enter([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
        form->fileSaveAs();
        EXPECT_TRUE(enter.seen());
    }
    EXPECT_FALSE(QFile::exists(programFile("utf8.scn")));
    EXPECT_EQ(form->scenarioFileName, programFile("tour.scn"));
    EXPECT_TRUE(modified());

    form->scenarioEdit->undo();
    form->fileSave();
    EXPECT_EQ(bytesOf("tour.scn"), "Markers.Text caf\xe9\n\nTimer.Speed 2");
    EXPECT_FALSE(modified());
    EXPECT_EQ(form->warnings.size(), 1);
}

} // namespace

TEST_F(ScenarioEditor, AStartFileThatCouldNotBeReadIsNamedToTheUserOnce) {
    form->orvexUpdatedSlot();
    EXPECT_TRUE(form->warnings.isEmpty());
    root().startFailure = "./scenarios/options.scn";
    form->orvexUpdatedSlot();
    ASSERT_EQ(form->warnings.size(), 1);
    EXPECT_TRUE(form->warnings[0].contains("./scenarios/options.scn"));
    form->orvexUpdatedSlot();
    EXPECT_EQ(form->warnings.size(), 1);
}
