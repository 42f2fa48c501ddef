// The control window: a browser pane and a tabbed control panel side by side
// in a splitter, with the menu bar, one tool bar and a status bar. Every
// control becomes a command line for the engine; its values come back as
// query answers. It also arranges the GL window (embedded as the splitter's
// first pane, a window of its own or full screen) and the media viewer, and
// keeps their layout in the settings.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/CommandGate.h"
#include "app/Requester.h"
#include "ui/FileChooser.h"

class CrashedPageNotice;
class EngineLink;
class FoldedPaneFocus;
class HelpViewer;
class OrvexBookmarkForm;
class ScenarioFetch;
class ScenarioFile;
class WebBrowserView;
class WindowArrangement;
class OrvexLocationForm;
class OrvexMediaForm;
class OrvexOptionForm;
class OrvexProjForm;
class QAbstractButton;
class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QDropButton;
class QFloatSpinBox;
class QGridLayout;
class QGroupBox;
class QMargins;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QOrvexMap;
class QPushButton;
class QRadioButton;
class QSlider;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTextEdit;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QUrl;
class QVBoxLayout;
class SatelliteDownload;

class OrvexMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit OrvexMainForm(QWidget* parent = nullptr, const char* name = nullptr,
                           Qt::WindowFlags flags = Qt::Window);
    ~OrvexMainForm() override;

    virtual void updatePlanetList();
    virtual void updateLocationList();
    virtual void init();
    virtual void updateMap();
    virtual void saveSettings();
    // The splitter's pane sizes into the remembered list (always three).
    virtual void splitterSizes();
    // The embedded layout: GL window and browser pane share what the control
    // panel leaves.
    virtual void setSplitterSizes();
    virtual bool readMaximized();
    virtual QString readStyle();
    virtual void setForms(OrvexProjForm* projForm, OrvexMediaForm* mediaForm);
    virtual QString programDir() const { return programDir_; }
    virtual void buildLanguageMenu();
    // The selected names of the display list in list order, each followed by
    // a blank.
    virtual QString checkedItemNames();

    // The browser pane (OrvexMainFormBrowser.cpp). "./" paths start at the
    // program directory; back slashes become "/".
    virtual QString resolvePath(const QString& path);
    // Plays a command text as a scenario and shows it in the scenario editor.
    virtual void runBrowserCommand(const std::string& text);
    // The address in the URL line.
    virtual QString browserUrl();
    // The link decision for a navigation to url, written as the page wrote
    // it: commands are played, scenario files fetched and played, media shown
    // in the media viewer; true lets the pane follow any other address.
    // who: the user (URL line, bookmarks, open dialog), the page shown or a
    // frame of it. Commands run at once only from the user or from pages
    // under the program directory; from anywhere else only after the user
    // agrees. A frame's navigation changes neither the URL line nor the
    // caption.
    virtual bool beforeNavigate(const QString& url, const Requester& who);

    // The remembered splitter sizes (GL window, browser, panel while embedded;
    // browser, panel, 0 otherwise).
    const QList<int>& rememberedSizes() const { return rememberedSizes_; }
    // Whether the GL window is a pane of the splitter.
    bool isEmbedded() const;
    // Moves the GL window or the media viewer, when part of it would lie off
    // the screen's room, just enough to lie in it; then, when it would hide
    // this window's title, menu bar or tool bar, to a place beside this
    // window (WindowArrangement; the GL window first, the media viewer a step
    // further); and makes that its normal place. A window in the clear,
    // embedded, maximised or full screen stays.
    void keepClearOfBars(OrvexProjForm* window);
    void keepClearOfBars(OrvexMediaForm* window);
    // Moves this window, opened at its saved place and framed, just enough
    // that all of it lies in its screen's room, first made to fit it: the
    // place may come from a larger screen, or from a language whose texts
    // need less width.
    void keepWithinRoom();
    // The same for this window or a viewer once the window manager shows it
    // plain again after it was maximised or full screen (its state before):
    // the manager gives back the place it had then, which may be a saved one
    // larger than the screen, or one measured with a maximised window's frame.
    void keepWithinRoomWhenRestored(QWidget* window, Qt::WindowStates before);
    // The default places: this window sized to its screen's room and placed
    // in it (WindowArrangement::controlPlace), the GL window and the media
    // viewer beside it (the media viewer a step further), each made the
    // window's normal place.
    void placeControlWindow();
    void placeBeside(OrvexProjForm* window);
    void placeBeside(OrvexMediaForm* window);
    // Whether the settings held this window's place from an earlier run.
    bool hasSavedPlace() const { return hasSavedPlace_; }
    const QString& styleName() const { return styleName_; }
    bool isUpdatingInterface() const { return updatingInterface; }
    // The engine link of the GL view (null before setForms).
    EngineLink* engine() const { return gl_; }
    OrvexProjForm* projForm() const { return projForm_; }
    OrvexMediaForm* mediaForm() const { return mediaForm_; }
    // Has the engine save a file with line; when it cannot, tells the user
    // what (heading) was not saved, the file and the reason. False then.
    bool saveThroughEngine(const std::string& line, const QString& heading);

    // Every question for a file name (scenario, image, orbit file) goes
    // through this; it shows the file dialog unless a test answers instead.
    std::function<FileChoice(const FileQuestion&)> fileChooser = [this](const FileQuestion& q) {
        return askWithDialog(this, q);
    };

