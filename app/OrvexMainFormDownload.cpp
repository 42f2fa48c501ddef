// The update button of the artificial-satellite page: fetches every element
// file named in the URL list into the engine's artificial-satellite directory,
// then has the engine reload its satellite list. One run at a time; the user
// goes on working while it runs, under the wait cursor. At the end the window
// tells which groups were updated and why any other was not.
#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <QStatusBar>

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
    QString error;
    const QStringList urls =
        SatelliteDownload::readUrlList(QString::fromLatin1(urlListFile), &error);
    if (urls.isEmpty()) {
        const QString list =
            QDir::cleanPath(QDir::current().absoluteFilePath(QString::fromLatin1(urlListFile)));
        showWarning(error.isEmpty()
                        ? tr("The satellite update has nothing to fetch: the address list %1 "
                             "is empty.")
                              .arg(list)
                        : tr("The satellite update has nothing to fetch: the address list %1 "
                             "cannot be read: %2.")
                              .arg(list, error));
        return;
    }
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
    if (asatUpdater)
        reportSatelliteUpdate(*asatUpdater);
}

void OrvexMainForm::reportSatelliteUpdate(const SatelliteDownload& download) {
    const QVector<SatelliteDownload::Outcome>& outcomes = download.outcomes();
    QStringList updated;
    QStringList failed;
    for (const SatelliteDownload::Outcome& outcome : outcomes) {
        if (outcome.stored)
            updated << outcome.group;
        else
            failed << tr("%1: %2").arg(outcome.group, outcome.reason);
    }
    const QString names = updated.join(QStringLiteral(", "));
    if (failed.isEmpty()) {
        statusBar()->showMessage(tr("Satellite elements updated: %1.").arg(names));
        return;
    }
    statusBar()->showMessage(
        tr("Satellite update: %1 of %2 groups updated.").arg(updated.size()).arg(outcomes.size()));
    QString text =
        tr("Not every satellite group could be updated; those not updated keep their elements.") +
        QStringLiteral("\n\n");
    if (!updated.isEmpty())
        text += tr("Updated: %1").arg(names) + QStringLiteral("\n");
    text += tr("Not updated:") + QStringLiteral("\n") + failed.join(QLatin1Char('\n'));
    showWarning(text);
}
