#include "app/MainFormIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor ink(40, 40, 40);
const QColor paper(250, 250, 250);

void page(QPainter& p, const QRectF& r) {
    const qreal fold = r.width() / 3;
    QPolygonF outline;
    outline << r.topLeft() << QPointF(r.right() - fold, r.top())
            << QPointF(r.right(), r.top() + fold) << r.bottomRight() << r.bottomLeft();
    p.setPen(ink);
    p.setBrush(paper);
    p.drawPolygon(outline);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void lines(QPainter& p, const QRectF& r, int count) {
    p.setPen(QColor(120, 120, 120));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + (i + 1) * r.height() / (count + 1);
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

void folder(QPainter& p, qreal s) {
    p.setPen(ink);
    p.setBrush(QColor(235, 190, 60));
    QPolygonF shape;
    shape << QPointF(0.1 * s, 0.25 * s) << QPointF(0.4 * s, 0.25 * s) << QPointF(0.5 * s, 0.35 * s)
          << QPointF(0.9 * s, 0.35 * s) << QPointF(0.9 * s, 0.85 * s) << QPointF(0.1 * s, 0.85 * s);
    p.drawPolygon(shape);
}

void disk(QPainter& p, qreal s) {
    p.setPen(ink);
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(0.12 * s, 0.12 * s, 0.76 * s, 0.76 * s));
    p.setBrush(paper);
    p.drawRect(QRectF(0.25 * s, 0.12 * s, 0.5 * s, 0.3 * s));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(0.3 * s, 0.6 * s, 0.4 * s, 0.28 * s));
}

void arrow(QPainter& p, qreal s, bool down, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPolygonF shape;
    const qreal tip = down ? 0.9 * s : 0.1 * s;
    const qreal base = down ? 0.55 * s : 0.45 * s;
    const qreal tail = down ? 0.1 * s : 0.9 * s;
    shape << QPointF(0.4 * s, tail) << QPointF(0.6 * s, tail) << QPointF(0.6 * s, base)
          << QPointF(0.8 * s, base) << QPointF(0.5 * s, tip) << QPointF(0.2 * s, base)
          << QPointF(0.4 * s, base);
    p.drawPolygon(shape);
}

void turn(QPainter& p, qreal s, bool back) {
    QPainterPath path;
    const qreal from = back ? 0.8 * s : 0.2 * s;
    const qreal to = back ? 0.2 * s : 0.8 * s;
    path.moveTo(from, 0.8 * s);
    path.cubicTo(from, 0.2 * s, to, 0.2 * s, to, 0.55 * s);
    p.setPen(QPen(QColor(30, 110, 40), 0.12 * s));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 110, 40));
    p.drawPolygon(QPolygonF() << QPointF(to - 0.18 * s, 0.5 * s) << QPointF(to + 0.18 * s, 0.5 * s)
                              << QPointF(to, 0.8 * s));
}

// A window split into panes: each entry a share of the width and its colour.
void layout(QPainter& p, qreal s, std::initializer_list<std::pair<qreal, QColor>> panes) {
    qreal x = 0.08 * s;
    const qreal width = 0.84 * s;
    for (const auto& pane : panes) {
        p.setPen(ink);
        p.setBrush(pane.second);
        p.drawRect(QRectF(x, 0.15 * s, pane.first * width, 0.7 * s));
        x += pane.first * width;
    }
}

const QColor sky(10, 10, 40);
const QColor browser(250, 250, 250);
const QColor panel(190, 190, 200);

int sizeOf(MainFormIcon icon) {
    switch (icon) {
    case MainFormIcon::FileNew:
    case MainFormIcon::FileOpen:
    case MainFormIcon::FileSave:
    case MainFormIcon::FilePrint:
    case MainFormIcon::EditStore:
    case MainFormIcon::EditRestore:
        return 22;
    case MainFormIcon::LayoutB:
    case MainFormIcon::LayoutBC:
    case MainFormIcon::LayoutSB:
    case MainFormIcon::LayoutSC:
        return 20;
    default:
        return 16;
    }
}

