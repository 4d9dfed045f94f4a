// PNG pictures with their alpha channel, decoded with libpng.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes PNG data into a non-premultiplied RGBA image; a null image when the
// data is not a PNG picture.
QImage DecodePng(const QByteArray& data);

// Loads a PNG picture from a file or a resource path (":/assets/art/...").
// When a double-size variant ("name@2x.png") exists it is loaded instead and
// given a device pixel ratio of 2, so it draws at the same logical size but
// crisp on a high-resolution screen (only when `allowHighRes` and the
// screen's ratio is above 1).
QImage LoadPng(const QString& path, bool allowHighRes = true);
