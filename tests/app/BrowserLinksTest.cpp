// The browser pane's address rules: the link table, command decoding, paths,
// trusted places and the open dialog's dispatch.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/BrowserLinks.h"
#include "support/TestEnv.h"

namespace {

using BrowserLinks::Decision;

Decision::Kind kindOf(const char* url) {
    return BrowserLinks::decide(QString::fromUtf8(url)).kind;
}

std::string commandOf(const char* url) {
    const Decision d = BrowserLinks::decide(QString::fromUtf8(url));
    EXPECT_EQ(d.kind, Decision::Command) << url;
    return d.command;
}

TEST(BrowserLinks, CommandLinksDecodeExactlyTheSevenEscapes) {
    EXPECT_EQ(commandOf("orvex://Camera.Look%20Earth/"), "Camera.Look Earth");
    EXPECT_EQ(commandOf("orvex://Camera.Look%20Earth"), "Camera.Look Earth");
    // The host part keeps its case: the text is the page's, not a parsed URL's.
    EXPECT_EQ(commandOf("orvex://Timer.Speed%2010"), "Timer.Speed 10");
    // Only one trailing slash goes.
    EXPECT_EQ(commandOf("orvex://Markers.Text%20a//"), "Markers.Text a/");
    EXPECT_EQ(commandOf("orvex://?Ssystem.AstrName=Earth?a.scn%7cb.scn"),
              "?Ssystem.AstrName=Earth?a.scn:b.scn");
    EXPECT_EQ(commandOf("orvex://Timer.SetNow/?x"), "Timer.SetNow?x");
    EXPECT_EQ(commandOf("orvex://a%5bb%5cc%5dd%7ee"), "a[b\\c]d~e");
    // Upper-case escapes and any other escape stay as written.
    EXPECT_EQ(commandOf("orvex://x%5By%7Cz%41"), "x%5By%7Cz%41");
    // Decoding runs once, in order: "%255b" is not a bracket.
    EXPECT_EQ(commandOf("orvex://a%255b"), "a%255b");
    // The bare scheme gives an empty command, with or without one more slash.
    EXPECT_EQ(commandOf("orvex://"), "");
    EXPECT_EQ(commandOf("orvex:///"), "");
    // Several lines of one link.
    EXPECT_EQ(commandOf("orvex://Timer.Speed%2010;Orvex.Wait%2030;Timer.Speed%201"),
              "Timer.Speed 10;Orvex.Wait 30;Timer.Speed 1");
}

TEST(BrowserLinks, NonAsciiCommandTextReachesTheEngineAsItsEightBitText) {
    const std::string command = commandOf("orvex://Markers.Text%20\xc3\xa9toile");
    EXPECT_EQ(command, QString::fromUtf8("Markers.Text \xc3\xa9toile").toLocal8Bit().toStdString());
}

// The question about a page's commands shows them as a scenario file holds
// them: a ";" ends a line of the command language. Commands one line holds
// stay on it, as they run: a text may name a command, a condition its
// branches.
TEST(BrowserLinks, CommandTextIsShownOneCommandToALine) {
    const struct {
        const char* text;
        const char* shown;
    } rows[] = {
        {"Ssystem.AstrName Sun;Camera.Dist 8;Camera.RefRotate 0 1 0 180",
         "Ssystem.AstrName Sun\nCamera.Dist 8\nCamera.RefRotate 0 1 0 180"},
        {";Timer.Speed 5;;", "Timer.Speed 5"},
        {"Timer.Speed 5 Camera.Look Earth\tTimer.Speed 2",
         "Timer.Speed 5 Camera.Look Earth\tTimer.Speed 2"},
        {"Markers.Text hello Timer.Speed 5;Timer.Speed 2",
         "Markers.Text hello Timer.Speed 5\nTimer.Speed 2"},
        {"?Timer.Speed>=10? Timer.Speed 1: Timer.Speed 2",
         "?Timer.Speed>=10? Timer.Speed 1: Timer.Speed 2"},
        // A scenario's lines stay as they are.
        {"Wait 10\n\n  Timer.Speed 1\r\nCamera.Look Earth;\nNext\n",
         "Wait 10\n\n  Timer.Speed 1\r\nCamera.Look Earth\nNext\n"},
        {"?Ssystem.AstrName=Earth?a.scn:b.scn", "?Ssystem.AstrName=Earth?a.scn:b.scn"},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(BrowserLinks::oneCommandPerLine(QString::fromUtf8(row.text)).toStdString(),
                  row.shown)
            << row.text;
}

TEST(BrowserLinks, LinkTable) {
    // The scheme is case-sensitive: anything else is an ordinary address.
    EXPECT_EQ(kindOf("ORVEX://Timer.Speed%2010"), Decision::Navigate);
    EXPECT_EQ(kindOf("Orvex://x"), Decision::Navigate);
    // Scenario files, by the exact extension.
    EXPECT_EQ(kindOf("http://example.org/tour.scn"), Decision::Scenario);
    EXPECT_EQ(kindOf("file:///a/b/tour.scn"), Decision::Scenario);
    EXPECT_EQ(kindOf("http://example.org/tour.SCN"), Decision::Navigate);
    EXPECT_EQ(kindOf("http://example.org/tour.scn?x=1"), Decision::Navigate);
    // Media, by the words the extension contains.
    for (const char* url : {"movie.wmv", "a.bmp", "a.png", "a.gif", "a.jpg", "a.jpeg", "a.avi",
                            "a.mpg", "a.mpeg", "http://x.org/pic.jpg?size=2", "http://gifts"})
        EXPECT_EQ(kindOf(url), Decision::Media) << url;
    EXPECT_EQ(kindOf("pic.JPG"), Decision::Navigate);
    // Anything else is followed.
    for (const char* url : {"http://example.org/", "file:///a/index.html", "about:blank", "page"})
        EXPECT_EQ(kindOf(url), Decision::Navigate) << url;
}

TEST(BrowserLinks, ExtensionIsTheTextAfterTheLastDot) {
    EXPECT_EQ(BrowserLinks::extension("a.b/c.scn"), "scn");
    EXPECT_EQ(BrowserLinks::extension("http://host/x"), "http://host/x");
    EXPECT_EQ(BrowserLinks::extension("a."), "");
}

TEST(BrowserLinks, ResolvePathStartsDotSlashAtTheProgramDirectory) {
    EXPECT_EQ(BrowserLinks::resolvePath("./html/index.html", "/opt/orvex"),
              "/opt/orvex/html/index.html");
    EXPECT_EQ(BrowserLinks::resolvePath("D:\\x\\y.html", "/opt/orvex"), "D:/x/y.html");
    EXPECT_EQ(BrowserLinks::resolvePath("http://a/b\\c", "/opt/orvex"), "http://a/b/c");
    EXPECT_EQ(BrowserLinks::resolvePath(".x/y", "/opt/orvex"), ".x/y");
    // No length limit: long paths pass whole.
    const QString longName = QString(3000, QLatin1Char('a'));
    EXPECT_EQ(BrowserLinks::resolvePath("./" + longName, "/d"), "/d/" + longName);
}

TEST(BrowserLinks, ToUrlTakesSchemesAsWrittenAndPathsAsLocalFiles) {
    EXPECT_EQ(BrowserLinks::toUrl("http://example.org/a b.scn", "/d").toString(),
              "http://example.org/a b.scn");
    EXPECT_EQ(BrowserLinks::toUrl("/tmp/x/../y.html", "/d"), QUrl::fromLocalFile("/tmp/y.html"));
    EXPECT_EQ(BrowserLinks::toUrl("htmls/a.html", "/opt/o"),
              QUrl::fromLocalFile("/opt/o/htmls/a.html"));
}

TEST(BrowserLinks, OnlyFilesInsideTheProgramDirectoryAreTrusted) {
    orvextest::TempDir temp;
    const QString root = QString::fromStdString(temp.path());
    QDir(root).mkpath("prog/htmls");
    QDir(root).mkpath("prog-evil");
    for (const char* name : {"prog/htmls/a.html", "prog-evil/b.html", "outside.html"}) {
        QFile file(root + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile::link(root + "/outside.html", root + "/prog/link.html");
    const QString prog = root + "/prog";
    auto trusted = [&](const QString& path) {
        return BrowserLinks::isTrustedLocation(QUrl::fromLocalFile(path), prog);
    };
    EXPECT_TRUE(trusted(prog + "/htmls/a.html"));
    EXPECT_FALSE(trusted(root + "/prog-evil/b.html")); // a look-alike prefix
    EXPECT_FALSE(trusted(prog + "/../outside.html"));
    EXPECT_FALSE(trusted(prog + "/link.html")); // a link out of it
    EXPECT_FALSE(trusted(prog + "/htmls/missing.html"));
    EXPECT_FALSE(BrowserLinks::isTrustedLocation(QUrl("http://example.org/a.html"), prog));
    EXPECT_FALSE(BrowserLinks::isTrustedLocation(QUrl(), prog));
    EXPECT_FALSE(BrowserLinks::isTrustedLocation(QUrl::fromLocalFile(prog + "/htmls/a.html"), ""));
}

TEST(BrowserLinks, OpenDialogDispatchByContainedWords) {
    using K = BrowserLinks::FileKind;
    EXPECT_EQ(BrowserLinks::fileKind("/a/page.html"), K::Html);
    EXPECT_EQ(BrowserLinks::fileKind("/a/page.htm"), K::Html);
    EXPECT_EQ(BrowserLinks::fileKind("/a/page.xhtml"), K::Html);
    EXPECT_EQ(BrowserLinks::fileKind("/a/pic.png"), K::Media);
    EXPECT_EQ(BrowserLinks::fileKind("/a/tour.scn"), K::Scenario);
    EXPECT_EQ(BrowserLinks::fileKind("/a/tour.SCN"), K::Other);
    EXPECT_EQ(BrowserLinks::fileKind("/a/notes.txt"), K::Other);
}

} // namespace
