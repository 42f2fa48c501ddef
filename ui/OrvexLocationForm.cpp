// The place editor's widget tree, texts and wiring, and init.
#include "ui/OrvexLocationForm.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <iterator>

#include "app/MainFormBuild.h"
#include "app/WindowArrangement.h"
#include "app/WindowSettings.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrderedListView.h"
#include "ui/QOrvexMap.h"

namespace {

using F = OrvexLocationForm;
using MainFormBuild::make;

// Every fixed text, by object name.
const struct {
    const char* object;
    const char* text;
} widgetTexts[] = {
    {"LatLabel", QT_TRANSLATE_NOOP("OrvexLocationForm", "Latitude : ")},
    {"LonLabel", QT_TRANSLATE_NOOP("OrvexLocationForm", "Longitude : ")},
    {"locationNameLabel", QT_TRANSLATE_NOOP("OrvexLocationForm", "Location name : ")},
    {"panoramaLabel", QT_TRANSLATE_NOOP("OrvexLocationForm", "Panorama file : ")},
    {"panoramaBrowseButton", QT_TRANSLATE_NOOP("OrvexLocationForm", "...")},
    {"weatherLabel", QT_TRANSLATE_NOOP("OrvexLocationForm", "Weather effect file : ")},
    {"weatherBrowseButton", QT_TRANSLATE_NOOP("OrvexLocationForm", "...")},
    {"addButton", QT_TRANSLATE_NOOP("OrvexLocationForm", "Add")},
    {"removeButton", QT_TRANSLATE_NOOP("OrvexLocationForm", "Remove")},
    {"okButton", QT_TRANSLATE_NOOP("OrvexLocationForm", "OK")},
    {"cancelButton", QT_TRANSLATE_NOOP("OrvexLocationForm", "Cancel")},
};

QFloatSpinBox* coordinateSpin(const char* name, QWidget* parent) {
    auto* spin = make<QFloatSpinBox>(name, parent);
    MainFormBuild::setPolicy(spin, QSizePolicy::Fixed, QSizePolicy::Fixed);
    spin->setMinimumSize(60, 21);
    spin->setMaximumHeight(21);
    spin->setFocusPolicy(Qt::StrongFocus);
    return spin;
}

QToolButton* browseButton(const char* name, QWidget* parent) {
    auto* button = make<QToolButton>(name, parent);
    MainFormBuild::setPolicy(button, QSizePolicy::Fixed, QSizePolicy::Fixed);
    button->setMinimumWidth(21);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

OrvexLocationForm::OrvexLocationForm(QWidget* parent, const char* name, bool modal,
                                     Qt::WindowFlags flags)
    : QDialog(parent, flags) {
    setObjectName(QString::fromLatin1(name ? name : "OrvexLocationForm"));
    setModal(modal);
    setSizeGripEnabled(false);

    OrvexLocationFormLayout = MainFormBuild::hbox("OrvexLocationFormLayout", 2, 2);
    OrvexLocationFormLayout->setSizeConstraint(QLayout::SetMinimumSize);
    setLayout(OrvexLocationFormLayout);
    layout9 = MainFormBuild::hbox("layout9", 0, 2);
    OrvexLocationFormLayout->addLayout(layout9);

    locationListView = make<QOrderedListView>("locationListView", this);
    locationListView->setMinimumWidth(256);
    locationListView->setFocusPolicy(Qt::TabFocus);
    layout9->addWidget(locationListView);
    layout9->addItem(MainFormBuild::spacer(4, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));

    layout8 = MainFormBuild::vbox("layout8", 0, 2);
    layout9->addLayout(layout8);
    mapLabel = make<QOrvexMap>("mapLabel", this);
    QSizePolicy mapPolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    mapPolicy.setHeightForWidth(true);
    mapLabel->setSizePolicy(mapPolicy);
    layout8->addWidget(mapLabel);

    layout7 = MainFormBuild::hbox("layout7", 0, 2);
    LatLabel = make<QLabel>("LatLabel", this);
    latSpinBox = coordinateSpin("latSpinBox", this);
    LonLabel = make<QLabel>("LonLabel", this);
    lonSpinBox = coordinateSpin("lonSpinBox", this);
    QWidget* const coordinates[] = {LatLabel, latSpinBox, LonLabel, lonSpinBox};
    for (QWidget* widget : coordinates)
        layout7->addWidget(widget);
    layout7->addStretch();
    layout8->addLayout(layout7);

    layout39 = MainFormBuild::grid("layout39");
    locationNameLabel = make<QLabel>("locationNameLabel", this);
    locationEdit = make<QLineEdit>("locationEdit", this);
    panoramaLabel = make<QLabel>("panoramaLabel", this);
    panoramaEdit = make<QLineEdit>("panoramaEdit", this);
    panoramaBrowseButton = browseButton("panoramaBrowseButton", this);
    weatherLabel = make<QLabel>("weatherLabel", this);
    weatherEdit = make<QLineEdit>("weatherEdit", this);
    weatherBrowseButton = browseButton("weatherBrowseButton", this);
    layout39->addWidget(locationNameLabel, 0, 0);
    layout39->addWidget(locationEdit, 0, 1, 1, 2);
    layout39->addWidget(panoramaLabel, 1, 0);
    layout39->addWidget(panoramaEdit, 1, 1);
    layout39->addWidget(panoramaBrowseButton, 1, 2);
    layout39->addWidget(weatherLabel, 2, 0);
    layout39->addWidget(weatherEdit, 2, 1);
    layout39->addWidget(weatherBrowseButton, 2, 2);
    layout8->addLayout(layout39);

    layout8_2 = MainFormBuild::hbox("layout8_2", 0, 2);
    addButton = make<QPushButton>("addButton", this);
    removeButton = make<QPushButton>("removeButton", this);
    layout8_2->addWidget(addButton);
    layout8_2->addWidget(removeButton);
    layout8_2->addStretch();
    layout8->addLayout(layout8_2);
    layout8->addItem(MainFormBuild::spacer(20, 8, QSizePolicy::Minimum, QSizePolicy::Expanding));

    layout7_2 = MainFormBuild::hbox("layout7_2", 0, 2);
    okButton = make<QPushButton>("okButton", this);
    cancelButton = make<QPushButton>("cancelButton", this);
    layout7_2->addStretch();
    layout7_2->addWidget(okButton);
    layout7_2->addWidget(cancelButton);
    layout8->addLayout(layout7_2);
    for (QPushButton* button : {addButton, removeButton, okButton, cancelButton})
        button->setAutoDefault(false);

    languageChange();
    resize(QSize(731, 444).expandedTo(minimumSizeHint()));

    connect(lonSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            QOverload<int>::of(&F::longitudeSlot));
    connect(latSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
            QOverload<int>::of(&F::latitudeSlot));
    connect(mapLabel, &QOrvexMap::locationChanged, this, &F::locationChangedSlot);
    connect(panoramaBrowseButton, &QToolButton::clicked, this, &F::panoramaBrowseSlot);
    connect(weatherBrowseButton, &QToolButton::clicked, this, &F::weatherBrowseSlot);
    connect(addButton, &QPushButton::clicked, this, &F::listAddSlot);
    connect(removeButton, &QPushButton::clicked, this, &F::listRemoveSlot);
    connect(okButton, &QPushButton::clicked, this, &F::okSlot);
    connect(cancelButton, &QPushButton::clicked, this, &F::cancelSlot);
    connect(locationListView, &QTreeWidget::itemSelectionChanged, this, &F::listSlot);
    connect(locationEdit, &QLineEdit::textChanged, this, &F::locationNameChanged);
    connect(panoramaEdit, &QLineEdit::textChanged, this, &F::panoramaChangedSlot);
    connect(weatherEdit, &QLineEdit::textChanged, this, &F::weatherChangedSlot);
    connect(lonSpinBox, &QSpinBox::textChanged, this, QOverload<>::of(&F::longitudeSlot));
    connect(latSpinBox, &QSpinBox::textChanged, this, QOverload<>::of(&F::latitudeSlot));

    // Longitude comes before latitude, as on the control panel.
    QWidget* const order[] = {
        locationListView, lonSpinBox,           latSpinBox,  locationEdit,
        panoramaEdit,     panoramaBrowseButton, weatherEdit, weatherBrowseButton,
        addButton,        removeButton,         okButton,    cancelButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    init();
}

OrvexLocationForm::~OrvexLocationForm() {
    destroy();
}

void OrvexLocationForm::destroy() {}

void OrvexLocationForm::init() {
    updating = true;
    locationListView->setColumnCount(1);
    locationListView->setAllColumnsShowFocus(true);
    locationListView->header()->setStretchLastSection(true);
    latSpinBox->setRange(-90, 90, 2);
    latSpinBox->setWrapping(true);
    lonSpinBox->setRange(-180, 180, 2);
    lonSpinBox->setWrapping(true);
    lonSpinBox->setCircular(true);
    updating = false;
}

void OrvexLocationForm::showEvent(QShowEvent* e) {
    // Shown again, the window's place is that of its client area: a window
    // manager would otherwise take it for its frame's and put the dialog
    // lower by its title bar at each opening.
    if (lastPlace_.isValid()) {
        const QScreen* shown = screen();
        const QRect room = shown ? shown->availableGeometry() : lastPlace_;
        setGeometry(WindowArrangement::within(room, lastPlace_, lastMargins_,
                                              minimumSize().expandedTo(minimumSizeHint())));
    }
    QDialog::showEvent(e);
}

void OrvexLocationForm::hideEvent(QHideEvent* e) {
    lastPlace_ = geometry();
    lastMargins_ = WindowSettings::frameMarginsOf(this);
    QDialog::hideEvent(e);
}

void OrvexLocationForm::keyPressEvent(QKeyEvent* e) {
    // The buttons are no default buttons, so the dialog itself takes the key:
    // the lists, boxes and edits pass it on, and none of them takes a line.
    const bool confirm =
        (e->key() == Qt::Key_Return && !e->modifiers()) ||
        (e->key() == Qt::Key_Enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier);
    if (!confirm) {
        QDialog::keyPressEvent(e);
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    (button ? button : okButton)->click();
}

void OrvexLocationForm::setGL(EngineLink* view) {
    gl_ = view;
}

void OrvexLocationForm::languageChange() {
    setWindowTitle(tr("Location Edit"));
    locationListView->setHeaderLabels({tr("Name")});
    for (const auto& entry : widgetTexts) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(entry.object));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(tr(entry.text));
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(tr(entry.text));
    }
}
