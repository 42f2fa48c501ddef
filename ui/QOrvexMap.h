// A body's surface texture shown as a flat latitude/longitude map (longitude
// -180..180 left to right, latitude 90..-90 top to bottom) with a small round
// marker at one place. Clicking or dragging moves the marker and reports it;
// a body without a texture file gets a drawn 30-degree grid instead.
#pragma once

#include <QImage>
#include <QLabel>
#include <string>

class QOrvexMap : public QLabel {
    Q_OBJECT

public:
    explicit QOrvexMap(QWidget* parent = nullptr, const char* name = nullptr,
                       Qt::WindowFlags flags = Qt::WindowFlags());
    ~QOrvexMap() override;

    // Moves the marker (degrees) without emitting locationChanged().
    void setPosition(float longitude, float latitude);
    float longitude() const { return longitude_; }
    float latitude() const { return latitude_; }

    // Shows the texture in the file (an 8-bit name as the engine reports it), or
    // the grid when there is no such file. The same file is not loaded twice.
    void setMap(const std::string& file);
    // setMap with the file shown now: redraws the grid in the current palette.
    void reloadMap();
    // The texture file shown; empty while the grid is shown.
    const std::string& mapFile() const { return mapFile_; }

    // Top-left corner of the marker's 8 x 8 box in widget pixels.
    QPoint markerTopLeft() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

signals:
    void locationChanged();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void moveMarkerTo(const QPoint& pixel);
    void showGrid();
    void fitPictureToSize();
    void showTexture();
    bool loadTexture(const std::string& file);

    std::string mapFile_;
    // The texture as read, made into the picture for the map's size.
    QImage texture_;
    float longitude_ = 0.0f;
    float latitude_ = 0.0f;
};
