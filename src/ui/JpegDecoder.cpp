#include "JpegDecoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#ifndef JCS_ALPHA_EXTENSIONS
#error "the JPEG decoder needs libjpeg-turbo's JCS_EXT_RGBA"
#endif

namespace rollwerk {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default error_exit ends the process; jump back to the caller.
[[noreturn]] void OnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

// Warnings mean damaged data (a truncated file is padded with grey), so they
// abort the decoding as well; trace messages are dropped.
void OnMessage(j_common_ptr info, int level)
{
    if (level < 0)
        OnError(info);
}

void OnOutput(j_common_ptr)
{ }

// The functions that call setjmp keep only trivially destructible locals, so
// a longjmp out of libjpeg skips no destructor.
struct Decompressor {
    jpeg_decompress_struct info;
    ErrorManager error;
};

bool Create(Decompressor &d)
{
    d.info.err = jpeg_std_error(&d.error.base);
    d.error.base.error_exit = OnError;
    d.error.base.emit_message = OnMessage;
    d.error.base.output_message = OnOutput;
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    return true;
}

bool ReadHeader(Decompressor &d, const unsigned char *data, std::size_t size)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    // Checked before start, which already allocates by the picture's size.
    if (d.info.image_width == 0 || d.info.image_height == 0
        || qint64{d.info.image_width} * d.info.image_height > kMaxJpegPixels)
        return false;
    d.info.out_color_space = JCS_EXT_RGBA; // opaque alpha byte, as RGBX8888 wants
    jpeg_start_decompress(&d.info);
    return d.info.output_components == 4 && d.info.output_width == d.info.image_width
        && d.info.output_height == d.info.image_height;
}

bool ReadPixels(Decompressor &d, uchar *bits, qsizetype bytesPerLine)
{
    if (setjmp(d.error.jump))
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = bits + static_cast<qsizetype>(d.info.output_scanline) * bytesPerLine;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

} // namespace

QImage DecodeJpeg(QByteArrayView data)
{
    if (data.isEmpty())
        return {};
    Decompressor d{};
    QImage image;
    const auto *bytes = reinterpret_cast<const unsigned char *>(data.data());
    if (Create(d) && ReadHeader(d, bytes, static_cast<std::size_t>(data.size()))) {
        image = QImage(
            static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height), QImage::Format_RGBX8888);
        // Allocation can fail for large pictures; bits() is then null.
        if (image.isNull() || !ReadPixels(d, image.bits(), image.bytesPerLine()))
            image = QImage();
    }
    jpeg_destroy_decompress(&d.info);
    return image;
}

} // namespace rollwerk
