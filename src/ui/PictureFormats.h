#pragma once

// The one picture format the program loads, JPEG, made known once at
// start-up, before any window exists.

#include <QImage>
#include <QString>

namespace rollwerk {

// Makes JPEG pictures ("jpeg", "jpg", any case) known, decoded by DecodeJpeg.
void RegisterJpegFormat();

// Decodes a Qt resource such as ":/emblem.jpg" by its extension; a null
// image before RegisterJpegFormat, for another extension, when the resource
// is missing or when decoding fails.
QImage LoadPicture(const QString &resourcePath);

} // namespace rollwerk
