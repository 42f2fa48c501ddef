#include "app/OrvexMainForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "app/MainFormBuild.h"
#include "app/ScenarioFile.h"
#include "ui/ActivationFocus.h"
#include "ui/FoldedPaneFocus.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

enum class Role { Text, Title, ToolTip };

// Every fixed text of the two panes, in the order of the widget tree.
const struct {
    const char* object;
    Role role;
    const char* text;
} widgetTexts[] = {
    {"browserPrevButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "<")},
    {"browserNextButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", ">")},
    {"browserStopButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "X")},
    {"browserReloadButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "R")},
    {"browserHomeButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "H")},
    {"bookmarkButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Bookmark")},
    {"mediaGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Media Viewer")},
    {"mediaPlayButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Play")},
    {"mediaPauseButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Pause")},
    {"mediaStopButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Stop")},
    {"mediaCtrlCheck", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Playback control")},
    {"mediaViewerHelpLabel", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Drop a image or a movie on [Show] button to show it.")},
    {"viewpointGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Viewpoint")},
    {"SimModeLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Simulation Mode : ")},
    {"LocationLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Location Name : ")},
    {"planetPrevButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "<")},
    {"planetNextButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", ">")},
    {"simModePrevButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "<")},
    {"simModNextButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", ">")},
    {"locationPrevButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "<")},
    {"locationNextButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", ">")},
    {"PlanetLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Celestial body Name : ")},
    {"LonLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Longitude : ")},
    {"LatLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Latitude : ")},
    {"locationEditButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Edit locations...")},
    {"cameraModeButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Landing /\nLaunching")},
    {"effectCheck", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "with Effect")},
    {"flightButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Free flight")},
    {"dateTimeGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Date / Time")},
    {"actualButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Actual time")},
    {"stepLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "  Step : ")},
    {"seppdLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Speed : ")},
    {"speedStopButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Stop")},
    {"displayGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Display")},
    {"nameButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Planet etc. labels")},
    {"orbitButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Orbits")},
    {"protractorButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Protractors")},
    {"scaleButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Radius scaling")},
    {"axisButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Spin axes")},
    {"cloudButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Clouds, Atmosphere")},
    {"lightingButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Lighting")},
    {"landscapeButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Landscapes")},
    {"weatherButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Weather effects")},
    {"consoleButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Information console")},
    {"galaxiesButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Nebula, Star clusters")},
    {"starNameButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Fixed star labels")},
    {"constePictureButton", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Constellation figures")},
    {"consteLineButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Constellation lines")},
    {"frameButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Equatorial coordinate")},
    {"starsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Fixed stars")},
    {"mwayButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Milky Way")},
    {"astrBeltButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Asteroid belt")},
    {"umbraButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Umbra")},
    {"penumbraButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Penumbra")},
    {"dustButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Dust, Shooting stars")},
    {"fadeButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Fade in / out")},
    {"detailButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Detail settings...")},
    {"centeringGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Centering settings")},
    {"centerFixedStarButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Fixed Star")},
    {"centerConsteButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Constellation")},
    {"centerGalaxyButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Nebula, Star Cluster")},
    {"centerPlanetButton", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Sun, Planet, Satellite")},
    {"centerLabel", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Centering by double clicking an item in the list.")},
    {"traceCheck", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Keep centering")},
    {"objectGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Object Display Settings")},
    {"displayConsteButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Constellations")},
    {"displayASatelliteButton", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Artificial satellites")},
    {"displayFixedStarButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Fixed stars")},
    {"displaySpacecraftButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Space crafts")},
    {"displayAsteroidButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Asteroids")},
    {"displayCometButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Comets")},
    {"displayGalaxyButton", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Nebula, Star clusters")},
    {"displayPlanetButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Sun, Planets")},
    {"consteShowLinesButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Show Lines")},
    {"consteHlightLinesButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Highlight Lines")},
    {"consteHideLinesButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Hide Lines")},
    {"consteShowPictsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Show Figures")},
    {"consteHilightPictsButton", Role::Text,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Highlight Figures")},
    {"consteHidePictsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Hide Figures")},
    {"consteShowLabelsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Show Labels")},
    {"consteHideLabelsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Hide Labels")},
    {"consteShowSepsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Show Seps.")},
    {"consteHideSepsButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Hide Seps.")},
    {"cometsAddButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Add...")},
    {"cometsRemoveButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Remove")},
    {"asteroidsAddButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Add...")},
    {"asteroidsRemoveButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Remove")},
    {"spacecraftAddButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Add...")},
    {"spacecraftRemoveButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Remove")},
    {"asatellitesUpdateButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Update")},
    {"scenarioEditGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Scenario edit")},
    {"scenarioNewButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "New Scenario")},
    {"scenarioOpenButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Open Scenario")},
    {"scenarioSaveAsButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Save Scenario as")},
    {"scenarioCutButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Cut (Ctrl+X)")},
    {"scenarioCopyButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Copy (Ctrl+C)")},
    {"scenarioPasteButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Paste (Ctrl+P)")},
    {"scenarioUndoButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Undo (Ctrl+Z)")},
    {"scenarioRedoButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Redo (Ctrl+Y)")},
    {"scenarioStateButton", Role::ToolTip,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Record Current State")},
    {"scenarioCameraButton", Role::ToolTip,
     QT_TRANSLATE_NOOP("OrvexMainForm", "Record Current View")},
    {"scenarioRecButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Record Operations")},
    {"scenarioPlayButton", Role::ToolTip, QT_TRANSLATE_NOOP("OrvexMainForm", "Play Scenario")},
    {"propGroup", Role::Title, QT_TRANSLATE_NOOP("OrvexMainForm", "Property / Method settings")},
    {"propLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Property / Method : ")},
    {"propCommaLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", ".")},
    {"propValueLabel", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Value : ")},
    {"propSetButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Set")},
    {"propHelpButton", Role::Text, QT_TRANSLATE_NOOP("OrvexMainForm", "Help")},
};

