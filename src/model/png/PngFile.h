#pragma once

#include "PixelImage.h"

#include <QByteArray>
#include <QString>

// PNG through libpng: a picture written as 8-bit RGB or gray, and any PNG read as gray.
class PngFile
{
public:
    // The largest picture read: wider or higher, or more pixels, is refused from its header,
    // before any memory is taken for it.
    static constexpr qint64 MaxSide = 32767;
    static constexpr qint64 MaxPixels = 64LL * 1024 * 1024;

    // Empty, with the reason, when libpng cannot encode it.
    static QByteArray Encode(const PixelImage& image, QString* error = nullptr);

    // Any PNG (palette, gray, colour, with alpha, 16 bits, interlaced) as 8-bit gray laid on
    // white, so that a transparent pixel is white. A null image, with the reason, for bytes
    // that are no whole PNG or a picture beyond the limits.
    static PixelImage DecodeGray(const QByteArray& bytes, QString* error = nullptr);
};
