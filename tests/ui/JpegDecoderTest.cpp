#include "JpegDecoder.h"
#include "PictureFormats.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <jpeglib.h>

using namespace rollwerk;

namespace {

QByteArray EmblemBytes()
{
    QFile file(QStringLiteral(":/emblem.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool Near(QRgb pixel, int r, int g, int b, int tolerance)
{
    return std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance
        && std::abs(qBlue(pixel) - b) <= tolerance;
}

// Pictures with known content, written by libjpeg itself so the decoder is
// checked against more than the one emblem.
enum class Kind { Colour, Grey, Progressive };

// Left half red, right half blue (or dark and light grey).
QByteArray EncodeHalves(Kind kind, int width = 16, int height = 8)
{
    const bool grey = kind == Kind::Grey;
    const int components = grey ? 1 : 3;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char *p = &pixels[(static_cast<std::size_t>(y) * width + x) * components];
            const bool left = x < width / 2;
            if (grey) {
                p[0] = left ? 40 : 200;
            } else {
                p[0] = left ? 220 : 20;
                p[1] = 30;
                p[2] = left ? 20 : 220;
            }
        }
    }

    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (kind == Kind::Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &pixels[std::size_t{info.next_scanline} * width * components];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return result;
}

// Overwrites width and height in the baseline frame header.
QByteArray WithSize(QByteArray jpeg, int width, int height)
{
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height & 0xFF);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

} // namespace

class JpegDecoderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RegisterJpegFormat();
        QVERIFY(!EmblemBytes().isEmpty());
    }

    void emblemDecodes()
    {
        const QImage image = LoadPicture(QStringLiteral(":/emblem.jpg"));
        QCOMPARE(image.size(), QSize(63, 87));
        QVERIFY(!image.hasAlphaChannel());
        for (const QPoint corner : {QPoint(0, 0), QPoint(62, 0), QPoint(0, 86), QPoint(62, 86)}) {
            const QRgb pixel = image.pixel(corner);
            QVERIFY2(Near(pixel, 166, 202, 240, 10),
                qPrintable(QStringLiteral("corner %1,%2 is %3").arg(corner.x()).arg(corner.y()).arg(pixel, 8, 16)));
        }
        // The left side of the ring is gold: red over green over blue.
        const QRgb gold = image.pixel(24, 49);
        QVERIFY(qRed(gold) > qGreen(gold) && qGreen(gold) > qBlue(gold));
        QVERIFY(qRed(gold) - qBlue(gold) > 80);
    }

