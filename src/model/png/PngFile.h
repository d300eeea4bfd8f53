#pragma once

#include "PixelImage.h"
#include "Result.h"

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

    // The PNG file of the picture, or the reason when libpng cannot encode it.
    static Result<QByteArray> Encode(const PixelImage& image);

    // Any PNG (palette, gray, colour, with alpha, 16 bits, interlaced) as 8-bit gray laid on
    // white, so that a transparent pixel is white; the reason instead for bytes that are no
    // whole PNG or a picture beyond the limits.
    static Result<PixelImage> DecodeGray(const QByteArray& bytes);
};
