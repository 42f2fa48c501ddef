// Adding and removing comet, asteroid and spacecraft orbit files through the
// "Object Display" page, with the file dialog and the questions answered, in
// a program directory whose orbit directories the fake engine names.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "support/MainFormFixture.h"
#include "support/NextModal.h"

namespace {

using orvextest::NextModal;
using Lines = std::vector<std::string>;

// Answers the window's coming questions in turn: a file question with the
// file named, a message box with the button of that text. A question beyond
// the answers is cancelled and counted; the answer "Return" presses Return.
class Dialogs {
public:
    explicit Dialogs(OrvexMainForm& form, QStringList answers = {})
        : form_(form), answers_(std::move(answers)), chooser_(form.fileChooser) {
        form.fileChooser = [this](const FileQuestion&) {
            if (answers_.isEmpty()) {
                ++unexpected;
                return FileChoice();
            }
            return FileChoice{answers_.takeFirst(), QString()};
        };
        next();
    }
    ~Dialogs() { form_.fileChooser = chooser_; }
    QStringList questions;
    int unexpected = 0;

private:
    void next() {
        modals_.push_back(std::make_unique<NextModal>([this](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || answers_.isEmpty()) {
                ++unexpected;
                NextModal::reject(w);
                return;
            }
            const QString answer = answers_.takeFirst();
            questions << box->text();
            if (answer == "Return")
                QTest::keyClick(box, Qt::Key_Return);
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer)
                    button->click();
            next();
        }));
    }
    OrvexMainForm& form_;
    QStringList answers_;
    std::function<FileChoice(const FileQuestion&)> chooser_;
    std::vector<std::unique_ptr<NextModal>> modals_;
};

// Makes the deletion of a file fail: a read-only directory stops any user
// but root, whom the file system's immutable attribute stops where it has one.
class Undeletable {
public:
    Undeletable(const std::string& dir, const std::string& file) : dir_(dir), file_(file) {
        active_ = geteuid() != 0 ? chmod(dir.c_str(), 0555) == 0 : setImmutable(true);
    }
    ~Undeletable() {
        if (geteuid() != 0)
            chmod(dir_.c_str(), 0755);
        else if (active_)
            setImmutable(false);
    }
    bool active() const { return active_; }

private:
    bool setImmutable(bool on) {
        const int fd = open(file_.c_str(), O_RDONLY);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0)
            close(fd);
        return done;
    }
    std::string dir_, file_;
    bool active_ = false;
};

const char* const overwriteQuestion = "Same file name is found in the comet data directory.  Do "
                                      "you want to overwrite it ?";
const char* const removeQuestion =
    "Removed orbit data will be lost.  Do you really want to remove it ?";