    void encodedPictures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QColor>("left");
        QTest::addColumn<QColor>("right");
        // clang-format off
        QTest::newRow("colour") << int(Kind::Colour) << QColor(220, 30, 20) << QColor(20, 30, 220);
        QTest::newRow("grey") << int(Kind::Grey) << QColor(40, 40, 40) << QColor(200, 200, 200);
        QTest::newRow("progressive")
            << int(Kind::Progressive) << QColor(220, 30, 20) << QColor(20, 30, 220);
        // clang-format on
    }

    void encodedPictures()
    {
        QFETCH(int, kind);
        QFETCH(QColor, left);
        QFETCH(QColor, right);
        const QImage image = DecodeJpeg(EncodeHalves(static_cast<Kind>(kind)));
        QCOMPARE(image.size(), QSize(16, 8));
        for (int y = 0; y < 8; ++y) {
            // Away from the edge between the halves, where the colours bleed.
            for (int x : {0, 3, 12, 15}) {
                const QColor want = x < 8 ? left : right;
                const QRgb pixel = image.pixel(x, y);
                QVERIFY2(Near(pixel, want.red(), want.green(), want.blue(), 12),
                    qPrintable(QStringLiteral("%1,%2 is %3").arg(x).arg(y).arg(pixel, 8, 16)));
                QCOMPARE(qAlpha(pixel), 255);
            }
        }
    }

    // Valid pictures just over the limit of 1024 x 1024 pixels are refused
    // before any pixel is read; the limit is on the area, not on a side.
    void sizeLimit_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("decodes");
        // clang-format off
        QTest::newRow("largest square") << 1024 << 1024 << true;
        QTest::newRow("one row more") << 1024 << 1025 << false;
        QTest::newRow("wide and low at the limit") << 8192 << 128 << true;
        QTest::newRow("one column more") << 8193 << 128 << false;
        QTest::newRow("high and narrow") << 8 << 8192 << true;
        // clang-format on
    }

    void sizeLimit()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, decodes);
        const QImage image = DecodeJpeg(EncodeHalves(Kind::Colour, width, height));
        QCOMPARE(!image.isNull(), decodes);
        if (decodes)
            QCOMPARE(image.size(), QSize(width, height));
    }

    void notJpeg_data()
    {
        QTest::addColumn<QByteArray>("data");
        // clang-format off
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("kein Bild");
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("start and end marker") << QByteArray("\xFF\xD8\xFF\xD9", 4);
        QTest::newRow("png signature") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
        QTest::newRow("zeros") << QByteArray(4096, '\0');
        // clang-format on
    }

    void notJpeg()
    {
        QFETCH(QByteArray, data);
        QVERIFY(DecodeJpeg(data).isNull());
    }

    void patchedFrameSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("decodes");
        // clang-format off
        QTest::newRow("unchanged") << 63 << 87 << true;
        QTest::newRow("largest possible") << 65535 << 65535 << false;
        QTest::newRow("claims 2048 x 2048") << 2048 << 2048 << false;
        QTest::newRow("no height") << 63 << 0 << false;
        QTest::newRow("more than the data holds") << 400 << 400 << false;
        // clang-format on
    }

    void patchedFrameSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, decodes);
        const QByteArray patched = WithSize(EmblemBytes(), width, height);
        QVERIFY(!patched.isEmpty());
        const QImage image = DecodeJpeg(patched);
        QCOMPARE(!image.isNull(), decodes);
        if (decodes)
            QCOMPARE(image.size(), QSize(width, height));
    }

    void everyTruncationFails()
    {
        const QByteArray bytes = EmblemBytes();
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            if (!DecodeJpeg(QByteArrayView(bytes.constData(), length)).isNull())
                QFAIL(qPrintable(QStringLiteral("%1 of %2 bytes decoded").arg(length).arg(bytes.size())));
        }
    }

    void corruptionsAreSurvived()
    {
        const QByteArray bytes = EmblemBytes();
        const qsizetype scan = bytes.indexOf(QByteArray("\xFF\xDA", 2));
        QVERIFY(scan > 0);
        std::mt19937 random(20240611u);
        std::uniform_int_distribution<int> byte(0, 255);
        std::uniform_int_distribution<int> count(1, 4);
        int rejected = 0;
        const int rounds = 400;
        for (int round = 0; round < rounds; ++round) {
            QByteArray damaged = bytes;
            // Half of the rounds hit the tables and frame header, the rest anywhere.
            const qsizetype end = round % 2 == 0 ? scan + 12 : damaged.size();
            std::uniform_int_distribution<qsizetype> where(2, end - 1);
            for (int i = count(random); i > 0; --i)
                damaged[where(random)] = static_cast<char>(byte(random));
            const QImage image = DecodeJpeg(damaged);
            if (image.isNull()) {
                ++rejected;
                continue;
            }
            QVERIFY(image.width() >= 1 && image.height() >= 1);
            QVERIFY(qint64{image.width()} * image.height() <= qint64{1024} * 1024);
            QCOMPARE(image.format(), QImage::Format_RGBX8888);
        }
        // Damaged tables cannot all go unnoticed.
        QVERIFY(rejected > 0);
    }

    void loadsByExtension()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray bytes = EmblemBytes();
        for (const char *name : {"emblem.JPEG", "emblem.jpg", "emblem.gif", "emblem"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        }
        QCOMPARE(LoadPicture(dir.filePath(QStringLiteral("emblem.JPEG"))).size(), QSize(63, 87));
        QCOMPARE(LoadPicture(dir.filePath(QStringLiteral("emblem.jpg"))).size(), QSize(63, 87));
        // The same bytes under another or no extension are not decoded, nor a resource that is missing.
        QVERIFY(LoadPicture(dir.filePath(QStringLiteral("emblem.gif"))).isNull());
        QVERIFY(LoadPicture(dir.filePath(QStringLiteral("emblem"))).isNull());
        QVERIFY(LoadPicture(QStringLiteral(":/missing.jpg")).isNull());
    }
};

QTEST_GUILESS_MAIN(JpegDecoderTest)
#include "JpegDecoderTest.moc"
