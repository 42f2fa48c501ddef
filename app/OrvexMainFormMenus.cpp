// The File, Edit, View and Help menus' own work: the initial state, printing,
// the stored state, help and About, the language menu, the widget styles and
// saving the view as an image.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleFactory>

#include "app/EngineLink.h"
#include "app/ImageOutput.h"
#include "app/LanguageList.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "ui/HelpViewer.h"
#include "ui/QDarkStyle.h"
#include "ui/QOrvexMap.h"

namespace {

// The engine's state lines kept by "Store State": one text for the program.
std::string storedState;

// The View menu's place for the language menu: between its two adjacent
// separators.
constexpr int languageMenuPosition = 18;

// The program's 48 x 48 emblem: a planet with its ring on a night sky.
QPixmap studioPicture() {
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 20, 48));
    p.drawEllipse(QRectF(1, 1, 46, 46));
    p.setBrush(QColor(255, 255, 230));
    for (const QPointF& star : {QPointF(10, 12), QPointF(36, 9), QPointF(40, 34), QPointF(9, 33)})
        p.drawEllipse(star, 1.0, 1.0);
    QRadialGradient planet(QPointF(20, 19), 16);
    planet.setColorAt(0, QColor(250, 210, 130));
    planet.setColorAt(1, QColor(170, 100, 40));
    p.setBrush(planet);
    p.drawEllipse(QRectF(13, 13, 22, 22));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 220, 240), 2));
    p.translate(24, 24);
    p.rotate(-20);
    p.drawEllipse(QRectF(-19, -5, 38, 10));
    return picture;
}

} // namespace

void OrvexMainForm::fileNew() {
    if (!gl_ || !gl_->hasRoot())
        return;
    gl_->clearLog();
    playScenarioFile(gl_->getInitStatesFile());
    gl_->clearLog();
}

void OrvexMainForm::filePrint() {
    const QImage picture = gl_ ? gl_->grabFrame() : QImage();
    if (picture.isNull())
        return;
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!ImageOutput::print(picture, printer))
        QMessageBox::warning(this, tr("Orvex Studio"), tr("The printer could not be started."));
}

void OrvexMainForm::editStore() {
    if (!gl_ || !gl_->hasRoot())
        return;
    storedState = gl_->getStateText();
    editRestoreAction->setEnabled(true);
}

void OrvexMainForm::editRestore() {
    if (gl_)
        gl_->runScript(storedState, 0);
}

void OrvexMainForm::helpContents() {
    const QString dir = HelpViewer::helpDirectory(programDir_, StartupState::locale());
    showHelp(QDir(dir).filePath(QString::fromLatin1(HelpViewer::contentsPage)));
}

void OrvexMainForm::showHelp(const QString& page, const QString& anchor) {
    helpViewer = HelpViewer::of(this);
    if (!helpViewer->isVisible()) {
        // No larger than the room it opens in, so that it reaches no
        // further than the screen's bottom edge.
        const QSize size = helpViewer->size();
        helpViewer->resize(size.boundedTo(roomBeside(marginsOf(helpViewer), 3, size.height())));
        const QRect place = clearOfBars(helpViewer, 3);
        if (!place.isNull())
            helpViewer->setGeometry(place);
    }
    helpViewer->present(page, anchor);
}

void OrvexMainForm::helpIndex() {
    helpContents();
}

void OrvexMainForm::helpAbout() {
    auto* box = new QMessageBox(this);
    box->setObjectName("AboutBox");
    box->setWindowTitle(tr("Orvex Studio"));
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<center><nobr><h3>Orvex Studio<br>Version 1.1.6</h3>"
                                "A real-time planetarium and orrery<br>"
                                "for the desktop, the classroom and the dome.<br><br>"
                                "Qt %1, OpenGL</nobr></center>")
                     .arg(QString::fromLatin1(qVersion())));
    box->setIconPixmap(studioPicture());
    box->exec();
    delete box;
}

void OrvexMainForm::buildLanguageMenu() {
    auto* popup = new QMenu(this);
    popup->setObjectName("languagePopupMenu");
    popup->setTitle(tr("Change &Language"));
    const QStringList languages = LanguageList::scan(StartupState::translationDir());
    LanguageList::setCurrent(languages);
    for (int id = 0; id < languages.size(); ++id)
        popup->addAction(languages[id])->setData(id);
    connect(popup, &QMenu::triggered, this,
            [this](QAction* item) { languageSlot(item->data().toInt()); });
    viewMenu->insertMenu(viewMenu->actions().value(languageMenuPosition), popup);
}

void OrvexMainForm::languageSlot(int id) {
    const QStringList& languages = LanguageList::current();
    if (id < 0 || id >= languages.size())
        return;
    StartupState::setLocale(languages[id]);
    QMessageBox::warning(
        this, tr("Orvex Studio"),
        tr("The GUI language will be changed when you run OrvexStudio next time."));
}

void OrvexMainForm::viewStyleWindowsXP() {
    // Only where the toolkit offers the XP style; elsewhere the Windows style.
    if (!QStyleFactory::keys().contains(QStringLiteral("WindowsXP"), Qt::CaseInsensitive)) {
        viewStyleWindowsAction->setChecked(true);
        viewStyleWindows();
        return;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("WindowsXP")));
    mapLabel->reloadMap();
    styleName_ = "WindowsXP";
}

void OrvexMainForm::viewStyleWindows() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    mapLabel->reloadMap();
    styleName_ = "Windows";
}

void OrvexMainForm::viewStyleDark() {
    QApplication::setStyle(new QDarkStyle);
    mapLabel->reloadMap();
    styleName_ = "Dark";
}

void OrvexMainForm::fileSaveImage() {
    FileQuestion question;
    question.mode = FileQuestion::Mode::Save;
    question.caption = tr("Save as an image file ...");
    question.filter = ImageOutput::saveFilter();
    const FileChoice choice = fileChooser(question);
    const QString file = withFilterExtension(choice.file, choice.filter);
    if (file.isEmpty())
        return;
    const QImage picture = gl_ ? gl_->grabFrame() : QImage();
    QString error;
    if (!ImageOutput::save(picture.convertToFormat(QImage::Format_RGB32), file, &error))
        QMessageBox::warning(this, tr("Orvex Studio"),
                             tr("The image could not be saved as %1.\n%2")
                                 .arg(QDir::toNativeSeparators(file), error));
}
