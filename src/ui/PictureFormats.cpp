#include "PictureFormats.h"

#include "JpegDecoder.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

namespace rollwerk {
namespace {

bool jpegKnown = false;

} // namespace

void RegisterJpegFormat()
{
    jpegKnown = true;
}

QImage LoadPicture(const QString &resourcePath)
{
    const QString extension = QFileInfo(resourcePath).suffix().toLower();
    if (!jpegKnown || (extension != QLatin1String("jpg") && extension != QLatin1String("jpeg")))
        return {};
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeJpeg(file.readAll());
}

} // namespace rollwerk
