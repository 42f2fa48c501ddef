// The place editor "Location Edit": the observer places of the body selected
// in the engine, in the order the user gives them, each with its latitude and
// longitude (typed, stepped or picked on the body's map), its panorama picture
// and its weather effect. The dialog works on a copy: every list entry holds
// one place record (see PlaceRecord), each edit rewrites the record of the
// selected entry, and only OK replaces the body's places with the records, in
// list order. updateForm refills it from the engine before each run.
#pragma once

#include <QDialog>
#include <QMargins>
#include <QRect>
#include <QString>
#include <functional>

#include "ui/FileChooser.h"

class EngineLink;
class QFloatSpinBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QOrderedListView;
class QOrvexMap;
class QPushButton;
class QToolButton;
class QTreeWidgetItem;
class QVBoxLayout;

class OrvexLocationForm : public QDialog {
    Q_OBJECT
public:
    explicit OrvexLocationForm(QWidget* parent = nullptr, const char* name = nullptr,
                               bool modal = false, Qt::WindowFlags flags = Qt::WindowFlags());
    ~OrvexLocationForm() override;

    virtual void init();
    virtual void destroy();
    // The GL view's link to the engine; without one the list stays empty and
    // OK writes nothing.
    virtual void setGL(EngineLink* view);
    // The list from the selected body's places, the engine's current place
    // selected, and the body's map.
    virtual void updateForm();
    // Rewrites the selected entry's record from the editors.
    virtual void placeText();

    EngineLink* gl() const { return gl_; }
    bool isUpdating() const { return updating; }
    // The browse buttons ask for their file through this; it shows the file
    // dialog unless a test answers instead.
    std::function<FileChoice(const FileQuestion&)> fileChooser = [this](const FileQuestion& q) {
        return askWithDialog(this, q);
    };
    // The entry that is selected, or none.
    QTreeWidgetItem* selectedItem() const;

    // How a browsed file is kept in a record: inside the directory (compared
    // canonically, so links and "." or ".." parts do not matter) as the
    // replacement followed by the rest of its path, elsewhere as its full
    // path; always with "/".
    static QString storedFileName(const QString& chosen, const QString& directory,
                                  const QString& replacement);

public slots:
    virtual void latitudeSlot(int value);
    virtual void longitudeSlot(int value);
    virtual void panoramaBrowseSlot();
    virtual void weatherBrowseSlot();
    virtual void listAddSlot();
    virtual void listRemoveSlot();
    virtual void okSlot();
    virtual void cancelSlot();
    virtual void listSlot();
    virtual void locationChangedSlot();
    virtual void panoramaChangedSlot();
    virtual void weatherChangedSlot();
    virtual void locationNameChanged();
    virtual void latitudeSlot();
    virtual void longitudeSlot();

protected slots:
    virtual void languageChange();

public:
    QOrderedListView* locationListView = nullptr;
    QOrvexMap* mapLabel = nullptr;
    QLabel* LatLabel = nullptr;
    QFloatSpinBox* latSpinBox = nullptr;
    QLabel* LonLabel = nullptr;
    QFloatSpinBox* lonSpinBox = nullptr;
    QLabel* locationNameLabel = nullptr;
    QLineEdit* locationEdit = nullptr;
    QLabel* panoramaLabel = nullptr;
    QLineEdit* panoramaEdit = nullptr;
    QToolButton* panoramaBrowseButton = nullptr;
    QLabel* weatherLabel = nullptr;
    QLineEdit* weatherEdit = nullptr;
    QToolButton* weatherBrowseButton = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

protected:
    // Each opening puts the dialog where it was when it was last closed, moved
    // within the screen as the other windows are.
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    // Return and keypad Enter confirm as OK does; on another button they
    // press that one.
    void keyPressEvent(QKeyEvent* e) override;

    QHBoxLayout* OrvexLocationFormLayout = nullptr;
    QHBoxLayout* layout9 = nullptr;
    QVBoxLayout* layout8 = nullptr;
    QHBoxLayout* layout7 = nullptr;
    QGridLayout* layout39 = nullptr;
    QHBoxLayout* layout8_2 = nullptr;
    QHBoxLayout* layout7_2 = nullptr;

    // Raised while the dialog sets its own controls: the slots that react to
    // control changes then leave everything alone.
    bool updating = false;

private:
    // One browse button's row: the directory under the data directory, the
    // file dialog's filter and caption, the edit it fills and the warning
    // when nothing is chosen.
    struct BrowseRow {
        const char* directory;
        const char* filter;
        const char* caption;
        QLineEdit* edit;
        const char* warning;
    };
    void browse(const BrowseRow& row);
    void moveMarker();
    void setEditorsEnabled(bool enabled);
    // Whether the entries can be written to the engine; warns and selects the
    // first entry that cannot.
    bool checkEntries();
    void warn(const QString& text);

    // A coordinate of the selected entry as it was loaded into its box, and
    // the steps the box showed for it: while the box still shows them, the
    // record keeps the loaded value (226.2, not the -133.80 the box shows, nor
    // 139.741 cut to 139.74).
    struct LoadedCoordinate {
        double value = 0.0;
        int steps = 0;
    };
    static LoadedCoordinate loadInto(QFloatSpinBox* box, double value);
    static double recordValue(const QFloatSpinBox* box, const LoadedCoordinate& loaded);

    EngineLink* gl_ = nullptr;
    // Where the dialog was when it was last closed, and its frame's margins
    // then; null before that.
    QRect lastPlace_;
    QMargins lastMargins_;
    LoadedCoordinate loadedLatitude_;
    LoadedCoordinate loadedLongitude_;
};
