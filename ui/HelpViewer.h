// The program's help window: the HTML help pages below "doc/<locale>/" in
// the program's directory, shown in a text browser with back, forward,
// contents and close buttons; Escape and Ctrl+W close it too. Each
// language's help opens at its contents page "index.html"; the pages of the
// class reference are "classref_<Class>.html" with an anchor
// "<Class>_<Command>" per command. An owner window has one help window,
// named "OrvexStudioHelpWindow"; showing a page again reuses it.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QTextBrowser;
class QToolButton;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* windowName = "OrvexStudioHelpWindow";
    static constexpr const char* contentsPage = "index.html";
    static constexpr const char* fallbackLocale = "en_us";

    // The help directory of the locale below baseDir: "doc/<locale>", or the
    // same in lower case, or the language alone ("de" for "de_DE"), whichever
    // first holds a contents page; "doc/en_us" when none does.
    static QString helpDirectory(const QString& baseDir, const QString& locale);
    // The file of page below docDir, looked for in the same locale directories
    // and then in "en_us"; empty when none has it.
    static QString findPage(const QString& docDir, const QString& locale, const QString& page);
    // The class reference's page of one command class, and the anchor of a
    // command on it.
    static QString classPage(const QString& className);
    static QString commandAnchor(const QString& className, const QString& command);

    // The owner's help window, made (hidden) where it has none yet.
    static HelpViewer* of(QWidget* owner);
    // Shows the page (a file path) at the anchor in the owner's help window,
    // making the window first, and brings it to the front. A page that is not
    // there is reported in the window.
    static HelpViewer* showPage(QWidget* owner, const QString& file,
                                const QString& anchor = QString());
    // The same in this window.
    void present(const QString& file, const QString& anchor = QString());

    // The page asked for last, as given.
    const QString& currentFile() const { return currentFile_; }
    // Whether that page was found.
    bool pageFound() const { return pageFound_; }

    QTextBrowser* browser = nullptr;
    QToolButton* backButton = nullptr;
    QToolButton* forwardButton = nullptr;
    QToolButton* contentsButton = nullptr;
    QToolButton* closeButton = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    // The locale's directory names to try, most specific first, ending with
    // the fallback.
    static QStringList localeDirectories(const QString& locale);
    explicit HelpViewer(QWidget* owner);
    void open(const QString& file, const QString& anchor);
    void showContents();

    QString currentFile_;
    // The contents page of the help the last page belongs to.
    QString contentsFile_;
    bool pageFound_ = false;
};
