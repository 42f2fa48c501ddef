#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include "ui/QDropButton.h"

namespace {

// Drops the data on the button as the toolkit would and returns what it reported.
QStringList drop(QDropButton& button, const QMimeData& data) {
    QSignalSpy spy(&button, &QDropButton::dropped);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
    QApplication::sendEvent(&button, &dropEvent);
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString();
    return texts;
}

// A URI list as another program's drop brings it: the bytes as they were sent
// (QMimeData::setData would pass them through QUrl first).
class ForeignUriList : public QMimeData {
public:
    explicit ForeignUriList(const QByteArray& bytes) : bytes_(bytes) {}
    QStringList formats() const override { return {"text/uri-list"}; }
    bool hasFormat(const QString& type) const override { return type == "text/uri-list"; }

protected:
    QVariant retrieveData(const QString& type, QVariant::Type) const override {
        return type == "text/uri-list" ? QVariant(bytes_) : QVariant();
    }

private:
    QByteArray bytes_;
};

QStringList dropUris(QDropButton& button, const QByteArray& list) {
    ForeignUriList data(list);
    return drop(button, data);
}

QStringList dropText(QDropButton& button, const QString& text) {
    QMimeData data;
    data.setText(text);
    return drop(button, data);
}

} // namespace

TEST(QDropButton, IsAToggleButtonTakingDrops) {
    QDropButton button(nullptr, "mediaButton");
    EXPECT_EQ(button.objectName(), "mediaButton");
    EXPECT_TRUE(button.isCheckable());
    EXPECT_TRUE(button.acceptDrops());
}

TEST(QDropButton, FileUrisBecomeFileNames) {
    QDropButton button;
    const std::pair<const char*, const char*> cases[] = {
        {"file:///D:/My%20Movies/a.avi\r\n", "D:/My Movies/a.avi"},
        {"file:///D%7C/media/a.avi\r\n", "D:/media/a.avi"},
        {"file:///d%7c/media/a.avi\r\n", "d:/media/a.avi"},
        // A Unix path keeps its leading "/".
        {"file:///home/u/My%20Movies/a.avi\r\n", "/home/u/My Movies/a.avi"},
        // Several files: the first one counts; comments are skipped.
        {"# from the file manager\r\nfile:///tmp/a.png\r\nfile:///tmp/b.png\r\n", "/tmp/a.png"},
        {"https://example.org/a%20b.html?q=%41\r\n", "https://example.org/a b.html?q=A"},
        // Malformed escapes and %00 stay as they are.
        {"file:///tmp/100%25%\r\n", "/tmp/100%%"},
        {"file:///tmp/a%2x%00b%4\r\n", "/tmp/a%2x%00b%4"},
        {"file:///tmp/%%41\r\n", "/tmp/%A"},
        {"", ""},
    };
    for (const auto& [uris, expected] : cases) {
        const QStringList reported = dropUris(button, uris);
        ASSERT_EQ(reported.size(), 1) << uris;
        EXPECT_EQ(reported.first(), QString::fromUtf8(expected)) << uris;
    }
}

TEST(QDropButton, UrisSetThroughQtArriveToo) {
    QDropButton button;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/home/u/My Movies/a b.avi"), QUrl("file:///tmp/x")});
    EXPECT_EQ(drop(button, data), QStringList{"/home/u/My Movies/a b.avi"});
}

TEST(QDropButton, EscapedUtf8BecomesItsCharacters) {
    QDropButton button;
    // Three escapes of one kana, then a Latin-1 letter written as UTF-8.
    const QStringList reported = dropUris(button, "file:///home/%E3%81%82/Caf%C3%A9.jpg\r\n");
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported.first(), QString::fromUtf8("/home/\xE3\x81\x82/Caf\xC3\xA9.jpg"));
}

TEST(QDropButton, LongUrisAreDecodedWhole) {
    QDropButton button;
    QByteArray uri = "file:///tmp/";
    QString expected = "/tmp/";
    for (int i = 0; i < 600; ++i) {
        uri += "%20x";
        expected += " x";
    }
    const QStringList reported = dropUris(button, uri + "\r\n");
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported.first(), expected);
}

TEST(QDropButton, PlainTextLosesOnlyTheFileScheme) {
    QDropButton button;
    EXPECT_EQ(dropText(button, "file:///a%20b"), QStringList{"/a%20b"});
    EXPECT_EQ(dropText(button, "file:///C:/x y.png"), QStringList{"C:/x y.png"});
    EXPECT_EQ(dropText(button, "just some words"), QStringList{"just some words"});
    // The scheme inside a text is not a prefix to cut.
    EXPECT_EQ(dropText(button, "see file:///tmp/a"), QStringList{"see file:///tmp/a"});
    QMimeData empty;
    EXPECT_EQ(drop(button, empty), QStringList{""});
}
