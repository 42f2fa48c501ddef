// Where the help window finds its pages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextBrowser>

#include "support/TestEnv.h"
#include "ui/HelpViewer.h"

namespace {

TEST(HelpViewer, PagesComeFromTheLocaleThenItsLanguageThenEnUs) {
    orvextest::TempDir temp;
    const QString doc = QString::fromStdString(temp.path());
    for (const char* name :
         {"en_us/index.html", "en_us/classref_Timer.html", "de/index.html", "ja_jp/index.html"}) {
        QDir(doc).mkpath(QFileInfo(doc + "/" + name).path());
        QFile file(doc + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(HelpViewer::findPage(doc, "ja_JP", "index.html"), doc + "/ja_jp/index.html");
    EXPECT_EQ(HelpViewer::findPage(doc, "de_DE", "index.html"), doc + "/de/index.html");
    EXPECT_EQ(HelpViewer::findPage(doc, "de_DE", "classref_Timer.html"),
              doc + "/en_us/classref_Timer.html");
    EXPECT_EQ(HelpViewer::findPage(doc, "fr", "index.html"), doc + "/en_us/index.html");
    EXPECT_EQ(HelpViewer::findPage(doc, "", "index.html"), doc + "/en_us/index.html");
    EXPECT_TRUE(HelpViewer::findPage(doc, "en_US", "classref_None.html").isEmpty());
    EXPECT_EQ(HelpViewer::classPage("Timer"), "classref_Timer.html");
    EXPECT_EQ(HelpViewer::commandAnchor("Timer", "Speed"), "Timer_Speed");
}

TEST(HelpViewer, ShowsThePageAtItsAnchor) {
    orvextest::TempDir temp;
    const QString file = QString::fromStdString(temp.file("classref_Timer.html"));
    QFile page(file);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><p>top</p><a name=\"Timer_Speed\"></a><p>Speed</p></body></html>");
    page.close();
    QWidget owner;
    HelpViewer* viewer = HelpViewer::showPage(&owner, file, "Timer_Speed");
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->pageFound());
    EXPECT_EQ(viewer->browser->source().fragment(), "Timer_Speed");
    EXPECT_TRUE(viewer->browser->toPlainText().contains("Speed"));
    EXPECT_EQ(HelpViewer::showPage(&owner, file), viewer);
}

} // namespace
