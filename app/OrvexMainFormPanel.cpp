// The control window's two panes: the browser pane with its media group, and
// the control panel's four pages.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindowStateChangeEvent>

#include "app/MainFormBuild.h"
#include "app/MainFormIcons.h"
#include "app/OrvexMainForm.h"
#include "ui/FocusMark.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"
#include "ui/TristateTickDelegate.h"
#include "ui/WindowStack.h"
#include "ui/WrapRowLayout.h"

using namespace MainFormBuild;

namespace {

QPushButton* arrowButton(const char* name, QWidget* parent) {
    auto* button = make<QPushButton>(name, parent);
    setPolicy(button, QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setMaximumWidth(21);
    return button;
}

QPushButton* toggleButton(const char* name, QWidget* parent) {
    auto* button = make<QPushButton>(name, parent);
    button->setCheckable(true);
    return button;
}

// A one-column list of names, kept in the order the items are added.
QTreeWidget* nameList(const char* name, QWidget* parent) {
    auto* list = make<QTreeWidget>(name, parent);
    list->setColumnCount(1);
    list->setHeaderLabels({QStringLiteral("Name")});
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setAllColumnsShowFocus(true);
    list->setRootIsDecorated(false);
    list->header()->setSortIndicatorShown(true);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionsClickable(false);
    FocusMark::add(list);
    return list;
}

QToolButton* toolButton(const char* name, QWidget* parent, MainFormIcon icon,
                        QSizePolicy::Policy vertical = QSizePolicy::Fixed) {
    auto* button = make<QToolButton>(name, parent);
    setPolicy(button, QSizePolicy::Fixed, vertical);
    button->setIcon(mainFormIcon(icon));
    return button;
}

} // namespace

void OrvexMainForm::buildBrowserPane() {
    layout44 = make<QWidget>("layout44", splitter2);
    auto* paneLayout = vbox("layout44", 2, 4);
    layout44->setLayout(paneLayout);
    auto* layout43 = vbox("layout43");
    auto* layout42 = hbox("layout42");

    auto navigationButton = [&](const char* name) {
        auto* button = make<QPushButton>(name, layout44);
        button->setMaximumSize(21, 21);
        layout42->addWidget(button);
        return button;
    };
    browserPrevButton = navigationButton("browserPrevButton");
    browserNextButton = navigationButton("browserNextButton");
    browserStopButton = navigationButton("browserStopButton");
    browserReloadButton = navigationButton("browserReloadButton");
    browserHomeButton = navigationButton("browserHomeButton");
    bookmarkButton = make<QPushButton>("bookmarkButton", layout44);
    layout42->addWidget(bookmarkButton);
    browserUrlLine = make<QLineEdit>("browserUrlLine", layout44);
    layout42->addWidget(browserUrlLine);
    layout43->addLayout(layout42);

    // The web page view takes this place.
    browserAX = make<QWidget>("browserAX", layout44);
    setPolicy(browserAX, QSizePolicy::Preferred, QSizePolicy::Preferred);
    WindowStack::paintBackground(browserAX, Qt::white);
    browserAX->setFocusPolicy(Qt::StrongFocus);
    layout43->addWidget(browserAX);
    paneLayout->addLayout(layout43);
    buildWebView();

    mediaGroup = make<QGroupBox>("mediaGroup", layout44);
    setPolicy(mediaGroup, QSizePolicy::Preferred, QSizePolicy::Fixed);
    // One row in a window of its own; beside the embedded view the pane is
    // narrow and the controls go on in further rows.
    auto* layout36 = make<WrapRowLayout>("layout36");
    layout36->setContentsMargins(0, 0, 0, 0);
    layout36->setSpacing(2);
    groupRow(mediaGroup, 4)->addLayout(layout36);
    mediaButton = make<QDropButton>("mediaButton", mediaGroup);
    setPolicy(mediaButton, QSizePolicy::Fixed, QSizePolicy::Fixed);
    mediaButton->setMinimumSize(41, 41);
    mediaButton->setMaximumHeight(41);
    mediaButton->setFocusPolicy(Qt::StrongFocus);
    layout36->addWidget(mediaButton);
    auto mediaControl = [&](const char* name) {
        auto* button = make<QPushButton>(name, mediaGroup);
        setPolicy(button, QSizePolicy::Fixed, QSizePolicy::Fixed);
        button->setMinimumSize(41, 41);
        button->setMaximumHeight(41);
        layout36->addWidget(button);
        return button;
    };
    mediaPlayButton = mediaControl("mediaPlayButton");
    mediaPauseButton = mediaControl("mediaPauseButton");
    mediaStopButton = mediaControl("mediaStopButton");
    layout36->addItem(spacer(4, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    mediaCtrlCheck = make<QCheckBox>("mediaCtrlCheck", mediaGroup);
    layout36->addWidget(mediaCtrlCheck);
    mediaViewerHelpLabel = make<QLabel>("mediaViewerHelpLabel", mediaGroup);
    setPolicy(mediaViewerHelpLabel, QSizePolicy::MinimumExpanding, QSizePolicy::Preferred);
    mediaViewerHelpLabel->setTextFormat(Qt::RichText);
    mediaViewerHelpLabel->setScaledContents(false);
    mediaViewerHelpLabel->setAlignment(Qt::AlignCenter);
    mediaViewerHelpLabel->setWordWrap(true);
    layout36->addWidget(mediaViewerHelpLabel);
    paneLayout->addWidget(mediaGroup);
}

// The media buttons are square, and wider where the style or the language
// needs more for the text: their minimum width is what the layout keeps.
void OrvexMainForm::fitMediaButtons() {
    for (QPushButton* button : {static_cast<QPushButton*>(mediaButton), mediaPlayButton,
                                mediaPauseButton, mediaStopButton}) {
        const QStyle* style = button->style();
        const int text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
        button->setMinimumWidth(
            qMax(41, text + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button)));
    }
    // The hint beside them keeps the width of the wider of its two texts, so
    // that showing the media viewer does not widen the control window.
    const QString hint = mediaViewerHelpLabel->text();
    int hintWidth = 0;
    for (bool shown : {false, true}) {
        mediaViewerHelpLabel->setText(mediaHelpText(shown));
        hintWidth = qMax(hintWidth, mediaViewerHelpLabel->sizeHint().width());
    }
    mediaViewerHelpLabel->setText(hint);
    mediaViewerHelpLabel->setMinimumWidth(hintWidth);
}

QString OrvexMainForm::mediaHelpText(bool shown) const {
    return shown ? tr("Click [Show] button to hide the Media Viewer.")
                 : tr("Drop a image or a movie on [Show] button to show it.");
}

void OrvexMainForm::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::StyleChange || e->type() == QEvent::FontChange)
        fitMediaButtons();
    else if (e->type() == QEvent::WindowStateChange)
        keepWithinRoomWhenRestored(this, static_cast<QWindowStateChangeEvent*>(e)->oldState());
}

