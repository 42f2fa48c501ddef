// Scenario files read whole and written back byte for byte, and every save
// of lines edited as in the editor widget read back as those lines.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QFileDevice>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextEdit>
#include <cstdio>
#include <map>
#include <random>
#include <unistd.h>

#include "app/ScenarioFile.h"
#include "support/TestEnv.h"

namespace {

QByteArray readBytes(const QString& name) {
    QFile file(name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void writeBytes(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A scenario over 64 KiB with text in several scripts.
QByteArray bigScenario(const char* lineEnd) {
    QByteArray bytes;
    for (int i = 0; bytes.size() < 96 * 1024; ++i)
        bytes += "Markers.Text \xc3\xa9toile \xe6\x98\x9f " + QByteArray::number(i) + lineEnd;
    return bytes;
}

class ScenarioFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    }
    void TearDown() override { QTextCodec::setCodecForLocale(saved_); }
    QString file(const char* name) { return QString::fromStdString(temp.file(name)); }

    orvextest::TempDir temp;
    QTextCodec* saved_ = nullptr;
};

TEST_F(ScenarioFileTest, ALargeNonAsciiFileComesBackUnchanged) {
    const QByteArray bytes = bigScenario("\n");
    writeBytes(file("big.scn"), bytes);
    ScenarioFile scenario;
    ASSERT_TRUE(scenario.read(file("big.scn")));
    EXPECT_GT(scenario.text().size(), 65535);
    EXPECT_TRUE(scenario.text().startsWith(QString::fromUtf8("Markers.Text \xc3\xa9toile")));
    ASSERT_TRUE(scenario.write(file("copy.scn"), scenario.text()));
    EXPECT_EQ(readBytes(file("copy.scn")), bytes);
}

TEST_F(ScenarioFileTest, BytesForeignToTheCodecAndLineEndsAreKept) {
    // Latin-1 bytes are not UTF-8: they are kept one for one.
    const QByteArray latin = "Markers.Text caf\xe9\r\nTimer.Speed 1\r\n";
    writeBytes(file("latin.scn"), latin);
    ScenarioFile scenario;
    ASSERT_TRUE(scenario.read(file("latin.scn")));
    EXPECT_EQ(scenario.text(), QString::fromLatin1("Markers.Text caf\xe9\nTimer.Speed 1\n"));
    EXPECT_EQ(scenario.codecName(), QByteArray("ISO-8859-1"));
    ASSERT_TRUE(scenario.write(file("latin.scn"), scenario.text() + "Timer.Speed 2\n"));
    EXPECT_EQ(readBytes(file("latin.scn")), latin + "Timer.Speed 2\r\n");
    // A character Latin-1 cannot hold (UTF-8 then) changes "café", kept or not.
    const QString star = QString::fromUtf8("\xe2\x98\x85\n");
    EXPECT_TRUE(scenario.changesKeptLines(scenario.text() + star));
    EXPECT_FALSE(scenario.changesKeptLines("Timer.Speed 1\n" + star));
}

// Lines edited far apart in a long file, with line ends of every kind: the
// lines between them are found unchanged all the same, and kept, also where
// no line occurs only once.
TEST_F(ScenarioFileTest, LinesEditedFarApartKeepTheLinesBetween) {
    const char* const ends[] = {"\n", "\r\n", "\r"};
    for (const bool numbered : {true, false}) {
        const auto line = [numbered](int i) {
            return (numbered ? "Timer.Speed " : "Orvex.Wait ") +
                   QByteArray::number(numbered ? i : i % 3);
        };
        QByteArray bytes, expected;
        for (int i = 0; i < 6000; ++i) {
            bytes += line(i) + ends[i % 3];
            expected += i == 10     ? "Timer.Speed x\n"
                        : i == 5990 ? "Timer.Speed y\n"
                                    : (i == 3000 ? "Timer.Speed z\n" : "") + line(i) + ends[i % 3];
        }
        writeBytes(file("long.scn"), bytes);
        ScenarioFile scenario;
        ASSERT_TRUE(scenario.read(file("long.scn")));
        QStringList lines = scenario.text().split('\n');
        lines[10] = "Timer.Speed x";
        lines[5990] = "Timer.Speed y";
        lines.insert(3000, "Timer.Speed z");
        ASSERT_TRUE(scenario.write(file("long.scn"), lines));
        EXPECT_EQ(readBytes(file("long.scn")), expected) << numbered;
    }
}

// A line whose bytes its codec writes otherwise is changed by a save only
// where the user edited it, or moved it (written anew where it now stands).
TEST_F(ScenarioFileTest, ALineWrittenOtherwiseCountsAsChangedWhereEditedOrMoved) {
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("Shift_JIS"));
    writeBytes(file("sjis.scn"), "Markers.Text \xee\xef\r\nTimer.Speed 1\r\nTimer.Speed 2\r\n");
    ScenarioFile scenario;
    ASSERT_TRUE(scenario.read(file("sjis.scn")));
    EXPECT_EQ(scenario.changedWhenEdited(), QList<int>{1});
    QStringList lines = scenario.text().split('\n');
    EXPECT_EQ(scenario.changedLines(lines), QList<int>());
    lines.move(0, 2);
    EXPECT_EQ(scenario.changedLines(lines), QList<int>{1});
    lines.removeAt(2);
    EXPECT_EQ(scenario.changedLines(lines), QList<int>());
}

TEST_F(ScenarioFileTest, ReadingStopsAtTheFirstNul) {
    writeBytes(file("nul.scn"), QByteArray("Timer.SetNow\n\0Timer.Speed 9\n", 28));
    ScenarioFile scenario;
    ASSERT_TRUE(scenario.read(file("nul.scn")));
    EXPECT_EQ(scenario.text(), "Timer.SetNow\n");
    EXPECT_FALSE(scenario.readWhole());
    // The part is never written over the file, not even through a link.
    ASSERT_EQ(::symlink(temp.file("nul.scn").c_str(), temp.file("link.scn").c_str()), 0);
    EXPECT_FALSE(scenario.write(file("link.scn"), scenario.text()));
}

// An editor's byte-order mark is no part of the text, and is written back.
TEST_F(ScenarioFileTest, AByteOrderMarkIsKeptOutOfTheText) {
    const QByteArray mark = "\xef\xbb\xbf";
    writeBytes(file("mark.scn"), mark + "Timer.Speed 8\r\n");
    ScenarioFile scenario;
    ASSERT_TRUE(scenario.read(file("mark.scn")));
    EXPECT_EQ(scenario.text(), "Timer.Speed 8\n");
    ASSERT_TRUE(scenario.write(file("mark.scn"), scenario.text() + "Timer.Speed 2\n"));
    EXPECT_EQ(readBytes(file("mark.scn")), mark + "Timer.Speed 8\r\nTimer.Speed 2\r\n");
    ASSERT_TRUE(scenario.read(file("mark.scn")));
    EXPECT_EQ(scenario.text(), "Timer.Speed 8\nTimer.Speed 2\n");
}

// A file larger than any scenario (6 GB, made sparse) is refused by its size;
// one that reports no size and never ends, by what was read of it.
TEST_F(ScenarioFileTest, FilesLongerThanAnyScenarioAreRefused) {
    writeBytes(file("huge.scn"), "Timer.Speed 1\n");
    ASSERT_EQ(::truncate(temp.file("huge.scn").c_str(), 6LL << 30), 0);
    for (const QString& name : {file("huge.scn"), QString("/proc/self/pagemap")}) {
        ScenarioFile scenario;
        EXPECT_FALSE(scenario.read(name)) << name.toStdString();
        EXPECT_EQ(scenario.error(), "longer than 67108864 bytes");
        EXPECT_TRUE(scenario.text().isEmpty());
    }
}

TEST_F(ScenarioFileTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
    writeBytes(file("keep.scn"), "Timer.Speed 1\n");
    ScenarioFile scenario;
    EXPECT_FALSE(scenario.write(file("no/such/dir/x.scn"), "Timer.Speed 2\n"));
    EXPECT_FALSE(scenario.error().isEmpty());
    // A directory that cannot be written to (as root, permissions do not
    // stop writes, so a path through a file stands in).
    EXPECT_FALSE(scenario.write(file("keep.scn/x.scn"), "Timer.Speed 2\n"));
    EXPECT_EQ(readBytes(file("keep.scn")), QByteArray("Timer.Speed 1\n"));
    EXPECT_FALSE(scenario.read(file("missing.scn")));
}

// Saves of files with every kind of line end and text, edited at random as
// a user edits them in the editor widget: each reads back, as the editor
// shows it, as the lines it saved, or the save asks first (and is then right
// that it would not).
class ScenarioSaves {
public:
    struct Kind {
        const char* name;
        const char* locale; // the engine's codec
        QByteArray bytes;
        // No edit can make its bytes read in another codec: every save its
        // codec can hold reads back without a question.
        bool plain;
    };
    static const std::vector<Kind>& files() {
        static const std::vector<Kind> kinds = {
            {"LF", "UTF-8", "Timer.Speed 1\nOrvex.Wait 30\n# note\nTimer.Speed 2\n", true},
            {"CRLF", "UTF-8", "Timer.Speed 1\r\nOrvex.Wait 30\r\n# note\r\nTimer.Speed 2\r\n",
             true},
            {"CR", "UTF-8", "Timer.Speed 1\rOrvex.Wait 30\r# note\rTimer.Speed 2\r", true},
            // The first line ends in a lone CR, the others in LF: a blank line
            // typed after it was once written with LF and read back as none.
            {"CR first", "UTF-8", "Timer.Speed 1\rOrvex.Wait 30\n# note\nTimer.Speed 2\n", true},
            {"mixed", "UTF-8", "Timer.Speed 1\rOrvex.Wait 30\nTimer.Speed 2\r\n# a\rCamera.Dist 3",
             true},
            {"blank lines", "UTF-8", "\r\n\rTimer.Speed 1\n\n\r\r\nOrvex.Wait 1\r\r\n\n\r", true},
            {"NBSP", "UTF-8",
             "Markers.Text a\xc2\xa0"
             "b\r\n\xc2\xa0\r# c\xc2\xa0\n\n",
             true},
            {"U+2028", "UTF-8",
             "# x\xe2\x80\xa8Timer.Speed 9\rTimer.Speed 1\n\xe2\x80\xa8\r\n# p\xe2\x80\xa9q\r# "
             "\xef\xb7\x90\n",
             true},
            // Not UTF-8, read byte for byte: its bytes C3 A9 read as UTF-8
            // once the others are gone.
            {"Latin-1", "UTF-8",
             "Markers.Text caf\xe9\rTimer.Speed 1\n\r\n# \x85\rMarkers.Text \xc3\xa9\n", false},
            {"Shift-JIS", "Shift_JIS",
             "Markers.Text \x90\xaf\x8b\xf3\r\n\rMarkers.Text \xee\xef\nTimer.Speed 1\r\n", true},
            {"Shift-JIS as Latin-1", "UTF-8",
             "Markers.Text \x90\xaf\x8b\xf3\r\n\rMarkers.Text \xe3\x81\nTimer.Speed 1\r\n", false},
        };
        return kinds;
    }
    enum Edit { Blank, Split, Join, Delete, Paste, Edits };
    static const char* editName(int edit) {
        static const char* const names[] = {"blank line", "split", "join", "delete", "paste"};
        return names[edit];
    }

