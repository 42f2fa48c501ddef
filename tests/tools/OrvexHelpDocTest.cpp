// The class reference writer: an index, a page per class with an anchor per
// listed command, hidden commands left out, texts escaped.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "support/TestEnv.h"

namespace {

QString readPage(const QString& dir, const char* name) {
    QFile file(dir + "/" + name);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

int runHelpDoc(const QStringList& arguments) {
    QProcess process;
    process.start(QString(ORVEX_BUILD_DIR) + "/orvex-helpdoc", arguments);
    if (!process.waitForFinished(60000))
        return -1;
    return process.exitCode();
}

TEST(OrvexHelpDoc, WritesAnIndexAndOnePagePerClass) {
    orvextest::TempDir temp;
    const QString out = QString::fromStdString(temp.file("en_us"));
    ASSERT_EQ(
        runHelpDoc({QString::fromStdString(orvextest::dataPath("helpdoc/argshelp.def")), out}), 0);
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
              QStringList({"classref_Space.html", "classref_Timer.html", "index.html"}));

    const QString index = readPage(out, "index.html");
    EXPECT_LT(index.indexOf("classref_Timer.html"), index.indexOf("classref_Space.html"));
    EXPECT_TRUE(index.contains("(3 commands)"));

    const QString timer = readPage(out, "classref_Timer.html");
    EXPECT_TRUE(timer.contains("name=\"Timer_Speed\""));
    EXPECT_TRUE(timer.contains("name=\"Timer_Step\""));
    EXPECT_TRUE(timer.contains("name=\"Timer_Mode\""));
    EXPECT_FALSE(timer.contains("Secret"));
    EXPECT_TRUE(timer.contains("speed factor &lt; 1 &amp; more"));
    EXPECT_TRUE(timer.contains(QString::fromUtf8("caf\xc3\xa9")));
    EXPECT_LT(timer.indexOf("Timer_Speed"), timer.indexOf("Timer_Step"));
}

TEST(OrvexHelpDoc, AMissingFileIsAnError) {
    orvextest::TempDir temp;
    EXPECT_NE(runHelpDoc({QString::fromStdString(temp.file("none.def")),
                          QString::fromStdString(temp.file("out"))}),
              0);
    EXPECT_NE(runHelpDoc({}), 0);
}

} // namespace
