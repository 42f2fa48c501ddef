// Orbit files of comets, asteroids and spacecraft on the "Object Display"
// page: a file chosen anywhere is copied into the kind's orbit directory, the
// files of the selected objects are deleted from it, and the engine reloads
// the kind's list so that the lists show the directory as it now is.
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/EngineLink.h"
#include "app/OrbitFileStore.h"
#include "app/OrvexMainForm.h"

namespace {

struct OrbitFileKind {
    const char* caption;
    const char* filter;
    const char* invalidFile;
    const char* sameName;
    const char* loadList;
    const char* saveList;
    const char* remove; // followed by one name
    void (OrvexMainForm::*refresh)();
};

// By EngineLink::OrbitKind.
const OrbitFileKind orbitFileKinds[] = {
    {QT_TRANSLATE_NOOP("OrvexMainForm", "Open a comet orbit file ..."),
     "Comet Orbit Files (*.dat *.orb)",
     QT_TRANSLATE_NOOP("OrvexMainForm", "This file doesn't seem a correct comet orbit file."),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Same file name is found in the comet data directory.  "
                                        "Do you want to overwrite it ?"),
     "Ssystem.LoadCometList Default", "Ssystem.SaveCometList Default", "Ssystem.RemoveComet ",
     &OrvexMainForm::updateCometsList},
    {QT_TRANSLATE_NOOP("OrvexMainForm", "Open a asteroid orbit file ..."),
     "Asteroid Orbit Files (*.dat *.orb)",
     QT_TRANSLATE_NOOP("OrvexMainForm", "This file doesn't seem a correct asteroid orbit file."),
     QT_TRANSLATE_NOOP("OrvexMainForm", "Same file name is found in the asteroid data directory.  "
                                        "Do you want to overwrite it ?"),
     "Ssystem.LoadAsteroidList Default", "Ssystem.SaveAsteroidList Default",
     "Ssystem.RemoveAsteroid ", &OrvexMainForm::updateAsteroidsList},
    {QT_TRANSLATE_NOOP("OrvexMainForm", "Open a spacecraft orbit file ..."),
     "Spacecraft Orbit Files (*.dat *.dsc)",
     QT_TRANSLATE_NOOP("OrvexMainForm", "This file doesn't seem a correct space craft orbit file."),
     QT_TRANSLATE_NOOP("OrvexMainForm",
                       "Same file name is found in the spacecraft data directory.  "
                       "Do you want to overwrite it ?"),
     "Ssystem.LoadSpacecraftList Default", "Ssystem.SaveSpacecraftList Default",
     "Ssystem.RemoveSpacecraft ", &OrvexMainForm::updateSpacecraftsList},
};

using BodyDataFiles = std::vector<std::pair<std::string, std::string>>;

// The body of the body data file whose orbit file path is; empty for none.
std::string bodyOwning(const QString& path, const BodyDataFiles& bodyData) {
    const std::string file = QFile::encodeName(path).toStdString();
    for (const auto& [body, orbitFile] : bodyData) {
        if (OrbitFileStore::isAmong(file, {orbitFile}))
            return body;
    }
    return {};
}

} // namespace

void OrvexMainForm::cometsAddSlot() {
    addOrbitFile(EngineLink::CometOrbits);
}

void OrvexMainForm::cometsRemoveSlot() {
    removeOrbitFiles(EngineLink::CometOrbits);
}

void OrvexMainForm::asteroidsAddSlot() {
    addOrbitFile(EngineLink::AsteroidOrbits);
}

void OrvexMainForm::asteroidsRemoveSlot() {
    removeOrbitFiles(EngineLink::AsteroidOrbits);
}

void OrvexMainForm::spacecraftAddSlot() {
    addOrbitFile(EngineLink::SpacecraftOrbits);
}

void OrvexMainForm::spacecraftRemoveSlot() {
    removeOrbitFiles(EngineLink::SpacecraftOrbits);
}

