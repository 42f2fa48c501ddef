// The file dialog asked to save: a bare name gets the chosen filter's
// extension before the dialog asks about replacing a file, so the question is
// about the file that will be written.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "support/NextModal.h"
#include "support/TestEnv.h"
#include "ui/FileChooser.h"

namespace {

using orvextest::NextModal;

TEST(FileChooser, SavingABareNameAsksAboutTheFileWithTheFiltersExtension) {
    orvextest::TempDir dir;
    QFile existing(QString::fromStdString(dir.file("rec1.scn")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    FileQuestion question;
    question.mode = FileQuestion::Mode::Save;
    question.directory = QString::fromStdString(dir.path());
    question.filter = "Scenario file (*.scn)";
    QString asked;
    NextModal typeName([&asked](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText("rec1");
        NextModal replace([&asked](QWidget* box) {
            auto* question = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(question, nullptr);
            asked = question->text();
            question->button(QMessageBox::Yes)->click();
        });
        // As the Save button: the dialog's own accept.
        qobject_cast<QDialog*>(dialog)->accept();
    });
    const FileChoice choice = askWithDialog(nullptr, question);
    EXPECT_TRUE(typeName.seen());
    EXPECT_TRUE(asked.contains("rec1.scn")) << asked.toStdString();
    EXPECT_EQ(choice.file, QString::fromStdString(dir.file("rec1.scn")));
    // What the form adds itself is then already there.
    EXPECT_EQ(withFilterExtension(choice.file, choice.filter), choice.file);
}

} // namespace
