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

// Shows the file dialog for the question and waits for the user.
FileChoice askWithDialog(QWidget* parent, const FileQuestion& question);