public slots:
    virtual void fileNew();
    virtual void fileOpen();
    virtual void fileSave();
    virtual void fileSaveAs();
    virtual void filePrint();
    virtual void fileExit();
    virtual void editStore();
    virtual void editRestore();
    virtual void helpIndex();
    virtual void helpContents();
    virtual void helpAbout();
    virtual void simModeSlot(int index);
    virtual void planetSlot(int index);
    virtual void locationSlot(int index);
    virtual void simModePrevSlot();
    virtual void simModeNextSlot();
    virtual void planetPrevSlot();
    virtual void planetNextSlot();
    virtual void locationPrevSlot();
    virtual void locationNextSlot();
    virtual void cameraModeSlot();
    virtual void latitudeSlot(int value);
    virtual void longitudeSlot(int value);
    virtual void locationEditSlot();
    virtual void dateTimeSlot();
    virtual void detailSettingsSlot();
    virtual void stepSlot(int index);
    virtual void speedSlot(int value);
    virtual void planetNameSlot(bool on);
    virtual void spinAxisSlot(bool on);
    virtual void orbitSlot(bool on);
    virtual void scaleSlot(bool on);
    virtual void mwaySlot(bool on);
    virtual void consteLineSlot(bool on);
    virtual void constePictSlot(bool on);
    virtual void galaxySlot(bool on);
    virtual void starLabelSlot(bool on);
    virtual void eqcoordSlot(bool on);
    virtual void consoleSlot(bool on);
    virtual void lightingSlot(bool on);
    virtual void starsSlot(bool on);
    virtual void astrBeltSlot(bool on);
    virtual void umbraSlot(bool on);
    virtual void penumbraSlot(bool on);
    virtual void dustSlot(bool on);
    virtual void landscapeSlot(bool on);
    virtual void cloudSlot(bool on);
    virtual void weatherSlot(bool on);
    virtual void protractorSlot(bool on);
    virtual void browserPrevSlot();
    virtual void browserNextSlot();
    virtual void browserStopSlot();
    virtual void browserReloadSlot();
    virtual void browserUrlSlot();
    virtual void bookmarkNavigate(const QString& url);
    virtual void updateInterface();
    virtual void locationChanged();
    virtual void viewFullScreen();
    virtual void viewNormal();
    virtual void viewEmbed();
    virtual void asatUpdater_finishedAll();
    virtual void centerConsteSlot();
    virtual void centerPlanetSlot();
    virtual void centerFixedStarSlot();
    virtual void centerGalaxySlot();
    virtual void centeringSlot();
    virtual void tabSlot();
    virtual void updateCometsList();
    virtual void updateAsteroidsList();
    virtual void updateSpacecraftsList();
    virtual void updateASatellitesList();
    virtual void consteShowLinesSlot();
    virtual void consteHighlightLinesSlot();
    virtual void consteHideLinesSlot();
    virtual void consteShowPictsSlot();
    virtual void consteHighlightPictsSlot();
    virtual void consteHidePictsSlot();
    virtual void consteShowLabelsSlot();
    virtual void consteHideLabelsSlot();
    virtual void consteShowSepsSlot();
    virtual void consteHideSepsSlot();
    virtual void planetShowSlot();
    virtual void planetHighlightSlot();
    virtual void planetHideSlot();
    virtual void actualSlot();
    virtual void displayListSlot();
    virtual void cometsAddSlot();
    virtual void cometsRemoveSlot();
    virtual void asteroidsAddSlot();
    virtual void asteroidsRemoveSlot();
    virtual void scenarioNewSlot();
    virtual void scenarioCutSlot();
    virtual void scenarioCopySlot();
    virtual void scenarioPasteSlot();
    virtual void scenarioEditSlot();
    virtual void scenarioCameraSlot();
    virtual void scenarioRecSlot(bool on);
    virtual void scenarioPlaySlot(bool on);
    virtual void propClassSlot();
    virtual void propPropertySlot();
    virtual void propValueSlot();
    virtual void orvexUpdatedSlot();
    virtual void orvexKeyEventSlot();
    virtual void scenarioEndSlot();
    virtual void scenarioUndoSlot();
    virtual void scenarioRedoSlot();
    virtual void scenarioStateSlot();
    virtual void fileSaveImage();
    virtual void viewStyleWindowsXP();
    virtual void viewStyleWindows();
    virtual void viewStyleDark();
    virtual void mediaSlot(bool on);
    virtual void mediaDropped(const QString& file);
    virtual void viewMouseNormal();
    virtual void viewMouseTB();
    virtual void mouseModeChanged(int mode);
    virtual void mediaPlaySlot();
    virtual void mediaPauseSlot();
    virtual void mediaStopSlot();
    virtual void mediaCtrlSlot(bool on);
    virtual void fadeSlot(bool on);
    virtual void bookmarkSlot();
    virtual void browserHomeSlot();
    virtual void flightSlot(bool on);
    virtual void speedSpinSlot(int value);
    virtual void speedStopSlot();
    virtual void spacecraftAddSlot();
    virtual void spacecraftRemoveSlot();
    virtual void asatelliteUpdateSlot();
    virtual void displayConsteSlot();
    virtual void displayPlanetSlot();
    virtual void displayFstarSlot();
    virtual void displayGalaxySlot();
    virtual void displayCometSlot();
    virtual void displayAsteroidSlot();
    virtual void displaySpacecraftSlot();
    virtual void displayASatelliteSlot();
    virtual void scenarioOpenSlot();
    virtual void scenarioSaveSlot();
    virtual void scenarioSaveAsSlot();
    virtual void layoutSCSlot();
    virtual void layoutBSlot();
    virtual void layoutBCSlot();
    virtual void layoutSBSlot();
    virtual void viewMediaNormalSlot();
    virtual void viewMediaFullScreenSlot();
    virtual void viewResetWindowsSlot();
    virtual void languageSlot(int id);
    virtual void propHelpSlot();

