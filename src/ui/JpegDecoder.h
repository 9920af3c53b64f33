#pragma once

// Decodes JPEG pictures with libjpeg, without Qt's image plugins.

#include <QByteArrayView>
#include <QImage>

namespace rollwerk {

// The emblem is 63 x 87; a few kilobytes of data may claim a picture of
// hundreds of megabytes, so larger pictures are refused before decoding.
inline constexpr qint64 kMaxJpegPixels = qint64{1024} * 1024;

// Baseline or progressive JPEG as an opaque RGB picture; a null image when
// the data is not a JPEG, is corrupt or truncated, or has more than
// kMaxJpegPixels pixels.
QImage DecodeJpeg(QByteArrayView data);

} // namespace rollwerk
