// Where the control window, the GL window and the media viewer go, and how
// that is remembered: init(), the screen modes, the layout presets and the
// settings written at close.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "app/WindowArrangement.h"
#include "app/WindowSettings.h"
#include "platform/WindowManager.h"
#include "ui/BodyMap.h"
#include "ui/FoldedPaneFocus.h"
#include "ui/OrvexBookmarkForm.h"
#include "ui/OrvexLocationForm.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexOptionForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

const char* const mainPrefix = "/Orvex/Main";
const char* const mainScreenModeKey = "/Orvex/Main/screenMode";
const char* const mediaScreenModeKey = "/Orvex/Media/screenMode";
const char* const maximizedKey = "/Orvex/Main/maximized";
const char* const styleKey = "/Orvex/Main/style";
const char* const splitterKeys[] = {"/Orvex/Main/geometry/splitters0",
                                    "/Orvex/Main/geometry/splitters1",
                                    "/Orvex/Main/geometry/splitters2"};

// The screen modes as the settings number them.
enum { FullScreenMode = 0, NormalMode = 1, EmbeddedMode = 2 };

// How long a window manager may take to let go of a hidden window, or to
// show a window as a plain one again.
const int managerTimeoutMs = 2000;

// The room a frame with these margins takes beyond its client area.
QSize extentOf(const QMargins& margins) {
    return QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// The least client size the window's contents let it have.
QSize leastSizeOf(const QWidget* window) {
    return window->minimumSize().expandedTo(window->minimumSizeHint());
}

// The toolkit takes in the places and frames the window manager has given.
void takeInTheManagersWork() {
    QGuiApplication::sync();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Waits until the manager shows the window as a plain one again and takes in
// the frame it gave it; false when that did not come in time.
bool waitUntilFramedPlain(const QWidget* window) {
    const bool plain = platform::waitUntilPlainState(window->internalWinId(), managerTimeoutMs);
    takeInTheManagersWork();
    return plain;
}

// A window the window manager closed (Alt+F4) while it was maximised or full
// screen stays hidden in that state at the screen's size: before it is
// measured and placed it goes back to its normal place as a plain window.
template <class Form> void leaveStateWhileHidden(Form* window) {
    if (window)
        window->leaveHiddenState();
}

} // namespace

void OrvexMainForm::init() {
    updatingInterface = true;
    programDir_ = QDir::currentPath();

    // The splitter may not make the control panel wider than it needs. What it
    // needs is known once the nested layouts have taken the texts into account.
    ensurePolished();
    // Innermost first, so that each layout sees its children's real needs.
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (auto it = widgets.crbegin(); it != widgets.crend(); ++it)
        if ((*it)->layout())
            (*it)->layout()->activate();
    layout()->activate();
    tabWidget->resize(tabWidget->minimumSize().width(), tabWidget->height());
    tabWidget->setMaximumSize(tabWidget->minimumSizeHint().width(), tabWidget->maximumHeight());

    if (StartupState::isReset())
        resetSettings();
    else
        restoreSettings();

    buildLanguageMenu();

    latSpinBox->setRange(-90, 90, 2);
    latSpinBox->setWrapping(true);
    lonSpinBox->setRange(-180, 180, 2);
    lonSpinBox->setWrapping(true);
    lonSpinBox->setCircular(true);
    // The boxes stay as wide as their widest value needs, so a narrow panel
    // does not cut a value such as -133.80 to -133.8.
    for (QFloatSpinBox* box : {latSpinBox, lonSpinBox})
        box->setMinimumWidth(std::max(box->minimumWidth(), box->sizeHint().width()));
    speedSpinBox->setRange(-1000, 1000, 0);
    for (QComboBox* combo :
         {simModeCombo, planetCombo, locationCombo, classNameCombo, propNameCombo})
        combo->setMaxVisibleItems(24);

    mediaButton->setText(tr("Show"));
    // The text came after the style: the button's width follows it here.
    fitMediaButtons();
    viewMouseNormalAction->setChecked(true);
    // Where the keyboard is at the first activation (a start with the view
    // embedded may fold the pane, which moves it on).
    browserUrlLine->setFocus();
    displayWidgetStack->setCurrentIndex(5);

    optionForm = new OrvexOptionForm(this);
    locationForm = new OrvexLocationForm(this);
    buildBookmarks();

    scenarioFileName.clear();
    windowTitle_ = tr("Orvex Studio");
    setWindowTitle(windowTitle_);

    centerList->setSortingEnabled(false);
    displayList->setSortingEnabled(false);
    mapLabel->setMap(std::string());
    if (!StartupState::isReset() && !hasSavedPlace_)
        placeControlWindow();

    updatingInterface = false;
}

void OrvexMainForm::restoreSettings() {
    auto settings = WindowSettings::open();
    hasSavedPlace_ = settings->contains(QString(mainPrefix) + "/geometry/x");
    // Without one, init() places the window once its contents are complete.
    if (hasSavedPlace_)
        setGeometry(WindowSettings::readGeometry(*settings, mainPrefix, QRect(150, 150, 640, 480)));

    switch (settings->value(mainScreenModeKey, NormalMode).toInt()) {
    case FullScreenMode:
        viewFullScreenAction->setChecked(true);
        break;
    case NormalMode:
        viewNormalAction->setChecked(true);
        break;
    case EmbeddedMode:
        viewEmbedAction->setChecked(true);
        break;
    default:
        break;
    }
    switch (settings->value(mediaScreenModeKey, NormalMode).toInt()) {
    case FullScreenMode:
        viewMediaFullScreenAction->setChecked(true);
        break;
    case NormalMode:
        viewMediaNormalAction->setChecked(true);
        break;
    default:
        break;
    }

    // The XP style falls back to the Windows style where the toolkit has none;
    // any other name gives the Windows style.
    const QString style = settings->value(styleKey, "WindowsXP").toString();
    if (style == QLatin1String("Dark")) {
        viewStyleDarkAction->setChecked(true);
        viewStyleDark();
    } else if (style == QLatin1String("WindowsXP")) {
        viewStyleWindowsXPAction->setChecked(true);
        viewStyleWindowsXP();
    } else {
        viewStyleWindowsAction->setChecked(true);
        viewStyleWindows();
    }

    rememberedSizes_ = {-1, -1, -1};
    for (int i = 0; i < 3; ++i)
        rememberedSizes_[i] = settings->value(splitterKeys[i], -1).toInt();
}

void OrvexMainForm::resetSettings() {
    viewNormalAction->setChecked(true);
    viewMediaNormalAction->setChecked(true);
    viewStyleWindowsAction->setChecked(true);
    viewStyleWindows();
    styleName_ = "Windows";
    rememberedSizes_ = {-1, -1, -1};
    resize(960, 720);
}

void OrvexMainForm::setForms(OrvexProjForm* projForm, OrvexMediaForm* mediaForm) {
    projForm_ = projForm;
    mediaForm_ = mediaForm;
    gl_ = projForm ? projForm->engine() : nullptr;
    // The option, place and bookmark dialogs get the view here once they exist.
    if (optionForm)
        optionForm->setGL(gl_);
    if (bookmarkForm)
        bookmarkForm->setGL(gl_);
    if (locationForm)
        locationForm->setGL(gl_);
    if (mediaForm_)
        mediaForm_->installEventFilter(this);
    if (projForm_) {
        projForm_->installEventFilter(this);
        foldedPanes_->watch(projForm_);
        connect(projForm_, &OrvexProjForm::closed, this, &OrvexMainForm::viewMouseNormal);
        // The shortcuts work in the separate GL window as they do here,
        // where the view does not have the keyboard: its keys are the key map's.
        for (QAction* action : findChildren<QAction*>())
            if (!action->shortcut().isEmpty())
                projForm_->addAction(action);
    }
    if (mediaForm_) {
        // Esc in the media viewer hides it as "Show" does, full screen too.
        auto* hide = new QAction(mediaForm_);
        hide->setShortcut(QKeySequence(Qt::Key_Escape));
        mediaForm_->addAction(hide);
        connect(hide, &QAction::triggered, this, [this] {
            if (mediaButton->isChecked())
                mediaButton->setChecked(false);
            else
                mediaSlot(false);
        });
    }
}

bool OrvexMainForm::eventFilter(QObject* watched, QEvent* e) {
    // The media viewer closed by the window manager (Alt+F4) is hidden: the
    // Show button and its hint follow, so that one click shows it again.
    if (watched == mediaForm_ && e->type() == QEvent::Close)
        mediaButton->setChecked(false);
    // The viewers shown plain again keep within the screen as this window does.
    if ((watched == mediaForm_ || watched == projForm_) && e->type() == QEvent::WindowStateChange)
        keepWithinRoomWhenRestored(static_cast<QWidget*>(watched),
                                   static_cast<QWindowStateChangeEvent*>(e)->oldState());
    return QMainWindow::eventFilter(watched, e);
}

bool OrvexMainForm::readMaximized() {
    return WindowSettings::open()->value(maximizedKey, 0).toInt() == 1;
}

QString OrvexMainForm::readStyle() {
    return WindowSettings::open()->value(styleKey, "WindowsXP").toString();
}

void OrvexMainForm::updateMap() {
    browserHomeSlot();
    // The same picture as the Basic page finds for the body.
    if (gl_)
        mapLabel->setMap(BodyMap::textureFile(gl_));
}

bool OrvexMainForm::isEmbedded() const {
    return projForm_ && projForm_->parentWidget();
}

void OrvexMainForm::splitterSizes() {
    rememberedSizes_ = splitter2->sizes();
    if (rememberedSizes_.size() == 2)
        rememberedSizes_.append(0);
}

void OrvexMainForm::applyRememberedSizes() {
    splitter2->setSizes(rememberedSizes_);
}

void OrvexMainForm::setSplitterSizes() {
    const int w = width();
    const int p = tabWidget->width();
    if (p >= 4)
        rememberedSizes_ = {(w - p) / 2, (w - p) / 2, p};
    else
        rememberedSizes_ = {w / 2, w / 2, 0};
    applyRememberedSizes();
}

int OrvexMainForm::shownPanelWidth() const {
    const int p = tabWidget->width();
    if (p >= 4)
        return p;
    return qMin(tabWidget->sizeHint().width(), tabWidget->maximumWidth());
}

void OrvexMainForm::viewEmbed() {
    if (updatingInterface || !projForm_)
        return;
    if (isEmbedded()) {
        // Still embedded, but the splitter may have folded the view's pane
        // away: the choice brings it back with its share of the width.
        if (splitter2->sizes().value(splitter2->indexOf(projForm_)) == 0)
            setSplitterSizes();
        return;
    }
    // The toolkit maps a window whenever it clears the minimised state, hidden
    // or not: cleared after the hide, the manager would take the window on
    // again while it goes into the pane, and the pane would stay black. So it
    // is shown back first, and hidden once the manager shows it.
    if (projForm_->isMinimized()) {
        projForm_->setWindowState(projForm_->windowState() & ~Qt::WindowMinimized);
        projForm_->show();
        platform::waitUntilShown(projForm_->internalWinId(), managerTimeoutMs);
    }
    // A full-screen window keeps its state through the reparenting and would
    // not take the pane: it becomes a plain hidden window first.
    projForm_->hide();
    projForm_->setWindowState(Qt::WindowNoState);
    // A window manager lets go of a hidden window in its own time. Moved into
    // the pane before that, the window would be put back on the desktop,
    // framed, when the manager gets round to it.
    platform::waitUntilReleased(projForm_->internalWinId(), managerTimeoutMs);
    projForm_->setParent(splitter2, Qt::Widget);
    projForm_->move(0, 0);
    splitter2->insertWidget(0, projForm_);
    projForm_->show();
    // Beside the view the browser pane takes the width the split gives it,
    // however much its controls would ask for, or the view gets none.
    layout44->setMinimumWidth(1);
    setSplitterSizes();
}

void OrvexMainForm::unembed() {
    splitterSizes();
    layout44->setMinimumWidth(0);
    projForm_->setParent(nullptr, Qt::Window);
    projForm_->move(0, 0);
    projForm_->restoreGeometry();
}

void OrvexMainForm::viewNormal() {
    if (updatingInterface || !projForm_)
        return;
    showNormalWindow();
    bringToFront(projForm_);
}

void OrvexMainForm::showNormalWindow() {
    if (isEmbedded()) {
        unembed();
        rememberedSizes_ = {width() - tabWidget->width(), tabWidget->width(), 0};
        applyRememberedSizes();
    }
    if (!projForm_->isVisible()) {
        leaveStateWhileHidden(projForm_);
        keepClearOfBars(projForm_);
    }
    projForm_->showNormal();
}

void OrvexMainForm::leavePaneForLayout() {
    const bool embedded = isEmbedded();
    if (!embedded && !(projForm_ && projForm_->isMinimized()))
        return;
    if (embedded)
        viewNormalAction->setChecked(true);
    if (updatingInterface || !projForm_)
        return;
    // In front, but the keyboard stays here: a Tab meant for the panel would
    // change the camera mode in the view.
    projForm_->setAttribute(Qt::WA_ShowWithoutActivating);
    const bool active = isActiveWindow();
    if (embedded)
        showNormalWindow();
    else
        projForm_->setWindowState(projForm_->windowState() & ~Qt::WindowMinimized);
    projForm_->setAttribute(Qt::WA_ShowWithoutActivating, false);
    // A window manager activates a window it shows back from minimised, in
    // its own time: the keyboard is asked back once it has. Asked for at
    // once, it stayed with the GL window where the user chose the layout.
    if (!embedded && active) {
        platform::waitUntilShown(projForm_->internalWinId(), managerTimeoutMs);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        activateWindow();
    }
    projForm_->raise();
}

void OrvexMainForm::viewFullScreen() {
    if (updatingInterface || !projForm_)
        return;
    if (isEmbedded())
        unembed();
    projForm_->showFullScreen();
    bringToFront(projForm_);
}

void OrvexMainForm::bringToFront(QWidget* window) {
    window->raise();
    window->activateWindow();
}

void OrvexMainForm::layoutSCSlot() {
    if (!isEmbedded()) {
        viewEmbedAction->setChecked(true);
        viewEmbed();
    }
    const int p = shownPanelWidth();
    rememberedSizes_ = {width() - p, 0, p};
    applyRememberedSizes();
}

void OrvexMainForm::layoutBSlot() {
    leavePaneForLayout();
    rememberedSizes_ = {width(), 0, 0};
    applyRememberedSizes();
}

void OrvexMainForm::layoutBCSlot() {
    leavePaneForLayout();
    const int p = shownPanelWidth();
    rememberedSizes_ = {width() - p, p, 0};
    applyRememberedSizes();
}

void OrvexMainForm::layoutSBSlot() {
    if (!isEmbedded()) {
        viewEmbedAction->setChecked(true);
        viewEmbed();
    }
    rememberedSizes_ = {width() / 2, width() / 2, 0};
    applyRememberedSizes();
}

void OrvexMainForm::viewMediaNormalSlot() {
    if (updatingInterface || !mediaForm_)
        return;
    if (!mediaForm_->isVisible())
        placeMediaViewer();
    mediaForm_->showNormal();
    // In front, as the GL window comes back: chosen while the control window
    // has the keyboard (after Alt+Tab from full screen), it stayed behind it.
    bringToFront(mediaForm_);
}

void OrvexMainForm::placeMediaViewer() {
    leaveStateWhileHidden(mediaForm_);
    // Without a place of its own it opens the first time where Reset
    // windows puts it.
    if (!mediaPlaced_ && !mediaForm_->hasSavedPlace())
        placeBeside(mediaForm_);
    else
        keepClearOfBars(mediaForm_);
    mediaPlaced_ = true;
}

void OrvexMainForm::viewMediaFullScreenSlot() {
    if (updatingInterface || !mediaForm_)
        return;
    // Its normal place is where it comes back to from full screen.
    if (!mediaForm_->isVisible())
        placeMediaViewer();
    mediaForm_->showFullScreen();
}

void OrvexMainForm::viewResetWindowsSlot() {
    // Every window in its normal state first, as the window manager shows it:
    // a maximised or full-screen window would take its place back from before,
    // and each is measured with the frame of a plain window.
    leaveStateWhileHidden(mediaForm_);
    for (QWidget* window : {static_cast<QWidget*>(this), static_cast<QWidget*>(mediaForm_),
                            static_cast<QWidget*>(projForm_)})
        if (window && window->isWindow() && window->isVisible() &&
            (window->windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
            window->showNormal();
            waitUntilFramedPlain(window);
        }
    viewMediaNormalAction->setChecked(true);
    // The view in the pane lets the control window be narrower than it is on
    // its own, and placed for that width it would grow past the screen's edge
    // once the view leaves: the view leaves first, and the window is sized
    // for what it needs without it.
    if (isEmbedded()) {
        viewNormalAction->setChecked(true);
        unembed();
        // The layouts take the change in through posted requests.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    placeControlWindow();
    placeBeside(mediaForm_);
    layoutBCSlot();
    // The media viewer in front of the control window, the GL window in front
    // of both: each title in sight. A window manager raises a window the user
    // has not touched lately only when it is activated.
    if (mediaForm_ && mediaForm_->isVisible())
        bringToFront(mediaForm_);
    if (projForm_) {
        viewNormalAction->setChecked(true);
        viewNormal();
        // Measured in the frame the manager gives it as a plain window: closed
        // maximised, it kept the frame it had then, without sides.
        waitUntilFramedPlain(projForm_);
        placeBeside(projForm_);
    }
}

QRect OrvexMainForm::clearOfBars(const QWidget* window, int n) const {
    if (!window || !window->isWindow() || WindowSettings::isMaximizedOrFull(window))
        return QRect();
    const QMargins margins = marginsOf(window);
    const QRect before = window->geometry();
    const QRect room = this->room();
    const QSize least = leastSizeOf(window);
    QRect frame = WindowArrangement::within(room, before, margins, least).marginsAdded(margins);
    const WindowArrangement around = arrangement(margins);
    if (around.hidesTheBars(frame)) {
        frame.moveTopLeft(around.place(frame.size(), n));
        // Below the bars it is made as low as the room there, where that
        // leaves it half its height or more; else it reaches past the edge.
        const int below = room.bottom() + 1 - frame.top();
        if (below < frame.height() && below >= frame.height() / 2)
            frame.setHeight(qMax(below, least.height() + margins.top() + margins.bottom()));
    }
    const QRect client = frame.marginsRemoved(margins);
    return client == before ? QRect() : client;
}

void OrvexMainForm::keepWithinRoom() {
    keepWithinRoom(this);
}

void OrvexMainForm::keepWithinRoom(QWidget* window) {
    if (WindowSettings::isMaximizedOrFull(window) || window->isMinimized())
        return;
    const QRect place = WindowArrangement::within(
        room(), window->geometry(), WindowSettings::frameMarginsOf(window), leastSizeOf(window));
    if (place != window->geometry())
        window->setGeometry(place);
}

void OrvexMainForm::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    // The program made the window larger where it stands: a layout taking
    // the view out of the pane, a style, longer texts. It grows to the right
    // and down, past the screen's edge where it stood near it. A size the
    // user or the window manager gave it stays as it is.
    const bool larger =
        e->size().width() > e->oldSize().width() || e->size().height() > e->oldSize().height();
    if (e->spontaneous() || !larger || !isVisible() || fitDue_)
        return;
    fitDue_ = true;
    QTimer::singleShot(0, this, [this] {
        fitDue_ = false;
        keepWithinRoomOnceLaidOut();
    });
}

void OrvexMainForm::keepWithinRoomOnceLaidOut() {
    // Not shown yet, it is placed when it is.
    if (!isVisible())
        return;
    // The layouts take a change in through posted requests, and the window
    // may grow again with them.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    keepWithinRoom();
}

void OrvexMainForm::keepWithinRoomWhenRestored(QWidget* window, Qt::WindowStates before) {
    using WindowSettings::isShownPlain;
    if (!(before & (Qt::WindowMaximized | Qt::WindowFullScreen)) || !isShownPlain(window))
        return;
    // Measured once the manager has framed it as a plain window again.
    QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(window)] {
        if (!window || !isShownPlain(window) || !waitUntilFramedPlain(window))
            return;
        if (window && isShownPlain(window))
            keepWithinRoom(window);
    });
}

