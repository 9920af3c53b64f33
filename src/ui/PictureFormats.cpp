#include "PictureFormats.h"

#include "JpegDecoder.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace rollwerk {
namespace {

struct PictureFormat {
    QString description;
    PictureDecoder decoder = nullptr;
};

QHash<QString, PictureFormat> &Formats()
{
    static QHash<QString, PictureFormat> formats;
    return formats;
}

QString NormalisedExtension(const QString &extension)
{
    QString result = extension.trimmed().toLower();
    if (result.startsWith(QLatin1Char('.')))
        result.remove(0, 1);
    return result;
}

const PictureFormat *Find(const QString &extension)
{
    const auto &formats = Formats();
    const auto it = formats.constFind(NormalisedExtension(extension));
    return it == formats.constEnd() ? nullptr : &it.value();
}

} // namespace

void RegisterPictureFormat(const QStringList &extensions, const QString &description, PictureDecoder decoder)
{
    if (decoder == nullptr)
        return;
    for (const QString &extension : extensions) {
        const QString key = NormalisedExtension(extension);
        if (!key.isEmpty())
            Formats().insert(key, PictureFormat{description, decoder});
    }
}

void RegisterJpegFormat()
{
    RegisterPictureFormat(
        {QStringLiteral("jpeg"), QStringLiteral("jpg")}, QStringLiteral("JPEG-Grafikdatei"), &DecodeJpeg);
}

QImage LoadPicture(const QString &resourcePath)
{
    const PictureFormat *format = Find(QFileInfo(resourcePath).suffix());
    if (format == nullptr)
        return {};
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return format->decoder(bytes);
}

QString PictureFormatDescription(const QString &extension)
{
    const PictureFormat *format = Find(extension);
    return format == nullptr ? QString() : format->description;
}

PictureDecoder PictureFormatDecoder(const QString &extension)
{
    const PictureFormat *format = Find(extension);
    return format == nullptr ? nullptr : format->decoder;
}

} // namespace rollwerk
