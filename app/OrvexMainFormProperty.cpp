// The property panel of the "Scenario Edit" page: every class of the
// engine's command registry with its listed commands, a command's value and
// help text, the command line "<Class>.<Command> <value>", and the command's
// page of the class reference in the help window. Also the page changes of
// the control panel that refresh the "Basic" page and fill the class list.
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextCodec>
#include <QTextEdit>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "ui/HelpViewer.h"

namespace {

// Help texts are 8-bit: UTF-8 where they are valid UTF-8, else byte for byte.
QString helpText(const std::string& bytes) {
    QTextCodec::ConverterState state;
    const QString text =
        QTextCodec::codecForName("UTF-8")->toUnicode(bytes.data(), int(bytes.size()), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return QString::fromLatin1(bytes.data(), int(bytes.size()));
}

// The page index of "Scenario Edit" in the control panel.
const int scenarioPage = 3;

} // namespace

void OrvexMainForm::tabSlot() {
    if (!gl_ || !gl_->hasRoot())
        return;
    const int page = tabWidget->currentIndex();
    if (page == 0) {
        updateInterface();
    } else if (page == scenarioPage) {
        scenarioEdit->setFocus();
        fillClassList();
    }
}

void OrvexMainForm::fillClassList() {
    if (!gl_ || classNameCombo->count() > 0)
        return;
    const int count = gl_->getClassCount();
    for (int i = 0; i < count; ++i)
        classNameCombo->addItem(EngineLink::fromEngineText(gl_->getClassName(i)));
    propClassSlot();
}

void OrvexMainForm::propClassSlot() {
    propNameCombo->clear();
    const int i = classNameCombo->currentIndex();
    if (!gl_ || i < 0)
        return;
    // Hidden commands are left out, so each item keeps its command's position.
    const int count = gl_->getCommandCount(i);
    for (int j = 0; j < count; ++j)
        if (gl_->isCommandListed(i, j))
            propNameCombo->addItem(EngineLink::fromEngineText(gl_->getCommandName(i, j)), j);
    // The value and help shown belong to the command now shown: a value left
    // from the previous class would be sent to this class's first command.
    if (propNameCombo->count() > 0) {
        propPropertySlot();
    } else {
        propValueEdit->clear();
        propHelpEdit->clear();
    }
}

void OrvexMainForm::propPropertySlot() {
    if (!gl_ || classNameCombo->currentIndex() < 0 || propNameCombo->currentIndex() < 0)
        return;
    const std::string name = EngineLink::toEngineText(classNameCombo->currentText()) + "." +
                             EngineLink::toEngineText(propNameCombo->currentText());
    std::string value = gl_->getCommandValue(name);
    if (value == "Undefined")
        value.clear();
    propValueEdit->setText(EngineLink::fromEngineText(value));
    const int command = propNameCombo->currentData().toInt();
    propHelpEdit->setPlainText(
        helpText(gl_->getCommandHelp(classNameCombo->currentIndex(), command)));
}

void OrvexMainForm::propValueSlot() {
    if (!gl_ || classNameCombo->currentText().isEmpty() || propNameCombo->currentText().isEmpty())
        return;
    gl_->processScenarioLine(EngineLink::toEngineText(classNameCombo->currentText()) + "." +
                             EngineLink::toEngineText(propNameCombo->currentText()) + " " +
                             EngineLink::toEngineText(propValueEdit->text()));
}

void OrvexMainForm::propHelpSlot() {
    const QString className = classNameCombo->currentText();
    const QString docDir = programDir_ + QStringLiteral("/doc");
    QString page =
        HelpViewer::findPage(docDir, StartupState::locale(), HelpViewer::classPage(className));
    QString anchor = HelpViewer::commandAnchor(className, propNameCombo->currentText());
    if (page.isEmpty()) {
        // A class without a page of its own: the reference's index.
        page = HelpViewer::findPage(docDir, StartupState::locale(),
                                    QString::fromLatin1(HelpViewer::contentsPage));
        anchor.clear();
    }
    if (page.isEmpty()) {
        showWarning(tr("The help pages are missing from %1.").arg(docDir));
        return;
    }
    showHelp(page, anchor);
}