void OrvexMainForm::buildControlPanel() {
    tabWidget = make<QTabWidget>("tabWidget", splitter2);
    setPolicy(tabWidget, QSizePolicy::Expanding, QSizePolicy::Expanding);
    buildBasicPage();
    buildCenteringPage();
    buildObjectDisplayPage();
    buildScenarioPage();
}

void OrvexMainForm::buildBasicPage() {
    QHBoxLayout* tabLayout = nullptr;
    tab = page("tab", "tabLayout", &tabLayout);
    auto* layout62 = vbox("layout62");

    // Viewpoint.
    viewpointGroup = make<QGroupBox>("viewpointGroup", tab);
    auto* layout61 = vbox("layout61");
    groupRow(viewpointGroup)->addLayout(layout61);
    auto* layout16 = grid("layout16");
    auto* layout11 = hbox("layout11");
    auto* layout12 = hbox("layout12");
    auto* layout13 = hbox("layout13");
    SimModeLabel = make<QLabel>("SimModeLabel", viewpointGroup);
    setPolicy(SimModeLabel, QSizePolicy::Preferred, QSizePolicy::Preferred);
    layout16->addWidget(SimModeLabel, 0, 0);
    LocationLabel = make<QLabel>("LocationLabel", viewpointGroup);
    setPolicy(LocationLabel, QSizePolicy::Preferred, QSizePolicy::Preferred);
    layout16->addWidget(LocationLabel, 2, 0);
    locationCombo = make<QComboBox>("locationCombo", viewpointGroup);
    locationCombo->setMinimumHeight(21);
    layout16->addWidget(locationCombo, 2, 1);
    simModeCombo = make<QComboBox>("simModeCombo", viewpointGroup);
    setPolicy(simModeCombo, QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
    simModeCombo->setMinimumHeight(21);
    layout16->addWidget(simModeCombo, 0, 1);
    planetPrevButton = arrowButton("planetPrevButton", viewpointGroup);
    layout12->addWidget(planetPrevButton);
    planetNextButton = arrowButton("planetNextButton", viewpointGroup);
    layout12->addWidget(planetNextButton);
    layout16->addLayout(layout12, 1, 2);
    simModePrevButton = arrowButton("simModePrevButton", viewpointGroup);
    layout11->addWidget(simModePrevButton);
    simModNextButton = arrowButton("simModNextButton", viewpointGroup);
    layout11->addWidget(simModNextButton);
    layout16->addLayout(layout11, 0, 2);
    planetCombo = make<QComboBox>("planetCombo", viewpointGroup);
    planetCombo->setMinimumHeight(21);
    layout16->addWidget(planetCombo, 1, 1);
    locationPrevButton = arrowButton("locationPrevButton", viewpointGroup);
    layout13->addWidget(locationPrevButton);
    locationNextButton = arrowButton("locationNextButton", viewpointGroup);
    layout13->addWidget(locationNextButton);
    layout16->addLayout(layout13, 2, 2);
    PlanetLabel = make<QLabel>("PlanetLabel", viewpointGroup);
    setPolicy(PlanetLabel, QSizePolicy::Preferred, QSizePolicy::Preferred);
    layout16->addWidget(PlanetLabel, 1, 0);
    layout61->addLayout(layout16);

    auto* layout60 = hbox("layout60");
    auto* layout59 = vbox("layout59");
    // The coordinates and the editor's button go on in a second row where
    // the pane is too narrow for the boxes' widest values.
    auto* layout58 = make<WrapRowLayout>("layout58");
    layout58->setContentsMargins(0, 0, 0, 0);
    layout58->setSpacing(2);
    mapLabel = make<QOrvexMap>("mapLabel", viewpointGroup);
    setPolicy(mapLabel, QSizePolicy::Preferred, QSizePolicy::Preferred, 1);
    layout59->addWidget(mapLabel);
    LonLabel = make<QLabel>("LonLabel", viewpointGroup);
    layout58->addWidget(LonLabel);
    auto coordinateBox = [&](const char* name) {
        auto* box = make<QFloatSpinBox>(name, viewpointGroup);
        setPolicy(box, QSizePolicy::Preferred, QSizePolicy::Fixed);
        box->setMinimumSize(60, 21);
        box->setMaximumSize(32767, 21);
        box->setFocusPolicy(Qt::StrongFocus);
        return box;
    };
    lonSpinBox = coordinateBox("lonSpinBox");
    layout58->addWidget(lonSpinBox);
    LatLabel = make<QLabel>("LatLabel", viewpointGroup);
    setPolicy(LatLabel, QSizePolicy::Preferred, QSizePolicy::Preferred);
    layout58->addWidget(LatLabel);
    latSpinBox = coordinateBox("latSpinBox");
    layout58->addWidget(latSpinBox);
    locationEditButton = make<QPushButton>("locationEditButton", viewpointGroup);
    layout58->addWidget(locationEditButton);
    layout58->addItem(spacer(110, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout59->addLayout(layout58);
    layout60->addLayout(layout59);
    layout60->addItem(spacer(4, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    auto* layout52 = vbox("layout52");
    cameraModeButton = make<QPushButton>("cameraModeButton", viewpointGroup);
    setPolicy(cameraModeButton, QSizePolicy::Minimum, QSizePolicy::Fixed);
    cameraModeButton->setMinimumHeight(42);
    layout52->addWidget(cameraModeButton);
    effectCheck = make<QCheckBox>("effectCheck", viewpointGroup);
    layout52->addWidget(effectCheck);
    flightButton = toggleButton("flightButton", viewpointGroup);
    layout52->addWidget(flightButton);
    layout52->addItem(spacer(20, 20, QSizePolicy::Minimum, QSizePolicy::MinimumExpanding));
    layout60->addLayout(layout52);
    layout61->addLayout(layout60);
    layout62->addWidget(viewpointGroup);

    // Date and time.
    dateTimeGroup = make<QGroupBox>("dateTimeGroup", tab);
    dateTimeGroup->setCheckable(false);
    auto* layout41 = vbox("layout41");
    groupRow(dateTimeGroup)->addLayout(layout41);
    auto* layout49 = hbox("layout49");
    dateTimeEdit = make<QDateTimeEdit>("dateTimeEdit", dateTimeGroup);
    layout49->addWidget(dateTimeEdit);
    actualButton = make<QPushButton>("actualButton", dateTimeGroup);
    layout49->addWidget(actualButton);
    stepLabel = make<QLabel>("stepLabel", dateTimeGroup);
    layout49->addWidget(stepLabel);
    stepCombo = make<QComboBox>("stepCombo", dateTimeGroup);
    layout49->addWidget(stepCombo);
    layout49->addItem(spacer(50, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout41->addLayout(layout49);
    auto* layout40 = hbox("layout40");
    seppdLabel = make<QLabel>("seppdLabel", dateTimeGroup);
    layout40->addWidget(seppdLabel);
    speedSlider = make<QSlider>("speedSlider", Qt::Horizontal, dateTimeGroup);
    speedSlider->setRange(-10, 10);
    speedSlider->setPageStep(5);
    speedSlider->setTickPosition(QSlider::TicksBelow);
    speedSlider->setTickInterval(1);
    layout40->addWidget(speedSlider);
    speedSpinBox = make<QFloatSpinBox>("speedSpinBox", dateTimeGroup);
    setPolicy(speedSpinBox, QSizePolicy::Fixed, QSizePolicy::Fixed);
    speedSpinBox->setMinimumSize(50, 21);
    speedSpinBox->setMaximumSize(50, 21);
    speedSpinBox->setFocusPolicy(Qt::StrongFocus);
    layout40->addWidget(speedSpinBox);
    speedStopButton = make<QPushButton>("speedStopButton", dateTimeGroup);
    speedStopButton->setMaximumWidth(50);
    layout40->addWidget(speedStopButton);
    layout41->addLayout(layout40);
    layout62->addWidget(dateTimeGroup);

    // Display switches: created in this order, placed in a 7 x 3 grid.
    displayGroup = make<QGroupBox>("displayGroup", tab);
    auto* layout32 = grid("layout32");
    groupRow(displayGroup)->addLayout(layout32);
    struct Switch {
        QPushButton* OrvexMainForm::*button;
        const char* name;
        int row;
        int column;
        bool defaultPolicy;
    };
    static const Switch switches[] = {
        {&OrvexMainForm::protractorButton, "protractorButton", 0, 2, true},
        {&OrvexMainForm::mwayButton, "mwayButton", 5, 1, false},
        {&OrvexMainForm::nameButton, "nameButton", 0, 0, false},
        {&OrvexMainForm::orbitButton, "orbitButton", 0, 1, false},
        {&OrvexMainForm::starsButton, "starsButton", 5, 0, false},
        {&OrvexMainForm::cloudButton, "cloudButton", 1, 2, true},
        {&OrvexMainForm::penumbraButton, "penumbraButton", 6, 1, false},
        {&OrvexMainForm::galaxiesButton, "galaxiesButton", 3, 1, false},
        {&OrvexMainForm::astrBeltButton, "astrBeltButton", 5, 2, false},
        {&OrvexMainForm::umbraButton, "umbraButton", 6, 0, false},
        {&OrvexMainForm::constePictureButton, "constePictureButton", 4, 0, false},
        {&OrvexMainForm::weatherButton, "weatherButton", 2, 2, true},
        {&OrvexMainForm::consoleButton, "consoleButton", 3, 0, false},
        {&OrvexMainForm::frameButton, "frameButton", 4, 2, false},
        {&OrvexMainForm::starNameButton, "starNameButton", 3, 2, false},
        {&OrvexMainForm::dustButton, "dustButton", 6, 2, false},
        {&OrvexMainForm::axisButton, "axisButton", 1, 1, false},
        {&OrvexMainForm::scaleButton, "scaleButton", 1, 0, false},
        {&OrvexMainForm::consteLineButton, "consteLineButton", 4, 1, false},
        {&OrvexMainForm::landscapeButton, "landscapeButton", 2, 1, true},
        {&OrvexMainForm::lightingButton, "lightingButton", 2, 0, false},
    };
    for (const Switch& s : switches) {
        QPushButton* button = toggleButton(s.name, displayGroup);
        if (!s.defaultPolicy)
            setPolicy(button, QSizePolicy::Minimum, QSizePolicy::Fixed);
        layout32->addWidget(button, s.row, s.column);
        this->*s.button = button;
    }
    layout62->addWidget(displayGroup);

    auto* layout34 = hbox("layout34", 6);
    fadeButton = toggleButton("fadeButton", tab);
    layout34->addWidget(fadeButton);
    layout34->addItem(spacer(180, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    detailButton = make<QPushButton>("detailButton", tab);
    layout34->addWidget(detailButton);
    layout62->addLayout(layout34);
    layout62->addItem(spacer(20, 60, QSizePolicy::Minimum, QSizePolicy::Expanding));
    tabLayout->addLayout(layout62);
    tabWidget->addTab(tab, QString());
}

void OrvexMainForm::buildCenteringPage() {
    QHBoxLayout* tabLayout = nullptr;
    tab_2 = page("tab_2", "tabLayout_2", &tabLayout);
    centeringGroup = make<QGroupBox>("centeringGroup", tab_2);
    centeringButtons = make<QButtonGroup>("centeringButtons", centeringGroup);
    auto* layout50 = vbox("layout50");
    groupRow(centeringGroup)->addLayout(layout50);
    auto* layout49_2 = grid("layout49_2");
    auto radio = [&](const char* name, int row, int column) {
        auto* button = make<QRadioButton>(name, centeringGroup);
        centeringButtons->addButton(button);
        layout49_2->addWidget(button, row, column);
        return button;
    };
    centerFixedStarButton = radio("centerFixedStarButton", 1, 0);
    centerConsteButton = radio("centerConsteButton", 0, 1);
    centerGalaxyButton = radio("centerGalaxyButton", 1, 1);
    centerPlanetButton = radio("centerPlanetButton", 0, 0);
    layout50->addLayout(layout49_2);
    centerList = nameList("centerList", centeringGroup);
    centerList->setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    layout50->addWidget(centerList);
    centerLabel = make<QLabel>("centerLabel", centeringGroup);
    centerLabel->setMargin(4);
    layout50->addWidget(centerLabel);
    traceCheck = make<QCheckBox>("traceCheck", centeringGroup);
    layout50->addWidget(traceCheck);
    tabLayout->addWidget(centeringGroup);
    tabWidget->addTab(tab_2, QString());
}

void OrvexMainForm::buildObjectDisplayPage() {
    QHBoxLayout* tabLayout = nullptr;
    TabPage = page("TabPage", "TabPageLayout", &tabLayout);
    objectGroup = make<QGroupBox>("objectGroup", TabPage);
    objectButtons = make<QButtonGroup>("objectButtons", objectGroup);
    auto* layout47 = vbox("layout47");
    groupRow(objectGroup)->addLayout(layout47);
    auto* layout46 = grid("layout46");
    auto radio = [&](const char* name, int row, int column) {
        auto* button = make<QRadioButton>(name, objectGroup);
        objectButtons->addButton(button);
        layout46->addWidget(button, row, column);
        return button;
    };
    displayConsteButton = radio("displayConsteButton", 0, 1);
    displayASatelliteButton = radio("displayASatelliteButton", 3, 1);
    displayFixedStarButton = radio("displayFixedStarButton", 1, 0);
    displaySpacecraftButton = radio("displaySpacecraftButton", 3, 0);
    displayAsteroidButton = radio("displayAsteroidButton", 2, 1);
    displayCometButton = radio("displayCometButton", 2, 0);
    displayGalaxyButton = radio("displayGalaxyButton", 1, 1);
    displayPlanetButton = radio("displayPlanetButton", 0, 0);
    layout47->addLayout(layout46);

    auto* layout44_2 = hbox("layout44_2");
    displayList = nameList("displayList", objectGroup);
    // Hidden, shown and highlighted bodies must read apart.
    displayList->setItemDelegate(new TristateTickDelegate(displayList));
    layout44_2->addWidget(displayList);
    displayWidgetStack = make<QStackedWidget>("displayWidgetStack", objectGroup);
    setPolicy(displayWidgetStack, QSizePolicy::Preferred, QSizePolicy::Preferred);
    layout44_2->addWidget(displayWidgetStack);
    layout47->addLayout(layout44_2);

    // Each page pushes its buttons to the bottom with a spacer above them.
    struct StackPage {
        const char* name;
        const char* pageLayout;
        const char* column;
        int margin;
        int spacerHeight;
    };
    static const StackPage pages[] = {
        {"WStackPage", "WStackPageLayout", "layout23_2", 4, 345},
        {"WStackPage_2", "WStackPageLayout_2", "layout36_2", 0, 400},
        {"WStackPage_3", "WStackPageLayout_3", "layout41_2", 0, 400},
        {"WStackPage_4", "WStackPageLayout_4", "layout42_2", 0, 400},
        {"WStackPage_5", "WStackPageLayout_5", "layout43_2", 0, 400},
    };
    QVBoxLayout* columns[5] = {};
    QWidget* pageWidgets[5] = {};
    for (int i = 0; i < 5; ++i) {
        pageWidgets[i] = make<QWidget>(pages[i].name, displayWidgetStack);
        auto* row = hbox(pages[i].pageLayout, 2, 2);
        pageWidgets[i]->setLayout(row);
        columns[i] = vbox(pages[i].column, pages[i].margin);
        columns[i]->addItem(
            spacer(20, pages[i].spacerHeight, QSizePolicy::Minimum, QSizePolicy::Expanding));
        row->addLayout(columns[i]);
    }
    auto stackButton = [&](int pageIndex, const char* name) {
        auto* button = make<QPushButton>(name, pageWidgets[pageIndex]);
        if (pageIndex == 0)
            setPolicy(button, QSizePolicy::Preferred, QSizePolicy::Fixed);
        columns[pageIndex]->addWidget(button);
        return button;
    };
    auto gap = [&] {
        columns[0]->addItem(spacer(20, 16, QSizePolicy::Minimum, QSizePolicy::Fixed));
    };
    consteShowLinesButton = stackButton(0, "consteShowLinesButton");
    consteHlightLinesButton = stackButton(0, "consteHlightLinesButton");
    consteHideLinesButton = stackButton(0, "consteHideLinesButton");
    gap();
    consteShowPictsButton = stackButton(0, "consteShowPictsButton");
    consteHilightPictsButton = stackButton(0, "consteHilightPictsButton");
    consteHidePictsButton = stackButton(0, "consteHidePictsButton");
    gap();
    consteShowLabelsButton = stackButton(0, "consteShowLabelsButton");
    consteHideLabelsButton = stackButton(0, "consteHideLabelsButton");
    gap();
    consteShowSepsButton = stackButton(0, "consteShowSepsButton");
    consteHideSepsButton = stackButton(0, "consteHideSepsButton");
    cometsAddButton = stackButton(1, "cometsAddButton");
    cometsRemoveButton = stackButton(1, "cometsRemoveButton");
    asteroidsAddButton = stackButton(2, "asteroidsAddButton");
    asteroidsRemoveButton = stackButton(2, "asteroidsRemoveButton");
    spacecraftAddButton = stackButton(3, "spacecraftAddButton");
    spacecraftRemoveButton = stackButton(3, "spacecraftRemoveButton");
    asatellitesUpdateButton = stackButton(4, "asatellitesUpdateButton");
    for (QWidget* widget : pageWidgets)
        displayWidgetStack->addWidget(widget);
    displayWidgetStack->addWidget(make<QWidget>("WStackPage_6", displayWidgetStack));

    tabLayout->addWidget(objectGroup);
    tabWidget->addTab(TabPage, QString());
}

void OrvexMainForm::buildScenarioPage() {
    QHBoxLayout* tabLayout = nullptr;
    TabPage_2 = page("TabPage_2", "TabPageLayout_2", &tabLayout);
    auto* layout46_2 = vbox("layout46_2");

    scenarioEditGroup = make<QGroupBox>("scenarioEditGroup", TabPage_2);
    auto* layout37 = vbox("layout37");
    groupRow(scenarioEditGroup)->addLayout(layout37);
    auto* layout36_3 = hbox("layout36_3");
    QWidget* g = scenarioEditGroup;
    auto gap = [&] {
        layout36_3->addItem(spacer(4, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    };
    scenarioNewButton = toolButton("scenarioNewButton", g, MainFormIcon::ScenarioNew);
    scenarioOpenButton = toolButton("scenarioOpenButton", g, MainFormIcon::ScenarioOpen);
    scenarioSaveAsButton = toolButton("scenarioSaveAsButton", g, MainFormIcon::ScenarioSaveAs);
    scenarioCutButton = toolButton("scenarioCutButton", g, MainFormIcon::Cut);
    scenarioCopyButton = toolButton("scenarioCopyButton", g, MainFormIcon::Copy);
    scenarioPasteButton = toolButton("scenarioPasteButton", g, MainFormIcon::Paste);
    scenarioUndoButton =
        toolButton("scenarioUndoButton", g, MainFormIcon::Undo, QSizePolicy::Minimum);
    scenarioUndoButton->setMinimumWidth(21);
    scenarioRedoButton =
        toolButton("scenarioRedoButton", g, MainFormIcon::Redo, QSizePolicy::Minimum);
    scenarioRedoButton->setMinimumWidth(21);
    scenarioStateButton = toolButton("scenarioStateButton", g, MainFormIcon::RecordState);
    setPolicy(scenarioStateButton, QSizePolicy::Preferred, QSizePolicy::Preferred);
    scenarioCameraButton = toolButton("scenarioCameraButton", g, MainFormIcon::RecordView);
    setPolicy(scenarioCameraButton, QSizePolicy::Preferred, QSizePolicy::Preferred);
    scenarioRecButton = toolButton("scenarioRecButton", g, MainFormIcon::Record);
    scenarioRecButton->setCheckable(true);
    setPolicy(scenarioRecButton, QSizePolicy::Preferred, QSizePolicy::Preferred);
    scenarioPlayButton = toolButton("scenarioPlayButton", g, MainFormIcon::Play);
    scenarioPlayButton->setCheckable(true);
    setPolicy(scenarioPlayButton, QSizePolicy::Preferred, QSizePolicy::Preferred);
    for (QWidget* w : {scenarioNewButton, scenarioOpenButton, scenarioSaveAsButton})
        layout36_3->addWidget(w);
    gap();
    for (QWidget* w : {scenarioCutButton, scenarioCopyButton, scenarioPasteButton})
        layout36_3->addWidget(w);
    gap();
    for (QWidget* w : {scenarioUndoButton, scenarioRedoButton})
        layout36_3->addWidget(w);
    gap();
    for (QWidget* w :
         {scenarioStateButton, scenarioCameraButton, scenarioRecButton, scenarioPlayButton})
        layout36_3->addWidget(w);
    layout36_3->addItem(spacer(130, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout37->addLayout(layout36_3);
    scenarioEdit = make<QTextEdit>("scenarioEdit", g);
    scenarioEdit->setAcceptRichText(false);
    layout37->addWidget(scenarioEdit);
    layout46_2->addWidget(scenarioEditGroup);

    propGroup = make<QGroupBox>("propGroup", TabPage_2);
    setPolicy(propGroup, QSizePolicy::Preferred, QSizePolicy::Minimum);
    auto* layout45 = vbox("layout45");
    groupRow(propGroup)->addLayout(layout45);
    auto* layout30 = hbox("layout30");
    propLabel = make<QLabel>("propLabel", propGroup);
    layout30->addWidget(propLabel);
    classNameCombo = make<QComboBox>("classNameCombo", propGroup);
    setPolicy(classNameCombo, QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout30->addWidget(classNameCombo);
    propCommaLabel = make<QLabel>("propCommaLabel", propGroup);
    layout30->addWidget(propCommaLabel);
    propNameCombo = make<QComboBox>("propNameCombo", propGroup);
    setPolicy(propNameCombo, QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
    layout30->addWidget(propNameCombo);
    layout45->addLayout(layout30);
    auto* layout42_3 = hbox("layout42_3");
    propValueLabel = make<QLabel>("propValueLabel", propGroup);
    layout42_3->addWidget(propValueLabel);
    propValueEdit = make<QLineEdit>("propValueEdit", propGroup);
    layout42_3->addWidget(propValueEdit);
    propSetButton = make<QPushButton>("propSetButton", propGroup);
    propSetButton->setMinimumWidth(80);
    layout42_3->addWidget(propSetButton);
    layout45->addLayout(layout42_3);
    auto* layout44_3 = hbox("layout44_3");
    propHelpEdit = make<QTextEdit>("propHelpEdit", propGroup);
    setPolicy(propHelpEdit, QSizePolicy::Expanding, QSizePolicy::Fixed);
    propHelpEdit->setMaximumHeight(54);
    propHelpEdit->setFocusPolicy(Qt::NoFocus);
    propHelpEdit->setAcceptRichText(false);
    propHelpEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    propHelpEdit->setAutoFormatting(QTextEdit::AutoAll);
    layout44_3->addWidget(propHelpEdit);
    auto* layout43_3 = vbox("layout43_3");
    layout43_3->addItem(spacer(20, 10, QSizePolicy::Minimum, QSizePolicy::Minimum));
    propHelpButton = make<QPushButton>("propHelpButton", propGroup);
    propHelpButton->setMinimumWidth(80);
    layout43_3->addWidget(propHelpButton);
    layout44_3->addLayout(layout43_3);
    layout45->addLayout(layout44_3);
    layout46_2->addWidget(propGroup);

    tabLayout->addLayout(layout46_2);
    tabWidget->addTab(TabPage_2, QString());
}
