// The option dialog "Detail Setting": how the engine draws the scene (cursor,
// landscape, stars and Milky Way, shooting stars, console, post effects,
// render detail) on one page, the font, colour and line width of every kind
// of label and line on the other, and Save and Load of the engine's option
// file. It keeps no settings of its own: each change is sent to the engine at
// once as one command line, and updateForm fills every control from the
// engine's answers each time the dialog is opened.
#pragma once

#include <QColor>
#include <QDialog>
#include <QList>
#include <QString>
#include <array>
#include <memory>
#include <string>

class ColorFontChooser;
class EngineLink;
class QCheckBox;
class QComboBox;
class QFloatSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;

class OrvexOptionForm : public QDialog {
    Q_OBJECT
public:
    explicit OrvexOptionForm(QWidget* parent = nullptr, const char* name = nullptr,
                             bool modal = false, Qt::WindowFlags flags = Qt::WindowFlags());
    ~OrvexOptionForm() override;

    virtual void init();
    virtual void destroy();
    // The GL view's link to the engine; the dialog sends and asks nothing
    // without one.
    virtual void setGL(EngineLink* view);
    // Every control but the star and blur type combos from the engine, with
    // nothing sent back while it runs.
    virtual void updateForm();

    EngineLink* gl() const { return gl_; }
    bool isUpdating() const { return updating; }
    // Where colours and fonts are asked for; the toolkit's dialogs unless
    // replaced.
    void setChooser(std::unique_ptr<ColorFontChooser> chooser);

    // A colour button holds the colour it stands for and shows it as its
    // background; a button never given one answers its palette's button colour.
    static QColor buttonColor(const QToolButton* button);
    static void setButtonColor(QToolButton* button, const QColor& color);

public slots:
    virtual void saveSlot();
    virtual void loadSlot();
    virtual void closeSlot();
    virtual void cursorTypeSlot(int index);
    virtual void cursorSizeSlot();
    virtual void landscapeTypeSlot(int index);
    virtual void directionSlot(bool on);
    virtual void keepDirVisibleSlot(bool on);
    virtual void starRenderTypeSlot(int index);
    virtual void magnitudeSlot(int value);
    virtual void mwayRenderTypeSlot(int index);
    virtual void mwayResSlot(int value);
    virtual void ambientLevelSlot();
    virtual void sporadicSlot(bool on);
    virtual void sstarFreqSlot(int value);
    virtual void sstarDeclSlot();
    virtual void sstarRASlot();
    virtual void consoleTypeSlot(int index);
    virtual void consoleLocaleSlot(int index);
    virtual void showFPSSlot(bool on);
    virtual void alphaBlendingSlot(bool on);
    virtual void drawMethodSlot(int index);
    virtual void meshResSlot(int index);
    virtual void orbitResSlot(int index);
    virtual void textureApplySlot(int index);
    virtual void textureFilterSlot(int index);
    virtual void textureResSlot(int index);
    virtual void planelLabelColorSlot();
    virtual void planelLabelSizeSlot(int size);
    virtual void planetLabelFontSlot();
    virtual void fstarLabelColorSlot();
    virtual void fstarLabelSizeSlot(int size);
    virtual void fstarLabelFontSlot();
    virtual void galaxyLabelColorSlot();
    virtual void galaxyLabelSizeSlot(int size);
    virtual void galaxyLabelFontSlot();
    virtual void consteLabelColorSlot();
    virtual void consteLabelSizeSlot(int size);
    virtual void consteLabelFontSlot();
    virtual void directionLabelColorSlot();
    virtual void directionLabelSizeSlot(int size);
    virtual void directionLabelFontSlot();
    virtual void eqCoordLabelColorSlot();
    virtual void eqCoordLabelSizeSlot(int size);
    virtual void eqCoordLabelFontSlot();
    virtual void consoleLabelColorSlot();
    virtual void consoleLabelSizeSlot(int size);
    virtual void consoleLabelFontSlot();
    virtual void orbitLineWidthSlot(int width);
    virtual void orbitLineColorSlot();
    virtual void hlorbitLineWidthSlot(int width);
    virtual void hlorbitLineColorSlot();
    virtual void cometLineWidthSlot(int width);
    virtual void cometLineColorSlot();
    virtual void asteroidLineWidthSlot(int width);
    virtual void asteroidLineColorSlot();
    virtual void spinAxisLineWidthSlot(int width);
    virtual void spinAxisLineColorSlot();
    virtual void protractorsLineWidth(int width);
    virtual void protractorsLineColorSlot();
    virtual void eqCoordLineWidthSlot(int width);
    virtual void eqCoordLineColorSlot();
    virtual void consteLineWidthSlot(int width);
    virtual void consteLineColorSlot();
    virtual void hlconsteLineWidthSlot(int width);
    virtual void hlconsteLineColorSlot();
    virtual void consteBoundLineWidthSlot(int width);
    virtual void consteBoundLineColorSlot();
    virtual void constePictLineWidthSlot(int width);
    virtual void constePictLineColorSlot();
    virtual void spaceProbeLineWidthSlot(int width);
    virtual void spaceProbeLineColorSlot();
    virtual void hlconstePictLineWidthSlot(int width);
    virtual void hlconstePictLineColorSlot();
    virtual void blurTypeSlot(int index);
    virtual void blurLevelSlot(int value);

protected slots:
    virtual void languageChange();

public:
    QTabWidget* tabWidget = nullptr;