    struct Count {
        int cases = 0, saves = 0, asked = 0, readOtherwise = 0, failed = 0;
        void add(const Count& c) {
            cases += c.cases;
            saves += c.saves;
            asked += c.asked;
            readOtherwise += c.readOtherwise;
            failed += c.failed;
        }
    };

    explicit ScenarioSaves(const QString& dir) : dir_(dir) {}

    // Case n edits file n % files, by edits of kind n / files % Edits, at
    // places its seed n chooses.
    void run(int first, int count) {
        for (int n = first; n < first + count; ++n)
            runCase(n);
    }
    void report() const {
        Count all;
        for (const auto& [key, count] : counts_) {
            std::printf("%-22s %-11s %5d cases %5d saves %4d asked %4d read otherwise %d failed\n",
                        key.first.c_str(), key.second.c_str(), count.cases, count.saves,
                        count.asked, count.readOtherwise, count.failed);
            all.add(count);
        }
        std::printf("all: %d cases, %d saves, %d asked, %d read back otherwise, %d failed\n",
                    all.cases, all.saves, all.asked, all.readOtherwise, all.failed);
    }
    const std::vector<std::string>& failures() const { return failures_; }

private:
    static int random(std::mt19937& rng, int below) {
        return below <= 0 ? 0 : int(rng() % unsigned(below));
    }
    static QTextCursor at(QTextEdit& edit, int position) {
        QTextCursor cursor(edit.document());
        cursor.setPosition(std::clamp(position, 0, edit.document()->characterCount() - 1));
        return cursor;
    }
    static QTextCursor atBlock(QTextEdit& edit, std::mt19937& rng) {
        return at(edit, edit.document()
                            ->findBlockByNumber(random(rng, edit.document()->blockCount()))
                            .position());
    }
    // One edit as the editor makes it: Return (or Shift+Return, a line
    // separator), Backspace, a line selected and deleted, copy or cut and paste.
    static void edit(QTextEdit& edit, int kind, std::mt19937& rng) {
        const int length = edit.document()->characterCount() - 1;
        switch (kind) {
        case Blank: {
            QTextCursor cursor = atBlock(edit, rng);
            if (rng() % 2)
                cursor.movePosition(QTextCursor::EndOfBlock);
            cursor.insertBlock();
            break;
        }
        case Split: {
            QTextCursor cursor = at(edit, random(rng, length + 1));
            if (rng() % 4 == 0)
                cursor.insertText(QString(QChar::LineSeparator));
            else
                cursor.insertBlock();
            break;
        }
        case Join: {
            QTextCursor cursor = atBlock(edit, rng);
            cursor.deletePreviousChar();
            break;
        }
        case Delete: {
            QTextCursor cursor = atBlock(edit, rng);
            if (!cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor)) {
                cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
                if (rng() % 2) {
                    const int end = cursor.position();
                    cursor.setPosition(std::max(0, cursor.anchor() - 1));
                    cursor.setPosition(end, QTextCursor::KeepAnchor);
                }
            }
            cursor.removeSelectedText();
            break;
        }
        case Paste: {
            QTextCursor cursor = at(edit, random(rng, length + 1));
            cursor.setPosition(std::min(length, cursor.position() + random(rng, 40)),
                               QTextCursor::KeepAnchor);
            edit.setTextCursor(cursor);
            if (rng() % 3 == 0)
                edit.cut();
            else
                edit.copy();
            edit.setTextCursor(at(edit, random(rng, edit.document()->characterCount())));
            edit.paste();
            break;
        }
        }
    }

