// Scenario files read whole and written back byte for byte.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDevice>
#include <QTextCodec>
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

} // namespace