    // Page "Display".
    QWidget* tab = nullptr;
    QGroupBox* cursorGroup = nullptr;
    QLabel* cursorTypeLabel = nullptr;
    QComboBox* cursorTypeCombo = nullptr;
    QLabel* cursorSizeLabel = nullptr;
    QFloatSpinBox* cursorSizeSpin = nullptr;
    QGroupBox* landscapeGroup = nullptr;
    QLabel* landscapeTypeLabel = nullptr;
    QComboBox* landscapeTypeCombo = nullptr;
    QCheckBox* directionCheck = nullptr;
    QCheckBox* dirVisibleCheck = nullptr;
    QGroupBox* backgroundGroup = nullptr;
    QLabel* bgStarTypeLabel = nullptr;
    QComboBox* bgStarTypeCombo = nullptr;
    QLabel* bgMagnitudeLabel = nullptr;
    QFloatSpinBox* bgMagnitudeSpin = nullptr;
    QLabel* bgMwayTypeLabel = nullptr;
    QComboBox* bgMwayTypeCombo = nullptr;
    QLabel* bgMwayResLabel = nullptr;
    QFloatSpinBox* bgMwayResSpin = nullptr;
    QLabel* ambientLevelLabel = nullptr;
    QFloatSpinBox* ambientLevelSpin = nullptr;
    QGroupBox* sstarGroup = nullptr;
    QCheckBox* sporadicCheck = nullptr;
    QLabel* sstarFreqLabel = nullptr;
    QFloatSpinBox* sstarFreqSpin = nullptr;
    QLabel* sstarDeclLabel = nullptr;
    QFloatSpinBox* sstarDeclSpin = nullptr;
    QLabel* sstarRALabel = nullptr;
    QFloatSpinBox* sstarRASpin = nullptr;
    QGroupBox* consoleGroup = nullptr;
    QLabel* consoleTypeLabel = nullptr;
    QComboBox* consoleTypeCombo = nullptr;
    QLabel* consoleLocaleLabel = nullptr;
    QComboBox* consoleLocaleCombo = nullptr;
    QCheckBox* consoleFPSCheck = nullptr;
    QGroupBox* postfxGroup = nullptr;
    QCheckBox* postfxAlphaCheck = nullptr;
    QLabel* blurTypeLabel = nullptr;
    QComboBox* blurTypeCombo = nullptr;
    QLabel* blurLevelLabel = nullptr;
    QFloatSpinBox* blurLevelSpin = nullptr;
    QGroupBox* optimizeGroup = nullptr;
    QLabel* drawMethodLabel = nullptr;
    QComboBox* drawMethodCombo = nullptr;
    QLabel* meshResLabel = nullptr;
    QComboBox* meshResCombo = nullptr;
    QLabel* orbitResLabel = nullptr;
    QComboBox* orbitResCombo = nullptr;
    QLabel* textureTypeLabel = nullptr;
    QComboBox* textureTypeCombo = nullptr;
    QLabel* textureFilterLabel = nullptr;
    QComboBox* textureFilterCombo = nullptr;
    QLabel* textureResLabel = nullptr;
    QComboBox* textureResCombo = nullptr;