    static QString quoted(const QStringList& lines) {
        QStringList quoted;
        for (const QString& line : lines) {
            QString text;
            for (const QChar c : line)
                text += c.unicode() < 0x7f && c.unicode() >= 0x20
                            ? QString(c)
                            : QString("<%1>").arg(c.unicode(), 0, 16);
            quoted << '"' + text + '"';
        }
        return quoted.join(' ');
    }

    void runCase(int n) {
        const Kind& file = files()[size_t(n) % files().size()];
        const int kind = n / int(files().size()) % Edits;
        Count& count = counts_[{file.name, editName(kind)}];
        ++count.cases;
        std::mt19937 rng{unsigned(n)};
        // A case pastes only what it copied: its seed alone replays it.
        QGuiApplication::clipboard()->clear();
        QTextCodec* const saved = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(file.locale));
        const QString name = dir_ + "/walk.scn", trial = dir_ + "/trial.scn";
        writeBytes(name, file.bytes);
        // Opened as the editor opens it.
        ScenarioFile scenario;
        EXPECT_TRUE(scenario.read(name));
        QTextEdit editor;
        editor.setAcceptRichText(false);
        editor.setPlainText(scenario.text());
        scenario.setShown(ScenarioFile::blocksOf(*editor.document()));
        for (int round = 0; round < 2; ++round) {
            for (int edits = 1 + random(rng, 3); edits > 0; --edits)
                edit(editor, kind, rng);
            const QStringList lines = ScenarioFile::blocksOf(*editor.document());
            const int otherwise = scenario.firstLineReadOtherwise(lines);
            // Asked, the user says No: only a copy writes, to show what a
            // Yes would have written.
            ScenarioFile copy = scenario;
            ScenarioFile& writer = otherwise > 0 ? copy : scenario;
            const QString written = otherwise > 0 ? trial : name;
            EXPECT_TRUE(writer.write(written, lines)) << writer.error().toStdString();
            ScenarioFile back;
            EXPECT_TRUE(back.read(written));
            const QStringList shown = ScenarioFile::shownLines(back.text());
            ++count.saves;
            count.asked += otherwise > 0 ? 1 : 0;
            count.readOtherwise += shown != lines ? 1 : 0;
            std::string why;
            if ((shown == lines) != (otherwise == 0))
                why = "asked " + std::to_string(otherwise) + " of lines read back as they are";
            if (shown != lines && otherwise == 0)
                why = "read back otherwise unasked";
            // A plain file is asked of only when its codec cannot hold a
            // character typed (a line separator in Shift-JIS): written in
            // UTF-8, the engine's codec reads it otherwise.
            if (otherwise > 0 && file.plain &&
                QTextCodec::codecForLocale()->canEncode(lines.join('\n')))
                why = "asked at line " + std::to_string(otherwise) + " of a plain file";
            // No codec makes other lines of the bytes of these files: where
            // lines come and go, two ends read as one, or one as two.
            if (shown.size() != lines.size())
                why = "read back as " + std::to_string(shown.size()) + " lines, asked at line " +
                      std::to_string(otherwise);
            if (why.empty())
                continue;
            ++count.failed;
            failures_.push_back("seed " + std::to_string(n) + " (" + file.name + ", " +
                                editName(kind) + "), save " + std::to_string(round + 1) + ": " +
                                why + "\n  saved " + quoted(lines).toStdString() + "\n  read  " +
                                quoted(shown).toStdString() + "\n  bytes " +
                                readBytes(written).toPercentEncoding(" #.").toStdString());
        }
        QTextCodec::setCodecForLocale(saved);
    }

    QString dir_;
    std::map<std::pair<std::string, std::string>, Count> counts_;
    std::vector<std::string> failures_;
};