bool OrvexMainForm::askBeforeLosingWork(const QString& question) {
    QMessageBox box(QMessageBox::Question, tr("Orvex Studio"), question, QMessageBox::NoButton,
                    this);
    QPushButton* yes = box.addButton(tr("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(tr("&No"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void OrvexMainForm::addOrbitFile(int kind) {
    if (!gl_ || !gl_->hasRoot())
        return;
    const OrbitFileKind& texts = orbitFileKinds[kind];
    FileQuestion question;
    question.caption = tr(texts.caption);
    question.filter = QString::fromLatin1(texts.filter);
    const QString file = fileChooser(question).file;
    if (file.isEmpty())
        return;
    const OrbitFileStore store(gl_->getOrbitDir(EngineLink::OrbitKind(kind)));
    if (store.holds(file))
        return;
    if (!OrbitFileStore::fileContains(file, QStringLiteral("Name:"))) {
        showWarning(tr(texts.invalidFile));
        return;
    }
    QString destination = store.destination(file);
    // Of two files that declare one body the engine takes the first by name:
    // a new file for a body of the directory replaces the one in use.
    const std::string name = OrbitFileStore::declaredName(file);
    const std::string declaring = name.empty() ? std::string() : store.findOrbitFile(name);
    const QString older = QFile::decodeName(QByteArray::fromStdString(declaring));
    const bool replacesOlder =
        !declaring.empty() && !QFileInfo(older).canonicalFilePath().isEmpty() &&
        QFileInfo(older).canonicalFilePath() != QFileInfo(destination).canonicalFilePath();
    const QString replaced = replacesOlder ? older : destination;
    // A body of the body data file reads its own orbit file, as Remove
    // leaves it: no file comes in over it.
    const std::string owner = bodyOwning(replaced, gl_->getBodyDataOrbitFiles());
    if (!owner.empty()) {
        showWarning(tr("%1 in the data directory belongs to %2, a body of the solar system that "
                       "the body data file describes: it is not replaced.")
                        .arg(QFileInfo(replaced).fileName(), EngineLink::fromEngineText(owner)));
        return;
    }
    if (replacesOlder) {
        if (!askBeforeLosingWork(
                tr("%1 in the data directory already declares %2.  Do you want to replace "
                   "it ?")
                    .arg(QFileInfo(older).fileName(), EngineLink::fromEngineText(name))))
            return;
        destination = QFileInfo(older).absoluteFilePath();
    } else if (QFileInfo::exists(destination) && !askBeforeLosingWork(tr(texts.sameName))) {
        return;
    }
    QString error;
    if (!OrbitFileStore::copy(file, destination, error))
        showWarning(tr("The orbit file could not be copied to %1:\n%2").arg(destination, error));
    // The engine rescans the directory either way and lists what it holds.
    gl_->processScenarioLine(texts.loadList);
    (this->*texts.refresh)();
    if (centerPlanetButton->isChecked())
        centerPlanetSlot();
}

void OrvexMainForm::removeOrbitFiles(int kind) {
    if (!gl_ || !gl_->hasRoot())
        return;
    const OrbitFileKind& texts = orbitFileKinds[kind];
    const OrbitFileStore store(gl_->getOrbitDir(EngineLink::OrbitKind(kind)));
    struct Found {
        std::string name;
        std::string path;
        bool needed; // by the body data file: the file stays
        bool stays;  // a body of the body data file, which no list removes
    };
    std::vector<Found> found;
    QStringList leaving, staying;
    const BodyDataFiles bodyData = gl_->getBodyDataOrbitFiles();
    std::vector<std::string> needed;
    for (const auto& body : bodyData)
        needed.push_back(body.second);
    for (int i = 0; i < displayList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = displayList->topLevelItem(i);
        if (!item->isSelected())
            continue;
        const std::string name = EngineLink::toEngineText(item->text(0));
        const std::string path = store.findOrbitFile(name);
        if (path.empty())
            continue;
        const bool isNeeded = OrbitFileStore::isAmong(path, needed);
        const bool stays =
            isNeeded && std::any_of(bodyData.begin(), bodyData.end(),
                                    [&](const auto& body) { return body.first == name; });
        found.push_back({name, path, isNeeded, stays});
        if (isNeeded)
            (stays ? staying : leaving) << item->text(0) + QStringLiteral(": ") +
                                               QFile::decodeName(QByteArray::fromStdString(path));
    }
    const QString stayNote =
        tr("These objects stay in the simulation, as part of the solar system that the body data "
           "file describes, and so do their orbit files:") +
        QLatin1Char('\n') + staying.join(QLatin1Char('\n'));
    // Nothing the user asked for can go: no question whose answer changes nothing.
    if (!found.empty() &&
        std::all_of(found.begin(), found.end(), [](const Found& object) { return object.stays; })) {
        showWarning(stayNote);
        return;
    }
    QString question = tr("Removed orbit data will be lost.  Do you really want to remove it ?");
    if (!leaving.isEmpty())
        question += QStringLiteral("\n\n") +
                    tr("These objects leave the list, but their orbit files stay, since the "
                       "body data file names them:") +
                    QLatin1Char('\n') + leaving.join(QLatin1Char('\n'));
    if (!staying.isEmpty())
        question += QStringLiteral("\n\n") + stayNote;
    if (!askBeforeLosingWork(question))
        return;
    std::vector<std::string> removed;
    QStringList failures;
    for (const Found& object : found) {
        QString error;
        if (object.stays)
            continue;
        if (object.needed || OrbitFileStore::remove(object.path, error))
            removed.push_back(object.name);
        else
            failures << QFile::decodeName(QByteArray::fromStdString(object.path)) + ": " + error;
    }
    if (!failures.isEmpty())
        showWarning(tr("The orbit files could not be removed:\n%1").arg(failures.join('\n')));
    if (removed.empty())
        return;
    gl_->processScenarioLine(texts.loadList);
    // The objects leave the list, whether their file went or stays: the load
    // keeps the names whose orbit file is missing.
    for (const std::string& name : removed)
        gl_->processScenarioLine(texts.remove + name);
    (this->*texts.refresh)();
    saveThroughEngine(texts.saveList,
                      tr("The orbit files are removed, but the list of objects in the simulation "
                         "could not be saved."));
    if (centerPlanetButton->isChecked())
        centerPlanetSlot();
}