    // Page "Fonts and Colors": a label row is a label, a size spin box, a
    // colour button and a font button; a line row a label, a width spin box
    // and a colour button.
    QWidget* tab_2 = nullptr;
    QGroupBox* fontsGroup = nullptr;
    QLabel* fontPlanetLabel = nullptr;
    QFloatSpinBox* fontPlanetSpin = nullptr;
    QToolButton* fontPlanetColorButton = nullptr;
    QToolButton* fontPlanetBrowseButton = nullptr;
    QLabel* fontFstarLabel = nullptr;
    QFloatSpinBox* fontFstarSpin = nullptr;
    QToolButton* fontFstarColorButton = nullptr;
    QToolButton* fontFstarBrowseButton = nullptr;
    QLabel* fontGalaxyLabel = nullptr;
    QFloatSpinBox* fontGalaxySpin = nullptr;
    QToolButton* fontGalaxyColorButton = nullptr;
    QToolButton* fontGalaxyBrowseButton = nullptr;
    QLabel* fontConsteLabel = nullptr;
    QFloatSpinBox* fontConsteSpin = nullptr;
    QToolButton* fontConsteColorButton = nullptr;
    QToolButton* fontConsteBrowseButton = nullptr;
    QLabel* fontDirLabel = nullptr;
    QFloatSpinBox* fontDirSpin = nullptr;
    QToolButton* fontDirColorButton = nullptr;
    QToolButton* fontDirBrowseButton = nullptr;
    QLabel* fontEqCoordLabel = nullptr;
    QFloatSpinBox* fontEqCoordSpin = nullptr;
    QToolButton* fontEqCoordColorButton = nullptr;
    QToolButton* fontEqCoordBrowseButton = nullptr;
    QLabel* fontConsoleLabel = nullptr;
    QFloatSpinBox* fontConsoleSpin = nullptr;
    QToolButton* fontConsoleColorButton = nullptr;
    QToolButton* fontConsoleBrowseButton = nullptr;
    QGroupBox* lineGroup = nullptr;
    QLabel* lineOrbitLabel = nullptr;
    QFloatSpinBox* lineOrbitSpin = nullptr;
    QToolButton* lineOrbitColorButton = nullptr;
    QLabel* lineHLOrbitLabel = nullptr;
    QFloatSpinBox* lineHLOrbitSpin = nullptr;
    QToolButton* lineHLOrbitColorButton = nullptr;
    QLabel* lineCometOrbitLabel = nullptr;
    QFloatSpinBox* lineCometOrbitSpin = nullptr;
    QToolButton* lineCometOrbitColorButton = nullptr;
    QLabel* lineAsteroidOrbitLabel = nullptr;
    QFloatSpinBox* lineAsteroidOrbitSpin = nullptr;
    QToolButton* lineAsteroidOrbitColorButton = nullptr;
    QLabel* lineSpaceProbeOrbitLabel = nullptr;
    QFloatSpinBox* lineSpaceProbeOrbitSpin = nullptr;
    QToolButton* lineSpaceProbeOrbitColorButton = nullptr;
    QLabel* lineSpinAxesLabel = nullptr;
    QFloatSpinBox* lineSpinAxesSpin = nullptr;
    QToolButton* lineSpinAxesColorButton = nullptr;
    QLabel* lineProtractorsLabel = nullptr;
    QFloatSpinBox* lineProtractorsSpin = nullptr;
    QToolButton* lineProtractorsColorButton = nullptr;
    QLabel* lineEqCoordLabel = nullptr;
    QFloatSpinBox* lineEqCoordSpin = nullptr;
    QToolButton* lineEqCoordColorButton = nullptr;
    QLabel* lineConsteLabel = nullptr;
    QFloatSpinBox* lineConsteSpin = nullptr;
    QToolButton* lineConsteColorButton = nullptr;
    QLabel* lineHLConsteLabel = nullptr;
    QFloatSpinBox* lineHLConsteSpin = nullptr;
    QToolButton* lineHLConsteColorButton = nullptr;
    QLabel* lineConstePictLabel = nullptr;
    QFloatSpinBox* lineConstePictSpin = nullptr;
    QToolButton* lineConstePictColorButton = nullptr;
    QLabel* lineHLConstePictLabel = nullptr;
    QFloatSpinBox* lineHLConstePictSpin = nullptr;
    QToolButton* lineHLConstePictColorButton = nullptr;
    QLabel* lineConsteBoundLabel = nullptr;
    QFloatSpinBox* lineConsteBoundSpin = nullptr;
    QToolButton* lineConsteBoundColorButton = nullptr;

