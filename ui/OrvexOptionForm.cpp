// The option dialog's widget tree, texts and wiring, and init.
#include "ui/OrvexOptionForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <initializer_list>

#include "app/EngineLink.h"
#include "app/MainFormBuild.h"
#include "app/WindowArrangement.h"
#include "ui/ColorFontChooser.h"
#include "ui/FocusMark.h"
#include "ui/QFloatSpinBox.h"

namespace {

using F = OrvexOptionForm;
using MainFormBuild::make;

// Every fixed text but the combo items, by object name.
const struct {
    const char* object;
    const char* text;
} widgetTexts[] = {
    {"cursorGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Location Cursor")},
    {"cursorTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Cursor type : ")},
    {"cursorSizeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Cursor size : ")},
    {"landscapeGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Landscape")},
    {"landscapeTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Landscape type : ")},
    {"directionCheck", QT_TRANSLATE_NOOP("OrvexOptionForm", "Direction markers")},
    {"dirVisibleCheck", QT_TRANSLATE_NOOP("OrvexOptionForm", "Keep Dir. markers visible")},
    {"backgroundGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Background")},
    {"bgStarTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Star rendering type : ")},
    {"bgMagnitudeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Magnitude limit : ")},
    {"bgMwayTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Milky Way rendering type : ")},
    {"bgMwayResLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Milkey Way resolution : ")},
    {"ambientLevelLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Dark side lighting : ")},
    {"sstarGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Shooting Star")},
    {"sporadicCheck", QT_TRANSLATE_NOOP("OrvexOptionForm", "Sporadic meteors")},
    {"sstarFreqLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Frequency : ")},
    {"sstarDeclLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Radiant point Decl. : ")},
    {"sstarRALabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Radiant point RA : ")},
    {"consoleGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Information Console")},
    {"consoleTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Console type : ")},
    {"consoleLocaleLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Date / Time locale : ")},
    {"consoleFPSCheck", QT_TRANSLATE_NOOP("OrvexOptionForm", "Show FPS in console")},
    {"postfxGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Post Effect")},
    {"postfxAlphaCheck", QT_TRANSLATE_NOOP("OrvexOptionForm", "Alpha blending")},
    {"blurTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Blur type : ")},
    {"blurLevelLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Blur level : ")},
    {"optimizeGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Optimize")},
    {"drawMethodLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Draw method : ")},
    {"meshResLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Mesh resolution : ")},
    {"orbitResLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Orbit resolution : ")},
    {"textureTypeLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Apply textures to : ")},
    {"textureFilterLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Texture filter type : ")},
    {"textureResLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Texture resolution : ")},
    {"fontsGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Fonts")},
    {"fontPlanetLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Sun / Planet labels : ")},
    {"fontFstarLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Fixed star labels : ")},
    {"fontGalaxyLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Nebula / Star cluster labels : ")},
    {"fontConsteLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Constellation labels : ")},
    {"fontDirLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Direction marker labels : ")},
    {"fontEqCoordLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Equatorial coordinate : ")},
    {"fontConsoleLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Information console : ")},
    {"lineGroup", QT_TRANSLATE_NOOP("OrvexOptionForm", "Line width and Colors")},
    {"lineOrbitLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Planet orbits : ")},
    {"lineHLOrbitLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "HL. Planet orbits : ")},
    {"lineCometOrbitLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Comet orbits : ")},
    {"lineAsteroidOrbitLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Asteroid orbits : ")},
    {"lineSpaceProbeOrbitLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Space probe orbits : ")},
    {"lineSpinAxesLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Spin axes : ")},
    {"lineProtractorsLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Protractors : ")},
    {"lineEqCoordLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Equatorial coordinate : ")},
    {"lineConsteLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Constellation lines : ")},
    {"lineHLConsteLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "HL. Constellation lines : ")},
    {"lineConstePictLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Constellation picts. lines : ")},
    {"lineHLConstePictLabel",
     QT_TRANSLATE_NOOP("OrvexOptionForm", "HL. Constellation picts. lines : ")},
    {"lineConsteBoundLabel", QT_TRANSLATE_NOOP("OrvexOptionForm", "Constellation boundaries. : ")},
    {"saveButton", QT_TRANSLATE_NOOP("OrvexOptionForm", "Save")},
    {"loadButton", QT_TRANSLATE_NOOP("OrvexOptionForm", "Load")},
    {"closeButton", QT_TRANSLATE_NOOP("OrvexOptionForm", "Close")},
};

