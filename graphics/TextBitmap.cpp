#include "graphics/TextBitmap.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextCodec>

#include <algorithm>

namespace {

int roundUp32(int v) {
    return (v + 31) / 32 * 32;
}

// Null until a codec is named: UTF-8.
QTextCodec* textCodec = nullptr;

} // namespace

bool TextBitmap::setTextCodec(const std::string& name) {
    QTextCodec* codec = QTextCodec::codecForName(QByteArray::fromStdString(name));
    if (codec)
        textCodec = codec;
    return codec != nullptr;
}

QString TextBitmap::decode(const std::string& text) {
    if (!textCodec)
        return QString::fromUtf8(text.data(), int(text.size()));
    return textCodec->toUnicode(text.data(), int(text.size()));
}

int TextBitmap::nextPowerOfTwo(int size) {
    int p = 16;
    while (p < size && p < 4096)
        p *= 2;
    return p;
}

std::vector<std::string> TextBitmap::splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t mark = text.find("<br>", start);
        const size_t end = mark == std::string::npos ? text.size() : mark;
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        if (mark == std::string::npos)
            break;
        start = mark + 4;
    }
    return lines;
}

TextBitmap::TextBitmap(const QFont& font, const std::string& text, int align, bool textured) {
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.ascent() + metrics.descent();
    struct Line {
        QString text;
        int width;
    };
    std::vector<Line> lines;
    const bool multiLine = text.find("<br>") != std::string::npos;
    if (multiLine) {
        for (const auto& piece : splitLines(text)) {
            const QString q = decode(piece);
            lines.push_back({q, metrics.horizontalAdvance(q)});
        }
        for (const auto& line : lines)
            textWidth = std::max(textWidth, roundUp32(line.width));
        textHeight = lineHeight * int(lines.size());
        width = textWidth;
        height = textHeight;
    } else {
        const QString q = decode(text);
        lines.push_back({q, metrics.horizontalAdvance(q)});
        textWidth = lines[0].width;
        textHeight = lineHeight;
        width = roundUp32(textWidth);
        height = textHeight;
    }
    if (textured) {
        // GL 1.x textures need power-of-two sides, for several lines too.
        width = nextPowerOfTwo(textWidth);
        height = nextPowerOfTwo(textHeight);
        textWidth = std::min(textWidth, width);
        textHeight = std::min(textHeight, height);
    }
    // Beyond these a label is no label (a huge font or an endless text): it
    // would take gigabytes, and the image below would fail or crawl.
    constexpr long long maxSide = 32768;
    constexpr long long maxPixels = 1LL << 25;
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide ||
        static_cast<long long>(width) * height > maxPixels) {
        width = height = 0;
        return;
    }

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        // Too large to allocate: nothing is drawn rather than rows read from nowhere.
        width = height = 0;
        return;
    }
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        QFont face(font);
        // glBitmap shows whole pixels only: threshold-free, crisp glyphs.
        if (!textured)
            face.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(face);
        painter.setPen(Qt::white);
        const int column = align >= 1 && align <= 9 ? (align - 1) % 3 : 0;
        const int blockWidth = multiLine ? textWidth : lines[0].width;
        int top = 0;
        for (const auto& line : lines) {
            const int x = !multiLine || column == 0 ? 0
                          : column == 1             ? (blockWidth - line.width) / 2
                                                    : blockWidth - line.width;
            painter.drawText(x, top + metrics.ascent(), line.text);
            top += lineHeight;
        }
    }

    if (textured) {
        bits.resize(size_t(width) * height * 3);
        for (int r = 0; r < height; ++r) {
            const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - r));
            unsigned char* dst = bits.data() + size_t(r) * width * 3;
            for (int x = 0; x < width; ++x) {
                dst[3 * x] = static_cast<unsigned char>(qRed(src[x]));
                dst[3 * x + 1] = static_cast<unsigned char>(qGreen(src[x]));
                dst[3 * x + 2] = static_cast<unsigned char>(qBlue(src[x]));
            }
        }
    } else {
        const int rowBytes = width / 8;
        bits.assign(size_t(rowBytes) * height, 0);
        for (int r = 0; r < height; ++r) {
            const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - r));
            unsigned char* dst = bits.data() + size_t(r) * rowBytes;
            for (int x = 0; x < width; ++x)
                if (qGray(src[x]) >= 128)
                    dst[x >> 3] |= static_cast<unsigned char>(0x80 >> (x & 7));
        }
    }
}