protected slots:
    virtual void languageChange();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

public:
    // The frame.
    QWidget* qt_central_widget = nullptr;
    QHBoxLayout* OrvexMainFormLayout = nullptr;
    QSplitter* splitter2 = nullptr;

    // Browser pane.
    QWidget* layout44 = nullptr;
    QPushButton* browserPrevButton = nullptr;
    QPushButton* browserNextButton = nullptr;
    QPushButton* browserStopButton = nullptr;
    QPushButton* browserReloadButton = nullptr;
    QPushButton* browserHomeButton = nullptr;
    QPushButton* bookmarkButton = nullptr;
    QLineEdit* browserUrlLine = nullptr;
    // The place of the web page view.
    QWidget* browserAX = nullptr;
    QGroupBox* mediaGroup = nullptr;
    QDropButton* mediaButton = nullptr;
    QPushButton* mediaPlayButton = nullptr;
    QPushButton* mediaPauseButton = nullptr;
    QPushButton* mediaStopButton = nullptr;
    QCheckBox* mediaCtrlCheck = nullptr;
    QLabel* mediaViewerHelpLabel = nullptr;

    // Control panel.
    QTabWidget* tabWidget = nullptr;
    QWidget* tab = nullptr;
    QWidget* tab_2 = nullptr;
    QWidget* TabPage = nullptr;
    QWidget* TabPage_2 = nullptr;

    QGroupBox* viewpointGroup = nullptr;
    QLabel* SimModeLabel = nullptr;
    QLabel* LocationLabel = nullptr;
    QComboBox* locationCombo = nullptr;
    QComboBox* simModeCombo = nullptr;
    QPushButton* planetPrevButton = nullptr;
    QPushButton* planetNextButton = nullptr;
    QPushButton* simModePrevButton = nullptr;
    QPushButton* simModNextButton = nullptr;
    QComboBox* planetCombo = nullptr;
    QPushButton* locationPrevButton = nullptr;
    QPushButton* locationNextButton = nullptr;
    QLabel* PlanetLabel = nullptr;
    QOrvexMap* mapLabel = nullptr;
    QLabel* LonLabel = nullptr;
    QFloatSpinBox* lonSpinBox = nullptr;
    QLabel* LatLabel = nullptr;
    QFloatSpinBox* latSpinBox = nullptr;
    QPushButton* locationEditButton = nullptr;
    QPushButton* cameraModeButton = nullptr;
    QCheckBox* effectCheck = nullptr;
    QPushButton* flightButton = nullptr;

    QGroupBox* dateTimeGroup = nullptr;
    QDateTimeEdit* dateTimeEdit = nullptr;
    QPushButton* actualButton = nullptr;
    QLabel* stepLabel = nullptr;
    QComboBox* stepCombo = nullptr;
    QLabel* seppdLabel = nullptr;
    QSlider* speedSlider = nullptr;
    QFloatSpinBox* speedSpinBox = nullptr;
    QPushButton* speedStopButton = nullptr;

    QGroupBox* displayGroup = nullptr;
    QPushButton* protractorButton = nullptr;
    QPushButton* mwayButton = nullptr;
    QPushButton* nameButton = nullptr;
    QPushButton* orbitButton = nullptr;
    QPushButton* starsButton = nullptr;
    QPushButton* cloudButton = nullptr;
    QPushButton* penumbraButton = nullptr;
    QPushButton* galaxiesButton = nullptr;
    QPushButton* astrBeltButton = nullptr;
    QPushButton* umbraButton = nullptr;
    QPushButton* constePictureButton = nullptr;
    QPushButton* weatherButton = nullptr;
    QPushButton* consoleButton = nullptr;
    QPushButton* frameButton = nullptr;
    QPushButton* starNameButton = nullptr;
    QPushButton* dustButton = nullptr;
    QPushButton* axisButton = nullptr;
    QPushButton* scaleButton = nullptr;
    QPushButton* consteLineButton = nullptr;
    QPushButton* landscapeButton = nullptr;
    QPushButton* lightingButton = nullptr;
    QPushButton* fadeButton = nullptr;
    QPushButton* detailButton = nullptr;

    QGroupBox* centeringGroup = nullptr;
    QButtonGroup* centeringButtons = nullptr;
    QRadioButton* centerFixedStarButton = nullptr;
    QRadioButton* centerConsteButton = nullptr;
    QRadioButton* centerGalaxyButton = nullptr;
    QRadioButton* centerPlanetButton = nullptr;
    QTreeWidget* centerList = nullptr;
    QLabel* centerLabel = nullptr;
    QCheckBox* traceCheck = nullptr;

    QGroupBox* objectGroup = nullptr;
    QButtonGroup* objectButtons = nullptr;
    QRadioButton* displayConsteButton = nullptr;
    QRadioButton* displayASatelliteButton = nullptr;
    QRadioButton* displayFixedStarButton = nullptr;
    QRadioButton* displaySpacecraftButton = nullptr;
    QRadioButton* displayAsteroidButton = nullptr;
    QRadioButton* displayCometButton = nullptr;
    QRadioButton* displayGalaxyButton = nullptr;
    QRadioButton* displayPlanetButton = nullptr;
    QTreeWidget* displayList = nullptr;
    QStackedWidget* displayWidgetStack = nullptr;
    QPushButton* consteShowLinesButton = nullptr;
    QPushButton* consteHlightLinesButton = nullptr;
    QPushButton* consteHideLinesButton = nullptr;
    QPushButton* consteShowPictsButton = nullptr;
    QPushButton* consteHilightPictsButton = nullptr;
    QPushButton* consteHidePictsButton = nullptr;
    QPushButton* consteShowLabelsButton = nullptr;
    QPushButton* consteHideLabelsButton = nullptr;
    QPushButton* consteShowSepsButton = nullptr;
    QPushButton* consteHideSepsButton = nullptr;
    QPushButton* cometsAddButton = nullptr;
    QPushButton* cometsRemoveButton = nullptr;
    QPushButton* asteroidsAddButton = nullptr;
    QPushButton* asteroidsRemoveButton = nullptr;
    QPushButton* spacecraftAddButton = nullptr;
    QPushButton* spacecraftRemoveButton = nullptr;
    QPushButton* asatellitesUpdateButton = nullptr;

    QGroupBox* scenarioEditGroup = nullptr;
    QToolButton* scenarioNewButton = nullptr;
    QToolButton* scenarioOpenButton = nullptr;
    QToolButton* scenarioSaveAsButton = nullptr;
    QToolButton* scenarioCutButton = nullptr;
    QToolButton* scenarioCopyButton = nullptr;
    QToolButton* scenarioPasteButton = nullptr;
    QToolButton* scenarioUndoButton = nullptr;
    QToolButton* scenarioRedoButton = nullptr;
    QToolButton* scenarioStateButton = nullptr;
    QToolButton* scenarioCameraButton = nullptr;
    QToolButton* scenarioRecButton = nullptr;
    QToolButton* scenarioPlayButton = nullptr;
    QTextEdit* scenarioEdit = nullptr;
    QGroupBox* propGroup = nullptr;
    QLabel* propLabel = nullptr;
    QComboBox* classNameCombo = nullptr;
    QLabel* propCommaLabel = nullptr;
    QComboBox* propNameCombo = nullptr;
    QLabel* propValueLabel = nullptr;
    QLineEdit* propValueEdit = nullptr;
    QPushButton* propSetButton = nullptr;
    QTextEdit* propHelpEdit = nullptr;
    QPushButton* propHelpButton = nullptr;

    // Actions, action groups, tool bar and menus.
    QAction* fileNewAction = nullptr;
    QAction* fileOpenAction = nullptr;
    QAction* fileSaveAction = nullptr;
    QAction* fileSaveAsAction = nullptr;
    QAction* filePrintAction = nullptr;
    QAction* fileExitAction = nullptr;
    QAction* editStoreAction = nullptr;
    QAction* editRestoreAction = nullptr;
    QAction* helpContentsAction = nullptr;
    QAction* helpIndexAction = nullptr;
    QAction* helpAboutAction = nullptr;
    QActionGroup* viewOrvexWindowActionGroup = nullptr;
    QAction* viewNormalAction = nullptr;
    QAction* viewFullScreenAction = nullptr;
    QAction* viewEmbedAction = nullptr;
    QAction* fileSaveImageAction = nullptr;
    QActionGroup* viewStyleActionGroup = nullptr;
    QAction* viewStyleWindowsXPAction = nullptr;
    QAction* viewStyleWindowsAction = nullptr;
    QAction* viewStyleDarkAction = nullptr;
    QActionGroup* viewMouseActionGroup = nullptr;
    QAction* viewMouseNormalAction = nullptr;
    QAction* viewMouseTBAction = nullptr;
    QAction* scenarioOpenAction = nullptr;
    QAction* scenarioSaveAction = nullptr;
    QAction* scenarioSaveAsAction = nullptr;
    QAction* scenarioNewAction = nullptr;
    QAction* scenarioRecAction = nullptr;
    QAction* scenarioPlayAction = nullptr;
    QActionGroup* layoutActionGroup = nullptr;
    QAction* layoutBAction = nullptr;
    QAction* layoutBCAction = nullptr;
    QAction* layoutSBAction = nullptr;
    QAction* layoutSCAction = nullptr;
    QActionGroup* viewMediaWindowActionGroup = nullptr;
    QAction* viewMediaNormalAction = nullptr;
    QAction* viewMediaFullScreenAction = nullptr;
    QAction* viewResetWindowsAction = nullptr;

    QToolBar* toolBar = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* scenarioMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QMenu* bookmarkMenu = nullptr;

    // The current scenario file of the editor.
    QString scenarioFileName;

    // The web page view in browserAX; null where the application was not
    // prepared for one (WebBrowserView::prepareApplication).
    WebBrowserView* browserView = nullptr;
    // Stands for the page while its renderer has ended.
    CrashedPageNotice* browserCrashNotice = nullptr;
    // The latest scenario fetch of a link (null until the first).
    ScenarioFetch* scenarioDownload = nullptr;
    // The help window, made when first needed.
    HelpViewer* helpViewer = nullptr;
    // The option dialog, made by init() and kept for the window's life.
    OrvexOptionForm* optionForm = nullptr;
    // The artificial-satellite update of the latest run; null before the first.
    SatelliteDownload* asatUpdater = nullptr;
    // The bookmarks and their dialog, made by init() and kept for the
    // window's life; they fill bookmarkMenu.
    OrvexBookmarkForm* bookmarkForm = nullptr;
    // The place editor, made by init() and kept for the window's life.
    OrvexLocationForm* locationForm = nullptr;