const char* const fontButtonText = QT_TRANSLATE_NOOP("OrvexOptionForm", "...");

// The combo boxes' items in index order: the slots and the refill go by index.
const struct {
    QComboBox* F::*combo;
    std::initializer_list<const char*> items;
} comboItems[] = {
    {&F::cursorTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Arrow"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Light marker"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Annotate")}},
    {&F::landscapeTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Horizon"), QT_TRANSLATE_NOOP("OrvexOptionForm", "Mesh"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Panorama")}},
    {&F::bgStarTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Points"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Textured"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "PointSprites")}},
    {&F::bgMwayTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Polygon"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Texture")}},
    {&F::consoleTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Default"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Names only"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Date/Time only")}},
    {&F::consoleLocaleCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "UTC"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Local time")}},
    {&F::blurTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "w/o Milky Way"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "with Milky Way")}},
    {&F::drawMethodCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Wireframe"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Polygon")}},
    {&F::meshResCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Low"), QT_TRANSLATE_NOOP("OrvexOptionForm", "Middle"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "High")}},
    {&F::orbitResCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Low"), QT_TRANSLATE_NOOP("OrvexOptionForm", "Middle"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "High")}},
    {&F::textureTypeCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "None"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Selected"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Everything")}},
    {&F::textureFilterCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Nearest (Low)"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "Linear (High)")}},
    {&F::textureResCombo,
     {QT_TRANSLATE_NOOP("OrvexOptionForm", "Low"), QT_TRANSLATE_NOOP("OrvexOptionForm", "Middle"),
      QT_TRANSLATE_NOOP("OrvexOptionForm", "High")}},
};

// The widgets of the label rows (stem + "Label", "Spin", "ColorButton",
// "BrowseButton") and of the line rows (stem + "Label", "Spin",
// "ColorButton"), top to bottom.
const struct {
    const char* stem;
    QLabel* F::*label;
    QFloatSpinBox* F::*size;
    QToolButton* F::*color;
    QToolButton* F::*font;
} labelRowWidgets[] = {
    {"fontPlanet", &F::fontPlanetLabel, &F::fontPlanetSpin, &F::fontPlanetColorButton,
     &F::fontPlanetBrowseButton},
    {"fontFstar", &F::fontFstarLabel, &F::fontFstarSpin, &F::fontFstarColorButton,
     &F::fontFstarBrowseButton},
    {"fontGalaxy", &F::fontGalaxyLabel, &F::fontGalaxySpin, &F::fontGalaxyColorButton,
     &F::fontGalaxyBrowseButton},
    {"fontConste", &F::fontConsteLabel, &F::fontConsteSpin, &F::fontConsteColorButton,
     &F::fontConsteBrowseButton},
    {"fontDir", &F::fontDirLabel, &F::fontDirSpin, &F::fontDirColorButton, &F::fontDirBrowseButton},
    {"fontEqCoord", &F::fontEqCoordLabel, &F::fontEqCoordSpin, &F::fontEqCoordColorButton,
     &F::fontEqCoordBrowseButton},
    {"fontConsole", &F::fontConsoleLabel, &F::fontConsoleSpin, &F::fontConsoleColorButton,
     &F::fontConsoleBrowseButton},
};

