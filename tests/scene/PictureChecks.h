// Measures on pictures of the scene tests: colours and bright pixels inside
// a region, and how two pictures of the same view differ.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orvextest {

inline int brightness(QRgb c) {
    return std::max(qRed(c), std::max(qGreen(c), qBlue(c)));
}

// Pixels of the region brighter than the threshold (in any channel).
inline int countBright(const QImage& image, const QRect& region, int threshold) {
    int count = 0;
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += brightness(image.pixel(x, y)) > threshold ? 1 : 0;
    return count;
}

// Pixels of the region where the two pictures differ by more than the
// tolerance in some channel.
inline int countDiffering(const QImage& a, const QImage& b, const QRect& region,
                          int tolerance = 2) {
    int count = 0;
    const QRect r = region.intersected(a.rect()).intersected(b.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++count;
        }
    return count;
}

// The mean of each channel over the region.
inline QColor meanColour(const QImage& image, const QRect& region) {
    const QRect r = region.intersected(image.rect());
    double sum[3] = {0.0, 0.0, 0.0};
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
        }
    const double n = std::max(1, r.width() * r.height());
    return QColor(int(sum[0] / n + 0.5), int(sum[1] / n + 0.5), int(sum[2] / n + 0.5));
}

// Which of the given colours most pixels of the ring between the two radii
// around the centre are nearest to (each pixel votes when it lies within
// 60 of one of them in every channel); -1 when no pixel votes.
inline int dominantColour(const QImage& image, QPoint centre, int inner, int outer,
                          const std::vector<QColor>& colours) {
    std::vector<int> votes(colours.size(), 0);
    for (int y = centre.y() - outer; y <= centre.y() + outer; ++y)
        for (int x = centre.x() - outer; x <= centre.x() + outer; ++x) {
            const int dx = x - centre.x(), dy = y - centre.y();
            const int d2 = dx * dx + dy * dy;
            if (d2 < inner * inner || d2 > outer * outer || !image.valid(x, y))
                continue;
            const QRgb p = image.pixel(x, y);
            for (std::size_t i = 0; i < colours.size(); ++i) {
                const QColor& c = colours[i];
                if (std::abs(qRed(p) - c.red()) < 60 && std::abs(qGreen(p) - c.green()) < 60 &&
                    std::abs(qBlue(p) - c.blue()) < 60)
                    ++votes[i];
            }
        }
    int best = -1;
    for (std::size_t i = 0; i < votes.size(); ++i)
        if (votes[i] > 0 && (best < 0 || votes[i] > votes[std::size_t(best)]))
            best = int(i);
    return best;
}

} // namespace orvextest
