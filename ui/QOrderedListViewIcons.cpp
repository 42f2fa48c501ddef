// The three icons every ordered list shares: closed folder, open folder and a
// small document. Made once, on first use, and released with the application.
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <initializer_list>
#include <memory>

#include "ui/QOrderedListView.h"

namespace {

constexpr int kIconSize = 16;

struct SharedIcons {
    QPixmap folderClosed;
    QPixmap folderOpen;
    QPixmap leaf;
};

std::unique_ptr<SharedIcons>& sharedIcons() {
    static std::unique_ptr<SharedIcons> icons;
    return icons;
}

QPixmap blankIcon() {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A closed outline through the points (pixel centres at .5).
QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

const QColor kFolderEdge(150, 110, 30);
const QColor kFolderBack(222, 180, 80);
const QColor kFolderFront(245, 210, 110);

// A folder with its tab; open, its front flap tilts away.
QPixmap makeFolder(bool open) {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kFolderEdge);
    p.setBrush(kFolderBack);
    p.drawPath(
        polygon({{1.5, 3.5}, {6.5, 3.5}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(kFolderFront);
    if (open)
        p.drawPath(polygon({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    else
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    return pixmap;
}

QPixmap makeLeaf() {
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    // A page with its top right corner folded.
    p.drawPath(polygon({{3.5, 1.5}, {9.5, 1.5}, {12.5, 4.5}, {12.5, 14.5}, {3.5, 14.5}}));
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
    p.setPen(QColor(150, 160, 190));
    for (int y = 7; y <= 12; y += 2)
        p.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
    return pixmap;
}

const SharedIcons& icons() {
    std::unique_ptr<SharedIcons>& shared = sharedIcons();
    if (!shared) {
        shared = std::make_unique<SharedIcons>(
            SharedIcons{makeFolder(false), makeFolder(true), makeLeaf()});
        // Pixmaps must go before the application does.
        qAddPostRoutine([] { sharedIcons().reset(); });
    }
    return *shared;
}

} // namespace

const QPixmap* QOrderedListView::folderClosedIcon() {
    return &icons().folderClosed;
}

const QPixmap* QOrderedListView::folderOpenIcon() {
    return &icons().folderOpen;
}

const QPixmap* QOrderedListView::leafIcon() {
    return &icons().leaf;
}
