#pragma once

// The picture formats the program can load, each with its own decoder.
// Formats are registered once at start-up, before any window exists.

#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <QStringList>

namespace rollwerk {

using PictureDecoder = QImage (*)(QByteArrayView);

// Makes the extensions (without dot, any case) known; a later registration
// of the same extension replaces the earlier one.
void RegisterPictureFormat(const QStringList &extensions, const QString &description, PictureDecoder decoder);

// Registers JPEG pictures ("jpeg", "jpg") with DecodeJpeg.
void RegisterJpegFormat();

// Decodes a Qt resource such as ":/emblem.jpg" by its extension; a null
// image when the extension is unknown, the resource is missing or decoding fails.
QImage LoadPicture(const QString &resourcePath);

// The registered description of an extension; empty when unknown.
QString PictureFormatDescription(const QString &extension);

// The registered decoder of an extension; nullptr when unknown.
PictureDecoder PictureFormatDecoder(const QString &extension);

} // namespace rollwerk
