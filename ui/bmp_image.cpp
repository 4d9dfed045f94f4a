#include "ui/bmp_image.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; later headers extend it
constexpr std::uint32_t kUncompressed = 0;
constexpr std::int64_t kLargestSide = 16384;

std::uint32_t Read32(std::string_view data, std::size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t Read16(std::string_view data, std::size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + at;
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// The plain uncompressed pictures, or a null image for anything else;
// `plain` tells whether the header announced such a picture.
QImage DecodePlain(std::string_view data, bool& plain)
{
    plain = false;
    if (data.size() < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M')
        return {};
    const std::uint32_t pixelsAt = Read32(data, 10);
    const std::uint32_t headerSize = Read32(data, 14);
    if (headerSize < kInfoHeaderSize || headerSize > data.size() - kFileHeaderSize)
        return {};
    const std::int64_t width = static_cast<std::int32_t>(Read32(data, 18));
    const std::int64_t signedHeight = static_cast<std::int32_t>(Read32(data, 22));
    const std::uint16_t planes = Read16(data, 26);
    const std::uint16_t bitsPerPixel = Read16(data, 28);
    const std::uint32_t compression = Read32(data, 30);
    const bool bottomUp = signedHeight > 0;
    const std::int64_t height = bottomUp ? signedHeight : -signedHeight;
    if (planes != 1 || compression != kUncompressed || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return {};
    plain = true;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return {};
    // Pixels that would overlap the headers are a broken file, not a picture.
    if (pixelsAt < kFileHeaderSize + headerSize)
        return {};
    const std::int64_t bytesPerPixel = bitsPerPixel / 8;
    const std::int64_t stride = (width * bytesPerPixel + 3) / 4 * 4;
    if (pixelsAt > data.size() || stride * height > static_cast<std::int64_t>(data.size() - pixelsAt))
        return {};

    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const auto* pixels = reinterpret_cast<const unsigned char*>(data.data()) + pixelsAt;
    for (std::int64_t y = 0; y < height; ++y) {
        const unsigned char* source = pixels + stride * (bottomUp ? height - 1 - y : y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::int64_t x = 0; x < width; ++x, source += bytesPerPixel)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

}  // namespace

QImage DecodeBmp(std::string_view data)
{
    bool plain = false;
    QImage image = DecodePlain(data, plain);
    if (plain)
        return image;  // a broken plain picture is no picture, not half of one
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max()))
        return {};
    // Other kinds (compressed, with a palette) can claim a size far beyond
    // their bytes: the same limit on the sides as for the plain ones, before
    // any pixel is made.
    QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const auto fits = [](QSize size) { return size.width() <= kLargestSide && size.height() <= kLargestSide; };
    // A negative height is a picture stored top down.
    const QSize announced(reader.size().width(), std::abs(reader.size().height()));
    if (announced.isValid() && !fits(announced))
        return {};
    // Qt's reader leaves the rows of a file cut short as the memory happened
    // to be: it reads into a cleared picture of its size and kind instead,
    // within the memory Qt's reader would allow itself.
    const QImage::Format format = reader.imageFormat();
    if (announced.isValid() && format != QImage::Format_Invalid) {
        const qint64 bytesNeeded =
            qint64(announced.width()) * announced.height() * QImage::toPixelFormat(format).bitsPerPixel() / 8;
        if (bytesNeeded > qint64(QImageReader::allocationLimit()) * 1024 * 1024)
            return {};
        image = QImage(announced, format);
        if (image.isNull())
            return {};
        image.fill(0);
    }
    if (!reader.read(&image) || !fits(image.size()))
        return {};
    // A palette picture may use colours its palette lacks; in colour pixels
    // they are settled once, so the same file always looks the same.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}