const char* const tabLabels[] = {QT_TRANSLATE_NOOP("OrvexMainForm", "Basic"),
                                 QT_TRANSLATE_NOOP("OrvexMainForm", "Centering"),
                                 QT_TRANSLATE_NOOP("OrvexMainForm", "Object Display"),
                                 QT_TRANSLATE_NOOP("OrvexMainForm", "Scenario Edit")};

const char* const stepItems[] = {
    QT_TRANSLATE_NOOP("OrvexMainForm", "sec/s"),   QT_TRANSLATE_NOOP("OrvexMainForm", "min/s"),
    QT_TRANSLATE_NOOP("OrvexMainForm", "hour/s"),  QT_TRANSLATE_NOOP("OrvexMainForm", "day/s"),
    QT_TRANSLATE_NOOP("OrvexMainForm", "month/s"), QT_TRANSLATE_NOOP("OrvexMainForm", "year/s")};

} // namespace

OrvexMainForm::OrvexMainForm(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QMainWindow(parent, flags) {
    statusBar();
    setObjectName(name ? QString::fromLatin1(name) : QStringLiteral("OrvexMainForm"));

    qt_central_widget = MainFormBuild::make<QWidget>("qt_central_widget", this);
    setCentralWidget(qt_central_widget);
    OrvexMainFormLayout = MainFormBuild::hbox("OrvexMainFormLayout", 2, 2);
    qt_central_widget->setLayout(OrvexMainFormLayout);
    splitter2 = MainFormBuild::make<QSplitter>("splitter2", Qt::Horizontal, qt_central_widget);

    buildBrowserPane();
    buildControlPanel();
    OrvexMainFormLayout->addWidget(splitter2);
    foldedPanes_ = new FoldedPaneFocus(splitter2);
    foldedPanes_->watch(layout44);
    foldedPanes_->watch(tabWidget);
    new ActivationFocus(this, browserUrlLine);

    buildActions();
    buildToolBarAndMenus();
    languageChange();
    resize(QSize(1001, 935).expandedTo(minimumSizeHint()));
    connectActions();
    connectControls();
    timeDisplayTimer_ = new QTimer(this);
    timeDisplayTimer_->setSingleShot(true);
    connect(timeDisplayTimer_, &QTimer::timeout, this, &OrvexMainForm::showEngineTime);
    setFocusOrder();
    init();
}

OrvexMainForm::~OrvexMainForm() = default;

void OrvexMainForm::languageChange() {
    setWindowTitle(tr("Orvex Control Window"));
    for (const auto& entry : widgetTexts) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(entry.object));
        if (!widget)
            continue;
        const QString text = tr(entry.text);
        if (entry.role == Role::ToolTip) {
            widget->setToolTip(text);
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setText(QString());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            group->setTitle(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(text);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(text);
        }
    }
    QWidget* pages[] = {tab, tab_2, TabPage, TabPage_2};
    for (int i = 0; i < 4; ++i)
        tabWidget->setTabText(tabWidget->indexOf(pages[i]), tr(tabLabels[i]));
    stepCombo->clear();
    for (const char* item : stepItems)
        stepCombo->addItem(tr(item));
    centerList->setHeaderLabels({tr("Name")});
    displayList->setHeaderLabels({tr("Name")});
    setActionTexts();
    fitMediaButtons();
}

