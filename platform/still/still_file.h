#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

namespace tintwell::platform {

// The largest still read, in pixels: two 8K screens at twice their size
// stay within it, a header claiming more is refused before decoding.
constexpr qint64 kMaxStillPixels = 256LL * 1024 * 1024;

// Reads the still of the screen that the portal wrote for one pick, from
// the `uri` its answer named, and then removes the file, so no screenshot is
// left in the user's folders. The answer is not trusted: anything but a
// local image file of a size `fits` accepts (asked before any pixel is
// decoded) gives a null image, in bounded time and memory. The file is
// removed only when it is a plain file written since `requested`, so a
// wrong answer can never cost the user a file of their own.
QImage ReadStill(const QString& uri, const std::function<bool(QSize)>& fits, const QDateTime& requested);

} // namespace tintwell::platform
