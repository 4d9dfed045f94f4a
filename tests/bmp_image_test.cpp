// The bitmap reader of the tile pictures against Qt's own reader.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstring>
#include <string>

#include "test_support.h"
#include "ui/bmp_image.h"
#include "ui/decoded_pictures.h"
#include "ui/picture_preload.h"
#include "ui/png_image.h"

namespace {

std::string Encode(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "BMP"));
    return bytes.toStdString();
}

void ExpectSamePixels(const QImage& a, const QImage& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(qRgb(qRed(a.pixel(x, y)), qGreen(a.pixel(x, y)), qBlue(a.pixel(x, y))),
                      qRgb(qRed(b.pixel(x, y)), qGreen(b.pixel(x, y)), qBlue(b.pixel(x, y))))
                << x << "," << y;
}

TEST(BmpImage, EveryTilePictureReadsAsQtReadsIt)
{
    testing_support::GameFolders folders;
    const QDir ico(QString::fromStdString(folders.locations.programDir + "/Ico"));
    const QStringList names = ico.entryList({QStringLiteral("*.bmp")}, QDir::Files);
    ASSERT_EQ(names.size(), 54);
    for (const QString& name : names) {
        const std::string data = testing_support::ReadFile(ico.filePath(name).toStdString());
        QImage byQt;
        ASSERT_TRUE(byQt.loadFromData(reinterpret_cast<const uchar*>(data.data()), int(data.size()), "BMP"));
        SCOPED_TRACE(name.toStdString());
        ExpectSamePixels(DecodeBmp(data), byQt);
    }
}

TEST(BmpImage, OddWidthsPaddedRowsAndTopDownPicturesReadRight)
{
    QImage picture(5, 3, QImage::Format_RGB888);  // 15 bytes a row, padded to 16
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(40 * x, 80 * y, 200 - 30 * x));
    std::string data = Encode(picture);
    ExpectSamePixels(DecodeBmp(data), picture);

    // The same rows stored top down: a negative height.
    std::string topDown = data.substr(0, 54);
    const std::int32_t height = -3;
    std::memcpy(topDown.data() + 22, &height, 4);
    const std::size_t pixelsAt = static_cast<unsigned char>(data[10]);
    for (int row = 2; row >= 0; --row)
        topDown += data.substr(pixelsAt + 16 * row, 16);
    ExpectSamePixels(DecodeBmp(topDown), picture);
}

TEST(BmpImage, WhatIsNoWholeBitmapGivesNoPicture)
{
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    const std::string data = Encode(picture);
    EXPECT_FALSE(DecodeBmp(data).isNull());
    EXPECT_TRUE(DecodeBmp("").isNull());
    EXPECT_TRUE(DecodeBmp("BM").isNull());
    EXPECT_TRUE(DecodeBmp(data.substr(0, data.size() - 5)).isNull()) << "cut short";
    EXPECT_TRUE(DecodeBmp(std::string(200, 'x')).isNull());
    EXPECT_TRUE(DecodeBmp("\x89PNG\r\n\x1a\n" + std::string(100, '\0')).isNull());
    std::string huge = data;
    const std::int32_t width = 1 << 30;
    std::memcpy(huge.data() + 18, &width, 4);
    EXPECT_TRUE(DecodeBmp(huge).isNull());
    // Pixels said to start inside the headers (Qt's reader takes them from
    // after the headers; the direct reader read header bytes as pixels).
    std::string overlapping = data;
    overlapping[10] = 51;
    EXPECT_TRUE(DecodeBmp(overlapping).isNull());
    // A compressed picture of 2 rows of 131072 pixels from 78 bytes: past
    // the largest side that a plain picture may have.
    const std::string wideRle = QByteArray::fromBase64(
        "Qk1OAAAAAAAAAEYAAAAoAAAAAAACAAIAAAABAAgAAQAAAAgAAAATCwAAEwsAAAQAAAAAAAAAAAAAAAAAAAAAAAIAAAAAAAAB").toStdString();
    EXPECT_TRUE(DecodeBmp(wideRle).isNull());
}

TEST(BmpImage, PicturesCutShortOrUsingColoursTheirPaletteLacksLookTheSameEveryTime)
{
    // 2 × 2, a palette of 4 colours, compressed pixels of colour 64.
    const std::string outsidePalette =
        QByteArray::fromBase64("Qk1OAAAAAAAAAEYAAAAoAAAAAgAAAAIAAAABAAgAAQAAAAgAAAATCwAAEwsAAAQAAAAAAAAAAAAAAAAAAAAAAAIAAAAAAEBAQEBA"
                               "QEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBAQEBA"
                               "QEBAQEBAQEBAQEBAQEBAQEAAIw==")
            .toStdString();
    // 5 × 8193 pixels of one bit, a few rows of them in the file.
    const std::string cutShort =
        QByteArray::fromBase64("Qk1CAAAAAAAAAD4AAAAoAAAABQAAAAEgAAABAAEAAAAAAAQAAP3sCwAAE/YAAAAAAABCTQAAQgAAAAWpAAATfAALAAATAAMA"
                               "ANUBABgAAJUAAAABpgATAAMAANUBABgAAAAA////HwAAJAAAdgs=")
            .toStdString();
    // 3 × 8960 pixels stored top down, none of them in the file.
    const std::string topDownEmpty = QByteArray::fromBase64("Qk1CAAAABakAAAAAfAsTABMAAwAA3QEAGAAAAA==").toStdString();
    for (const std::string& data : {outsidePalette, cutShort, topDownEmpty}) {
        const QImage first = DecodeBmp(data);
        ASSERT_FALSE(first.isNull());
        for (int again = 0; again < 5; ++again)
            EXPECT_EQ(DecodeBmp(data), first);
    }
}


TEST(DecodedPictures, EqualBytesShareOnePictureAndChangedBytesGiveTheNewOne)
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    QImage blue = red;
    blue.fill(qRgb(0, 0, 200));
    const std::string redFile = Encode(red);
    DecodedPictures pictures;
    const QImage first = pictures.Bitmap(redFile);
    const QImage again = pictures.Bitmap(std::string(redFile));
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.cacheKey(), again.cacheKey()) << "decoded once, shared";
    const QImage changed = pictures.Bitmap(Encode(blue));
    EXPECT_EQ(changed.pixel(0, 0), qRgb(0, 0, 200)) << "a file edited on disk shows as it is now";
    EXPECT_TRUE(pictures.Bitmap("no picture").isNull());
}


TEST(PicturePreload, APreloadedPictureIsTheDecodedResourceAndIsTakenOnce)
{
    const QString path = QStringLiteral(":/assets/art/btn_close.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage direct = DecodePng(file.readAll());
    ASSERT_FALSE(direct.isNull());
    StartPreloadingPictures({path});
    EXPECT_EQ(TakePreloadedPicture(path), direct);
    EXPECT_TRUE(TakePreloadedPicture(path).isNull()) << "taken once";
    EXPECT_EQ(LoadPng(path, false), direct) << "then loaded as ever";
}

}  // namespace