QMargins OrvexMainForm::marginsOf(const QWidget* window) const {
    // A frame is measured round a plain window the window manager has framed
    // (its frame round it). Any other window, hidden, just out of the pane,
    // maximised or not framed yet, will get a frame like one of those;
    // without a manager there are no frames.
    const auto framed = [](const QWidget* w, QMargins& margins) {
        if (!w || !WindowSettings::isShownPlain(w))
            return false;
        margins = WindowSettings::frameMarginsOf(w);
        return !margins.isNull() && margins.left() >= 0 && margins.top() >= 0 &&
               margins.right() >= 0 && margins.bottom() >= 0;
    };
    QMargins margins;
    for (const QWidget* w :
         {window, static_cast<const QWidget*>(this), static_cast<const QWidget*>(projForm_),
          static_cast<const QWidget*>(mediaForm_)})
        if (framed(w, margins))
            return margins;
    return WindowSettings::frameMarginsOf(this);
}

QRect OrvexMainForm::room() const {
    const QScreen* shown = screen();
    return shown ? shown->availableGeometry() : frameGeometry();
}

WindowArrangement OrvexMainForm::arrangement(const QMargins& margins) const {
    int barsBottom = geometry().top();
    for (const QWidget* bar :
         {static_cast<const QWidget*>(menuBar()), static_cast<const QWidget*>(toolBar)})
        if (bar && !bar->isHidden())
            barsBottom = qMax(barsBottom, geometry().top() + bar->mapTo(this, QPoint(0, 0)).y() +
                                              bar->height() - 1);
    const int titleHeight = 24;
    return WindowArrangement(room(), frameGeometry(), barsBottom, qMax(margins.top(), titleHeight));
}