const struct {
    const char* stem;
    QLabel* F::*label;
    QFloatSpinBox* F::*width;
    QToolButton* F::*color;
} lineRowWidgets[] = {
    {"lineOrbit", &F::lineOrbitLabel, &F::lineOrbitSpin, &F::lineOrbitColorButton},
    {"lineHLOrbit", &F::lineHLOrbitLabel, &F::lineHLOrbitSpin, &F::lineHLOrbitColorButton},
    {"lineCometOrbit", &F::lineCometOrbitLabel, &F::lineCometOrbitSpin,
     &F::lineCometOrbitColorButton},
    {"lineAsteroidOrbit", &F::lineAsteroidOrbitLabel, &F::lineAsteroidOrbitSpin,
     &F::lineAsteroidOrbitColorButton},
    {"lineSpaceProbeOrbit", &F::lineSpaceProbeOrbitLabel, &F::lineSpaceProbeOrbitSpin,
     &F::lineSpaceProbeOrbitColorButton},
    {"lineSpinAxes", &F::lineSpinAxesLabel, &F::lineSpinAxesSpin, &F::lineSpinAxesColorButton},
    {"lineProtractors", &F::lineProtractorsLabel, &F::lineProtractorsSpin,
     &F::lineProtractorsColorButton},
    {"lineEqCoord", &F::lineEqCoordLabel, &F::lineEqCoordSpin, &F::lineEqCoordColorButton},
    {"lineConste", &F::lineConsteLabel, &F::lineConsteSpin, &F::lineConsteColorButton},
    {"lineHLConste", &F::lineHLConsteLabel, &F::lineHLConsteSpin, &F::lineHLConsteColorButton},
    {"lineConstePict", &F::lineConstePictLabel, &F::lineConstePictSpin,
     &F::lineConstePictColorButton},
    {"lineHLConstePict", &F::lineHLConstePictLabel, &F::lineHLConstePictSpin,
     &F::lineHLConstePictColorButton},
    {"lineConsteBound", &F::lineConsteBoundLabel, &F::lineConsteBoundSpin,
     &F::lineConsteBoundColorButton},
};

// The spin box ranges, in the order init sets them.
const struct {
    QFloatSpinBox* F::*spin;
    float minimum;
    float maximum;
    int decimals;
} spinRanges[] = {
    {&F::cursorSizeSpin, 0, 2, 1},        {&F::bgMagnitudeSpin, 0, 99, 0},
    {&F::bgMwayResSpin, 1, 7, 0},         {&F::ambientLevelSpin, 0, 1, 1},
    {&F::sstarFreqSpin, 0, 64, 0},        {&F::sstarDeclSpin, -90, 90, 1},
    {&F::sstarRASpin, -180, 180, 1},      {&F::blurLevelSpin, 0, 64, 0},
    {&F::fontPlanetSpin, 8, 64, 0},       {&F::fontFstarSpin, 8, 64, 0},
    {&F::fontGalaxySpin, 8, 64, 0},       {&F::fontConsteSpin, 8, 64, 0},
    {&F::fontDirSpin, 8, 64, 0},          {&F::fontEqCoordSpin, 8, 64, 0},
    {&F::fontConsoleSpin, 8, 64, 0},      {&F::lineOrbitSpin, 1, 4, 0},
    {&F::lineHLOrbitSpin, 1, 4, 0},       {&F::lineCometOrbitSpin, 1, 4, 0},
    {&F::lineAsteroidOrbitSpin, 1, 4, 0}, {&F::lineSpaceProbeOrbitSpin, 1, 4, 0},
    {&F::lineSpinAxesSpin, 1, 4, 0},      {&F::lineProtractorsSpin, 1, 4, 0},
    {&F::lineEqCoordSpin, 1, 4, 0},       {&F::lineConsteSpin, 1, 4, 0},
    {&F::lineHLConsteSpin, 1, 4, 0},      {&F::lineConstePictSpin, 1, 4, 0},
    {&F::lineHLConstePictSpin, 1, 4, 0},  {&F::lineConsteBoundSpin, 1, 4, 0},
};

QByteArray rowName(const char* stem, const char* suffix) {
    return QByteArray(stem) + suffix;
}

// A group box's frame: a top-aligned column (spacing 2) holding the vertical
// box of its rows.
QVBoxLayout* groupRows(QGroupBox* group, int margin) {
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(2);
    column->setAlignment(Qt::AlignTop);
    auto* rows = MainFormBuild::vbox((group->objectName() + "Layout").toLatin1().constData());
    column->addLayout(rows);
    return rows;
}

// A row of widgets side by side, label first.
void addRow(QVBoxLayout* rows, std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    rows->addLayout(row);
}

// A spin box of the page "Display": narrow, and of fixed width.
QFloatSpinBox* displaySpin(const char* name, QWidget* parent, bool atLeast50 = false) {
    auto* spin = make<QFloatSpinBox>(name, parent);
    MainFormBuild::setPolicy(spin, QSizePolicy::Fixed, QSizePolicy::Fixed);
    spin->setMaximumWidth(50);
    if (atLeast50)
        spin->setMinimumWidth(50);
    return spin;
}

// A scroll area that asks for the whole of its widget, where the toolkit's
// asks for a few dozen lines at most.
class WholeWidgetArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        // As a layout would take the widget: no smaller than its least size.
        return widget() ? widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) +
                              QSize(frame, frame)
                        : QScrollArea::sizeHint();
    }
};

