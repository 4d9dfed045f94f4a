// The artwork: decoding any PNG file put in place of a shipped picture.
//
// The decoder reads only the bytes it is given (the sanitizers watch), a
// picture it returns has the size its header announces and the format the
// game draws with, and the same bytes always give the same picture (which
// catches pixels left unwritten). libpng is not instrumented, so the fuzzer
// cannot see how deep an input got; each input is decoded once as it is and
// once with the checksums of its chunks mended, so that a change inside a
// chunk reaches the code behind the checksum test.
#include <cstdint>

#include <QByteArray>
#include <QImage>

#include <zlib.h>

#include "fuzz_support.h"
#include "ui/png_image.h"

namespace {

std::uint32_t Big32(const QByteArray& bytes, int at)
{
    const auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

// The same bytes with every whole chunk's checksum made right.
QByteArray WithMendedChecksums(QByteArray bytes)
{
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const std::uint32_t length = Big32(bytes, static_cast<int>(at));
        if (length > static_cast<std::uint64_t>(bytes.size() - at - 12))
            break;
        const auto* typeAndData = reinterpret_cast<const Bytef*>(bytes.constData() + at + 4);
        const auto crc = static_cast<std::uint32_t>(crc32(0, typeAndData, static_cast<uInt>(length + 4)));
        const qsizetype crcAt = at + 8 + static_cast<qsizetype>(length);
        for (int i = 0; i < 4; ++i)
            bytes[crcAt + i] = static_cast<char>(crc >> (24 - 8 * i));
        at = crcAt + 4;
    }
    return bytes;
}

void Check(const QByteArray& bytes)
{
    const QImage image = DecodePng(bytes);
    if (image.isNull())
        return;
    FUZZ_CHECK(image.format() == QImage::Format_RGBA8888, "a picture not in the drawing format");
    // The signature (8 bytes), the first chunk's length and type, then the
    // header's width and height.
    FUZZ_CHECK(bytes.size() >= 24, "a picture from fewer bytes than a header");
    FUZZ_CHECK(static_cast<std::uint32_t>(image.width()) == Big32(bytes, 16) &&
                   static_cast<std::uint32_t>(image.height()) == Big32(bytes, 20),
               "the picture's size is not the header's");
    FUZZ_CHECK(DecodePng(bytes) == image, "the same bytes gave another picture");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Not QByteArray::fromRawData: a copy of exactly the input's size, so
    // that reading one byte too far trips AddressSanitizer.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Check(bytes);
    const QByteArray mended = WithMendedChecksums(bytes);
    if (mended != bytes)
        Check(mended);
    return 0;
}
