#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

// `image` as the bytes of a PNG file, as a portal writes a still of the
// screen. Header-only, so the benchmarks can use it where the tests are not
// built.
inline QByteArray Png(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}