protected:
    // Raised while the window fills its controls from the engine (and during
    // init()): the guarded slots then send nothing.
    bool updatingInterface = false;
    // The first refresh rebuilds the body and place lists whatever they show.
    bool firstUpdate = true;
    // The start file the user was told of; a file is named once.
    std::string reportedStartFailure_;

    // The questions and messages of the browser pane and the scenario editor,
    // virtual so that tests can answer them.
    // Whether commands from an untrusted place may run; text names them all.
    virtual bool confirmCommands(const QString& from, const QString& text);
    virtual QString askOpenFileName();
    virtual QString askSaveFileName();
    virtual void showWarning(const QString& text);
    // Whether the editor's unsaved text may be thrown away for what the user
    // asked (a new scenario, another file).
    virtual bool confirmDiscard();
    // Ends the program once the window is left (tests stay in theirs).
    virtual void quitProgram();

private:
    // Tells the user which start file kept the engine from starting: without
    // it the view stays black and the window gives no reason.
    void reportStartFailure();
    void buildBrowserPane();
    void buildControlPanel();
    void buildBasicPage();
    void buildCenteringPage();
    void buildObjectDisplayPage();
    void buildScenarioPage();
    void buildActions();
    void buildToolBarAndMenus();
    void connectControls();
    void connectActions();
    void setFocusOrder();
    void setTexts();
    void setActionTexts();
    void restoreSettings();
    void resetSettings();
    // The control panel's width for the layouts that show it: its width now,
    // or its natural width while it is collapsed.
    int shownPanelWidth() const;
    void applyRememberedSizes();
    // Takes the GL window out of the splitter, back to its own normal place.
    void unembed();
    // The client place for a separate window that keeps it within the room
    // and clear of the bars as the n-th window beside this one; a null
    // rectangle when it may stay.
    QRect clearOfBars(const QWidget* window, int n) const;
    // A separate window's frame margins: its own, or this window's before the
    // window manager has framed it.
    QMargins marginsOf(const QWidget* window) const;
    // The free area of this window's screen.
    QRect room() const;
    // The arrangement around this window on its screen, for a window framed
    // with margins.
    WindowArrangement arrangement(const QMargins& margins) const;
    // The client size a window `height` high framed with margins has as the
    // n-th one beside this window: the room below the bars, or the whole
    // room's height where that is lower than half of it.
    QSize roomBeside(const QMargins& margins, int n, int height) const;
    // The default client place for a separate window as the n-th one beside
    // this window: its default size, smaller where the room needs it.
    QRect besidePlace(const QWidget* window, int n) const;
    // Shows the GL window as its own window in front of this one.
    void bringToFront(QWidget* window);
    // Shows a help page in the help window, which opens clear of this
    // window's bars as the third window beside it, within the room.
    void showHelp(const QString& page, const QString& anchor = QString());
    // The GL window out of the pane (if there) and shown as a normal window.
    void showNormalWindow();
    // A layout without the view in the pane: the GL window out of the pane
    // as a normal window, or back from minimised, in front, the keyboard left
    // with this window.
    void leavePaneForLayout();
    bool hasSavedPlace_ = false;
    // A save of the scenario is asking its questions: what it writes and the
    // name it gives are the text the user chose to save.
    bool savingScenario_ = false;
    // Whether a fit within the room is due once the layouts have settled.
    bool fitDue_ = false;
    // Fits this window within the room once the layouts have taken in what
    // made it larger.
    void keepWithinRoomOnceLaidOut();
    // Whether the media viewer has been placed for its first show.
    bool mediaPlaced_ = false;
    // Places the hidden media viewer before it is shown (placeBeside at its
    // first opening without a saved place, else keepClearOfBars).
    void placeMediaViewer();
    void keepWithinRoom(QWidget* window);
    // Puts the web view into browserAX when the application can have one.
    void buildWebView();
    void fitMediaButtons();
    // The hint beside the media buttons: how to hide the media viewer while it
    // is shown, else how to show it.
    QString mediaHelpText(bool shown) const;
    // Makes the bookmark dialog and the bookmark menu (OrvexMainFormBookmarks.cpp).
    void buildBookmarks();
    // Writes the bookmarks file at exit, and tells what it could not save.
    void saveBookmarks();
    // who: whoever asked for the fetch, as judged.
    void startScenarioFetch(const QString& url, bool trustedOrigin, const Requester& who);
    // Who asks, as far as the pane can tell: a request without its page is
    // the page shown's, and one a script made in a page holding a frame from
    // elsewhere is that frame's.
    Requester judged(const Requester& request) const;
    // Asks whether commands from outside the program may run, unless the
    // gate refuses the request (logged, with its reason).
    bool mayRunOutsideCommands(const Requester& who, const QString& text);
    bool gateRefuses(const Requester& who);
    // The URL line and the caption name the page the view shows.
    void showTopPage();
    // Every text that is not a file's takes the editor through here: shown
    // unmodified, it names no file, as after New Scenario.
    void showTextOfNoFile(const QString& text);
    // Puts address into the URL line, unless the user is typing there and
    // did not ask for it.
    void showAddress(const QString& address, bool byUser);
    // Opens a scenario file into the editor and starts it in the engine.
    void openScenarioFile(const QString& fileName);
    // Writes the editor's text to fileName, asking first where the lines not
    // edited would change; true when it was written.
    bool saveScenario(const QString& fileName);
    // The editor's lines as it holds them.
    QStringList editorLines() const;
    // Line numbers for a message, the first dozen.
    static QString lineNumbers(const QList<int>& lines);
    // Starts a scenario file in the engine (its first step runs at once).
    void playScenarioFile(const std::string& file);
    // Inserts engine lines into the editor as whole lines, after the line
    // holding the cursor (before it when the cursor is at its start); the
    // cursor then stands after them, so that later lines follow.
    void insertEngineText(const std::string& text);
    // Moves the engine's log of executed lines into the editor (as above).
    void moveLogIntoEditor();
    // Whether the editor holds text typed or recorded since it was last
    // opened, saved or emptied.
    bool holdsUnsavedText() const;
    // True when the editor's text may be replaced: nothing unsaved in it, or
    // the user agrees to lose it.
    bool mayReplaceEditorText();
    void setRecordToggles(bool on);
    void setPlayToggles(bool on);
    // Shows the engine's date and time when it differs from the one shown.
    void showEngineTime();
    // Fills the property panel's class list from the engine, once.
    void fillClassList();
    // Executes command followed by the display list's selected names.
    void sendForSelection(const char* command);
    // Brings an orbit file into the kind's orbit directory, or deletes the
    // files of the selected objects from it (kind: EngineLink::OrbitKind).
    void addOrbitFile(int kind);
    void removeOrbitFiles(int kind);
    // Tells which groups a satellite update stored and why any other was not.
    void reportSatelliteUpdate(const SatelliteDownload& download);
    // Every question whose Yes discards or replaces the user's work (text,
    // files) asks this way, with the buttons Yes and No: Return and Escape
    // answer No, which keeps it.
    bool askBeforeLosingWork(const QString& question);

    CommandGate commandGate_;
    QString programDir_;
    QString styleName_;
    QString windowTitle_;
    QList<int> rememberedSizes_{-1, -1, -1};
    OrvexProjForm* projForm_ = nullptr;
    OrvexMediaForm* mediaForm_ = nullptr;
    EngineLink* gl_ = nullptr;
    // Whether a satellite update holds the wait cursor.
    bool asatCursor_ = false;
    // The date and time display follows the engine a few times a second, not
    // at every frame: each change repaints the window. The timer shows the
    // time a skipped frame left behind.
    QElapsedTimer timeShown_;
    QTimer* timeDisplayTimer_ = nullptr;
    // Keeps the Tab stops of a pane the splitter folded away out of reach.
    FoldedPaneFocus* foldedPanes_ = nullptr;
    // The codec and line ends of the scenario file last opened or saved.
    std::unique_ptr<ScenarioFile> scenarioFile_;
};