QSize OrvexMainForm::roomBeside(const QMargins& margins, int n, int height) const {
    const QSize frameMargins = extentOf(margins);
    const QRect room = this->room();
    const int below = arrangement(margins).heightBelowBars(n) - frameMargins.height();
    return QSize(room.width() - frameMargins.width(),
                 below >= height / 2 ? below : room.height() - frameMargins.height());
}

QRect OrvexMainForm::besidePlace(const QWidget* window, int n) const {
    const QMargins margins = marginsOf(window);
    // The default size, scaled down to the room below the bars, or to the
    // whole room where that is too low for half of it.
    const QSize client = WindowPlacement::defaultGeometry().size();
    const QSize space = roomBeside(margins, n, client.height());
    const double scale = qMin(1.0, qMin(double(space.width()) / client.width(),
                                        double(space.height()) / client.height()));
    const QSize size = scale < 1.0 ? (QSizeF(client) * scale).toSize() : client;
    const QPoint at = arrangement(margins).place(size + extentOf(margins), n);
    return QRect(at + QPoint(margins.left(), margins.top()), size);
}

void OrvexMainForm::placeControlWindow() {
    const QMargins margins = WindowSettings::frameMarginsOf(this);
    const QSize frameMargins = extentOf(margins);
    const QRect room = this->room();
    // Never larger than the room, where the contents let it be that small.
    const QSize least = leastSizeOf(this);
    const QSize size =
        QSize(640, 480).expandedTo(least).boundedTo(room.size() - frameMargins).expandedTo(least);
    // A window beside it has the default size and a frame like this one's.
    const QPoint at = WindowArrangement::controlPlace(
        room, size + frameMargins, WindowPlacement::defaultGeometry().size() + frameMargins);
    // Before the window manager frames the window it has no margins, and its
    // place is its frame's corner.
    setGeometry(QRect(at + QPoint(margins.left(), margins.top()), size));
}