void draw(QPainter& p, MainFormIcon icon, qreal s) {
    const QRectF sheet(0.2 * s, 0.08 * s, 0.6 * s, 0.84 * s);
    switch (icon) {
    case MainFormIcon::ScenarioNew:
    case MainFormIcon::FileNew:
        page(p, sheet);
        break;
    case MainFormIcon::ScenarioOpen:
    case MainFormIcon::FileOpen:
        folder(p, s);
        break;
    case MainFormIcon::ScenarioSaveAs:
    case MainFormIcon::FileSave:
        disk(p, s);
        break;
    case MainFormIcon::Cut:
        p.setPen(QPen(ink, 0.08 * s));
        p.drawLine(QPointF(0.3 * s, 0.1 * s), QPointF(0.65 * s, 0.65 * s));
        p.drawLine(QPointF(0.7 * s, 0.1 * s), QPointF(0.35 * s, 0.65 * s));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(0.15 * s, 0.62 * s, 0.28 * s, 0.28 * s));
        p.drawEllipse(QRectF(0.57 * s, 0.62 * s, 0.28 * s, 0.28 * s));
        break;
    case MainFormIcon::Copy:
        page(p, QRectF(0.1 * s, 0.08 * s, 0.5 * s, 0.6 * s));
        page(p, QRectF(0.4 * s, 0.32 * s, 0.5 * s, 0.6 * s));
        break;
    case MainFormIcon::Paste:
        p.setPen(ink);
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(QRectF(0.15 * s, 0.15 * s, 0.6 * s, 0.75 * s));
        page(p, QRectF(0.4 * s, 0.35 * s, 0.5 * s, 0.6 * s));
        break;
    case MainFormIcon::Undo:
        turn(p, s, true);
        break;
    case MainFormIcon::Redo:
        turn(p, s, false);
        break;
    case MainFormIcon::RecordState:
        page(p, sheet);
        lines(p, sheet.adjusted(0.1 * s, 0.2 * s, -0.1 * s, -0.1 * s), 3);
        break;
    case MainFormIcon::RecordView:
        p.setPen(ink);
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(0.1 * s, 0.3 * s, 0.8 * s, 0.55 * s));
        p.setBrush(QColor(150, 200, 255));
        p.drawEllipse(QRectF(0.32 * s, 0.4 * s, 0.36 * s, 0.36 * s));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(0.3 * s, 0.18 * s, 0.3 * s, 0.12 * s));
        break;
    case MainFormIcon::Record:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(QRectF(0.18 * s, 0.18 * s, 0.64 * s, 0.64 * s));
        break;
    case MainFormIcon::Play:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 150, 50));
        p.drawPolygon(QPolygonF() << QPointF(0.25 * s, 0.15 * s) << QPointF(0.85 * s, 0.5 * s)
                                  << QPointF(0.25 * s, 0.85 * s));
        break;
    case MainFormIcon::FilePrint:
        p.setPen(ink);
        p.setBrush(paper);
        p.drawRect(QRectF(0.28 * s, 0.08 * s, 0.44 * s, 0.35 * s));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(0.08 * s, 0.4 * s, 0.84 * s, 0.35 * s));
        p.setBrush(paper);
        p.drawRect(QRectF(0.28 * s, 0.65 * s, 0.44 * s, 0.27 * s));
        break;
    case MainFormIcon::EditStore:
        p.setPen(ink);
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(0.1 * s, 0.6 * s, 0.8 * s, 0.3 * s));
        arrow(p, s * 0.8, true, QColor(40, 90, 180));
        break;
    case MainFormIcon::EditRestore:
        p.setPen(ink);
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(0.1 * s, 0.6 * s, 0.8 * s, 0.3 * s));
        p.translate(0, -0.05 * s);
        arrow(p, s * 0.8, false, QColor(40, 150, 60));
        break;
    case MainFormIcon::HelpContents:
        p.setPen(ink);
        p.setBrush(QColor(40, 90, 180));
        p.drawRect(QRectF(0.15 * s, 0.1 * s, 0.7 * s, 0.8 * s));
        p.setPen(paper);
        p.drawLine(QPointF(0.3 * s, 0.1 * s), QPointF(0.3 * s, 0.9 * s));
        break;
    case MainFormIcon::HelpIndex:
        page(p, sheet);
        lines(p, sheet.adjusted(0.08 * s, 0.05 * s, -0.08 * s, -0.05 * s), 4);
        break;
    case MainFormIcon::LayoutB:
        layout(p, s, {{1.0, browser}});
        break;
    case MainFormIcon::LayoutBC:
        layout(p, s, {{0.6, browser}, {0.4, panel}});
        break;
    case MainFormIcon::LayoutSB:
        layout(p, s, {{0.5, sky}, {0.5, browser}});
        break;
    case MainFormIcon::LayoutSC:
        layout(p, s, {{0.6, sky}, {0.4, panel}});
        break;
    }
}

} // namespace

QPixmap mainFormIcon(MainFormIcon icon) {
    const int size = sizeOf(icon);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, icon, size);
    return pixmap;
}