// Every kind of file beside every kind of edit, a case each; and a blank line
// after a line ending in a lone CR, the others in LF, which a save once wrote
// with LF, so that it read back as no line.
TEST_F(ScenarioFileTest, EditedLinesReadBackAsSavedASample) {
    ScenarioSaves saves(QString::fromStdString(temp.path()));
    saves.run(0, int(ScenarioSaves::files().size()) * ScenarioSaves::Edits);
    for (const std::string& failure : saves.failures())
        ADD_FAILURE() << failure;

    writeBytes(file("cr.scn"), "Timer.Speed 1\rTimer.Speed 2\nTimer.Speed 3\n");
    ScenarioFile scenario;
    ASSERT_TRUE(scenario.read(file("cr.scn")));
    QStringList lines = scenario.text().split('\n');
    lines.insert(1, QString());
    EXPECT_EQ(scenario.firstLineReadOtherwise(lines), 0);
    ASSERT_TRUE(scenario.write(file("cr.scn"), lines));
    EXPECT_EQ(readBytes(file("cr.scn")), "Timer.Speed 1\r\rTimer.Speed 2\nTimer.Speed 3\n");
    ASSERT_TRUE(scenario.read(file("cr.scn")));
    EXPECT_EQ(scenario.text().split('\n'), lines);
}

// Thousands of cases: a minute or so, so only when asked for
// (ORVEX_SCENARIO_SAVES=20000 runs that many; 2000 at least).
TEST_F(ScenarioFileTest, EditedLinesReadBackAsSavedInEveryCase) {
    if (!qEnvironmentVariableIsSet("ORVEX_SCENARIO_SAVES"))
        GTEST_SKIP() << "set ORVEX_SCENARIO_SAVES=2000 (or more) to save that many edited files";
    ScenarioSaves saves(QString::fromStdString(temp.path()));
    saves.run(0, std::max(2000, qEnvironmentVariableIntValue("ORVEX_SCENARIO_SAVES")));
    saves.report();
    for (size_t i = 0; i < saves.failures().size() && i < 20; ++i)
        ADD_FAILURE() << saves.failures()[i];
    EXPECT_TRUE(saves.failures().empty()) << saves.failures().size() << " saves failed";
}

} // namespace
