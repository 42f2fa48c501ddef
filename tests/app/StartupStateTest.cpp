#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QTabWidget>
#include <QTranslator>

#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "app/WindowSettings.h"
#include "platform/CurrentDirGuard.h"
#include "support/SettingsSandbox.h"

TEST(StartupState, OnlyTheExactSwitchAfterTheProgramNameResets) {
    using StartupState::hasResetSwitch;
    EXPECT_TRUE(hasResetSwitch({"orvex-studio", "-reset"}));
    EXPECT_TRUE(hasResetSwitch({"orvex-studio", "x", "-reset", "-reset"}));
    EXPECT_FALSE(hasResetSwitch({"orvex-studio"}));
    EXPECT_FALSE(hasResetSwitch({"-reset"}));
    EXPECT_FALSE(hasResetSwitch({"orvex-studio", "-Reset"}));
    EXPECT_FALSE(hasResetSwitch({"orvex-studio", "--reset"}));
    EXPECT_FALSE(hasResetSwitch({"orvex-studio", "-reset="}));
}

TEST(StartupState, LocaleComesFromTheSettingsWithTheMachinesAsDefault) {
    orvextest::SettingsSandbox sandbox;
    EXPECT_EQ(StartupState::readLocale(), QLocale::system().name());
    WindowSettings::open()->setValue("/Orvex/locale", "de_AT");
    EXPECT_EQ(StartupState::readLocale(), "de_AT");
}

TEST(WindowSettings, GeometryRoundTripsUnderFullKeyPaths) {
    orvextest::SettingsSandbox sandbox;
    auto settings = WindowSettings::open();
    const QRect fallback(150, 150, 640, 480);
    EXPECT_EQ(WindowSettings::readGeometry(*settings, "/Orvex/Main", fallback), fallback);
    WindowSettings::writeGeometry(*settings, "/Orvex/Main", QRect(10, 20, 300, 200));
    settings->sync();
    auto again = WindowSettings::open();
    EXPECT_EQ(again->value("/Orvex/Main/geometry/x").toInt(), 10);
    EXPECT_EQ(again->value("/Orvex/Main/geometry/y").toInt(), 20);
    EXPECT_EQ(again->value("/Orvex/Main/geometry/w").toInt(), 300);
    EXPECT_EQ(again->value("/Orvex/Main/geometry/h").toInt(), 200);
    EXPECT_EQ(WindowSettings::readGeometry(*again, "/Orvex/Main", fallback),
              QRect(10, 20, 300, 200));
}

TEST(WindowSettings, AWindowOffEveryScreenComesBackAtOneHundred) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // The corner itself still counts as on the screen; one pixel past it not.
    const QRect inside(screen.right(), screen.bottom(), 300, 200);
    EXPECT_EQ(WindowSettings::onScreen(inside), inside);
    EXPECT_EQ(WindowSettings::onScreen(QRect(screen.right() + 1, 10, 300, 200)),
              QRect(100, 100, 300, 200));
    EXPECT_EQ(WindowSettings::onScreen(QRect(-50, 10, 320, 240)), QRect(100, 100, 320, 240));
}

TEST(StartupState, TranslationsFallBackToTheLanguageAndReachTheWindows) {
    orvextest::SettingsSandbox sandbox;
    const QString dir = QString::fromStdString(orvextest::translationDir());
    QTranslator missing;
    EXPECT_FALSE(StartupState::loadTranslator(missing, "OrvexStudio_", "xx_YY", dir));
    EXPECT_TRUE(missing.isEmpty());

    // No file for Austria: the German one serves.
    QTranslator program;
    ASSERT_TRUE(StartupState::loadTranslator(program, "OrvexStudio_", "de_AT", dir));
    QTranslator toolkit;
    EXPECT_TRUE(StartupState::loadTranslator(toolkit, "qt_", "de_AT", dir));
    QCoreApplication::installTranslator(&program);
    {
        OrvexMainForm form;
        EXPECT_EQ(form.tabWidget->tabText(0), QString::fromUtf8("Grundlagen"));
        EXPECT_EQ(form.viewEmbedAction->text(), "Orvex &einbetten");
        EXPECT_EQ(form.stepCombo->itemText(3), "Tag/s");
        EXPECT_EQ(form.windowTitle(), "Orvex Studio");
    }
    QCoreApplication::removeTranslator(&program);
}

TEST(StartupState, TranslationsAreFoundInTheBuildAndInTheInstalledLayout) {
    // The build put them in its own directory and nothing into the data set.
    const QString built = QString::fromStdString(orvextest::translationDir());
    EXPECT_TRUE(QFileInfo::exists(built + "/OrvexStudio_de.qm"));
    EXPECT_TRUE(QDir(QString::fromStdString(orvextest::shareDir() + "/translations"))
                    .entryList({"*.qm"}, QDir::Files)
                    .isEmpty());

    orvextest::TempDir root;
    const QDir top(QString::fromStdString(root.path()));
    QDir().mkpath(top.filePath("work"));
    const platform::CurrentDirGuard work(root.file("work"));
    const auto place = [&](const QString& dir) {
        QDir().mkpath(top.filePath(dir));
        QFile::copy(built + "/OrvexStudio_de.qm", top.filePath(dir + "/OrvexStudio_de.qm"));
    };
    // A build: the program with its translations beside it.
    place("build/translations");
    EXPECT_EQ(QDir(StartupState::translationDir(top.filePath("build"))).canonicalPath(),
              QDir(top.filePath("build/translations")).canonicalPath());
    // Installed: the program in bin, the translations in the data folder.
    place("usr/share/orvex-studio/translations");
    EXPECT_EQ(QDir(StartupState::translationDir(top.filePath("usr/bin"))).canonicalPath(),
              QDir(top.filePath("usr/share/orvex-studio/translations")).canonicalPath());
    QTranslator german;
    EXPECT_TRUE(StartupState::loadTranslator(
        german, "OrvexStudio_", "de", StartupState::translationDir(top.filePath("usr/bin"))));
    // The working directory's own come first.
    place("work/translations");
    EXPECT_EQ(StartupState::translationDir(top.filePath("usr/bin")), "./translations");
}