class OrbitFiles : public orvextest::MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        QDir program(programDir());
        program.mkpath("data/orbits/comets");
        program.mkpath("data/orbits/comets_old");
        program.mkpath("elsewhere");
        engine.recorded.answers["Ssystem.AllCometNames"] = "Encke Halley Tempel1";
    }
    void write(const char* name, const std::string& text) {
        std::ofstream(programFile(name).toStdString(), std::ios::binary) << text;
    }
    std::string read(const char* name) {
        std::ifstream in(programFile(name).toStdString(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool exists(const char* name) { return QFileInfo::exists(programFile(name)); }
    QStringList comets() {
        return QDir(programFile("data/orbits/comets")).entryList(QDir::Files, QDir::Name);
    }
    Lines sent() {
        Lines lines;
        lines.swap(engine.recorded.lines);
        return lines;
    }
    bool queried(const std::string& name) {
        const auto& queries = engine.recorded.queries;
        return std::find(queries.begin(), queries.end(), name) != queries.end();
    }
    void select(std::initializer_list<int> rows) {
        for (int row : rows)
            form->displayList->topLevelItem(row)->setSelected(true);
        sent();
    }
};

TEST_F(OrbitFiles, AddingChecksTheFileAsksBeforeReplacingAndReloadsTheLists) {
    // Before the engine has started there is no directory to add to.
    engine.started = false;
    {
        Dialogs none(*form);
        form->cometsAddSlot();
        EXPECT_EQ(none.unexpected, 0);
    }
    engine.started = true;
    form->centerPlanetButton->click();
    write("elsewhere/junk.dat", "no name here\n");
    write("elsewhere/halley.dat", "Name: Halley\n");

    {
        Dialogs dialogs(*form, {programFile("elsewhere/junk.dat")});
        form->cometsAddSlot();
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    EXPECT_EQ(form->warnings, QStringList("This file doesn't seem a correct comet orbit file."));
    EXPECT_TRUE(comets().isEmpty());
    EXPECT_TRUE(sent().empty());

    engine.recorded.queries.clear();
    {
        Dialogs dialogs(*form, {programFile("elsewhere/halley.dat")});
        form->cometsAddSlot();
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    EXPECT_EQ(read("data/orbits/comets/halley.dat"), "Name: Halley\n");
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadCometList Default"}));
    EXPECT_TRUE(queried("Ssystem.AllCometNames"));
    EXPECT_TRUE(queried("Ssystem.AstrNames"));
    EXPECT_EQ(form->displayWidgetStack->currentIndex(), 1);

    // The same name again: No keeps the file, Yes replaces it.
    write("elsewhere/halley.dat", "Name: Halley\n# newer\n");
    for (const char* answer : {"&No", "&Yes"}) {
        Dialogs dialogs(*form, {programFile("elsewhere/halley.dat"), answer});
        form->cometsAddSlot();
        EXPECT_EQ(dialogs.questions, QStringList(overwriteQuestion));
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    EXPECT_EQ(read("data/orbits/comets/halley.dat"), "Name: Halley\n# newer\n");
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadCometList Default"}));

    // A new file name for a comet a file of the directory declares: that file
    // would stay the one used, so replacing it is asked. No keeps it, Yes
    // writes the new orbit into it.
    write("elsewhere/Halley-2061.dat", "# 2061\nName: Halley\n");
    for (const char* answer : {"&No", "&Yes"}) {
        Dialogs dialogs(*form, {programFile("elsewhere/Halley-2061.dat"), answer});
        form->cometsAddSlot();
        EXPECT_EQ(dialogs.questions,
                  QStringList("halley.dat in the data directory already declares Halley.  Do you "
                              "want to replace it ?"));
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    EXPECT_EQ(comets(), QStringList("halley.dat"));
    EXPECT_EQ(read("data/orbits/comets/halley.dat"), "# 2061\nName: Halley\n");
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadCometList Default"}));

    // A file of the directory itself: nothing at all.
    {
        Dialogs dialogs(*form, {programFile("data/orbits/comets/halley.dat")});
        form->cometsAddSlot();
        EXPECT_TRUE(dialogs.questions.isEmpty());
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    EXPECT_TRUE(sent().empty());

    // A neighbour whose path starts like the directory's is elsewhere.
    write("data/orbits/comets_old/encke.dat", "Name: Encke\n");
    {
        Dialogs dialogs(*form, {programFile("data/orbits/comets_old/encke.dat")});
        form->cometsAddSlot();
    }
    EXPECT_EQ(comets(), QStringList({"encke.dat", "halley.dat"}));
    EXPECT_EQ(form->warnings.size(), 1);
}

TEST_F(OrbitFiles, AFailedCopyIsReportedAndTheListReloadedAllTheSame) {
    write("elsewhere/ceres.dat", "Name: Ceres\n");
    {
        // There is no asteroid directory.
        Dialogs dialogs(*form, {programFile("elsewhere/ceres.dat")});
        form->asteroidsAddSlot();
    }
    ASSERT_EQ(form->warnings.size(), 1);
    EXPECT_TRUE(form->warnings[0].startsWith("The orbit file could not be copied to " +
                                             programFile("data/orbits/asteroids/ceres.dat")));
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadAsteroidList Default"}));
}

TEST_F(OrbitFiles, RemovingDeletesTheFilesThatDeclareTheSelectedObjects) {
    write("data/orbits/comets/a.dat", "Name: Halley\n");
    write("data/orbits/comets/b.dat", "Name: Encke\n");
    write("data/orbits/comets/c.dat", "Name: Other\nName: Tempel1\n");
    form->centerPlanetButton->click();
    form->displayCometButton->click();

    // Nothing selected: the question, and after Yes nothing else.
    {
        Dialogs dialogs(*form, {"&Yes"});
        form->cometsRemoveSlot();
        EXPECT_EQ(dialogs.questions, QStringList(removeQuestion));
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    EXPECT_TRUE(sent().empty());

    select({1, 2}); // Halley, Tempel1
    {
        Dialogs dialogs(*form, {"&No"});
        form->cometsRemoveSlot();
    }
    EXPECT_EQ(comets().size(), 3);
    EXPECT_TRUE(sent().empty());

    engine.recorded.queries.clear();
    {
        Dialogs dialogs(*form, {"&Yes"});
        form->cometsRemoveSlot();
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    // Tempel1 is not the first name of its file: that file stays.
    EXPECT_EQ(comets(), QStringList({"b.dat", "c.dat"}));
    // The list file keeps a name whose orbit file is missing: the removed
    // one the engine is told by name.
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadCometList Default", "Ssystem.RemoveComet Halley",
                             "Ssystem.SaveCometList Default"}));
    EXPECT_TRUE(queried("Ssystem.AllCometNames"));
    EXPECT_TRUE(queried("Ssystem.AstrNames"));
    EXPECT_TRUE(form->warnings.isEmpty());

    // A file that the body data file names stays (the question says so); its
    // object leaves the list all the same.
    engine.recorded.bodyDataOrbitFiles = {{"X", "data/orbits/x.dat"},
                                          {"Kohoutek", "data//orbits/comets/b.dat"}};
    form->displayList->clearSelection();
    select({0}); // Encke
    {
        Dialogs dialogs(*form, {"&Yes"});
        form->cometsRemoveSlot();
        EXPECT_EQ(dialogs.questions,
                  QStringList(QString(removeQuestion) +
                              "\n\nThese objects leave the list, but their orbit files stay, "
                              "since the body data file names them:\nEncke: "
                              "./data/orbits/comets/b.dat"));
    }
    EXPECT_EQ(comets(), QStringList({"b.dat", "c.dat"}));
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadCometList Default", "Ssystem.RemoveComet Encke",
                             "Ssystem.SaveCometList Default"}));

    // A body of the body data file stays in the simulation, whatever a list
    // says: alone it is only told so, twice alike; with another object the
    // question says so, and only the other goes.
    engine.recorded.bodyDataOrbitFiles = {{"Encke", "data/orbits/comets/b.dat"}};
    const QString stays = "These objects stay in the simulation, as part of the solar system that "
                          "the body data file describes, and so do their orbit files:\nEncke: "
                          "./data/orbits/comets/b.dat";
    select({0}); // Encke
    for (int time = 0; time < 2; ++time) {
        form->warnings.clear();
        Dialogs none(*form);
        form->cometsRemoveSlot();
        EXPECT_EQ(none.unexpected, 0);
        EXPECT_EQ(form->warnings, QStringList(stays));
        EXPECT_TRUE(sent().empty());
    }
    write("data/orbits/comets/d.dat", "Name: Halley\n");
    select({1}); // Halley, and Encke
    {
        Dialogs dialogs(*form, {"&Yes"});
        form->cometsRemoveSlot();
        EXPECT_EQ(dialogs.questions, QStringList(QString(removeQuestion) + "\n\n" + stays));
    }
    EXPECT_EQ(comets(), QStringList({"b.dat", "c.dat"}));
    EXPECT_EQ(sent(), Lines({"Ssystem.LoadCometList Default", "Ssystem.RemoveComet Halley",
                             "Ssystem.SaveCometList Default"}));
}

// Return at a question whose Yes replaces or deletes an orbit file keeps it.
TEST_F(OrbitFiles, ReturnAtAQuestionThatWouldReplaceOrRemoveAFileKeepsIt) {
    write("data/orbits/comets/halley.dat", "Name: Halley\n");
    write("elsewhere/halley.dat", "Name: Halley\n# newer\n");
    write("elsewhere/Halley-2061.dat", "# 2061\nName: Halley\n");
    for (const char* file : {"elsewhere/halley.dat", "elsewhere/Halley-2061.dat"}) {
        Dialogs dialogs(*form, {programFile(file), "Return"});
        form->cometsAddSlot();
        EXPECT_EQ(dialogs.questions.size(), 1);
        EXPECT_EQ(dialogs.unexpected, 0);
    }
    form->displayCometButton->click();
    select({1}); // Halley
    {
        Dialogs dialogs(*form, {"Return"});
        form->cometsRemoveSlot();
        EXPECT_EQ(dialogs.questions, QStringList(removeQuestion));
    }
    EXPECT_EQ(comets(), QStringList("halley.dat"));
    EXPECT_EQ(read("data/orbits/comets/halley.dat"), "Name: Halley\n");
    EXPECT_TRUE(sent().empty());
}

TEST_F(OrbitFiles, AFailedDeletionIsReported) {
    write("data/orbits/comets/b.dat", "Name: Encke\n");
    form->displayCometButton->click();
    select({0});
    Undeletable keep(programFile("data/orbits/comets").toStdString(),
                     programFile("data/orbits/comets/b.dat").toStdString());
    if (!keep.active())
        GTEST_SKIP() << "no way to make a file undeletable here";
    {
        Dialogs dialogs(*form, {"&Yes"});
        form->cometsRemoveSlot();
    }
    EXPECT_TRUE(exists("data/orbits/comets/b.dat"));
    ASSERT_EQ(form->warnings.size(), 1);
    EXPECT_TRUE(form->warnings[0].startsWith("The orbit files could not be removed:\n./data/"));
    EXPECT_TRUE(sent().empty());
}

} // namespace