void OrvexMainForm::connectControls() {
    using F = OrvexMainForm;
    auto clicked = [this](QAbstractButton* button, void (F::*slot)()) {
        connect(button, &QAbstractButton::clicked, this, slot);
    };
    auto toggled = [this](QAbstractButton* button, void (F::*slot)(bool)) {
        connect(button, &QAbstractButton::toggled, this, slot);
    };
    auto activated = [this](QComboBox* combo, void (F::*slot)(int)) {
        connect(combo, QOverload<int>::of(&QComboBox::activated), this, slot);
    };
    auto spun = [this](QSpinBox* box, void (F::*slot)(int)) {
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, slot);
    };

    clicked(browserPrevButton, &F::browserPrevSlot);
    clicked(browserNextButton, &F::browserNextSlot);
    clicked(browserStopButton, &F::browserStopSlot);
    clicked(browserReloadButton, &F::browserReloadSlot);
    clicked(browserHomeButton, &F::browserHomeSlot);
    clicked(bookmarkButton, &F::bookmarkSlot);
    connect(browserUrlLine, &QLineEdit::returnPressed, this, &F::browserUrlSlot);
    connect(mediaButton, &QDropButton::dropped, this, &F::mediaDropped);
    toggled(mediaButton, &F::mediaSlot);
    clicked(mediaPlayButton, &F::mediaPlaySlot);
    clicked(mediaPauseButton, &F::mediaPauseSlot);
    clicked(mediaStopButton, &F::mediaStopSlot);
    toggled(mediaCtrlCheck, &F::mediaCtrlSlot);
    connect(tabWidget, &QTabWidget::currentChanged, this, &F::tabSlot);

    activated(locationCombo, &F::locationSlot);
    activated(simModeCombo, &F::simModeSlot);
    clicked(planetPrevButton, &F::planetPrevSlot);
    clicked(planetNextButton, &F::planetNextSlot);
    clicked(simModePrevButton, &F::simModePrevSlot);
    clicked(simModNextButton, &F::simModeNextSlot);
    activated(planetCombo, &F::planetSlot);
    clicked(locationPrevButton, &F::locationPrevSlot);
    clicked(locationNextButton, &F::locationNextSlot);
    connect(mapLabel, &QOrvexMap::locationChanged, this, &F::locationChanged);
    spun(lonSpinBox, &F::longitudeSlot);
    spun(latSpinBox, &F::latitudeSlot);
    clicked(locationEditButton, &F::locationEditSlot);
    clicked(cameraModeButton, &F::cameraModeSlot);
    toggled(flightButton, &F::flightSlot);

    connect(dateTimeEdit, &QDateTimeEdit::dateTimeChanged, this, &F::dateTimeSlot);
    clicked(actualButton, &F::actualSlot);
    activated(stepCombo, &F::stepSlot);
    connect(speedSlider, &QSlider::valueChanged, this, &F::speedSlot);
    spun(speedSpinBox, &F::speedSpinSlot);
    clicked(speedStopButton, &F::speedStopSlot);

    toggled(nameButton, &F::planetNameSlot);
    toggled(orbitButton, &F::orbitSlot);
    toggled(protractorButton, &F::protractorSlot);
    toggled(scaleButton, &F::scaleSlot);
    toggled(axisButton, &F::spinAxisSlot);
    toggled(cloudButton, &F::cloudSlot);
    toggled(lightingButton, &F::lightingSlot);
    toggled(landscapeButton, &F::landscapeSlot);
    toggled(weatherButton, &F::weatherSlot);
    toggled(consoleButton, &F::consoleSlot);
    toggled(galaxiesButton, &F::galaxySlot);
    toggled(starNameButton, &F::starLabelSlot);
    toggled(constePictureButton, &F::constePictSlot);
    toggled(consteLineButton, &F::consteLineSlot);
    toggled(frameButton, &F::eqcoordSlot);
    toggled(starsButton, &F::starsSlot);
    toggled(mwayButton, &F::mwaySlot);
    toggled(astrBeltButton, &F::astrBeltSlot);
    toggled(umbraButton, &F::umbraSlot);
    toggled(penumbraButton, &F::penumbraSlot);
    toggled(dustButton, &F::dustSlot);
    toggled(fadeButton, &F::fadeSlot);
    clicked(detailButton, &F::detailSettingsSlot);

    clicked(centerFixedStarButton, &F::centerFixedStarSlot);
    clicked(centerConsteButton, &F::centerConsteSlot);
    clicked(centerGalaxyButton, &F::centerGalaxySlot);
    clicked(centerPlanetButton, &F::centerPlanetSlot);
    connect(centerList, &QTreeWidget::itemDoubleClicked, this, &F::centeringSlot);

    clicked(displayConsteButton, &F::displayConsteSlot);
    clicked(displayASatelliteButton, &F::displayASatelliteSlot);
    clicked(displayFixedStarButton, &F::displayFstarSlot);
    clicked(displaySpacecraftButton, &F::displaySpacecraftSlot);
    clicked(displayAsteroidButton, &F::displayAsteroidSlot);
    clicked(displayCometButton, &F::displayCometSlot);
    clicked(displayGalaxyButton, &F::displayGalaxySlot);
    clicked(displayPlanetButton, &F::displayPlanetSlot);
    connect(displayList, &QTreeWidget::itemSelectionChanged, this, &F::displayListSlot);
    // A click on a tick turns it without selecting its item: the tick is
    // applied when it turns.
    connect(displayList, &QTreeWidget::itemChanged, this, &F::displayListSlot);
    clicked(consteShowLinesButton, &F::consteShowLinesSlot);
    clicked(consteHlightLinesButton, &F::consteHighlightLinesSlot);
    clicked(consteHideLinesButton, &F::consteHideLinesSlot);
    clicked(consteShowPictsButton, &F::consteShowPictsSlot);
    clicked(consteHilightPictsButton, &F::consteHighlightPictsSlot);
    clicked(consteHidePictsButton, &F::consteHidePictsSlot);
    clicked(consteShowLabelsButton, &F::consteShowLabelsSlot);
    clicked(consteHideLabelsButton, &F::consteHideLabelsSlot);
    clicked(consteShowSepsButton, &F::consteShowSepsSlot);
    clicked(consteHideSepsButton, &F::consteHideSepsSlot);
    clicked(cometsAddButton, &F::cometsAddSlot);
    clicked(cometsRemoveButton, &F::cometsRemoveSlot);
    clicked(asteroidsAddButton, &F::asteroidsAddSlot);
    clicked(asteroidsRemoveButton, &F::asteroidsRemoveSlot);
    clicked(spacecraftAddButton, &F::spacecraftAddSlot);
    clicked(spacecraftRemoveButton, &F::spacecraftRemoveSlot);
    clicked(asatellitesUpdateButton, &F::asatelliteUpdateSlot);

    clicked(scenarioNewButton, &F::scenarioNewSlot);
    clicked(scenarioOpenButton, &F::scenarioOpenSlot);
    clicked(scenarioSaveAsButton, &F::scenarioSaveAsSlot);
    clicked(scenarioCutButton, &F::scenarioCutSlot);
    clicked(scenarioCopyButton, &F::scenarioCopySlot);
    clicked(scenarioPasteButton, &F::scenarioPasteSlot);
    clicked(scenarioUndoButton, &F::scenarioUndoSlot);
    clicked(scenarioRedoButton, &F::scenarioRedoSlot);
    clicked(scenarioStateButton, &F::scenarioStateSlot);
    clicked(scenarioCameraButton, &F::scenarioCameraSlot);
    toggled(scenarioRecButton, &F::scenarioRecSlot);
    toggled(scenarioPlayButton, &F::scenarioPlaySlot);
    connect(scenarioEdit, &QTextEdit::textChanged, this, &F::scenarioEditSlot);
    // The property combos run slots that read the combo themselves.
    connect(classNameCombo, QOverload<int>::of(&QComboBox::activated), this, &F::propClassSlot);
    connect(propNameCombo, QOverload<int>::of(&QComboBox::activated), this, &F::propPropertySlot);
    connect(propValueEdit, &QLineEdit::returnPressed, this, &F::propValueSlot);
    clicked(propSetButton, &F::propValueSlot);
    clicked(propHelpButton, &F::propHelpSlot);
}