void OrvexMainForm::placeBeside(OrvexProjForm* window) {
    if (window)
        window->resetGeometry(besidePlace(window, 1));
}

void OrvexMainForm::placeBeside(OrvexMediaForm* window) {
    if (window)
        window->resetGeometry(besidePlace(window, 2));
}

void OrvexMainForm::keepClearOfBars(OrvexProjForm* window) {
    const QRect place = clearOfBars(window, 1);
    if (!place.isNull())
        window->resetGeometry(place);
}

void OrvexMainForm::keepClearOfBars(OrvexMediaForm* window) {
    const QRect place = clearOfBars(window, 2);
    if (!place.isNull())
        window->resetGeometry(place);
}

void OrvexMainForm::closeEvent(QCloseEvent* e) {
    // An unsaved scenario in the editor is lost at exit: the user decides.
    if (!mayReplaceEditorText()) {
        e->ignore();
        return;
    }
    e->accept();
    saveSettings();
    saveBookmarks();
    quitProgram();
}

void OrvexMainForm::fileExit() {
    if (!mayReplaceEditorText())
        return;
    saveSettings();
    saveBookmarks();
    quitProgram();
}

void OrvexMainForm::quitProgram() {
    QApplication::exit(0);
}

void OrvexMainForm::saveSettings() {
    auto settings = WindowSettings::open();
    if (viewFullScreenAction->isChecked())
        settings->setValue(mainScreenModeKey, FullScreenMode);
    else if (viewNormalAction->isChecked())
        settings->setValue(mainScreenModeKey, NormalMode);
    else
        settings->setValue(mainScreenModeKey, EmbeddedMode);
    if (viewMediaFullScreenAction->isChecked())
        settings->setValue(mediaScreenModeKey, FullScreenMode);
    else if (viewMediaNormalAction->isChecked())
        settings->setValue(mediaScreenModeKey, NormalMode);

    // A minimised window keeps what was saved before; a maximised one keeps
    // its last normal geometry for when it is restored.
    if (!isMinimized()) {
        if (WindowSettings::isMaximizedOrFull(this)) {
            settings->setValue(maximizedKey, 1);
        } else {
            settings->setValue(maximizedKey, 0);
            WindowSettings::writeGeometry(*settings, mainPrefix, geometry());
        }
    }
    settings->setValue(styleKey, styleName_);

    if (viewEmbedAction->isChecked())
        splitterSizes();
    for (int i = 0; i < 3; ++i)
        settings->setValue(splitterKeys[i], rememberedSizes_.value(i, -1));
    settings->setValue(WindowSettings::localeKey, StartupState::locale());
}