    QPushButton* saveButton = nullptr;
    QPushButton* loadButton = nullptr;
    QPushButton* closeButton = nullptr;

    // Each page's content scrolls in its own area where the screen is smaller
    // than the pages; the tab bar above and the buttons below stay in sight.
    QList<QScrollArea*> pageAreas;

    // Shown, the dialog takes the size its pages need whole, but no more than
    // the screen's free area leaves it beside its frame.
    void setVisible(bool visible) override;

protected:
    // Raised while init and updateForm set controls and while a font button
    // sets its size box: every slot then returns at once, so that a value set
    // by the program is not sent back to the engine.
    bool updating = false;

private:
    // Sizes the dialog for its pages whole, within the screen's free area
    // beside its frame, and moves a shown dialog within that area.
    void fitToRoom();
    // The label rows, top to bottom.
    enum LabelRowIndex {
        PlanetLabels,
        FstarLabels,
        GalaxyLabels,
        ConsteLabels,
        DirLabels,
        EqCoordLabels,
        ConsoleLabels,
        LabelRowCount
    };
    // The line rows, top to bottom.
    enum LineRowIndex {
        OrbitLines,
        HLOrbitLines,
        CometLines,
        AsteroidLines,
        SpaceProbeLines,
        SpinAxisLines,
        ProtractorLines,
        EqCoordLines,
        ConsteLines,
        HLConsteLines,
        ConstePictLines,
        HLConstePictLines,
        ConsteBoundLines,
        LineRowCount
    };
    struct LabelRow {
        QFloatSpinBox* size;
        QToolButton* color;
        QToolButton* font;
    };
    struct LineRow {
        QFloatSpinBox* width;
        QToolButton* color;
    };

    void buildDisplayPage();
    void buildFontsPage();
    void connectControls();

    // One command line to the engine.
    void send(const QString& line);
    std::string query(const char* name) const;

    void labelColor(int row);
    void labelSize(int row, int points);
    void labelFont(int row);
    void lineWidth(int row, int width);
    void lineColor(int row);
    void sendLine(int row, int width, const QColor& color);
    void sendRadiant();
    // The font dialog started from the engine's font of that command word;
    // the chosen font is sent. The chosen point size, or -1 when cancelled.
    int chooseFont(const char* fontWord);

    void refillDisplayPage();
    void refillLabelRows();
    void refillLineRows();

    EngineLink* gl_ = nullptr;
    std::unique_ptr<ColorFontChooser> chooser_;
    std::array<LabelRow, LabelRowCount> labelRows_{};
    std::array<LineRow, LineRowCount> lineRows_{};
};
