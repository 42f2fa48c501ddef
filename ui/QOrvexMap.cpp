#include "ui/QOrvexMap.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "engine/LogMessage.h"
#include "engine/RealToInt.h"

namespace {

constexpr int kMarkerSize = 8;
// Below this width the grid would be unreadable: the old picture stays.
constexpr int kMinGridWidth = 200;
// The texture is kept at most this wide (and half as high) for rescaling.
constexpr int kMaxTextureWidth = 2048;

} // namespace

QOrvexMap::QOrvexMap(QWidget* parent, const char* name, Qt::WindowFlags flags)
    : QLabel(parent, flags) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setScaledContents(true);
}

QOrvexMap::~QOrvexMap() = default;

void QOrvexMap::setPosition(float longitude, float latitude) {
    longitude_ = longitude;
    latitude_ = latitude;
    update();
}

QPoint QOrvexMap::markerTopLeft() const {
    const double x = width() * (longitude_ + 180.0) / 360.0 - kMarkerSize / 2;
    const double y = height() * (90.0 - latitude_) / 180.0 - kMarkerSize / 2;
    return QPoint(truncToInt(x), truncToInt(y));
}

QSize QOrvexMap::sizeHint() const {
    return QSize(width(), width() / 2);
}

// Not the picture's size, which the label would take: a window laid out
// around the map must not grow with what it shows.
QSize QOrvexMap::minimumSizeHint() const {
    return QSize(0, 0);
}

int QOrvexMap::heightForWidth(int width) const {
    return width / 2;
}

// No clamping: a drag beyond the edge gives positions beyond +-180 and +-90,
// which the callers' spin boxes clamp.
void QOrvexMap::moveMarkerTo(const QPoint& pixel) {
    if (width() <= 0 || height() <= 0)
        return;
    longitude_ = static_cast<float>((double(pixel.x()) / width() - 0.5) * 360.0);
    latitude_ = static_cast<float>(-(double(pixel.y()) / height() - 0.5) * 180.0);
    update();
    emit locationChanged();
}

void QOrvexMap::mousePressEvent(QMouseEvent* e) {
    moveMarkerTo(e->pos());
}

void QOrvexMap::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() != Qt::NoButton)
        moveMarkerTo(e->pos());
}

void QOrvexMap::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    update();
}

// The picture is made for the size the map is shown at, when it is painted:
// a map loaded while hidden or before its layout, or resized since, gets a
// sharp picture of its real size then.
void QOrvexMap::fitPictureToSize() {
    const QPixmap* shown = pixmap();
    if (shown && shown->size() == size())
        return;
    if (!texture_.isNull())
        showTexture();
    else if (width() >= kMinGridWidth)
        showGrid();
}

void QOrvexMap::paintEvent(QPaintEvent* e) {
    fitPictureToSize();
    QLabel::paintEvent(e);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QRectF(markerTopLeft(), QSizeF(kMarkerSize - 1, kMarkerSize - 1)));
}

void QOrvexMap::setMap(const std::string& file) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(file));
    if (file.empty() || !QFileInfo(name).isFile()) {
        showGrid();
        return;
    }
    if (file == mapFile_)
        return;
    if (!loadTexture(file))
        showGrid();
}

void QOrvexMap::reloadMap() {
    setMap(mapFile_);
}

bool QOrvexMap::loadTexture(const std::string& file) {
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(file)));
    reader.setDecideFormatFromContent(true);
    // Scaled while decoding: a body texture can be far larger than any map.
    const QSize full = reader.size();
    if (full.width() > kMaxTextureWidth)
        reader.setScaledSize(QSize(kMaxTextureWidth, kMaxTextureWidth / 2));
    const QImage image = reader.read();
    if (image.isNull()) {
        logMessage("Could not load map image %s: %s\n", file.c_str(),
                   reader.errorString().toLocal8Bit().constData());
        return false;
    }
    texture_ = image;
    mapFile_ = file;
    showTexture();
    return true;
}

void QOrvexMap::showTexture() {
    // A map folded away (a layout without the control panel) has no size: the
    // picture of the body before must not come back with the panel, so it
    // goes, and the first paint with a size makes the new one.
    if (width() <= 0 || height() <= 0) {
        clear();
        return;
    }
    setPixmap(QPixmap::fromImage(
        texture_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void QOrvexMap::showGrid() {
    const int w = width();
    const int h = height();
    // Folded away, the map drops the old body's picture and draws the grid
    // when it has room again; a map merely narrow keeps its picture.
    if (w <= 0 || h <= 0) {
        clear();
        mapFile_.clear();
        texture_ = QImage();
        return;
    }
    if (w < kMinGridWidth)
        return;
    QPixmap grid(w, h);
    grid.fill(palette().color(QPalette::Base));
    QPainter painter(&grid);
    const QColor grey(128, 128, 128);
    painter.setPen(QPen(grey, 1, Qt::DotLine));
    for (int i = 0; i <= 12; ++i) { // every 30 degrees of longitude
        const int x = w * i / 12;
        painter.drawLine(x, 0, x, h);
    }
    for (int j = 0; j <= 6; ++j) { // every 30 degrees of latitude
        const int y = h * j / 6;
        painter.drawLine(0, y, w, y);
    }
    painter.setPen(QPen(grey, 1, Qt::SolidLine));
    painter.drawLine(w / 2, 0, w / 2, h);
    painter.drawLine(0, h / 2, w, h / 2);
    painter.drawRect(0, 0, w - 1, h - 1);
    painter.end();
    setPixmap(grid);
    mapFile_.clear();
    texture_ = QImage();
}
