// A control window on a recording fake engine, with a program directory of
// its own, for the browser pane, scenario editor and property panel tests.
// Its questions, file dialogs and warnings are answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "app/OrvexMainForm.h"
#include "platform/CurrentDirGuard.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "support/TestEnv.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace orvextest {

class AnsweringForm : public OrvexMainForm {
public:
    using OrvexMainForm::updatingInterface;

    struct Question {
        QString from;
        QString text;
    };

    bool confirmCommands(const QString& from, const QString& text) override {
        questions.push_back({from, text});
        return askForReal ? OrvexMainForm::confirmCommands(from, text) : agree;
    }
    QString askOpenFileName() override { return openName; }
    QString askSaveFileName() override {
        ++saveQuestions;
        // The window's own question, its dialog answered with saveName.
        const auto chooser = fileChooser;
        fileChooser = [this](const FileQuestion& question) {
            saveFolders << question.directory;
            if (whileAsking)
                whileAsking();
            return FileChoice{saveName, QString()};
        };
        const QString name = OrvexMainForm::askSaveFileName();
        fileChooser = chooser;
        return name;
    }
    void showWarning(const QString& text) override { warnings << text; }
    bool confirmDiscard() override {
        ++discardQuestions;
        return askForReal ? OrvexMainForm::confirmDiscard() : discard;
    }
    void updateInterface() override { ++refreshes; }
    // The test program goes on.
    void quitProgram() override { ++quits; }

    bool agree = false;
    // The window's own question box is shown (for the test to answer) instead.
    bool askForReal = false;
    std::vector<Question> questions;
    QString openName;
    QString saveName;
    int saveQuestions = 0;
    // Where each save dialog started.
    QStringList saveFolders;
    // What happens while the save dialog is open.
    std::function<void()> whileAsking;
    QStringList warnings;
    // The answer to "discard the unsaved scenario?", and how often it was asked.
    bool discard = false;
    int discardQuestions = 0;
    int refreshes = 0;
    int quits = 0;
};

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        projForm = std::make_unique<OrvexProjForm>(nullptr, &engine);
        mediaForm = std::make_unique<OrvexMediaForm>();
        form = std::make_unique<AnsweringForm>();
        form->setForms(projForm.get(), mediaForm.get());
    }
    void TearDown() override {
        form.reset();
        mediaForm.reset();
        projForm.reset();
    }

    // The program directory (the working directory when the window was made).
    QString programDir() const { return QString::fromStdString(program.path()); }
    QString programFile(const char* name) const { return programDir() + "/" + name; }

    // Runs the event loop until done() holds or the time is up.
    static bool waitFor(const std::function<bool()>& done, int ms = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    SettingsSandbox sandbox;
    TempDir program;
    platform::CurrentDirGuard inProgramDir{program.path()};
    FakeEngine engine;
    std::unique_ptr<OrvexProjForm> projForm;
    std::unique_ptr<OrvexMediaForm> mediaForm;
    std::unique_ptr<AnsweringForm> form;
};

} // namespace orvextest
