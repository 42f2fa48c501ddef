// The update button of the artificial-satellite page: fetches every element
// file named in the URL list into the engine's artificial-satellite directory,
// then has the engine reload its satellite list. One run at a time; the user
// goes on working while it runs, under the wait cursor.
#include <QApplication>
#include <QDir>
#include <QRadioButton>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/SatelliteDownload.h"

namespace {

// Relative to the program's working directory.
const char* const urlListFile = "./data/asatellites.lst";

} // namespace

void OrvexMainForm::asatelliteUpdateSlot() {
    if (asatUpdater && asatUpdater->isRunning())
        return;
    // The files are the engine's to load, in the directory the engine names.
    if (!gl_ || !gl_->hasRoot())
        return;
    const QStringList urls = SatelliteDownload::readUrlList(QString::fromLatin1(urlListFile));
    if (urls.isEmpty())
        return;
    const QString directory = QDir::current().absoluteFilePath(
        EngineLink::fromEngineText(gl_->getOrbitDir(EngineLink::ASatelliteOrbits)));

    if (asatUpdater) {
        disconnect(asatUpdater, nullptr, this, nullptr);
        asatUpdater->deleteLater();
    }
    asatUpdater = new SatelliteDownload(this);
    connect(asatUpdater, &SatelliteDownload::finishedAll, this,
            &OrvexMainForm::asatUpdater_finishedAll);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    asatCursor_ = true;
    asatUpdater->start(urls, directory);
}

void OrvexMainForm::asatUpdater_finishedAll() {
    if (gl_)
        gl_->processScenarioLine("Ssystem.LoadASatelliteList Default");
    if (displayASatelliteButton->isChecked())
        updateASatellitesList();
    if (asatCursor_) {
        asatCursor_ = false;
        QApplication::restoreOverrideCursor();
    }
}
