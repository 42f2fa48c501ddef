#include "app/OrvexMainForm.h"

#include <QAbstractButton>
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
#include <QToolButton>
#include <QTreeWidget>

#include "app/MainFormBuild.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

#define TR(text) QT_TRANSLATE_NOOP("OrvexMainForm", text)

enum class Role { Text, Title, ToolTip };

// Every fixed text of the two panes, in the order of the widget tree.
const struct {
    const char* object;
    Role role;
    const char* text;
} widgetTexts[] = {
    {"browserPrevButton", Role::Text, TR("<")},
    {"browserNextButton", Role::Text, TR(">")},
    {"browserStopButton", Role::Text, TR("X")},
    {"browserReloadButton", Role::Text, TR("R")},
    {"browserHomeButton", Role::Text, TR("H")},
    {"bookmarkButton", Role::Text, TR("Bookmark")},
    {"mediaGroup", Role::Title, TR("Media Viewer")},
    {"mediaPlayButton", Role::Text, TR("Play")},
    {"mediaPauseButton", Role::Text, TR("Pause")},
    {"mediaStopButton", Role::Text, TR("Stop")},
    {"mediaCtrlCheck", Role::Text, TR("Playback control")},
    {"mediaViewerHelpLabel", Role::Text,
     TR("Drop a image or a movie on [Show] button to show it.")},
    {"viewpointGroup", Role::Title, TR("Viewpoint")},
    {"SimModeLabel", Role::Text, TR("Simulation Mode : ")},
    {"LocationLabel", Role::Text, TR("Location Name : ")},
    {"planetPrevButton", Role::Text, TR("<")},
    {"planetNextButton", Role::Text, TR(">")},
    {"simModePrevButton", Role::Text, TR("<")},
    {"simModNextButton", Role::Text, TR(">")},
    {"locationPrevButton", Role::Text, TR("<")},
    {"locationNextButton", Role::Text, TR(">")},
    {"PlanetLabel", Role::Text, TR("Celestial body Name : ")},
    {"LonLabel", Role::Text, TR("Longitude : ")},
    {"LatLabel", Role::Text, TR("Latitude : ")},
    {"locationEditButton", Role::Text, TR("Edit locations...")},
    {"cameraModeButton", Role::Text, TR("Landing /\nLaunching")},
    {"effectCheck", Role::Text, TR("with Effect")},
    {"flightButton", Role::Text, TR("Free flight")},
    {"dateTimeGroup", Role::Title, TR("Date / Time")},
    {"actualButton", Role::Text, TR("Actual time")},
    {"stepLabel", Role::Text, TR("  Step : ")},
    {"seppdLabel", Role::Text, TR("Speed : ")},
    {"speedStopButton", Role::Text, TR("Stop")},
    {"displayGroup", Role::Title, TR("Display")},
    {"nameButton", Role::Text, TR("Planet etc. labels")},
    {"orbitButton", Role::Text, TR("Orbits")},
    {"protractorButton", Role::Text, TR("Protractors")},
    {"scaleButton", Role::Text, TR("Radius scaling")},
    {"axisButton", Role::Text, TR("Spin axes")},
    {"cloudButton", Role::Text, TR("Clouds, Atmosphere")},
    {"lightingButton", Role::Text, TR("Lighting")},
    {"landscapeButton", Role::Text, TR("Landscapes")},
    {"weatherButton", Role::Text, TR("Weather effects")},
    {"consoleButton", Role::Text, TR("Information console")},
    {"galaxiesButton", Role::Text, TR("Nebula, Star clusters")},
    {"starNameButton", Role::Text, TR("Fixed star labels")},
    {"constePictureButton", Role::Text, TR("Constellation figures")},
    {"consteLineButton", Role::Text, TR("Constellation lines")},
    {"frameButton", Role::Text, TR("Equatorial coordinate")},
    {"starsButton", Role::Text, TR("Fixed stars")},
    {"mwayButton", Role::Text, TR("Milky Way")},
    {"astrBeltButton", Role::Text, TR("Asteroid belt")},
    {"umbraButton", Role::Text, TR("Umbra")},
    {"penumbraButton", Role::Text, TR("Penumbra")},
    {"dustButton", Role::Text, TR("Dust, Shooting stars")},
    {"fadeButton", Role::Text, TR("Fade in / out")},
    {"detailButton", Role::Text, TR("Detail settings...")},
    {"centeringGroup", Role::Title, TR("Centering settings")},
    {"centerFixedStarButton", Role::Text, TR("Fixed Star")},
    {"centerConsteButton", Role::Text, TR("Constellation")},
    {"centerGalaxyButton", Role::Text, TR("Nebula, Star Cluster")},
    {"centerPlanetButton", Role::Text, TR("Sun, Planet, Satellite")},
    {"centerLabel", Role::Text, TR("Centering by double clicking an item in the list.")},
    {"traceCheck", Role::Text, TR("Keep centering")},
    {"objectGroup", Role::Title, TR("Object Display Settings")},
    {"displayConsteButton", Role::Text, TR("Constellations")},
    {"displayASatelliteButton", Role::Text, TR("Artificial satellites")},
    {"displayFixedStarButton", Role::Text, TR("Fixed stars")},
    {"displaySpacecraftButton", Role::Text, TR("Space crafts")},
    {"displayAsteroidButton", Role::Text, TR("Asteroids")},
    {"displayCometButton", Role::Text, TR("Comets")},
    {"displayGalaxyButton", Role::Text, TR("Nebula, Star clusters")},
    {"displayPlanetButton", Role::Text, TR("Sun, Planets")},
    {"consteShowLinesButton", Role::Text, TR("Show Lines")},
    {"consteHlightLinesButton", Role::Text, TR("Highlight Lines")},
    {"consteHideLinesButton", Role::Text, TR("Hide Lines")},
    {"consteShowPictsButton", Role::Text, TR("Show Figures")},
    {"consteHilightPictsButton", Role::Text, TR("Highlight Figures")},
    {"consteHidePictsButton", Role::Text, TR("Hide Figures")},
    {"consteShowLabelsButton", Role::Text, TR("Show Labels")},
    {"consteHideLabelsButton", Role::Text, TR("Hide Labels")},
    {"consteShowSepsButton", Role::Text, TR("Show Seps.")},
    {"consteHideSepsButton", Role::Text, TR("Hide Seps.")},
    {"cometsAddButton", Role::Text, TR("Add...")},
    {"cometsRemoveButton", Role::Text, TR("Remove")},
    {"asteroidsAddButton", Role::Text, TR("Add...")},
    {"asteroidsRemoveButton", Role::Text, TR("Remove")},
    {"spacecraftAddButton", Role::Text, TR("Add...")},
    {"spacecraftRemoveButton", Role::Text, TR("Remove")},
    {"asatellitesUpdateButton", Role::Text, TR("Update")},
    {"scenarioEditGroup", Role::Title, TR("Scenario edit")},
    {"scenarioNewButton", Role::ToolTip, TR("New Scenario")},
    {"scenarioOpenButton", Role::ToolTip, TR("Open Scenario")},
    {"scenarioSaveAsButton", Role::ToolTip, TR("Save Scenario as")},
    {"scenarioCutButton", Role::ToolTip, TR("Cut (Ctrl+X)")},
    {"scenarioCopyButton", Role::ToolTip, TR("Copy (Ctrl+C)")},
    {"scenarioPasteButton", Role::ToolTip, TR("Paste (Ctrl+P)")},
    {"scenarioUndoButton", Role::ToolTip, TR("Undo (Ctrl+Z)")},
    {"scenarioRedoButton", Role::ToolTip, TR("Redo (Ctrl+Y)")},
    {"scenarioStateButton", Role::ToolTip, TR("Record Current State")},
    {"scenarioCameraButton", Role::ToolTip, TR("Record Current View")},
    {"scenarioRecButton", Role::ToolTip, TR("Record Operations")},
    {"scenarioPlayButton", Role::ToolTip, TR("Play Scenario")},
    {"propGroup", Role::Title, TR("Property / Method settings")},
    {"propLabel", Role::Text, TR("Property / Method : ")},
    {"propCommaLabel", Role::Text, TR(".")},
    {"propValueLabel", Role::Text, TR("Value : ")},
    {"propSetButton", Role::Text, TR("Set")},
    {"propHelpButton", Role::Text, TR("Help")},
};

const char* const tabLabels[] = {TR("Basic"), TR("Centering"), TR("Object Display"),
                                 TR("Scenario Edit")};

const char* const stepItems[] = {TR("sec/s"), TR("min/s"),   TR("hour/s"),
                                 TR("day/s"), TR("month/s"), TR("year/s")};

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

    buildActions();
    buildToolBarAndMenus();
    languageChange();
    resize(QSize(1001, 935).expandedTo(minimumSizeHint()));
    connectActions();
    connectControls();
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
