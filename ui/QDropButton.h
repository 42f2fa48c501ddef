// A toggle push button that also takes drops: a dropped file becomes its local
// file name, dropped text stays text, and either is reported by dropped().
#pragma once

#include <QByteArray>
#include <QPushButton>
#include <QString>

class QMimeData;

class QDropButton : public QPushButton {
    Q_OBJECT

public:
    explicit QDropButton(QWidget* parent = nullptr, const char* name = nullptr);
    ~QDropButton() override;

    // The text a drop stands for: the first URI of a URI list as a file name
    // (percent escapes decoded, the bytes read as UTF-8), else the plain text.
    static QString decodeDrop(const QMimeData* data);
    // Decodes %XX escapes; %7C (a drive letter's "|") stands for ":". A "%" not
    // followed by two hex digits, and %00, are kept as they are.
    static QByteArray decodePercentEscapes(const QByteArray& text);

signals:
    void dropped(const QString& text);

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};
