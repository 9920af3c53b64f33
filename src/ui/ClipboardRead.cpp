#include "ClipboardRead.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace rollwerk {

ClipboardRead ReadClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || data->formats().isEmpty())
        return {ClipboardContent::Nothing, {}};
    if (!data->hasText())
        return {data->hasImage() ? ClipboardContent::Picture : ClipboardContent::OtherData, {}};
    return {ClipboardContent::Text, data->text().toStdString()};
}

} // namespace rollwerk
