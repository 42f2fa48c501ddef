// A question for a file name and its answer. The windows ask through a
// virtual function that shows the toolkit's file dialog (askWithDialog); tests
// answer it directly, since a modal dialog in a test may wait for ever.
#pragma once

#include <QString>

class QWidget;

struct FileQuestion {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString caption;
    QString directory; // where the dialog starts; empty: the working directory
    QString filter;    // name filters separated by ";;"
    QString objectName;
};

struct FileChoice {
    QString file;   // empty when the user cancelled
    QString filter; // the name filter chosen in the dialog
};

// Shows the file dialog for the question and waits for the user. Saving, a
// name typed without an extension gets the chosen filter's before the dialog
// asks whether to replace an existing file.
FileChoice askWithDialog(QWidget* parent, const FileQuestion& question);

// The name as the user meant it: a name without any extension gets the first
// extension of the filter ("Png Files (*.png)" gives ".png"); any other name,
// or a filter without an extension, leaves it as it is.
QString withFilterExtension(const QString& file, const QString& filter);
