#include "ui/png_image.h"

#include <QFile>
#include <QGuiApplication>

#include <png.h>

#include <cstring>

#include "ui/picture_preload.h"

QImage DecodePng(const QByteArray& data)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.constData(), static_cast<size_t>(data.size())))
        return {};
    image.format = PNG_FORMAT_RGBA;
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return {};
    }
    QImage result(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGBA8888);
    if (result.isNull()) {
        png_image_free(&image);
        return {};
    }
    if (!png_image_finish_read(&image, nullptr, result.bits(), static_cast<png_int_32>(result.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return {};
    }
    return result;
}

QImage LoadPng(const QString& path, bool allowHighRes)
{
    // Taken first in any case, which also waits for the preloading to end.
    QImage preloaded = TakePreloadedPicture(path);
    if (allowHighRes && qApp && qApp->devicePixelRatio() > 1.0 && path.endsWith(QLatin1String(".png"))) {
        QString highRes = path;
        highRes.insert(highRes.size() - 4, QLatin1String("@2x"));
        QFile file(highRes);
        if (file.open(QIODevice::ReadOnly)) {
            QImage image = DecodePng(file.readAll());
            if (!image.isNull()) {
                image.setDevicePixelRatio(2.0);
                return image;
            }
        }
    }
    if (!preloaded.isNull())
        return preloaded;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodePng(file.readAll());
}