void OrvexMainForm::setFocusOrder() {
    QWidget* const order[] = {browserUrlLine,
                              browserPrevButton,
                              browserNextButton,
                              browserStopButton,
                              browserReloadButton,
                              browserHomeButton,
                              bookmarkButton,
                              browserAX,
                              mediaButton,
                              mediaPlayButton,
                              mediaPauseButton,
                              mediaStopButton,
                              mediaCtrlCheck,
                              tabWidget,
                              simModeCombo,
                              simModePrevButton,
                              simModNextButton,
                              planetCombo,
                              planetPrevButton,
                              planetNextButton,
                              locationCombo,
                              locationPrevButton,
                              locationNextButton,
                              lonSpinBox,
                              latSpinBox,
                              locationEditButton,
                              cameraModeButton,
                              effectCheck,
                              flightButton,
                              dateTimeEdit,
                              actualButton,
                              stepCombo,
                              speedSlider,
                              speedSpinBox,
                              speedStopButton,
                              nameButton,
                              orbitButton,
                              protractorButton,
                              scaleButton,
                              axisButton,
                              cloudButton,
                              lightingButton,
                              landscapeButton,
                              weatherButton,
                              consoleButton,
                              galaxiesButton,
                              starNameButton,
                              constePictureButton,
                              consteLineButton,
                              frameButton,
                              starsButton,
                              mwayButton,
                              astrBeltButton,
                              umbraButton,
                              penumbraButton,
                              dustButton,
                              fadeButton,
                              detailButton,
                              centerPlanetButton,
                              centerConsteButton,
                              centerFixedStarButton,
                              centerGalaxyButton,
                              centerList,
                              traceCheck,
                              displayPlanetButton,
                              displayConsteButton,
                              displayFixedStarButton,
                              displayGalaxyButton,
                              displayCometButton,
                              displayAsteroidButton,
                              displaySpacecraftButton,
                              displayASatelliteButton,
                              displayList,
                              consteShowLinesButton,
                              consteHlightLinesButton,
                              consteHideLinesButton,
                              consteShowPictsButton,
                              consteHilightPictsButton,
                              consteHidePictsButton,
                              consteShowLabelsButton,
                              consteHideLabelsButton,
                              consteShowSepsButton,
                              consteHideSepsButton,
                              cometsAddButton,
                              cometsRemoveButton,
                              asteroidsAddButton,
                              asteroidsRemoveButton,
                              spacecraftAddButton,
                              spacecraftRemoveButton,
                              asatellitesUpdateButton,
                              scenarioEdit,
                              classNameCombo,
                              propNameCombo,
                              propValueEdit,
                              propSetButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
