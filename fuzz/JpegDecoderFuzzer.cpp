// Any byte string, above all a damaged JPEG, must give a null picture or a
// whole opaque picture within the size limit: never a crash, leak or exit.

#include "JpegDecoder.h"

#include <QByteArrayView>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

[[noreturn]] void Violated(const char *what)
{
    std::fprintf(stderr, "decoded picture: %s\n", what);
    __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QImage image = rollwerk::DecodeJpeg(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (image.isNull())
        return 0;
    if (image.width() < 1 || image.height() < 1 || qint64{image.width()} * image.height() > rollwerk::kMaxJpegPixels)
        Violated("size out of range");
    if (image.format() != QImage::Format_RGBX8888)
        Violated("unexpected format");
    // Reads every pixel, so that ASan sees a short buffer; RGBX needs the
    // fourth byte at 0xFF.
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (line[4 * x + 3] != 0xFF)
                Violated("pixel not opaque");
        }
    }
    return 0;
}
