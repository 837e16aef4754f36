#pragma once
// Pictures and files the file-layer tests are made of.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

namespace lumetra::test {

// A picture with a different colour in every pixel of small sizes, so any swap of
// rows, columns or channels shows.
inline QImage Gradient(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (y * 53 + 7) % 256, (x * 13 + y * 29 + 100) % 256));
    return format == QImage::Format_RGB32 ? image : image.convertToFormat(format);
}

// A smooth picture, which JPEG keeps close to its pixels.
inline QImage Smooth(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The largest difference of any channel between two pictures of the same size
// (-1 when the sizes differ).
inline int MaxDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return -1;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max(
                {worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

}  // namespace lumetra::test