void OrvexMainForm::viewMouseNormal() {
    viewMouseNormalAction->setChecked(true);
    if (gl_)
        gl_->setMouseMode(0);
    statusBar()->clearMessage();
}

void OrvexMainForm::viewMouseTB() {
    viewMouseTBAction->setChecked(true);
    if (gl_)
        gl_->setMouseMode(1);
    statusBar()->showMessage(tr("Press [Esc] key to change mouse mode."));
    if (!projForm_)
        return;
    // The view takes the pointer only while it has the user's input: in front
    // as a window of its own, or with the keyboard in the pane.
    if (isEmbedded()) {
        activateWindow();
        projForm_->view()->setFocus(Qt::OtherFocusReason);
    } else {
        bringToFront(projForm_);
    }
}

void OrvexMainForm::mouseModeChanged(int mode) {
    if (mode == 0) {
        viewMouseNormalAction->setChecked(true);
        viewMouseNormal();
    } else if (mode == 1) {
        viewMouseTBAction->setChecked(true);
        viewMouseTB();
    }
}

void OrvexMainForm::mediaSlot(bool on) {
    if (on) {
        if (viewMediaFullScreenAction->isChecked())
            viewMediaFullScreenSlot();
        else if (viewMediaNormalAction->isChecked())
            viewMediaNormalSlot();
        mediaViewerHelpLabel->setText(mediaHelpText(true));
    } else {
        if (mediaForm_)
            mediaForm_->hide();
        mediaViewerHelpLabel->setText(mediaHelpText(false));
    }
    if (mediaForm_)
        mediaForm_->raise();
}

void OrvexMainForm::mediaDropped(const QString& file) {
    if (!mediaForm_)
        return;
    mediaForm_->clear();
    mediaButton->setChecked(true);
    mediaForm_->setMedia(file);
    mediaSlot(true);
}

void OrvexMainForm::mediaPlaySlot() {
    if (projForm_)
        projForm_->mediaPlay();
}

void OrvexMainForm::mediaPauseSlot() {
    if (projForm_)
        projForm_->mediaPause();
}

void OrvexMainForm::mediaStopSlot() {
    if (projForm_)
        projForm_->mediaStop();
}

void OrvexMainForm::mediaCtrlSlot(bool on) {
    if (projForm_)
        projForm_->setMediaControls(on);
}
