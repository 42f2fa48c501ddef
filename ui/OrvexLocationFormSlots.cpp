// The place editor at work: the list from the engine, the editors of the
// selected entry and its record, Add and Remove, the file browsers, and OK,
// which checks the entries and hands them to the engine.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include "app/CommandText.h"
#include "app/EngineLink.h"
#include "app/PathBelow.h"
#include "ui/BodyMap.h"
#include "ui/OrvexLocationForm.h"
#include "ui/PlaceRecord.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrderedListView.h"
#include "ui/QOrvexMap.h"

namespace {

// The value a box shows, exactly: 45.80 is written 45.800000, where the
// box's float would give 45.799999.
double shownValue(const QFloatSpinBox* box) {
    return double(box->QSpinBox::value()) / box->scale();
}

} // namespace

QTreeWidgetItem* OrvexLocationForm::selectedItem() const {
    const QList<QTreeWidgetItem*> items = locationListView->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void OrvexLocationForm::updateForm() {
    updating = true;
    locationListView->clear();
    if (gl_ && gl_->hasSelectedBody()) {
        // Entry i is the body's place number i: each goes in at the top, last first.
        const QStringList names = CommandText::readList(gl_->getCommandValue("Ssystem.PlaceNames"));
        for (int i = names.size() - 1; i >= 0; --i) {
            auto* item = new OrderedListItem(locationListView);
            item->setText(0, names[i]);
            item->setText(1, EngineLink::fromEngineText(gl_->formatPlace(i)));
        }
        // "None" when the body has no selected place: then nothing is selected.
        const QString current =
            EngineLink::fromEngineText(gl_->getCommandValue("Ssystem.PlaceName"));
        for (int i = 0; i < locationListView->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = locationListView->topLevelItem(i);
            if (item->text(0) == current) {
                locationListView->setCurrentItem(item);
                item->setSelected(true);
                locationListView->scrollToItem(item);
                break;
            }
        }
    }
    mapLabel->setMap(BodyMap::textureFile(gl_));
    updating = false;
    listSlot();
}

void OrvexLocationForm::listSlot() {
    if (updating)
        return;
    updating = true;
    QTreeWidgetItem* item = selectedItem();
    setEditorsEnabled(item != nullptr);
    const PlaceRecord record = item ? PlaceRecord::parse(item->text(1)) : PlaceRecord();
    locationEdit->setText(record.name);
    loadedLatitude_ = loadInto(latSpinBox, record.latitude);
    loadedLongitude_ = loadInto(lonSpinBox, record.longitude);
    panoramaEdit->setText(record.panorama);
    weatherEdit->setText(record.weather);
    moveMarker();
    updating = false;
}

void OrvexLocationForm::placeText() {
    QTreeWidgetItem* item = selectedItem();
    if (!item)
        return;
    PlaceRecord record;
    record.name = PlaceRecord::escapedName(locationEdit->text());
    record.latitude = recordValue(latSpinBox, loadedLatitude_);
    record.longitude = recordValue(lonSpinBox, loadedLongitude_);
    record.panorama = panoramaEdit->text();
    record.weather = weatherEdit->text();
    item->setText(1, record.format());
}

OrvexLocationForm::LoadedCoordinate OrvexLocationForm::loadInto(QFloatSpinBox* box, double value) {
    box->setValue(value);
    return {value, box->QSpinBox::value()};
}

// What the user did not change is written as it was read.
double OrvexLocationForm::recordValue(const QFloatSpinBox* box, const LoadedCoordinate& loaded) {
    return box->QSpinBox::value() == loaded.steps ? loaded.value : shownValue(box);
}

void OrvexLocationForm::locationNameChanged() {
    QTreeWidgetItem* item = selectedItem();
    if (updating || !item)
        return;
    updating = true;
    item->setText(0, PlaceRecord::escapedName(locationEdit->text()));
    placeText();
    updating = false;
}

void OrvexLocationForm::latitudeSlot() {
    if (updating)
        return;
    updating = true;
    moveMarker();
    placeText();
    updating = false;
}

void OrvexLocationForm::latitudeSlot(int) {
    latitudeSlot();
}

void OrvexLocationForm::longitudeSlot() {
    latitudeSlot();
}

void OrvexLocationForm::longitudeSlot(int) {
    latitudeSlot();
}

void OrvexLocationForm::locationChangedSlot() {
    if (updating || !selectedItem())
        return;
    updating = true;
    // The boxes clamp a drag beyond the map's edge to their ranges.
    latSpinBox->setValue(mapLabel->latitude());
    lonSpinBox->setValue(mapLabel->longitude());
    placeText();
    updating = false;
}

// Loading an entry into the editors leaves its record as it is: only the
// user's edits rewrite it (the boxes would cut its coordinates to two
// decimals).
void OrvexLocationForm::panoramaChangedSlot() {
    if (!updating)
        placeText();
}

void OrvexLocationForm::weatherChangedSlot() {
    panoramaChangedSlot();
}

void OrvexLocationForm::listAddSlot() {
    QTreeWidgetItem* selected = selectedItem();
    const QString name = tr("New_place");
    const QString record = selected ? selected->text(1) : name + QLatin1String(" 0.00 0.00");
    OrderedListItem* item = locationListView->newItem();
    item->setText(0, tr("New place"));
    item->setText(1, record);
    locationListView->setCurrentItem(item);
    // The name edit renames the new entry; when the copied entry bore that
    // name already the text does not change, and the entry is renamed here.
    if (locationEdit->text() == name)
        locationNameChanged();
    else
        locationEdit->setText(name);
}

void OrvexLocationForm::listRemoveSlot() {
    delete selectedItem();
}

void OrvexLocationForm::panoramaBrowseSlot() {
    browse({"textures", "Panorama Files (*.png)", QT_TR_NOOP("Open a panorama file ..."),
            panoramaEdit, QT_TR_NOOP("Select a panorama file in 'textures' folder.")});
}

void OrvexLocationForm::weatherBrowseSlot() {
    browse({"effects", "Effect Files (*.dfx)", QT_TR_NOOP("Open an effect file ..."), weatherEdit,
            QT_TR_NOOP("Select an effect file in 'effects' folder.")});
}

void OrvexLocationForm::browse(const BrowseRow& row) {
    // The engine's directories lie in its data directory; the dialog starts
    // there, and the working directory stays as it is.
    const QString dataDir = gl_ ? EngineLink::fromEngineText(gl_->getDataDir()) : QString();
    const QString directory =
        QDir(QDir::fromNativeSeparators(dataDir)).filePath(QString::fromLatin1(row.directory));
    FileQuestion question;
    question.caption = tr(row.caption);
    question.directory = directory;
    question.filter = QString::fromLatin1(row.filter);
    question.objectName = tr("FileOpen");
    const QString chosen = fileChooser(question).file;
    if (chosen.isEmpty()) {
        warn(tr(row.warning));
        return;
    }
    row.edit->setText(
        storedFileName(chosen, directory, QLatin1String("./") + QLatin1String(row.directory)));
}

QString OrvexLocationForm::storedFileName(const QString& chosen, const QString& directory,
                                          const QString& replacement) {
    // The file's own name is kept: a linked file inside the directory is still
    // the directory's file.
    const QFileInfo file(QDir::fromNativeSeparators(chosen));
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString path =
        (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
    const QString base = QFileInfo(QDir::fromNativeSeparators(directory)).canonicalFilePath();
    const QString below = pathBelow(path, base);
    return below.isEmpty() ? path : replacement + QLatin1Char('/') + below;
}

void OrvexLocationForm::okSlot() {
    if (!checkEntries())
        return;
    if (gl_) {
        gl_->clearPlaces();
        for (int i = 0; i < locationListView->topLevelItemCount(); ++i)
            gl_->addPlace(EngineLink::toEngineText(locationListView->topLevelItem(i)->text(1)));
        gl_->ensureDefaultPlace();
    }
    accept();
}

bool OrvexLocationForm::checkEntries() {
    const int count = locationListView->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = locationListView->topLevelItem(i);
        // A record without its name, or with a file name cut at a blank,
        // would come back from the engine as another place.
        QString problem;
        if (item->text(0).isEmpty())
            problem = tr("The location name must not be empty.");
        else if (PlaceRecord::parse(item->text(1)).hasBlankInFileName())
            problem = tr("A panorama or weather effect file name must not contain blanks.");
        if (!problem.isEmpty()) {
            locationListView->setCurrentItem(item);
            warn(problem);
            return false;
        }
    }
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (locationListView->topLevelItem(i)->text(0) ==
                locationListView->topLevelItem(j)->text(0)) {
                warn(tr("The location name must be unique on each celestial body."));
                return false;
            }
        }
    }
    return true;
}

void OrvexLocationForm::cancelSlot() {
    reject();
}

void OrvexLocationForm::warn(const QString& text) {
    QMessageBox::warning(this, tr("Orvex"), text);
}

void OrvexLocationForm::moveMarker() {
    mapLabel->setPosition(lonSpinBox->value(), latSpinBox->value());
}

void OrvexLocationForm::setEditorsEnabled(bool enabled) {
    QWidget* const editors[] = {locationEdit,       latSpinBox,  lonSpinBox,
                                panoramaEdit,       weatherEdit, panoramaBrowseButton,
                                weatherBrowseButton};
    for (QWidget* editor : editors)
        editor->setEnabled(enabled);
}