// A tab page whose content scrolls within it, so that the tab bar above
// stays in sight where the dialog is lower than the content.
QWidget* scrollingPage(const char* name, QLayout* content, QList<QScrollArea*>& areas) {
    auto* page = make<QWidget>(name);
    auto* area = make<WholeWidgetArea>((QByteArray(name) + "Area").constData(), page);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* inner = make<QWidget>((QByteArray(name) + "Content").constData());
    inner->setLayout(content);
    area->setWidget(inner);
    auto* pageLayout = MainFormBuild::vbox((QByteArray(name) + "AreaLayout").constData(), 0, 0);
    pageLayout->addWidget(area);
    page->setLayout(pageLayout);
    areas.append(area);
    return page;
}

// A colour or font button: 21 pixels wide.
QToolButton* smallButton(const QByteArray& name, QWidget* parent) {
    auto* button = make<QToolButton>(name.constData(), parent);
    MainFormBuild::setPolicy(button, QSizePolicy::Fixed, QSizePolicy::Minimum);
    button->setFixedWidth(21);
    return button;
}

} // namespace

OrvexOptionForm::OrvexOptionForm(QWidget* parent, const char* name, bool modal,
                                 Qt::WindowFlags flags)
    : QDialog(parent, flags), chooser_(std::make_unique<ColorFontChooser>()) {
    setObjectName(QString::fromLatin1(name ? name : "OrvexOptionForm"));
    setModal(modal);

    auto* top = MainFormBuild::hbox("OrvexOptionFormLayout", 2, 2);
    setLayout(top);
    auto* column = MainFormBuild::vbox("layout", 0, 2);
    top->addLayout(column);

    tabWidget = make<QTabWidget>("tabWidget", this);
    column->addWidget(tabWidget);
    buildDisplayPage();
    buildFontsPage();

    auto* buttonRow = MainFormBuild::hbox("buttonLayout", 0, 2);
    buttonRow->addItem(
        MainFormBuild::spacer(101, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    saveButton = make<QPushButton>("saveButton", this);
    loadButton = make<QPushButton>("loadButton", this);
    closeButton = make<QPushButton>("closeButton", this);
    for (QPushButton* button : {saveButton, loadButton, closeButton}) {
        button->setAutoDefault(false);
        buttonRow->addWidget(button);
    }
    column->addLayout(buttonRow);

    tabWidget->addTab(tab, QString());
    tabWidget->addTab(tab_2, QString());

    languageChange();
    resize(QSize(548, 583).expandedTo(minimumSizeHint()));
    connectControls();
    init();
}

OrvexOptionForm::~OrvexOptionForm() {
    destroy();
}

void OrvexOptionForm::destroy() {}

void OrvexOptionForm::buildDisplayPage() {
    auto* pageLayout = MainFormBuild::hbox("tabLayout", 2, 2);
    tab = scrollingPage("tab", pageLayout, pageAreas);
    auto* left = MainFormBuild::vbox("leftColumn", 0, 2);
    auto* right = MainFormBuild::vbox("rightColumn", 0, 2);
    pageLayout->addLayout(left);
    pageLayout->addLayout(right);

    auto label = [](const char* name, QWidget* group) { return make<QLabel>(name, group); };
    auto combo = [](const char* name, QWidget* group) { return make<QComboBox>(name, group); };
    auto check = [](const char* name, QWidget* group) { return make<QCheckBox>(name, group); };
    auto group = [this](const char* name, QVBoxLayout* column, QVBoxLayout*& rows) {
        auto* box = make<QGroupBox>(name, tab);
        column->addWidget(box);
        rows = groupRows(box, 6);
        return box;
    };
    QVBoxLayout* rows = nullptr;

    cursorGroup = group("cursorGroup", left, rows);
    cursorTypeLabel = label("cursorTypeLabel", cursorGroup);
    cursorTypeCombo = combo("cursorTypeCombo", cursorGroup);
    addRow(rows, {cursorTypeLabel, cursorTypeCombo});
    cursorSizeLabel = label("cursorSizeLabel", cursorGroup);
    cursorSizeSpin = displaySpin("cursorSizeSpin", cursorGroup);
    addRow(rows, {cursorSizeLabel, cursorSizeSpin});

    landscapeGroup = group("landscapeGroup", left, rows);
    landscapeTypeLabel = label("landscapeTypeLabel", landscapeGroup);
    landscapeTypeCombo = combo("landscapeTypeCombo", landscapeGroup);
    addRow(rows, {landscapeTypeLabel, landscapeTypeCombo});
    directionCheck = check("directionCheck", landscapeGroup);
    rows->addWidget(directionCheck);
    dirVisibleCheck = check("dirVisibleCheck", landscapeGroup);
    rows->addWidget(dirVisibleCheck);

    backgroundGroup = group("backgroundGroup", left, rows);
    bgStarTypeLabel = label("bgStarTypeLabel", backgroundGroup);
    bgStarTypeCombo = combo("bgStarTypeCombo", backgroundGroup);
    addRow(rows, {bgStarTypeLabel, bgStarTypeCombo});
    bgMagnitudeLabel = label("bgMagnitudeLabel", backgroundGroup);
    bgMagnitudeSpin = displaySpin("bgMagnitudeSpin", backgroundGroup);
    addRow(rows, {bgMagnitudeLabel, bgMagnitudeSpin});
    bgMwayTypeLabel = label("bgMwayTypeLabel", backgroundGroup);
    bgMwayTypeCombo = combo("bgMwayTypeCombo", backgroundGroup);
    addRow(rows, {bgMwayTypeLabel, bgMwayTypeCombo});
    bgMwayResLabel = label("bgMwayResLabel", backgroundGroup);
    bgMwayResSpin = displaySpin("bgMwayResSpin", backgroundGroup);
    addRow(rows, {bgMwayResLabel, bgMwayResSpin});
    ambientLevelLabel = label("ambientLevelLabel", backgroundGroup);
    ambientLevelSpin = displaySpin("ambientLevelSpin", backgroundGroup, true);
    addRow(rows, {ambientLevelLabel, ambientLevelSpin});

    sstarGroup = group("sstarGroup", left, rows);
    sporadicCheck = check("sporadicCheck", sstarGroup);
    rows->addWidget(sporadicCheck);
    sstarFreqLabel = label("sstarFreqLabel", sstarGroup);
    sstarFreqSpin = displaySpin("sstarFreqSpin", sstarGroup);
    addRow(rows, {sstarFreqLabel, sstarFreqSpin});
    sstarDeclLabel = label("sstarDeclLabel", sstarGroup);
    sstarDeclSpin = displaySpin("sstarDeclSpin", sstarGroup, true);
    addRow(rows, {sstarDeclLabel, sstarDeclSpin});
    sstarRALabel = label("sstarRALabel", sstarGroup);
    sstarRASpin = displaySpin("sstarRASpin", sstarGroup, true);
    addRow(rows, {sstarRALabel, sstarRASpin});

    consoleGroup = group("consoleGroup", left, rows);
    consoleTypeLabel = label("consoleTypeLabel", consoleGroup);
    consoleTypeCombo = combo("consoleTypeCombo", consoleGroup);
    addRow(rows, {consoleTypeLabel, consoleTypeCombo});
    consoleLocaleLabel = label("consoleLocaleLabel", consoleGroup);
    consoleLocaleCombo = combo("consoleLocaleCombo", consoleGroup);
    addRow(rows, {consoleLocaleLabel, consoleLocaleCombo});
    consoleFPSCheck = check("consoleFPSCheck", consoleGroup);
    rows->addWidget(consoleFPSCheck);

    postfxGroup = group("postfxGroup", right, rows);
    postfxAlphaCheck = check("postfxAlphaCheck", postfxGroup);
    rows->addWidget(postfxAlphaCheck);
    blurTypeLabel = label("blurTypeLabel", postfxGroup);
    blurTypeCombo = combo("blurTypeCombo", postfxGroup);
    addRow(rows, {blurTypeLabel, blurTypeCombo});
    blurLevelLabel = label("blurLevelLabel", postfxGroup);
    blurLevelSpin = displaySpin("blurLevelSpin", postfxGroup, true);
    addRow(rows, {blurLevelLabel, blurLevelSpin});

    optimizeGroup = group("optimizeGroup", right, rows);
    drawMethodLabel = label("drawMethodLabel", optimizeGroup);
    drawMethodCombo = combo("drawMethodCombo", optimizeGroup);
    addRow(rows, {drawMethodLabel, drawMethodCombo});
    meshResLabel = label("meshResLabel", optimizeGroup);
    meshResCombo = combo("meshResCombo", optimizeGroup);
    addRow(rows, {meshResLabel, meshResCombo});
    orbitResLabel = label("orbitResLabel", optimizeGroup);
    orbitResCombo = combo("orbitResCombo", optimizeGroup);
    addRow(rows, {orbitResLabel, orbitResCombo});
    textureTypeLabel = label("textureTypeLabel", optimizeGroup);
    textureTypeCombo = combo("textureTypeCombo", optimizeGroup);
    addRow(rows, {textureTypeLabel, textureTypeCombo});
    textureFilterLabel = label("textureFilterLabel", optimizeGroup);
    textureFilterCombo = combo("textureFilterCombo", optimizeGroup);
    addRow(rows, {textureFilterLabel, textureFilterCombo});
    textureResLabel = label("textureResLabel", optimizeGroup);
    textureResCombo = combo("textureResCombo", optimizeGroup);
    addRow(rows, {textureResLabel, textureResCombo});
    right->addStretch();
}

void OrvexOptionForm::buildFontsPage() {
    auto* pageLayout = MainFormBuild::vbox("tabLayout_2", 2, 2);
    tab_2 = scrollingPage("tab_2", pageLayout, pageAreas);
    auto* groups = MainFormBuild::hbox("groupsLayout", 0, 2);
    pageLayout->addLayout(groups);

    fontsGroup = make<QGroupBox>("fontsGroup", tab_2);
    groups->addWidget(fontsGroup);
    QVBoxLayout* rows = groupRows(fontsGroup, 2);
    for (std::size_t i = 0; i < std::size(labelRowWidgets); ++i) {
        const auto& row = labelRowWidgets[i];
        QLabel* label = make<QLabel>(rowName(row.stem, "Label").constData(), fontsGroup);
        auto* size = make<QFloatSpinBox>(rowName(row.stem, "Spin").constData(), fontsGroup);
        MainFormBuild::setPolicy(size, QSizePolicy::Fixed, QSizePolicy::Fixed);
        size->setMinimumWidth(30);
        QToolButton* color = smallButton(rowName(row.stem, "ColorButton"), fontsGroup);
        FocusMark::add(color);
        QToolButton* font = smallButton(rowName(row.stem, "BrowseButton"), fontsGroup);
        addRow(rows, {label, size, color, font});
        this->*row.label = label;
        this->*row.size = size;
        this->*row.color = color;
        this->*row.font = font;
        labelRows_[i] = {size, color, font};
    }
    rows->addItem(MainFormBuild::spacer(20, 281, QSizePolicy::Minimum, QSizePolicy::Expanding));

    lineGroup = make<QGroupBox>("lineGroup", tab_2);
    groups->addWidget(lineGroup);
    rows = groupRows(lineGroup, 6);
    for (std::size_t i = 0; i < std::size(lineRowWidgets); ++i) {
        const auto& row = lineRowWidgets[i];
        QLabel* label = make<QLabel>(rowName(row.stem, "Label").constData(), lineGroup);
        auto* width = make<QFloatSpinBox>(rowName(row.stem, "Spin").constData(), lineGroup);
        MainFormBuild::setPolicy(width, QSizePolicy::Fixed, QSizePolicy::Fixed);
        width->setMinimumWidth(30);
        QToolButton* color = smallButton(rowName(row.stem, "ColorButton"), lineGroup);
        FocusMark::add(color);
        addRow(rows, {label, width, color});
        this->*row.label = label;
        this->*row.width = width;
        this->*row.color = color;
        lineRows_[i] = {width, color};
    }
    rows->addItem(MainFormBuild::spacer(20, 181, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

void OrvexOptionForm::languageChange() {
    setWindowTitle(tr("Detail Setting"));
    tabWidget->setTabText(tabWidget->indexOf(tab), tr("Display"));
    tabWidget->setTabText(tabWidget->indexOf(tab_2), tr("Fonts and Colors"));
    for (const auto& entry : widgetTexts) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(entry.object));
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(tr(entry.text));
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(tr(entry.text));
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(tr(entry.text));
    }
    for (const LabelRow& row : labelRows_)
        row.font->setText(tr(fontButtonText));
    for (const auto& entry : comboItems) {
        QComboBox* combo = this->*entry.combo;
        combo->clear();
        for (const char* item : entry.items)
            combo->addItem(tr(item));
    }
}

void OrvexOptionForm::connectControls() {
    auto clicked = [this](QAbstractButton* button, void (F::*slot)()) {
        connect(button, &QAbstractButton::clicked, this, slot);
    };
    auto toggled = [this](QAbstractButton* button, void (F::*slot)(bool)) {
        connect(button, &QAbstractButton::toggled, this, slot);
    };
    auto activated = [this](QComboBox* combo, void (F::*slot)(int)) {
        connect(combo, QOverload<int>::of(&QComboBox::activated), this, slot);
    };
    auto spun = [this](QSpinBox* spin, void (F::*slot)(int)) {
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, slot);
    };
    // The boxes with a decimal run slots that read the real value themselves.
    auto spunReal = [this](QSpinBox* spin, void (F::*slot)()) {
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, slot);
    };

    clicked(saveButton, &F::saveSlot);
    clicked(loadButton, &F::loadSlot);
    clicked(closeButton, &F::closeSlot);
    activated(cursorTypeCombo, &F::cursorTypeSlot);
    spunReal(cursorSizeSpin, &F::cursorSizeSlot);
    activated(landscapeTypeCombo, &F::landscapeTypeSlot);
    toggled(directionCheck, &F::directionSlot);
    toggled(dirVisibleCheck, &F::keepDirVisibleSlot);
    activated(bgStarTypeCombo, &F::starRenderTypeSlot);
    spun(bgMagnitudeSpin, &F::magnitudeSlot);
    activated(bgMwayTypeCombo, &F::mwayRenderTypeSlot);
    spun(bgMwayResSpin, &F::mwayResSlot);
    spunReal(ambientLevelSpin, &F::ambientLevelSlot);
    toggled(sporadicCheck, &F::sporadicSlot);
    spun(sstarFreqSpin, &F::sstarFreqSlot);
    spunReal(sstarDeclSpin, &F::sstarDeclSlot);
    spunReal(sstarRASpin, &F::sstarRASlot);
    activated(consoleTypeCombo, &F::consoleTypeSlot);
    activated(consoleLocaleCombo, &F::consoleLocaleSlot);
    toggled(consoleFPSCheck, &F::showFPSSlot);
    toggled(postfxAlphaCheck, &F::alphaBlendingSlot);
    activated(drawMethodCombo, &F::drawMethodSlot);
    activated(meshResCombo, &F::meshResSlot);
    activated(orbitResCombo, &F::orbitResSlot);
    activated(textureTypeCombo, &F::textureApplySlot);
    activated(textureFilterCombo, &F::textureFilterSlot);
    activated(textureResCombo, &F::textureResSlot);

    const struct {
        void (F::*color)();
        void (F::*size)(int);
        void (F::*font)();
    } labelSlots[] = {
        {&F::planelLabelColorSlot, &F::planelLabelSizeSlot, &F::planetLabelFontSlot},
        {&F::fstarLabelColorSlot, &F::fstarLabelSizeSlot, &F::fstarLabelFontSlot},
        {&F::galaxyLabelColorSlot, &F::galaxyLabelSizeSlot, &F::galaxyLabelFontSlot},
        {&F::consteLabelColorSlot, &F::consteLabelSizeSlot, &F::consteLabelFontSlot},
        {&F::directionLabelColorSlot, &F::directionLabelSizeSlot, &F::directionLabelFontSlot},
        {&F::eqCoordLabelColorSlot, &F::eqCoordLabelSizeSlot, &F::eqCoordLabelFontSlot},
        {&F::consoleLabelColorSlot, &F::consoleLabelSizeSlot, &F::consoleLabelFontSlot},
    };
    static_assert(std::size(labelSlots) == LabelRowCount);
    for (int i = 0; i < LabelRowCount; ++i) {
        clicked(labelRows_[i].color, labelSlots[i].color);
        spun(labelRows_[i].size, labelSlots[i].size);
        clicked(labelRows_[i].font, labelSlots[i].font);
    }

    // In the order of the rows on the page.
    const struct {
        void (F::*width)(int);
        void (F::*color)();
    } lineSlots[] = {
        {&F::orbitLineWidthSlot, &F::orbitLineColorSlot},
        {&F::hlorbitLineWidthSlot, &F::hlorbitLineColorSlot},
        {&F::cometLineWidthSlot, &F::cometLineColorSlot},
        {&F::asteroidLineWidthSlot, &F::asteroidLineColorSlot},
        {&F::spaceProbeLineWidthSlot, &F::spaceProbeLineColorSlot},
        {&F::spinAxisLineWidthSlot, &F::spinAxisLineColorSlot},
        {&F::protractorsLineWidth, &F::protractorsLineColorSlot},
        {&F::eqCoordLineWidthSlot, &F::eqCoordLineColorSlot},
        {&F::consteLineWidthSlot, &F::consteLineColorSlot},
        {&F::hlconsteLineWidthSlot, &F::hlconsteLineColorSlot},
        {&F::constePictLineWidthSlot, &F::constePictLineColorSlot},
        {&F::hlconstePictLineWidthSlot, &F::hlconstePictLineColorSlot},
        {&F::consteBoundLineWidthSlot, &F::consteBoundLineColorSlot},
    };
    static_assert(std::size(lineSlots) == LineRowCount);
    for (int i = 0; i < LineRowCount; ++i) {
        spun(lineRows_[i].width, lineSlots[i].width);
        clicked(lineRows_[i].color, lineSlots[i].color);
    }

    activated(blurTypeCombo, &F::blurTypeSlot);
    spun(blurLevelSpin, &F::blurLevelSlot);
}

void OrvexOptionForm::init() {
    updating = true;
    // The pages whole; a show fits that to the screen.
    resize(sizeHint());
    for (const auto& range : spinRanges)
        (this->*range.spin)->setRange(range.minimum, range.maximum, range.decimals);
    // The radiant's right ascension is an angle: 270 shows as -90.0.
    sstarRASpin->setCircular(true);
    // The boxes of the page "Display" are 50 pixels wide, or as wide as their
    // widest value needs in a larger font.
    for (QFloatSpinBox* spin : tab->findChildren<QFloatSpinBox*>())
        spin->setMaximumWidth(std::max(50, spin->sizeHint().width()));
    updating = false;
}

void OrvexOptionForm::setVisible(bool visible) {
    const bool opening = visible && !isVisible();
    if (opening)
        fitToRoom();
    QDialog::setVisible(visible);
    // The pages not shown before tell their whole size only now.
    if (opening)
        fitToRoom();
}

void OrvexOptionForm::fitToRoom() {
    // The scroll areas do not tell the layouts when their pages' needs change
    // (they do when the pages are first shown): they measure anew.
    for (QScrollArea* area : pageAreas)
        area->updateGeometry();
    for (QLayout* nested : layout()->findChildren<QLayout*>())
        nested->invalidate();
    // The frame a window manager gives it: its own once it had one, else one
    // like its parent window's.
    const QWidget* framed =
        frameGeometry() != geometry() || !parentWidget() ? this : parentWidget()->window();
    const QRect client = framed->geometry();
    const QRect outer = framed->frameGeometry();
    const QPoint corner = client.topLeft() - outer.topLeft();
    const QSize frame = outer.size() - client.size();
    const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
    if (!shown)
        return;
    const QRect room = shown->availableGeometry();
    const QSize whole = sizeHint().expandedTo(minimumSizeHint());
    QSize size = whole.boundedTo(room.size() - frame);
    // Pages that scroll up and down get the scroll bar's width beside them.
    if (size.height() < whole.height())
        size.setWidth(
            std::min(room.width() - frame.width(),
                     whole.width() + pageAreas.front()->verticalScrollBar()->sizeHint().width()));
    setMaximumSize(size.expandedTo(whole));
    resize(size.expandedTo(minimumSizeHint()));
    // Placed before (by the toolkit at its first show, or by the user), it
    // stays there as far as the room lets it.
    if (isVisible() || testAttribute(Qt::WA_Moved)) {
        const QRect at(geometry().topLeft() - corner, this->size() + frame);
        const QPoint within = WindowArrangement::within(room, at);
        if (within != at.topLeft())
            setGeometry(QRect(within + corner, this->size()));
    }
}

void OrvexOptionForm::setGL(EngineLink* view) {
    gl_ = view;
}

void OrvexOptionForm::setChooser(std::unique_ptr<ColorFontChooser> chooser) {
    if (chooser)
        chooser_ = std::move(chooser);
}
