// The bookmarks file: the default content, round trips compared as trees,
// addresses made relative to the program directory, and files that must be
// left alone.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <ostream>

#include "app/BookmarkFile.h"
#include "engine/LogMessage.h"
#include "support/TestEnv.h"

void PrintTo(const BookmarkEntry& entry, std::ostream* out) {
    *out << (entry.folder ? "folder " : "bookmark ") << entry.name.toStdString() << " "
         << entry.uri.toStdString() << " {";
    for (const BookmarkEntry& child : entry.children)
        PrintTo(child, out);
    *out << "} ";
}

void PrintTo(const BookmarkTree& tree, std::ostream* out) {
    *out << "home " << tree.home.toStdString() << ": ";
    for (const BookmarkEntry& entry : tree.entries)
        PrintTo(entry, out);
}

namespace {

using orvextest::TempDir;

BookmarkEntry bookmark(const QString& name, const QString& uri,
                       std::vector<BookmarkEntry> children = {}) {
    return {false, name, uri, std::move(children)};
}

BookmarkEntry folder(const QString& name, std::vector<BookmarkEntry> children = {}) {
    return {true, name, QString(), std::move(children)};
}

QByteArray contents(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

BookmarkTree parsed(const QByteArray& bytes) {
    BookmarkTree tree;
    QString error;
    EXPECT_TRUE(BookmarkFile::parse(bytes, &tree, &error)) << error.toStdString();
    return tree;
}

TEST(BookmarkFile, AMissingFileIsCreatedWithTheDefaultContent) {
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("bookmarks.xml"));
    BookmarkFile file(name);
    const BookmarkTree tree = file.read();
    EXPECT_EQ(file.status(), BookmarkFile::Status::Created);
    EXPECT_EQ(contents(name), BookmarkFile::defaultContent());
    EXPECT_TRUE(BookmarkFile::defaultContent().startsWith(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<bookmarks>\n"
        "    <home uri=\"./htmls/index.html\" />\n    <bookmark uri=\"http://"));
    EXPECT_TRUE(BookmarkFile::defaultContent().endsWith("/\" name=\"Orvex Studio Web Site\" />\n"
                                                        "</bookmarks>"));
    EXPECT_EQ(tree.home, "./htmls/index.html");
    ASSERT_EQ(tree.entries.size(), 1u);
    EXPECT_FALSE(tree.entries[0].folder);
    EXPECT_EQ(tree.entries[0].name, "Orvex Studio Web Site");

    // Where it cannot be created, the same content, and a later write fails quietly.
    LogCapture log;
    BookmarkFile nowhere(QString::fromStdString(dir.file("missing/bookmarks.xml")));
    EXPECT_EQ(nowhere.read(), tree);
    EXPECT_EQ(nowhere.status(), BookmarkFile::Status::Default);
    EXPECT_FALSE(nowhere.write(tree, QString()));
    EXPECT_TRUE(log.contains("cannot write"));
}

TEST(BookmarkFile, ATreeComesBackAsItWasWritten) {
    // Nesting of every kind, an empty folder, a bookmark inside a bookmark, an
    // address outside ASCII, and text that needs escaping.
    BookmarkTree tree;
    tree.home = "http://example.org/home.html";
    tree.entries = {
        folder("Tours",
               {bookmark("Sky \"tour\" & <more>", "./htmls/tour-sky.html"), folder("Empty"),
                folder("Deep", {bookmark("Ünter", "http://example.org/Straße/ü?x=1&y=2")})}),
        bookmark("Outer", "http://example.org/", {bookmark("Inner", "./htmls/inner.html")}),
        bookmark("No address", ""),
    };
    const QByteArray once = BookmarkFile::serialize(tree, "/nowhere/program");
    EXPECT_EQ(parsed(once), tree);
    EXPECT_TRUE(once.contains("http://example.org/Straße/ü?x=1&amp;y=2"));
    // Written again unchanged: nothing is re-encoded at each save.
    EXPECT_EQ(BookmarkFile::serialize(parsed(once), "/nowhere/program"), once);
    // The home address comes first, directly under the document element.
    EXPECT_TRUE(
        once.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<bookmarks>\n <home "));

    // What XML cannot hold is dropped instead of making the file unreadable.
    BookmarkTree odd;
    odd.entries = {bookmark(QString("a") + QChar(1) + "b" + QChar(0xFFFF), "u\x02v")};
    EXPECT_EQ(parsed(BookmarkFile::serialize(odd, QString())).entries[0], bookmark("ab", "uv"));
}

TEST(BookmarkFile, ReadingSkipsWhatItDoesNotKnow) {
    const BookmarkTree tree = parsed("<?xml version=\"1.0\"?>\n<bookmarks>\n"
                                     "<!-- a comment --><other><bookmark name=\"lost\"/></other>"
                                     "<folder name=\"F\"><home uri=\"./second.html\"/>"
                                     "<bookmark uri=\"./a.html\"/>text</folder>"
                                     "<home uri=\"./first.html\"/>"
                                     "</bookmarks>");
    BookmarkTree expected;
    expected.home = "./first.html"; // the last one read
    expected.entries = {folder("F", {bookmark("", "./a.html")})};
    EXPECT_EQ(tree, expected);
}

TEST(BookmarkFile, AddressesUnderTheProgramDirectoryBecomeRelative) {
    const QString base = "/work/Demo";
    const struct {
        const char* address;
        const char* written;
    } cases[] = {
        {"/work/Demo/htmls/a.html", "./htmls/a.html"},
        {"/work/Demo", "."},
        {"\\work\\Demo\\htmls\\a.html", "./htmls/a.html"},
        {"/work/Demo/../Demo/b.html", "./b.html"},
        {"file:///work/Demo/htmls/a.html", "./htmls/a.html"},
        {"file:///work/Demo/htmls/a.html#part", "file:///work/Demo/htmls/a.html#part"},
        {"/work/Demo2/c.html", "/work/Demo2/c.html"},
        {"/work/Dem", "/work/Dem"},
        {"http://example.org/work/Demo/", "http://example.org/work/Demo/"},
        {".\\htmls\\a.html", "./htmls/a.html"},
        {"htmls/a.html", "htmls/a.html"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BookmarkFile::relativeAddress(c.address, base), c.written) << c.address;
    EXPECT_EQ(BookmarkFile::relativeAddress("/work/Demo/a.html", QString()), "/work/Demo/a.html");

    // Through a link to the program directory, compared canonically.
    TempDir dir;
    const QString real = QString::fromStdString(dir.file("real"));
    const QString link = QString::fromStdString(dir.file("link"));
    ASSERT_TRUE(QDir().mkpath(real + "/htmls"));
    writeFile(real + "/htmls/a.html", "x");
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(BookmarkFile::relativeAddress(real + "/htmls/a.html", link), "./htmls/a.html");
    EXPECT_EQ(BookmarkFile::relativeAddress(link + "/htmls/a.html", real), "./htmls/a.html");

    // The home address the same way (no ".//").
    BookmarkTree tree;
    tree.home = base + "/htmls/index.html";
    EXPECT_EQ(parsed(BookmarkFile::serialize(tree, base)).home, "./htmls/index.html");
}

TEST(BookmarkFile, AFileThatIsNotBookmarksIsNeverWrittenOver) {
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("bookmarks.xml"));
    BookmarkTree tree;
    tree.entries = {bookmark("a", "./a.html")};
    for (const QByteArray& bytes :
         {QByteArray("<bookmarks><folder name=\"x\"></bookmarks>"),
          QByteArray("<?xml version=\"1.0\"?><other><bookmark name=\"a\"/></other>"), QByteArray(),
          // Nested far deeper than any real tree: refused without recursing
          // through it.
          QByteArray("<bookmarks>") + QByteArray("<folder name=\"f\">").repeated(300000) +
              QByteArray("</folder>").repeated(300000) + "</bookmarks>"}) {
        writeFile(name, bytes);
        LogCapture log;
        BookmarkFile file(name);
        EXPECT_EQ(file.read(), BookmarkTree());
        EXPECT_EQ(file.status(), BookmarkFile::Status::Malformed);
        EXPECT_TRUE(log.contains("is not a bookmarks file")) << bytes.toStdString();
        EXPECT_TRUE(log.contains("left as it is"));
        EXPECT_FALSE(file.isWritable());
        EXPECT_FALSE(file.write(tree, QString()));
        EXPECT_EQ(contents(name), bytes);
    }

    // One that cannot be read (here a directory) is left alone as well.
    ASSERT_TRUE(QFile::remove(name));
    ASSERT_TRUE(QDir().mkdir(name));
    LogCapture log;
    BookmarkFile folderFile(name);
    EXPECT_EQ(folderFile.read(), BookmarkTree());
    EXPECT_EQ(folderFile.status(), BookmarkFile::Status::Unreadable);
    EXPECT_TRUE(log.contains("cannot read"));
    EXPECT_FALSE(folderFile.write(tree, QString()));
    EXPECT_TRUE(QFileInfo(name).isDir());
}

TEST(BookmarkFile, AFileLongerThanAnyBookmarksIsLeftAlone) {
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("bookmarks.xml"));
    writeFile(name, "<bookmarks>");
    ASSERT_TRUE(QFile::resize(name, 6LL << 30));
    LogCapture log;
    BookmarkFile file(name);
    EXPECT_EQ(file.read(), BookmarkTree());
    EXPECT_EQ(file.status(), BookmarkFile::Status::Unreadable);
    EXPECT_TRUE(log.contains("(longer than 67108864 bytes); it is left as it is"));
    EXPECT_FALSE(file.write(BookmarkTree(), QString()));
    EXPECT_EQ(QFileInfo(name).size(), 6LL << 30);
}

TEST(BookmarkFile, WritingReplacesTheFileInOneStep) {
    TempDir dir;
    const QString name = QString::fromStdString(dir.file("bookmarks.xml"));
    writeFile(name, "<bookmarks><bookmark name=\"old\" uri=\"./old.html\"/></bookmarks>");
    BookmarkFile file(name);
    BookmarkTree tree = file.read();
    EXPECT_EQ(file.status(), BookmarkFile::Status::Read);
    tree.entries.push_back(bookmark("new", QString::fromStdString(dir.file("new.html"))));
    ASSERT_TRUE(file.write(tree, QString::fromStdString(dir.path())));
    tree.entries.back().uri = "./new.html";
    EXPECT_EQ(parsed(contents(name)), tree);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files),
              QStringList{"bookmarks.xml"});
}

} // namespace
