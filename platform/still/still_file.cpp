#include "platform/still/still_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace tintwell::platform {

namespace {

// Four bytes a pixel, and room for the decoder's own buffers.
constexpr int kAllocationLimitMegabytes = static_cast<int>(kMaxStillPixels * 4 / (1024 * 1024)) + 64;
// File times may be coarser than the clock.
constexpr qint64 kClockSlackSeconds = 2;

void RemoveIfWrittenForUs(const QString& path, const QDateTime& requested)
{
    const QFileInfo file(path);
    if (file.isFile() && !file.isSymLink() && file.lastModified() >= requested.addSecs(-kClockSlackSeconds))
        QFile::remove(path);
}

QImage Decode(const QString& path, const std::function<bool(QSize)>& fits)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    const QSize size = reader.size();
    if (!size.isValid() || static_cast<qint64>(size.width()) * size.height() > kMaxStillPixels || !fits(size))
        return {};
    QImage still;
    if (!reader.read(&still) || still.size() != size)
        return {};
    return still.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage ReadStill(const QString& uri, const std::function<bool(QSize)>& fits, const QDateTime& requested)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty())
        return {};
    const QString path = url.toLocalFile();
    if (!QFileInfo(path).isFile())
        return {};
    QImage still = Decode(path, fits);
    RemoveIfWrittenForUs(path, requested);
    return still;
}

} // namespace tintwell::platform
