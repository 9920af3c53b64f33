#pragma once

// Decodes JPEG pictures with libjpeg, without Qt's image plugins.

#include <QByteArrayView>
#include <QImage>

namespace rollwerk {

// Baseline or progressive JPEG as an opaque RGB picture; a null image when
// the data is not a JPEG, is corrupt or truncated, or is larger than
// 8192 x 8192 pixels.
QImage DecodeJpeg(QByteArrayView data);

} // namespace rollwerk
