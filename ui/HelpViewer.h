// The program's help window: the HTML pages below "doc/<locale>/" (the class
// reference made from the command-help file, one page per class with an
// anchor per command, and its index), shown in a text browser of our own.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // The help's start page and the page of one command class.
    static constexpr const char* indexPage = "index.html";
    static QString classPage(const QString& className);
    // The anchor of a command on its class page.
    static QString commandAnchor(const QString& className, const QString& command);

    // The file of page below docDir: in the locale's directory ("en_US" is
    // looked for as "en_us", then as "en"), else in "en_us"; empty when neither
    // has it.
    static QString findPage(const QString& docDir, const QString& locale, const QString& page);

    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows a page file, scrolled to anchor when given, and raises the window.
    void showPage(const QString& file, const QString& anchor = QString());

    QTextBrowser* browser = nullptr;

private:
    void languageChange();

    QToolButton* backButton_ = nullptr;
    QToolButton* forwardButton_ = nullptr;
    QToolButton* homeButton_ = nullptr;
    QString home_;
};
