// The tile pictures: reading any ".bmp" file a player puts in the Ico folder.
//
// The decoder reads only the bytes it is given (the sanitizers watch), a
// picture it returns has a sensible size and every pixel opaque, the same
// bytes give the same picture, and a plain picture that the direct reader
// and Qt's own bitmap reader both decode comes out the same from both.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "fuzz_support.h"
#include "ui/bmp_image.h"

namespace {

// What Qt's own reader makes of the bytes, as opaque pixels.
QImage QtReading(std::string_view bytes)
{
    QByteArray copy(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&copy);
    QImageReader reader(&buffer, "BMP");
    reader.setAllocationLimit(64);  // megabytes; the inputs are small
    QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

// Whether the header announces a picture the direct reader takes: a whole
// information header, 24 or 32 bits a pixel, no compression, one plane.
bool Plain(std::string_view bytes)
{
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const std::uint32_t headerSize = byte(14) | byte(15) << 8 | byte(16) << 16 | std::uint32_t(byte(17)) << 24;
    if (headerSize < 40 || headerSize > bytes.size() - 14)
        return false;
    const unsigned bits = byte(28) | byte(29) << 8;
    const unsigned planes = byte(26) | byte(27) << 8;
    const bool uncompressed = byte(30) == 0 && byte(31) == 0 && byte(32) == 0 && byte(33) == 0;
    return planes == 1 && uncompressed && (bits == 24 || bits == 32);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly the input's size, so that reading one byte too far
    // trips AddressSanitizer.
    const std::vector<char> exact(data, data + size);
    const std::string_view bytes(exact.data(), exact.size());

    const QImage image = DecodeBmp(bytes);
    if (image.isNull())
        return 0;
    FUZZ_CHECK(image.width() > 0 && image.height() > 0 && image.width() <= 16384 && image.height() <= 16384,
               "a picture of an impossible size");
    FUZZ_CHECK(DecodeBmp(bytes) == image, "the same bytes gave another picture");

    if (!Plain(bytes))
        return 0;
    FUZZ_CHECK(image.format() == QImage::Format_RGB32, "a plain picture is not opaque");
    const QImage theirs = QtReading(bytes);
    if (theirs.isNull() || theirs.size() != image.size())
        return 0;  // headers Qt reads otherwise (a size it derives differently) are no fault of ours
    FUZZ_CHECK(theirs == image, "the direct reader and Qt's reader disagree on the pixels");
    return 0;
}
