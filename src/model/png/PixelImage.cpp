#include "PixelImage.h"

#include <algorithm>
#include <new>

PixelImage::PixelImage(int width, int height, Kind kind) : _kind(kind)
{
    if (width <= 0 || height <= 0)
        return;
    try {
        _pixels.assign(size_t(width) * size_t(height) * size_t(Channels()), 255);
    } catch (const std::bad_alloc&) {
        return;
    }
    _width = width;
    _height = height;
}

void PixelImage::FillRect(int x, int y, int width, int height, quint8 level)
{
    const int left = std::max(x, 0);
    const int right = std::min(x + width, _width);
    for (int row = std::max(y, 0); row < std::min(y + height, _height) && left < right; ++row)
        std::fill(Row(row) + size_t(left) * size_t(Channels()),
                  Row(row) + size_t(right) * size_t(Channels()), level);
}

void PixelImage::Blend(int x, int y, quint8 level, quint8 coverage)
{
    if (x < 0 || y < 0 || x >= _width || y >= _height)
        return;
    quint8* pixel = _pixels.data() + Offset(x, y);
    for (int channel = 0; channel < Channels(); ++channel)
        pixel[channel] = quint8((pixel[channel] * (255 - coverage) + level * coverage + 127) / 255);
}
